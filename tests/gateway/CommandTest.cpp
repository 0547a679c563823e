// What each chat command answers, seen from raw sockets.
#include "RawClient.h"
#include "TestMain.h"

class GatewayCommandTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<gw::Server> gw;
    std::unique_ptr<RawClient> alice, bob;

private slots:
    void init()
    {
        gw::Options o;
        o.restrictedChannels = {"Blizzard Tech Support"};
        o.fullChannels = {{"Tiny", 1}, {"Closed", 0}};
        o.missingChannels = {"Nowhere"};
        o.showAccountNumbers = true;
        gw = startGateway(o);
        alice = std::make_unique<RawClient>(gw->port());
        bob = std::make_unique<RawClient>(gw->port());
        QVERIFY(alice->logIn("Alice"));
        QVERIFY(bob->logIn("Bob"));
        QVERIFY(alice->waitLine("1002 JOIN Bob 0010 [CHAT]"));
    }
    void cleanup()
    {
        alice.reset();
        bob.reset();
        gw.reset();
    }

    void talkAndEmote()
    {
        alice->say("hi \"there\" you");
        QVERIFY(bob->waitLine("1005 TALK Alice 0012 \"hi \"there\" you\""));
        bob->say("/me waves");
        QVERIFY(alice->waitLine("1023 EMOTE Bob 0010 \"waves\""));
        QVERIFY(bob->waitLine("1023 EMOTE Bob 0010 \"waves\""));
        bob->say("/emote nods");
        QVERIFY(alice->waitLine("1023 EMOTE Bob 0010 \"nods\""));
        // The speaker never hears its own talk.
        QCOMPARE(alice->countPrefix("1005 TALK Alice"), 0);
        bob->say("/join Quiet");
        QVERIFY(bob->waitLine("1007 CHANNEL \"Quiet\""));
        QVERIFY(bob->ask("anyone?", "1018").contains("1018 INFO \"No one hears you.\""));
    }

    void whisperForms()
    {
        int n = 0;
        for (const QByteArray cmd : {"/w", "/msg", "/m", "/whisper", "/W"}) {
            const QByteArray text = "psst " + QByteArray::number(++n);
            alice->say(cmd + " bob " + text);
            QVERIFY2(bob->waitLine("1004 WHISPER Alice 0012 \"" + text + "\""), cmd.constData());
            QVERIFY(alice->waitLine("1010 WHISPER Bob 0010 \"" + text + "\""));
        }
        QVERIFY(alice->ask("/w Carol hello", "1019").contains("1019 ERROR \"That user is not logged on.\""));
        QVERIFY(alice->ask("/w Bob", "1019").contains("1019 ERROR \"What do you want to say?\""));
    }

    void awayAndDnd()
    {
        QVERIFY(bob->ask("/away", "1018").contains("1018 INFO \"You are now marked as being away.\""));
        auto lines = alice->ask("/w Bob hi", "1018 INFO \"Bob is away");
        QVERIFY(lines.contains("1018 INFO \"Bob is away.\""));
        QVERIFY(bob->waitLine("1004 WHISPER Alice 0012 \"hi\""));
        QVERIFY(bob->ask("/away", "1018").contains("1018 INFO \"You are no longer marked as away.\""));
        QVERIFY(bob->ask("/away gone fishing", "1018").contains("1018 INFO \"You are now marked as being away.\""));
        QVERIFY(alice->ask("/whois bob", "1018 INFO \"Bob is away").contains("1018 INFO \"Bob is away (gone fishing).\""));
        bob->ask("/away", "1018");

        QVERIFY(bob->ask("/DND busy", "1018").contains("1018 INFO \"Do Not Disturb mode engaged.\""));
        lines = alice->ask("/w Bob are you there", "1018");
        QVERIFY(lines.contains("1018 INFO \"Bob is unavailable (busy).\""));
        QVERIFY(!lines.contains("1010 WHISPER Bob 0010 \"are you there\""));
        QVERIFY(bob->ask("/dnd", "1018").contains("1018 INFO \"Do Not Disturb mode cancelled.\""));
        QVERIFY(!bob->has("1004 WHISPER Alice 0012 \"are you there\""));
    }

    void whoisAndWho()
    {
        for (const QByteArray cmd : {"/whois", "/whereis"}) {
            const auto lines = alice->ask(cmd + " BOB", "1018 INFO \"Bob is logged on");
            QVERIFY(lines.contains("1018 INFO \"Bob is using a Chat Client in channel Chat.\""));
            QVERIFY(lines.contains("1018 INFO \"Bob is logged on from account #1002.\""));
        }
        RawClient carol(gw->port());
        QVERIFY(carol.logIn("Carol"));
        auto lines = bob->ask("/who chat", "1018 INFO \"Carol\"");
        QVERIFY(lines.contains("1018 INFO \"Users in channel Chat:\""));
        QVERIFY(lines.contains("1018 INFO \"[Alice], Bob\""));
        QVERIFY(bob->ask("/who Elsewhere", "1019").contains("1019 ERROR \"That channel does not exist.\""));
        QVERIFY(bob->ask("/whoami", "1018").contains("1018 INFO \"You are Bob, using a Chat Client in channel Chat.\""));
    }

    void informationCommands()
    {
        auto lines = alice->ask("/users", "1018");
        QVERIFY(lines.contains("1018 INFO \"There are currently 2 users in chat, in 1 channels.\""));
        lines = alice->ask("/time", "1018 INFO \"Your local time: ");
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].startsWith("1018 INFO \"Battle.net time: "));
        lines = alice->ask("/stats bob sexp", "1018 INFO \"Ladder");
        QCOMPARE(lines, (QList<QByteArray>{"1018 INFO \"Bob's record:\"", "1018 INFO \"Normal games: 0-0-0\"",
                                           "1018 INFO \"Ladder games: 0-0-0 (rank 0)\""}));
        QVERIFY(alice->ask("/stats nobody", "1019").contains("1019 ERROR \"Unknown user.\""));
        QVERIFY(alice->ask("/stats bob CHAT", "1019").contains("1019 ERROR \"Invalid product.\""));
        QVERIFY(alice->ask("/frobnicate now", "1019").contains("1019 ERROR \"Unknown command.\""));
        QVERIFY(alice->ask("/", "1019").contains("1019 ERROR \"Unknown command.\""));
        lines = alice->ask("/help", "1018 INFO \"Channel operators:");
        QVERIFY(lines.size() >= 4);
        QCOMPARE(lines[0], QByteArray("1018 INFO \"Chat commands:\""));
    }

    void squelchMarksAndSilences()
    {
        for (const QByteArray pair : {"/squelch|/unsquelch", "/ignore|/unignore"}) {
            const QList<QByteArray> cmd = pair.split('|');
            auto lines = alice->ask(cmd[0] + " bob", "1018");
            QVERIFY(lines.contains("1009 USER Bob 0030"));
            QVERIFY(lines.contains("1018 INFO \"Bob has been squelched.\""));
            bob->say("can you hear me");
            bob->say("/w alice or me");
            QVERIFY(bob->waitLine("1010 WHISPER Alice 0012 \"or me\""));
            lines = alice->ask(cmd[1] + " bob", "1018");
            QVERIFY(lines.contains("1009 USER Bob 0010"));
            QVERIFY(lines.contains("1018 INFO \"Bob has been unsquelched.\""));
            bob->say("and now");
            QVERIFY(alice->waitLine("1005 TALK Bob 0010 \"and now\""));
            QCOMPARE(alice->countPrefix("1005 TALK Bob 0010 \"can you"), 0);
            QCOMPARE(alice->countPrefix("1004 WHISPER Bob"), 0);
            alice->lines.clear();
            bob->lines.clear();
        }
        // A squelched user who joins later is marked in the join line.
        alice->ask("/squelch bob", "1018");
        bob->say("/rejoin");
        QVERIFY(alice->waitLine("1002 JOIN Bob 0030 [CHAT]"));
        QVERIFY(alice->ask("/squelch alice", "1019").contains("1019 ERROR \"You can't squelch yourself.\""));
        QVERIFY(alice->ask("/unsquelch carol", "1019").contains("1019 ERROR \"That user is not squelched.\""));
    }

    void joiningChannels()
    {
        bob->say("/join Other Place");
        QVERIFY(bob->waitLine("1001 USER Bob 0012 [CHAT]"));
        QVERIFY(bob->has("1007 CHANNEL \"Other Place\""));
        QVERIFY(alice->waitLine("1003 LEAVE Bob 0010"));
        alice->say("/j other place");
        QVERIFY(alice->waitLine("1001 USER Bob 0012 [CHAT]"));
        const int at = alice->indexOf("1007 CHANNEL \"Other Place\"");
        QCOMPARE(alice->since(at + 1).mid(0, 2),
                 (QList<QByteArray>{"1001 USER Alice 0010 [CHAT]", "1001 USER Bob 0012 [CHAT]"}));
        QVERIFY(bob->waitLine("1002 JOIN Alice 0010 [CHAT]"));
        QCOMPARE(gw->channelMembers("chat"), QStringList());
        QCOMPARE(gw->channelMembers("OTHER PLACE"), (QStringList{"Bob", "Alice"}));

        alice->say("/rejoin");
        QVERIFY(bob->waitFor([&] { return bob->count("1002 JOIN Alice 0010 [CHAT]") == 2; }));
        QCOMPARE(bob->count("1003 LEAVE Alice 0010"), 1);
        QCOMPARE(alice->count("1007 CHANNEL \"Other Place\""), 2);
        QVERIFY(alice->ask("/join", "1019").contains("1019 ERROR \"What channel do you want to join?\""));
    }

    void specialChannels()
    {
        auto refused = [this](const QByteArray &channel, const QByteArray &answer) {
            const auto lines = bob->ask("/join " + channel, answer.left(4));
            return lines.contains(answer) && gw->channelOf(gw->clientByName("Bob")) == "Chat";
        };
        QVERIFY(refused("blizzard tech support", "1015 CHANNELRESTRICTED \"blizzard tech support\""));
        QVERIFY(refused("Nowhere", "1014 CHANNELDOESNOTEXIST \"Nowhere\""));
        QVERIFY(refused("Closed", "1013 CHANNELFULL \"Closed\""));
        alice->say("/join Tiny");
        QVERIFY(alice->waitLine("1007 CHANNEL \"Tiny\""));
        QVERIFY(refused("tiny", "1013 CHANNELFULL \"tiny\""));
        alice->say("/join Chat");
        QVERIFY(alice->waitLine("1007 CHANNEL \"Chat\""));
        QVERIFY(bob->ask("/join Tiny", "1001").contains("1007 CHANNEL \"Tiny\""));
    }
};

QC_TEST(GatewayCommandTest)
#include "CommandTest.moc"
