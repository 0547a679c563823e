// Channel operator rights: kick, ban, unban, designate, and who holds them.
#include "RawClient.h"
#include "TestMain.h"

class GatewayOperatorTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<gw::Server> gw;
    std::unique_ptr<RawClient> op, bob, carol;

private slots:
    void init()
    {
        gw = startGateway();
        op = std::make_unique<RawClient>(gw->port());
        bob = std::make_unique<RawClient>(gw->port());
        carol = std::make_unique<RawClient>(gw->port());
        QVERIFY(op->logIn("Alice"));
        QVERIFY(bob->logIn("Bob"));
        QVERIFY(carol->logIn("Carol"));
        QVERIFY(op->waitLine("1002 JOIN Carol 0010 [CHAT]"));
        QVERIFY(op->has("1001 USER Alice 0012 [CHAT]"));
    }
    void cleanup()
    {
        op.reset();
        bob.reset();
        carol.reset();
        gw.reset();
    }

    void onlyTheOperatorMay()
    {
        for (const QByteArray cmd : {"/kick Alice", "/ban Alice", "/unban Alice", "/designate Carol"})
            QVERIFY2(bob->ask(cmd, "1019").contains("1019 ERROR \"You are not a channel operator.\""), cmd.constData());
        QCOMPARE(gw->channelMembers("Chat"), (QStringList{"Alice", "Bob", "Carol"}));
        QVERIFY(op->ask("/kick alice", "1019").contains("1019 ERROR \"You can't kick yourself.\""));
        QVERIFY(op->ask("/kick nobody", "1019").contains("1019 ERROR \"That user is not in this channel.\""));
        QVERIFY(op->ask("/kick", "1019").contains("1019 ERROR \"Who do you want to kick?\""));
    }

    void kickMovesToTheVoid()
    {
        const int from = bob->lines.size();
        op->say("/kick bob spamming");
        QVERIFY(bob->waitFor([&] { return bob->count("1001 USER Bob 0010 [CHAT]") == 2; }));
        QCOMPARE(bob->since(from), (QList<QByteArray>{"1018 INFO \"Alice kicked you out of the channel!\"",
                                                      "1007 CHANNEL \"The Void\"", "1001 USER Bob 0010 [CHAT]"}));
        for (RawClient *c : {op.get(), carol.get()}) {
            QVERIFY(c->waitLine("1003 LEAVE Bob 0010"));
            QVERIFY(c->has("1018 INFO \"Bob was kicked out of the channel by Alice (spamming).\""));
        }
        // Nobody in the void hears anybody, and the kicked user may come back.
        QVERIFY(bob->ask("hello?", "1018").contains("1018 INFO \"No one hears you.\""));
        bob->say("/join Chat");
        QVERIFY(op->waitLine("1002 JOIN Bob 0010 [CHAT]"));
    }

    void banKeepsOut()
    {
        op->say("/ban Bob");
        QVERIFY(bob->waitLine("1018 INFO \"Alice banned you from the channel!\""));
        QVERIFY(bob->waitLine("1007 CHANNEL \"The Void\""));
        QVERIFY(carol->waitLine("1018 INFO \"Bob was banned by Alice.\""));
        QVERIFY(bob->ask("/join chat", "1019").contains("1019 ERROR \"You are banned from that channel.\""));
        // A name that is not here can be banned too; unbanning twice says it is not banned.
        QVERIFY(op->ask("/ban Mallory", "1018").contains("1018 INFO \"Mallory was banned by Alice.\""));
        QVERIFY(op->ask("/unban bob", "1018").contains("1018 INFO \"Bob was unbanned by Alice.\""));
        QVERIFY(carol->waitLine("1018 INFO \"Bob was unbanned by Alice.\""));
        QVERIFY(op->ask("/unban bob", "1019").contains("1019 ERROR \"That user is not banned.\""));
        bob->say("/join chat");
        QVERIFY(carol->waitLine("1002 JOIN Bob 0010 [CHAT]"));
        QVERIFY(op->ask("/ban alice", "1019").contains("1019 ERROR \"You can't ban yourself.\""));
    }

    void designatedHeirTakesOver()
    {
        QVERIFY(op->ask("/designate carol", "1018").contains("1018 INFO \"Carol is your new designated heir.\""));
        op->say("/join Elsewhere");
        QVERIFY(bob->waitLine("1003 LEAVE Alice 0012"));
        QVERIFY(bob->waitLine("1009 USER Carol 0012"));
        QVERIFY(carol->waitLine("1009 USER Carol 0012"));
        carol->say("/kick bob");
        QVERIFY(bob->waitLine("1018 INFO \"Carol kicked you out of the channel!\""));
    }

    void withoutHeirNobodyIsOperator()
    {
        op->say("/join Elsewhere");
        QVERIFY(bob->waitLine("1003 LEAVE Alice 0012"));
        QVERIFY(bob->ask("/kick carol", "1019").contains("1019 ERROR \"You are not a channel operator.\""));
        QCOMPARE(bob->countPrefix("1009 "), 0);

        // An heir who leaves loses the designation, even when coming back.
        bob->say("/join Room");
        QVERIFY(bob->waitLine("1001 USER Bob 0012 [CHAT]"));
        carol->say("/join Room");
        op->say("/join Room");
        QVERIFY(bob->waitLine("1002 JOIN Alice 0010 [CHAT]"));
        // Carol's first join was into Chat, at login.
        QVERIFY(bob->waitFor([&] { return bob->count("1002 JOIN Carol 0010 [CHAT]") == 2; }));
        QVERIFY(bob->ask("/designate carol", "1018").contains("1018 INFO \"Carol is your new designated heir.\""));
        carol->say("/rejoin");
        QVERIFY(bob->waitFor([&] { return bob->count("1002 JOIN Carol 0010 [CHAT]") == 3; }));
        bob->say("/join Chat");
        QVERIFY(carol->waitLine("1003 LEAVE Bob 0012"));
        QVERIFY(carol->ask("/kick alice", "1019").contains("1019 ERROR \"You are not a channel operator.\""));
        QCOMPARE(carol->countPrefix("1009 USER Carol"), 0);
    }
};

QC_TEST(GatewayOperatorTest)
#include "OperatorTest.moc"
