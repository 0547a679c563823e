// The receive path: bytes from the server, cut in arbitrary chunks, through the connection's
// framing, both interpreters, the session and the channel event handling over a fake window, on to
// the automation (every switch on, a few entries in each list) and the account lookup.
// Input: one flags byte, one chunking seed byte, then the bytes as they arrive.
#include "FuzzSupport.h"

#include "automation/AccountLookup.h"
#include "automation/Automation.h"

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

// The automation's view of the window: what it sends goes to the chat pane, so a reply that
// feeds on hostile text is laid out too.
struct AutomationHost : tAutomationHost
{
    tProfile &profile;
    tChannelUsers &users;
    tTranscript &chat;
    int sent = 0;
    AutomationHost(tProfile &p, tChannelUsers &u, tTranscript &c) : profile(p), users(u), chat(c) {}

    void SendLine(const QString &text, LineClass) override
    {
        ++sent;
        chat.WriteLine(text, Qt::black);
    }
    void EchoOwnText(const QString &text) override { chat.WriteLine(text, Qt::black); }
    void WriteOwnLine(const QString &text) override { chat.WriteLine(text, Qt::black); }
    void WriteLine(const QString &text, int) override { chat.WriteLine(text, Qt::black); }
    bool LoggedOn() const override { return true; }
    QString UniqueName() const override { return QStringLiteral("Tester"); }
    QString CurrentServer() const override { return QStringLiteral("127.0.0.1"); }
    QString CurrentChannel() const override { return users.CurrentChannel; }
    int ChannelUserCount() const override { return users.ChannelUserCount(); }
    QString ChannelUser(int index) const override { return users.At(index).Name; }
    QString IgnorePrefix() const override { return QStringLiteral("!"); }
    tProfile &Profile() override { return profile; }
    void RunConnectAction() override {}
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
    AutomationHost host{profile, users, chat};
    tAccountLookup lookup{profile, [this](const QString &lead, const QString &body, const QColor &c, const QColor &) {
                              chat.WriteLine(lead + body, c);
                          }};
    QStringList textLines{QStringLiteral("first <user>"), QString(), QStringLiteral("third")};
    QString textName{QStringLiteral("recital.txt")}, textTarget{QStringLiteral("Bob")};
    tAutomation automation{host, textLines, textName, textTarget};

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
        // As the window plugs it in: information lines also reach the account lookup.
        automation.SetAccountLookup(&lookup);
        events.SetAutomation(&automation);
        automation.SetRandom([](int n) { return n > 0 ? n - 1 : 0; });

        // Every switch on and a few entries in every list, so that every rule can fire.
        tChatSettings &s = profile.Settings;
        for (auto set : {&tChatSettings::setMasterEvents, &tChatSettings::setRespondPhrases,
                         &tChatSettings::setRespondWhispers, &tChatSettings::setRespondJoins,
                         &tChatSettings::setAutoBan, &tChatSettings::setRespondTimers})
            (s.*set)(true);
        profile.OwnerList = {QStringLiteral("Boss"), QStringLiteral("alice")};
        profile.MemberList = {QStringLiteral("Bob")};
        profile.PhraseList = {QStringLiteral("hello"), QStringLiteral("bot"), QString()};
        profile.WhisperList = {QStringLiteral("help"), QStringLiteral("")};
        profile.PhraseRes = {QStringList{QStringLiteral("Hi <user> [<parameter>]"), QStringLiteral("<channel>")},
                             QStringList{QStringLiteral("/w <user> <parameter>")}, QStringList{}};
        profile.WhiserRes = {QStringList{QStringLiteral("/w <user> later")}, QStringList{}, QStringList{QString()}};
        profile.UserJoinList = {QStringLiteral("Bob"), QStringLiteral("Alice")};
        profile.UserRes = {QStringList{QStringLiteral("Welcome <user>")}, QStringList{QStringLiteral("<server>")}, QStringList{}};
        profile.BanList = {QStringLiteral("[clan]"), QString(), QStringLiteral("b")};
        profile.NoBanList = {QStringLiteral("Bob")};
        profile.TimerList = {QStringLiteral("Welcome to <channel>!"), QStringLiteral("every tick"), QStringLiteral("bad")};
        profile.IntervalList = {QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("abc")};
        profile.MacroKeys = {QStringLiteral("a")};
        profile.MacroList = {QStringLiteral("/kick <user> <parameter>")};
        for (int i = 0; i < ProductActionCount; ++i)
            profile.Actions[i] = i % 2 ? QStringLiteral("None") : QStringLiteral("/ban <user> product");
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
    c.profile.Settings.setBanAllExcept(flags & 32);
    c.profile.Settings.setJoinResponse(flags & 64 ? QStringLiteral("Hello <user>, from <channel>") : QString());
    if (flags & 128)
        c.automation.StartRecital();
    while (size > 0) {
        state = state * 1103515245u + 12345u;
        // Mostly small pieces, sometimes a byte at a time, sometimes everything left.
        size_t n = (state >> 16) % 8 == 0 ? size : 1 + (state >> 8) % 48;
        if (n > size)
            n = size;
        c.ci.receiveBytes(reinterpret_cast<const char *>(data), qsizetype(n));
        data += n;
        size -= n;
        // The one-second duty now and then: timed messages and the recital, over what arrived.
        if ((state >> 20) % 4 == 0)
            c.automation.TimerTimer();
    }
    for (int i = 0; i < 3; ++i)
        c.automation.TimerTimer();
    // A macro key over listed users: names the server sent go through the macro's expansion.
    QString entry = QStringLiteral("typed <user> text");
    for (int i = 0; i < c.users.ChannelUserCount() && i < 3; ++i)
        c.automation.RunMacros(QLatin1Char('A'), c.users.At(i).Name, entry);
    // The account lists stay parallel whatever the information lines said.
    QC_FUZZ_CHECK(c.profile.AccountList.size() == c.profile.NumberList.size());
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
