// The receive path: bytes from the server, cut in arbitrary chunks, through the connection's
// framing, both interpreters, the session and the channel event handling over a fake window.
// Input: one flags byte, one chunking seed byte, then the bytes as they arrive.
#include "FuzzSupport.h"

#include "net/ChatInterface.h"
#include "net/Interpreters.h"
#include "profile/Profile.h"
#include "view/ChannelEvents.h"
#include "view/ChannelUsers.h"
#include "view/ReplyList.h"
#include "view/Session.h"
#include "view/SessionLog.h"
#include "view/Sound.h"
#include "view/Transcript.h"

#include <cstdio>

namespace {

struct NoSound : tSoundPlayer
{
    void PlaySound(const QString &) override {}
};

struct Client : tSessionHost, tChannelHost
{
    tProfile profile;
    TChatInterface ci;
    TBnetChat bc;
    TTextChat tc;
    // Small panes: the trimming of a full pane is part of what runs.
    tTranscript chat{QStringLiteral("reChat"), 64};
    tTranscript whisper{QStringLiteral("reWhisper"), 64};
    tChannelUsers users;
    tReplyList replies;
    tSessionLog log;
    NoSound sound;
    tSession session{profile, ci, bc, tc, *this};
    tChannelEvents events{profile, users, replies, log, sound, *this};
    bool whisperVisible = true;

    Client()
    {
        ci.NoLineFeed = true;
        ci.NoReturn = true;
        ci.ReturnChar = '\r';
        bc.ChatInterface = &ci;
        tc.ChatInterface = &ci;
        bc.UserName = QStringLiteral("Tester");
        session.Bind();
        events.Bind(bc, tc);
    }

    void SetStatus(int, const QString &) override {}
    void WriteChat(const QString &text, const QColor &color) override { chat.WriteLine(text, color); }
    void ShowMessage(const QString &) override {}
    void ClearChannel() override { users.Clear(); }
    void SetConnectChecked(bool) override {}
    void SetPauseChecked(bool) override {}
    void EnableChatButtons(bool) override {}

    tTranscript &ChatPane() override { return chat; }
    tTranscript &WhisperPane() override { return whisper; }
    bool WhisperPaneVisible() const override { return whisperVisible; }
    void SendLine(const QString &text) override { bc.SendLine(text); }
    void SetAwayChecked(bool) override {}
    void WelcomeCheck(const QString &text) override { session.WelcomeCheck(text); }
    void RefusedLoginCheck(const QString &line) override { session.RefusedLoginCheck(line); }
    void UniqueNameReceived(const QString &name) override { session.UniqueNameReceived(name); }
    QString UniqueName() const override { return session.UniqueName; }
    QString ProgramFolder() const override { return qcfuzz::scratchFolder(); }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qcfuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const uint8_t flags = data[0];
    uint32_t state = data[1] * 2654435761u + 1;
    data += 2;
    size -= 2;

    Client c;
    c.profile.Settings.setIncludePlainText(flags & 1);
    c.whisperVisible = !(flags & 2);
    c.ci.NoLineFeed = !(flags & 4);
    c.profile.Settings.setAcceptSounds(flags & 8);
    if (flags & 16)
        c.session.SetPaused(true);
    while (size > 0) {
        state = state * 1103515245u + 12345u;
        // Mostly small pieces, sometimes a byte at a time, sometimes everything left.
        size_t n = (state >> 16) % 8 == 0 ? size : 1 + (state >> 8) % 48;
        if (n > size)
            n = size;
        c.ci.receiveBytes(reinterpret_cast<const char *>(data), qsizetype(n));
        data += n;
        size -= n;
    }
    if (flags & 16)
        c.session.SetPaused(false);
    // Whatever arrived, every icon names an image of the table (the list draws it) and the caption
    // counts the users listed.
    for (int i = 0; i < c.users.ChannelUserCount(); ++i) {
        const int icon = c.users.At(i).Icon;
        QC_FUZZ_CHECK(icon == tChannelUsers::NoIcon || (icon >= 0 && icon < c.users.IconCount()));
        // Each name is found at its first entry, ignoring letter case.
        const int first = c.users.IndexOf(c.users.At(i).Name);
        QC_FUZZ_CHECK(first >= 0 && first <= i
                      && c.users.At(first).Name.compare(c.users.At(i).Name, Qt::CaseInsensitive) == 0);
    }
    QC_FUZZ_CHECK(c.users.Caption().isEmpty()
                  || c.users.Caption() == c.users.CurrentChannel + QStringLiteral(" (")
                                              + QString::number(c.users.ChannelUserCount()) + QLatin1Char(')'));
    return 0;
}
