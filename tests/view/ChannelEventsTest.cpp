#include "TestMain.h"
#include "ViewTestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include "net/Interpreters.h"
#include "profile/Profile.h"
#include "view/ChannelUsers.h"
#include "view/ReplyList.h"
#include "view/SessionLog.h"

using namespace viewtest;

class ChannelEventsTest : public QObject
{
    Q_OBJECT
    struct Fixture
    {
        QTemporaryDir dir;
        tProfile profile;
        tChannelUsers users;
        tReplyList replies;
        tSessionLog log;
        RecordingSound sound;
        QStringList calls;
        RecordingChannelHost host{&calls};
        RecordingHooks hooks{&calls};
        tChannelEvents ev{profile, users, replies, log, sound, host};
        tChatSettings &s = profile.Settings;

        explicit Fixture(bool logEvents)
        {
            host.programFolder = dir.path() + QLatin1Char('/');
            s.setKeepLog(true);
            s.setLogEvents(logEvents);
            s.setLogFileName(dir.filePath(QStringLiteral("session.log")));
            log.Open(s, {});
            ev.SetAutomation(&hooks);
        }
        QStringList logLines() const
        {
            QFile f(dir.filePath(QStringLiteral("session.log")));
            if (!f.open(QIODevice::ReadOnly))
                return {QStringLiteral("<no log>")};
            QString text = QString::fromLatin1(f.readAll());
            QStringList out = text.split(QStringLiteral("\r\n"));
            out.removeLast();
            return out;
        }
        QString c(int role) const { return hex(s, role); }
        tUser &addUser(const QString &name)
        {
            auto u = std::make_unique<tUser>();
            u->setName(name);
            tUser &ref = *u;
            profile.Users.Add(std::move(u));
            return ref;
        }
    };

private slots:
    void channelChangeAndUsersListed()
    {
        Fixture f(true);
        f.ev.bcChatShowUser(QStringLiteral("Old"), QStringLiteral("0000"), QStringLiteral("CHAT"));
        f.ev.bcChatChannel(QStringLiteral("Town Square"));
        QCOMPARE(f.users.CurrentChannel, QStringLiteral("Town Square"));
        QCOMPARE(f.users.Caption(), QStringLiteral("Town Square (0)"));
        f.ev.bcChatShowUser(QStringLiteral("Ann"), QStringLiteral("0000"), QStringLiteral("STAR"));
        QCOMPARE(f.users.Caption(), QStringLiteral("Town Square (1)"));
        f.ev.bcChatShowUser(QStringLiteral("Bob"), QStringLiteral("0002"), QStringLiteral("CHAT"));
        QCOMPARE(f.users.Caption(), QStringLiteral("Town Square (2)"));
        QCOMPARE(f.users.At(0).Icon, 3);
        QCOMPARE(f.users.At(1).Icon, 4);
        QCOMPARE(lines(f.host.chat), QStringList{"[" + f.c(InfoColor) + "]Joining channel Town Square."});
        QCOMPARE(f.logLines(), QStringList({"[User in channel] Old", "[Joining] Town Square", "[User in channel] Ann",
                                            "[User in channel] Bob"}));
        QVERIFY(f.calls.isEmpty()); // users already there are not handed to the automation
    }

    void joinRunsGreetingSoundNotesWhoisNoticeThenAutomation()
    {
        Fixture f(true);
        f.s.setWhoisOnJoin(true);
        f.s.setEnterLeaveNotify(true);
        tUser &bob = f.addUser(QStringLiteral("bob"));
        bob.setGreeting(QStringLiteral("Hi there"));
        bob.setJoinSound(QStringLiteral("/sounds/bob.wav"));
        bob.setNotes(QStringLiteral("plays fair"));
        bob.setCustomTextColor(0x00112233);
        f.users.EnterChannel(QStringLiteral("Chat"));
        f.ev.bcChatJoin(QStringLiteral("Bob"), QStringLiteral("0000"), QStringLiteral("STAR"));
        QCOMPARE(f.users.Caption(), QStringLiteral("Chat (1)"));
        QCOMPARE(f.calls, QStringList({"SendLine(Hi there\r)", "SendLine(/whois Bob\r)", "RespondToJoin(Bob)",
                                       "CheckBanList(Bob)", "CheckBanAllExcept(Bob)", "RunProductAction(Bob, STAR)"}));
        QCOMPARE(f.sound.played, QStringList{"/sounds/bob.wav"});
        QCOMPARE(lines(f.host.chat),
                 QStringList({"[" + f.c(InfoColor) + "]User notes for Bob: [" + hex(0x00112233) + "]plays fair",
                              "[" + f.c(InfoColor) + "]User [" + f.c(NameColor) + "]Bob[" + f.c(InfoColor)
                                  + "] has joined the channel."}));
        QCOMPARE(f.logLines(), QStringList{"[User Join] Bob"});
    }

    void joinOfPlainUserAndNoneSound()
    {
        Fixture f(false);
        tUser &ann = f.addUser(QStringLiteral("Ann"));
        ann.setJoinSound(QStringLiteral("NONE"));
        f.users.SetPersonalIcons({QStringLiteral("Ann")});
        f.ev.bcChatJoin(QStringLiteral("Ann"), QStringLiteral("0000"), QStringLiteral("CHAT"));
        f.ev.bcChatJoin(QStringLiteral("Cid"), QStringLiteral("0001"), QStringLiteral("W2BN"));
        QVERIFY(f.sound.played.isEmpty());
        QVERIFY(lines(f.host.chat).isEmpty()); // no notes, no notices
        // The product actions see the product the list was given.
        QCOMPARE(f.calls, QStringList({"RespondToJoin(Ann)", "CheckBanList(Ann)", "CheckBanAllExcept(Ann)",
                                       "RunProductAction(Ann, X21)", "RespondToJoin(Cid)", "CheckBanList(Cid)",
                                       "CheckBanAllExcept(Cid)", "RunProductAction(Cid, W2BN)"}));
        QCOMPARE(f.users.At(0).Icon, 21);
        QCOMPARE(f.users.At(1).Icon, 7);
        QVERIFY(f.logLines().isEmpty()); // joins are events
    }

    void leave()
    {
        Fixture f(true);
        f.s.setEnterLeaveNotify(true);
        f.addUser(QStringLiteral("Bob")).setLeaveSound(QStringLiteral("/s/bye.wav"));
        f.users.EnterChannel(QStringLiteral("Chat"));
        f.ev.bcChatShowUser(QStringLiteral("Bob"), QStringLiteral("0000"), QStringLiteral("CHAT"));
        f.ev.bcChatLeave(QStringLiteral("Nobody"), QStringLiteral("0000"), QStringLiteral("CHAT"));
        QVERIFY(lines(f.host.chat).isEmpty());
        f.ev.bcChatLeave(QStringLiteral("BOB"), QStringLiteral("0000"), QStringLiteral("CHAT"));
        QCOMPARE(f.users.ChannelUserCount(), 0);
        QCOMPARE(f.users.Caption(), QStringLiteral("Chat (0)"));
        QCOMPARE(f.sound.played, QStringList{"/s/bye.wav"});
        QCOMPARE(lines(f.host.chat), QStringList{"[" + f.c(InfoColor) + "]User [" + f.c(NameColor) + "]BOB["
                                                 + f.c(InfoColor) + "] has left the channel."});
        QCOMPARE(f.logLines(), QStringList({"[User in channel] Bob", "[User Leave] Nobody", "[User Leave] BOB"}));
    }

    void talkAndEmote()
    {
        Fixture f(false);
        tUser &cus = f.addUser(QStringLiteral("Cus"));
        cus.setCustomNameColor(0x000000AA);
        cus.setCustomTextColor(0x0000BB00);
        f.ev.bcChatTalk(QStringLiteral("Bob"), QStringLiteral("hello all"));
        f.ev.bcChatTalk(QStringLiteral("cus"), QStringLiteral("custom"));
        f.ev.bcChatEmote(QStringLiteral("Bob"), QStringLiteral("waves"));
        QCOMPARE(lines(f.host.chat),
                 QStringList({"[" + f.c(NameColor) + "]<Bob> [" + f.c(TextColor) + "]hello all",
                              "[" + hex(0x000000AA) + "]<cus> [" + hex(0x0000BB00) + "]custom",
                              "[" + f.c(EmoteColor) + "]<Bob waves>"}));
        QCOMPARE(f.logLines(), QStringList({"<Bob> hello all", "<cus> custom", "<Bob EMOTE> waves"}));
        QCOMPARE(f.calls, QStringList({"RespondToPhrase(Bob, hello all)", "RespondToPhrase(cus, custom)",
                                       "RespondToPhrase(Bob, waves)"}));
    }

    void talkWithASound()
    {
        Fixture f(false);
        QDir(f.dir.path()).mkpath(QStringLiteral("Sounds/fun"));
        QFile wav(f.dir.filePath(QStringLiteral("Sounds/fun/Bell.wav")));
        QVERIFY(wav.open(QIODevice::WriteOnly));
        wav.close();
        f.ev.bcChatTalk(QStringLiteral("Bob"), QStringLiteral("~PlaySound bell.wav"));
        f.ev.bcChatTalk(QStringLiteral("Bob"), QStringLiteral("~playsound missing.wav"));
        QCOMPARE(f.sound.played, QStringList{wav.fileName()});
        QCOMPARE(lines(f.host.chat), QStringList({"[" + f.c(NameColor) + "]Bob played: bell.wav",
                                                  "[" + f.c(NameColor) + "]Bob played: missing.wav"}));
        f.s.setAcceptSounds(false);
        f.ev.bcChatTalk(QStringLiteral("Bob"), QStringLiteral("~playsound bell.wav"));
        QCOMPARE(f.sound.played.size(), 1);
        QCOMPARE(lines(f.host.chat).last(), "[" + f.c(NameColor) + "]<Bob> [" + f.c(TextColor) + "]~playsound bell.wav");
    }

    void whisperTargetsReplyListAndHandOver()
    {
        Fixture f(false);
        f.ev.bcChatWhisper(QStringLiteral("Bob"), QStringLiteral("psst"));
        f.host.whisperVisible = false;
        f.ev.bcChatWhisper(QStringLiteral("Ann"), QStringLiteral("to chat"));
        f.host.windowUser = QStringLiteral("bob");
        f.ev.bcChatWhisper(QStringLiteral("BOB"), QStringLiteral("to window"));
        const QString lead = "[" + f.c(NameColor) + "]", body = "[" + f.c(WhisperColor) + "]";
        QCOMPARE(lines(f.host.whisper), QStringList{lead + "<FROM: Bob> " + body + "psst"});
        QCOMPARE(lines(f.host.chat), QStringList{lead + "<FROM: Ann> " + body + "to chat"});
        QCOMPARE(lines(f.host.window), QStringList{lead + "<FROM: BOB> " + body + "to window"});
        QCOMPARE(f.replies.Names(), QStringList({"Ann", "BOB"}));
        QCOMPARE(f.logLines(), QStringList({"<Bob WHISPER > psst", "<Ann WHISPER > to chat", "<BOB WHISPER > to window"}));
        QCOMPARE(f.calls.mid(0, 2), QStringList({"RunRemoteCommand(Bob, psst)", "RespondToWhisper(Bob, psst)"}));
    }

    void whisperCommandsUrlsAndSounds()
    {
        Fixture f(false);
        f.addUser(QStringLiteral("Cus")).setCustomWhisperColor(0x00010203);
        f.ev.bcChatWhisper(QStringLiteral("Bob"), QStringLiteral("/URL http://example.org/x"));
        f.ev.bcChatWhisper(QStringLiteral("Bob"), QStringLiteral("/addowner Cid"));
        f.ev.bcChatWhisper(QStringLiteral("Bob"), QStringLiteral("~playsound x.wav"));
        f.ev.bcChatWhisper(QStringLiteral("Cus"), QStringLiteral("coloured"));
        QCOMPARE(lines(f.host.whisper), QStringList({"[" + f.c(NameColor) + "]Bob played: x.wav",
                                                     "[" + hex(0x0000FFFF) + "]<FROM: Cus> [" + hex(0x00010203) + "]coloured"}));
        QCOMPARE(f.calls, QStringList({"RunRemoteCommand(Bob, /URL http://example.org/x)",
                                       "ShowUrl(Bob has sent the following URL: |http://example.org/x)",
                                       "RespondToWhisper(Bob, /URL http://example.org/x)",
                                       "RunRemoteCommand(Bob, /addowner Cid)", "RespondToWhisper(Bob, /addowner Cid)",
                                       "RunRemoteCommand(Bob, ~playsound x.wav)", "RespondToWhisper(Bob, ~playsound x.wav)",
                                       "RunRemoteCommand(Cus, coloured)", "RespondToWhisper(Cus, coloured)"}));
    }

    void whisperSent()
    {
        Fixture f(true);
        f.ev.bcChatWhisperSent(QStringLiteral("Bob"), QStringLiteral("hi"));
        f.ev.bcChatWhisperSent(QStringLiteral("Bob"), QString());
        f.ev.bcChatWhisperSent(QStringLiteral("Bob"), QStringLiteral("~PLAYSOUND a.wav"));
        f.ev.bcChatWhisperSent(QStringLiteral("Bob"), QStringLiteral("/Url http://x"));
        const QString lead = "[" + f.c(YourNameColor) + "]<TO: Bob> [" + f.c(YourTextColor) + "]";
        QCOMPARE(lines(f.host.whisper), QStringList({lead + "hi", lead + " "}));
        QCOMPARE(f.logLines(), QStringList({"<WHISPER TO Bob> hi", "<WHISPER TO Bob> ", "<WHISPER TO Bob> ~PLAYSOUND a.wav",
                                            "<WHISPER TO Bob> /Url http://x"}));
    }

    void informationAwayAndRejoin()
    {
        Fixture f(true);
        f.users.EnterChannel(QStringLiteral("Op Room"));
        f.ev.bcChatInfo(QStringLiteral("You are now marked as being away."));
        f.ev.bcChatInfo(QStringLiteral("You are no longer marked as away."));
        f.ev.bcChatInfo(QStringLiteral("Bully kicked you out of the channel!"));
        f.s.setAutoRejoin(false);
        f.ev.bcChatInfo(QStringLiteral("Bully kicked you out of the channel!"));
        const QString info = "[" + f.c(InfoColor) + "]";
        QCOMPARE(lines(f.host.chat), QStringList({info + "You are now marked as being away.",
                                                  info + "You are no longer marked as away.",
                                                  info + "Bully kicked you out of the channel!", info + "Rejoining Op Room",
                                                  info + "Bully kicked you out of the channel!"}));
        QCOMPARE(f.calls, QStringList({"WelcomeCheck(You are now marked as being away.)", "Away(on)",
                                       "ParseAccountInfo(You are now marked as being away.)",
                                       "WelcomeCheck(You are no longer marked as away.)", "Away(off)",
                                       "ParseAccountInfo(You are no longer marked as away.)",
                                       "WelcomeCheck(Bully kicked you out of the channel!)", "SendLine(/join Op Room\r)",
                                       "ParseAccountInfo(Bully kicked you out of the channel!)",
                                       "WelcomeCheck(Bully kicked you out of the channel!)",
                                       "ParseAccountInfo(Bully kicked you out of the channel!)"}));
        QCOMPARE(f.logLines().first(), QStringLiteral("[Info] You are now marked as being away."));
    }

    void otherServerTextsUnhandledAndRaw()
    {
        Fixture f(true);
        f.ev.bcChatBroadcast(QStringLiteral("Server going down"));
        f.ev.bcChatChannelFull(QStringLiteral("Full!"));
        f.ev.bcChatChanNotExist(QStringLiteral("Nope"));
        f.ev.bcChatRestricted(QStringLiteral("Keep out"));
        f.ev.bcChatError(QStringLiteral("That user is not logged on."));
        f.ev.bcChatUnHandled(QStringLiteral("Username: Password: "));
        f.ev.bcChatUniqueName(QStringLiteral("Me#2"));
        f.ev.tcChatData(QStringLiteral("1005 TALK Bob 0000 \"raw\""));
        const QString info = "[" + f.c(InfoColor) + "]", err = "[" + f.c(ErrorColor) + "]";
        QCOMPARE(lines(f.host.chat), QStringList({info + "Server going down", err + "Channel is full.",
                                                  err + "Channel does not exist.", err + "Channel is restricted.",
                                                  err + "That user is not logged on.",
                                                  "[" + f.c(WhisperColor) + "]1005 TALK Bob 0000 \"raw\""}));
        QCOMPARE(f.logLines(), QStringList({"Server going down", "Full!", "Nope", "Keep out",
                                            "[Error] That user is not logged on.", "Username: Password: "}));
        QCOMPARE(f.calls, QStringList({"RefusedLoginCheck(Username: Password: )", "UniqueName(Me#2)"}));
    }

    void echoOwnText()
    {
        Fixture f(false);
        f.ev.EchoOwnText(QStringLiteral("hello"));
        f.ev.EchoOwnText(QStringLiteral("/join Elsewhere"));
        f.ev.EchoOwnText(QString());
        QCOMPARE(lines(f.host.chat), QStringList{"[" + f.c(YourNameColor) + "]<Me> [" + f.c(YourTextColor) + "]hello"});
    }

    void boundToTheInterpreters()
    {
        Fixture f(false);
        TBnetChat bc;
        TTextChat tc;
        f.ev.Bind(bc, tc);
        bc.ProcessLine(QStringLiteral("1007 CHANNEL \"Chat\""));
        bc.ProcessLine(QStringLiteral("1001 USER Ann 0010 [SEXP]"));
        bc.ProcessLine(QStringLiteral("1005 TALK Ann 0010 \"hi \"quoted\" there\""));
        bc.ProcessLine(QStringLiteral("1009 USER Ann 0020"));
        tc.ProcessLine(QStringLiteral("anything"));
        QCOMPARE(f.users.Caption(), QStringLiteral("Chat (1)"));
        QCOMPARE(f.users.At(0).Icon, 6);
        QVERIFY(f.users.At(0).Squelched);
        const QStringList l = lines(f.host.chat);
        QCOMPARE(l.size(), 3);
        QCOMPARE(l[1], "[" + f.c(NameColor) + "]<Ann> [" + f.c(TextColor) + "]hi \"quoted\" there");
        QCOMPARE(l[2], "[" + f.c(WhisperColor) + "]anything");
    }
};
QC_TEST(ChannelEventsTest)
#include "ChannelEventsTest.moc"
