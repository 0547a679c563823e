// The control interface the client's integration tests drive.
#include "RawClient.h"
#include "TestMain.h"

class GatewayControlTest : public QObject
{
    Q_OBJECT
private slots:
    void startStopAndPorts()
    {
        gw::Server a;
        QVERIFY(a.start());
        QVERIFY(a.port() != 0);
        QCOMPARE(a.address(), QHostAddress(QHostAddress::LocalHost));
        gw::Options taken;
        taken.port = a.port();
        gw::Server b(taken);
        QVERIFY(!b.start());
        QVERIFY(!b.errorString().isEmpty());

        RawClient c(a.port());
        QVERIFY(c.logIn("Alice"));
        a.stop();
        QVERIFY(c.waitClosed());
        QVERIFY(!a.isListening());
        QCOMPARE(a.port(), quint16(0));
        QVERIFY(a.clients().isEmpty());
        // It can listen again, and a fresh login is a fresh login.
        QVERIFY(a.start());
        RawClient d(a.port());
        QVERIFY(d.logIn("Alice"));
        QVERIFY(d.has("2010 NAME Alice"));
    }

    void signalsAndLookups()
    {
        auto gw = startGateway();
        QSignalSpy connected(gw.get(), &gw::Server::clientConnected);
        QSignalSpy loggedOn(gw.get(), &gw::Server::clientLoggedOn);
        QSignalSpy lines(gw.get(), &gw::Server::lineReceived);
        RawClient c(gw->port());
        QVERIFY(c.logIn("Alice"));
        QCOMPARE(connected.size(), 1);
        const int id = connected[0][0].toInt();
        QCOMPARE(loggedOn.size(), 1);
        QCOMPARE(loggedOn[0][0].toInt(), id);
        QCOMPARE(loggedOn[0][1].toString(), QString("Alice"));
        QCOMPARE(lines.size(), 0); // login lines are not chat lines
        c.say("/join Somewhere");
        QTRY_COMPARE(lines.size(), 1);
        QCOMPARE(lines[0][1].toByteArray(), QByteArray("/join Somewhere"));
        QCOMPARE(gw->clientByName("alice"), id);
        QCOMPARE(gw->clientByName("nobody"), -1);
        QCOMPARE(gw->clientName(id), QString("Alice"));
        QTRY_COMPARE(gw->channelOf(id), QString("Somewhere"));
    }

    void dropBroadcastInject()
    {
        auto gw = startGateway();
        QSignalSpy gone(gw.get(), &gw::Server::clientGone);
        RawClient a(gw->port()), b(gw->port()), c(gw->port());
        QVERIFY(a.logIn("A"));
        QVERIFY(b.logIn("B"));
        QVERIFY(c.logIn("C"));
        gw->broadcast("Server going down \"soon\"");
        for (RawClient *x : {&a, &b, &c})
            QVERIFY(x->waitLine("1006 BROADCAST \"Server going down \"soon\"\""));

        const int from = b.raw.size();
        gw->inject(gw->clientByName("B"), "1005 TALK Ghost 0010 \"boo\"\r\nno line end");
        QVERIFY(b.waitFor([&] { return b.raw.endsWith("no line end"); }));
        QCOMPARE(b.raw.mid(from), QByteArray("1005 TALK Ghost 0010 \"boo\"\r\nno line end"));

        const int bId = gw->clientByName("B");
        gw->drop(bId);
        QVERIFY(b.waitClosed());
        QVERIFY(a.waitLine("1003 LEAVE B 0010"));
        QCOMPARE(gone.size(), 1);
        QCOMPARE(gone[0][0].toInt(), bId);
        QCOMPARE(gw->received(bId), QByteArray("\x03\x04" "B\rpw\r\r"));
        gw->dropAll();
        QVERIFY(a.waitClosed());
        QVERIFY(c.waitClosed());
        QVERIFY(gw->clients().isEmpty());
        QVERIFY(gw->isListening());
    }

    void silentServerRecordsButNeverAnswers()
    {
        gw::Options o;
        o.silent = true;
        auto gw = startGateway(o);
        RawClient c(gw->port());
        c.sendLogin("Alice");
        QTRY_COMPARE(gw->clients().size(), 1);
        const int id = gw->clients().value(0);
        QTRY_COMPARE(gw->received(id), QByteArray("\x03\x04" "Alice\rpw\r\r"));
        c.say("hello?");
        QTRY_VERIFY(gw->received(id).endsWith("hello?\r"));
        QTest::qWait(100); // an answer would be on its way by now
        QVERIFY(c.raw.isEmpty());
        QCOMPARE(gw->clientName(id), QString());
        // Injected lines still go out; once it speaks again new connections get answers.
        gw->inject(id, "ping");
        QVERIFY(c.waitFor([&] { return c.raw == "ping"; }));
        gw->setSilent(false);
        RawClient d(gw->port());
        QVERIFY(d.logIn("Bob"));
    }

    void dialectSwitchesForTheNextLogin()
    {
        auto gw = startGateway();
        RawClient a(gw->port());
        QVERIFY(a.logIn("A"));
        QVERIFY(a.has("1018 INFO \"Welcome to Battle.net!\""));
        gw->setDialect(gw::Dialect::Current);
        RawClient b(gw->port());
        QVERIFY(b.logIn("B"));
        QVERIFY(b.has("1019 ERROR \"Hello B, welcome to Battle.net!\""));
    }

    void slotsMayDropFromInsideSignals()
    {
        auto gw = startGateway();
        gw::Server *s = gw.get();
        // A test that drops a client the moment it speaks must not pull the rug from the server.
        connect(s, &gw::Server::lineReceived, s, [s](int id, const QByteArray &line) {
            if (line == "bye")
                s->drop(id);
        });
        connect(s, &gw::Server::clientLoggedOn, s, [s](int id, const QString &name) {
            if (name == "Doomed")
                s->drop(id);
        });
        RawClient a(gw->port()), b(gw->port()), c(gw->port());
        QVERIFY(a.logIn("A"));
        QVERIFY(b.logIn("B"));
        b.send("bye\rafter bye\r");
        QVERIFY(b.waitClosed());
        QVERIFY(a.waitLine("1003 LEAVE B 0010"));
        c.sendLogin("Doomed");
        QVERIFY(c.waitClosed());
        QVERIFY(a.waitLine("1003 LEAVE Doomed 0010"));
        QCOMPARE(a.countPrefix("1005"), 0);
        QCOMPARE(gw->clients().size(), 1);
    }
};

QC_TEST(GatewayControlTest)
#include "ControlTest.moc"
