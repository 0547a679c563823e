// Simulated users: who they are, what they do, and that they never flood.
#include "RawClient.h"
#include "TestMain.h"

#include "gateway/SimUsers.h"

namespace {
gw::Options simOptions(int users, int paceMs, quint32 seed = 6112)
{
    gw::Options o;
    o.simulatedUsers = users;
    o.simulatedPaceMs = paceMs;
    o.seed = seed;
    return o;
}
constexpr int Never = 3600 * 1000; // a pace so slow that only step() makes them act
} // namespace

class GatewaySimTest : public QObject
{
    Q_OBJECT
private slots:
    void theyArePresentAtLogin()
    {
        auto gw = startGateway(simOptions(3, Never));
        QCOMPARE(gw->simulatedNames(), (QStringList{"Ardent", "Brisk", "Corvin"}));
        RawClient me(gw->port());
        QVERIFY(me.logIn("Me"));
        QCOMPARE(me.since(me.indexOf("1007 CHANNEL \"Chat\"") + 1),
                 (QList<QByteArray>{"1001 USER Me 0010 [CHAT]", "1001 USER Ardent 0012 [STAR]",
                                    "1001 USER Brisk 0010 [SEXP]", "1001 USER Corvin 0010 [W2BN]"}));
        QVERIFY(gw->clients() == QList<int>{gw->clientByName("Me")}); // they hold no connection
        QCOMPARE(gw->clientByName("Ardent"), -1);
        QVERIFY(me.ask("/whois brisk", "1018").contains("1018 INFO \"Brisk is using Starcraft Broodwar in channel Chat.\""));
    }

    void everyStepIsOneVisibleAction()
    {
        auto gw = startGateway(simOptions(4, Never));
        RawClient me(gw->port());
        QVERIFY(me.logIn("Me"));
        const int from = me.lines.size();
        QMap<QString, int> done;
        constexpr int Steps = 300;
        for (int i = 0; i < Steps; ++i) {
            gw->simulated()->step();
            ++done[gw->simulated()->lastAction()];
        }
        // Each action shows the one real user exactly one line, whatever it was.
        QVERIFY(me.waitFor([&] { return me.lines.size() - from >= Steps; }));
        QTest::qWait(50);
        QCOMPARE(int(me.lines.size() - from), Steps);
        const QList<QByteArray> seen = me.since(from);
        auto count = [&](const char *prefix) {
            return int(std::count_if(seen.begin(), seen.end(), [&](const QByteArray &l) { return l.startsWith(prefix); }));
        };
        QCOMPARE(count("1005 TALK "), done.value("talk"));
        QCOMPARE(count("1023 EMOTE "), done.value("emote"));
        QCOMPARE(count("1004 WHISPER "), done.value("whisper"));
        QCOMPARE(count("1003 LEAVE "), done.value("leave"));
        QCOMPARE(count("1002 JOIN "), done.value("return"));
        for (const char *kind : {"talk", "emote", "whisper", "leave", "return"})
            QVERIFY2(done.value(kind) > 0, kind);
    }

    void sameSeedSameDemo()
    {
        auto run = [](quint32 seed) {
            auto gw = startGateway(simOptions(5, Never, seed));
            RawClient me(gw->port());
            me.logIn("Me");
            QStringList actions;
            for (int i = 0; i < 100; ++i) {
                gw->simulated()->step();
                actions << gw->simulated()->lastAction();
            }
            return actions;
        };
        const QStringList first = run(7);
        QCOMPARE(run(7), first);
        QVERIFY(run(8) != first);
    }

    void paceAndWhisperAnswers()
    {
        auto gw = startGateway(simOptions(1, 1000));
        const int delay = gw->simulated()->nextDelayMs();
        QVERIFY2(delay >= 500 && delay <= 1500, qPrintable(QString::number(delay)));
        gw->simulated()->pause();
        RawClient me(gw->port());
        QVERIFY(me.logIn("Me"));
        // However often it is whispered, it answers once, then again only when whispered again.
        for (int i = 0; i < 5; ++i)
            me.say("/w Ardent hello " + QByteArray::number(i));
        QVERIFY(me.waitFor([&] { return me.countPrefix("1004 WHISPER Ardent 0012 ") == 1; }));
        QTest::qWait(700);
        QCOMPARE(me.countPrefix("1004 WHISPER Ardent"), 1);
        me.say("/w ardent again");
        QVERIFY(me.waitFor([&] { return me.countPrefix("1004 WHISPER Ardent") == 2; }));
    }
};

QC_TEST(GatewaySimTest)
#include "SimUsersTest.moc"
