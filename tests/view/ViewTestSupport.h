#pragma once
// Shared by the channel view tests: reading transcript lines back with their colours, and
// recording fakes of what the channel handlers and the session talk to.
#include <QColor>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include "profile/ChatSettings.h"
#include "view/ChannelEvents.h"
#include "view/Sound.h"
#include "view/Transcript.h"

namespace viewtest {

// One transcript line as "[#rrggbb]text[#rrggbb]text ...", one bracket per colour run.
inline QString describe(const QTextBlock &block)
{
    QString out;
    QColor last;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        const QColor c = f.charFormat().foreground().color();
        if (c != last || out.isEmpty())
            out += QLatin1Char('[') + c.name() + QLatin1Char(']');
        out += f.text();
        last = c;
    }
    return out;
}

inline QStringList lines(const tTranscript &t)
{
    QStringList out;
    if (t.LineCount() == 0)
        return out;
    for (QTextBlock b = t.Document()->begin(); b.isValid(); b = b.next())
        out << describe(b);
    return out;
}

// The colour of a role in the profile's colour table, as describe() writes it.
inline QString hex(const tChatSettings &s, int role)
{
    return bgrToColor(s.Color(role)).name();
}
inline QString hex(std::uint32_t bgr)
{
    return bgrToColor(bgr).name();
}

struct RecordingSound : tSoundPlayer
{
    QStringList played;
    void PlaySound(const QString &path) override { played << path; }
};

// Every call in order, as "Name(arg, arg)".
struct RecordingHooks : tAutomationHooks
{
    QStringList *calls;
    explicit RecordingHooks(QStringList *c) : calls(c) {}
    void RespondToPhrase(const QString &u, const QString &m) override { *calls << "RespondToPhrase(" + u + ", " + m + ")"; }
    void RespondToWhisper(const QString &u, const QString &m) override { *calls << "RespondToWhisper(" + u + ", " + m + ")"; }
    void RespondToJoin(const QString &u) override { *calls << "RespondToJoin(" + u + ")"; }
    void CheckBanList(const QString &u) override { *calls << "CheckBanList(" + u + ")"; }
    void CheckBanAllExcept(const QString &u) override { *calls << "CheckBanAllExcept(" + u + ")"; }
    void RunProductAction(const QString &u, const QString &p) override { *calls << "RunProductAction(" + u + ", " + p + ")"; }
    void RunRemoteCommand(const QString &u, const QString &t) override { *calls << "RunRemoteCommand(" + u + ", " + t + ")"; }
    void ParseAccountInfo(const QString &l) override { *calls << "ParseAccountInfo(" + l + ")"; }
};

struct RecordingChannelHost : tChannelHost
{
    tTranscript chat{QStringLiteral("reChat")};
    tTranscript whisper{QStringLiteral("reWhisper")};
    tTranscript window{QStringLiteral("whisper window")};
    bool whisperVisible = true;
    QString windowUser; // a whisper window is open for this user
    QString uniqueName = QStringLiteral("Me");
    QString programFolder;
    QStringList *calls; // shared with the hooks, so the order across both shows
    explicit RecordingChannelHost(QStringList *c) : calls(c) {}

    tTranscript &ChatPane() override { return chat; }
    tTranscript &WhisperPane() override { return whisper; }
    bool WhisperPaneVisible() const override { return whisperVisible; }
    tTranscript *WhisperWindowPane(const QString &user) override
    {
        return !windowUser.isEmpty() && user.compare(windowUser, Qt::CaseInsensitive) == 0 ? &window : nullptr;
    }
    void SendLine(const QString &text) override { *calls << "SendLine(" + text + ")"; }
    void SetAwayChecked(bool checked) override { *calls << QString("Away(%1)").arg(checked ? "on" : "off"); }
    void ShowUrl(const QString &caption, const QString &address) override { *calls << "ShowUrl(" + caption + "|" + address + ")"; }
    void WelcomeCheck(const QString &text) override { *calls << "WelcomeCheck(" + text + ")"; }
    void RefusedLoginCheck(const QString &line) override { *calls << "RefusedLoginCheck(" + line + ")"; }
    void UniqueNameReceived(const QString &name) override { *calls << "UniqueName(" + name + ")"; }
    QString UniqueName() const override { return uniqueName; }
    QString ProgramFolder() const override { return programFolder; }
};

} // namespace viewtest
