// The flood quota and the handling of long lines.
#include "RawClient.h"
#include "TestMain.h"

namespace {
const QByteArray Exceeded = "1019 ERROR \"Your message quota has been exceeded!\"";
}

class GatewayQuotaTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<gw::Server> gw;
    std::unique_ptr<RawClient> alice, bob;

    void startWith(const gw::Options &o)
    {
        gw = startGateway(o);
        alice = std::make_unique<RawClient>(gw->port());
        bob = std::make_unique<RawClient>(gw->port());
        QVERIFY(alice->logIn("Alice"));
        QVERIFY(bob->logIn("Bob"));
        QVERIFY(alice->waitLine("1002 JOIN Bob 0010 [CHAT]"));
    }

private slots:
    void cleanup()
    {
        alice.reset();
        bob.reset();
        gw.reset();
    }

    void refusesThenDisconnects()
    {
        gw::Options o;
        o.quotaLines = 3;
        o.quotaSeconds = 60;
        o.quotaDisconnect = 5;
        startWith(o);
        QSignalSpy received(gw.get(), &gw::Server::lineReceived);
        alice->send("one\rtwo\rthree\r/w bob four\rfive\rsix\r");
        QVERIFY(alice->waitClosed());
        QVERIFY(bob->waitLine("1003 LEAVE Alice 0012"));
        QCOMPARE(bob->countPrefix("1005 TALK Alice"), 2);
        QVERIFY(bob->has("1005 TALK Alice 0012 \"two\""));
        QCOMPARE(bob->countPrefix("1004 WHISPER"), 0);
        QCOMPARE(alice->count(Exceeded), 2);
        QCOMPARE(received.size(), 5); // nothing is read after the closing line
    }

    void windowSlidesAndCanBeChanged()
    {
        startWith({});
        for (int i = 0; i < 30; ++i)
            alice->say("line " + QByteArray::number(i));
        QVERIFY(bob->waitLine("1005 TALK Alice 0012 \"line 29\""));
        QCOMPARE(alice->count(Exceeded), 0);

        gw->setQuota(2, 1, 0);
        alice->say("a");
        alice->say("b");
        QVERIFY(alice->waitLine(Exceeded));
        QTest::qWait(1100); // let the one-second window pass
        alice->say("c");
        QVERIFY(bob->waitLine("1005 TALK Alice 0012 \"c\""));
        QVERIFY(bob->has("1005 TALK Alice 0012 \"a\""));
        QVERIFY(!bob->has("1005 TALK Alice 0012 \"b\""));
    }

    void longLinesPassWhole()
    {
        startWith({});
        const QByteArray text(300, 'x');
        alice->say(text);
        QVERIFY(bob->waitLine("1005 TALK Alice 0012 \"" + text + "\""));
    }

    void longLinesCut()
    {
        gw::Options o;
        o.cutLongLines = true;
        startWith(o);
        alice->say(QByteArray(300, 'x'));
        alice->say("short");
        QVERIFY(bob->waitLine("1005 TALK Alice 0012 \"short\""));
        QVERIFY(bob->has("1005 TALK Alice 0012 \"" + QByteArray(255, 'x') + "\""));
        // Even an endless line costs no memory: only its first 255 bytes are kept.
        for (int i = 0; i < 20; ++i)
            alice->send(QByteArray(8192, 'y'));
        alice->say("");
        QVERIFY(bob->waitLine("1005 TALK Alice 0012 \"" + QByteArray(255, 'y') + "\""));
        QCOMPARE(alice->socket.state(), QAbstractSocket::ConnectedState);
    }

    void unterminatedFloodIsDropped()
    {
        startWith({});
        QSignalSpy gone(gw.get(), &gw::Server::clientGone);
        alice->send("partial ");
        alice->send(QByteArray(70 * 1024, 'z'));
        QVERIFY(alice->waitClosed());
        QVERIFY(bob->waitLine("1003 LEAVE Alice 0012"));
        QCOMPARE(gone.size(), 1);
        QCOMPARE(gw->clients().size(), 1);
    }
};

QC_TEST(GatewayQuotaTest)
#include "QuotaTest.moc"
