#include "TestMain.h"

#include "net/Ansi.h"

#include "Loopback.h"
#include "net/ChatInterface.h"

namespace {
// Binds every event of the connection to a log entry; received lines are logged as "data:<text>".
void record(TChatInterface &ci, QStringList &log)
{
    const auto entry = [&log](const char *name) { return [&log, name] { log << QLatin1String(name); }; };
    ci.OnConnect = entry("connect");
    ci.OnDisconnect = entry("disconnect");
    ci.OnSendError = entry("senderror");
    ci.OnLogin = entry("login");
    ci.OnSocketError = entry("socketerror");
    ci.OnConnectClosed = entry("closed");
    ci.OnConnectFailed = entry("failed");
    ci.OnDataReceived = [&log](const QString &s) { log << QStringLiteral("data:") + s; };
}

QStringList dataOnly(const QStringList &log)
{
    QStringList out;
    for (const QString &s : log)
        if (s.startsWith(QLatin1String("data:")))
            out << s.mid(5);
    return out;
}
} // namespace

class ChatInterfaceTest : public QObject
{
    Q_OBJECT
private slots:
    void framingOverTheSocket()
    {
        LoopbackServer gw;
        TChatInterface ci;
        QStringList log;
        record(ci, log);
        QVERIFY(gw.connectClient(ci));

        gw.send("1005 TALK Ann 0010 \"hello\"\r\n");
        QTRY_COMPARE(dataOnly(log), QStringList{"1005 TALK Ann 0010 \"hello\""});

        // Two lines in one read, lines of only CR or only LF, then a line split across reads.
        log.clear();
        gw.send("1018 INFO \"a\"\r\n1019 ERROR \"b\"\r\n\r\r\n\n\r1005 TALK Bo");
        QTRY_COMPARE(dataOnly(log), (QStringList{"1018 INFO \"a\"", "1019 ERROR \"b\""}));
        QTest::qWait(50);
        gw.send("b 0010 \"x\"\r\n");
        QTRY_COMPARE(dataOnly(log).size(), 3);
        QCOMPARE(dataOnly(log).last(), QStringLiteral("1005 TALK Bob 0010 \"x\""));

        // Every byte value but the line ends arrives as the same character.
        log.clear();
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            if (b != '\r' && b != '\n')
                all.append(char(b));
        gw.send(all + "\r");
        QTRY_COMPARE(dataOnly(log).size(), 1);
        QCOMPARE(ansi::toBytes(dataOnly(log)[0]), all);

        // A peer that never ends its line gets it cut at the bound; the rest of it is dropped.
        log.clear();
        gw.send(QByteArray(100000, 'a') + "\r\n1018 INFO \"after\"\r\n");
        QTRY_COMPARE(dataOnly(log).size(), 2);
        QCOMPARE(dataOnly(log)[0], QString(LineFramer::MaxLineLength, QLatin1Char('a')));
        QCOMPARE(dataOnly(log)[1], QStringLiteral("1018 INFO \"after\""));

        // Without stripping the line ends stay in the text.
        log.clear();
        ci.NoReturn = false;
        ci.NoLineFeed = false;
        gw.send("x\r\n");
        QTRY_COMPARE(dataOnly(log), QStringList{"\nx\r"}); // the LF of the line before starts this one
        QVERIFY(!log.contains(QLatin1String("closed")));
    }

    void refusedConnectRaisesConnectFailed()
    {
        TChatInterface ci;
        QStringList log;
        record(ci, log);
        ci.Address = QStringLiteral("127.0.0.1");
        ci.Port = closedLoopbackPort();
        QVERIFY(ci.Connect());
        QVERIFY(ci.Connecting);
        QTRY_COMPARE(log, QStringList{"failed"});
        QVERIFY(!ci.Connecting);
        QVERIFY(!ci.Connected());
        QVERIFY(!ci.socket());
        // A failure the system reports at once still arrives after Connect has returned.
        log.clear();
        ci.Address = QStringLiteral("255.255.255.255");
        QVERIFY(ci.Connect());
        QCOMPARE(log, QStringList{});
        QVERIFY(ci.Connecting);
        QTRY_COMPARE(log, QStringList{"failed"});
        QVERIFY(!ci.Connecting);
        // The session moves straight on to the next attempt.
        LoopbackServer gw;
        QVERIFY(gw.connectClient(ci));
        QCOMPARE(log, (QStringList{"failed", "connect"}));
    }

    void numericAddressSkipsTheLookup()
    {
        LoopbackServer gw;
        TChatInterface ci;
        QStringList log;
        record(ci, log);
        ci.Port = gw.port();
        ci.Address = QStringLiteral("127.0.0.1");
        QVERIFY(ci.Connect());
        QCOMPARE(ci.socket()->state(), QAbstractSocket::ConnectingState);
        // A second Connect while one is under way changes nothing.
        QTcpSocket *first = ci.socket();
        ci.Address = QStringLiteral("localhost");
        QVERIFY(!ci.Connect());
        QCOMPARE(ci.socket(), first);
        QTRY_VERIFY(ci.Connected());
        QVERIFY(!ci.Connecting);
        ci.Disconnect();
        QCOMPARE(log, (QStringList{"connect", "disconnect"}));

        // A name is looked up, and a dotted quad with a letter after it counts as a name.
        log.clear();
        QVERIFY(ci.Connect());
        QCOMPARE(ci.socket()->state(), QAbstractSocket::HostLookupState);
        QTRY_VERIFY(ci.Connected());
        ci.Disconnect();
        log.clear();
        ci.Address = QStringLiteral("1.2.3.4x");
        QVERIFY(ci.Connect());
        QCOMPARE(ci.socket()->state(), QAbstractSocket::HostLookupState);
    }

    void failedLookupWaitsForTheOwner()
    {
        TChatInterface ci;
        QStringList log;
        record(ci, log);
        ci.Port = 6112;
        // A name that cannot exist, and digits and points that do not form an address.
        for (const char *address : {"bad..name", "999.1.1.1"}) {
            ci.Address = QLatin1String(address);
            QVERIFY(ci.Connect());
            QTRY_VERIFY(!ci.socket());
            QTest::qWait(20);
            QVERIFY(ci.Connecting);
            QVERIFY(!ci.Connect());
            // What the owner's time-out does: clear the flag, then disconnect.
            ci.Connecting = false;
            ci.Disconnect();
            QCOMPARE(log, QStringList{});
        }
    }

    void cancelAndDisconnectWithoutSocketRaiseNothing()
    {
        TChatInterface ci;
        QStringList log;
        record(ci, log);
        ci.Disconnect();
        ci.CancelConnect();
        QVERIFY(!ci.SendText(QStringLiteral("hi\r")));
        QVERIFY(ci.SendLoginScript());

        LoopbackServer gw;
        ci.Address = QStringLiteral("127.0.0.1");
        ci.Port = gw.port();
        QVERIFY(ci.Connect());
        ci.CancelConnect();
        QVERIFY(!ci.Connecting);
        QVERIFY(!ci.socket());
        QTest::qWait(50);
        QCOMPARE(log, QStringList{});
    }

    void sendLimitsAndLoginScript()
    {
        LoopbackServer gw;
        TChatInterface ci;
        QStringList log;
        record(ci, log);
        QVERIFY(gw.connectClient(ci));
        log.clear();

        const QString longest(TChatInterface::MaxSendLength, QLatin1Char('x'));
        QVERIFY(!ci.SendText(longest + QLatin1Char('y')));
        QVERIFY(ci.SendText(longest));
        QVERIFY(ci.SendText(QString::fromLatin1("\xe9\xff\r")));
        const QByteArray expected = longest.toLatin1() + "\xe9\xff\r";
        QTRY_COMPARE(gw.received, expected);

        // An empty script sends nothing and still reports the login.
        QVERIFY(ci.SendLoginScript());
        QCOMPARE(log, QStringList{"login"});
        ci.LoginScript = QStringList{QStringLiteral("a"), QStringLiteral("b")};
        QVERIFY(ci.SendLoginScript());
        QTRY_COMPARE(gw.received, expected + "a\rb\r");
        // A line the connection refuses stops the script before the login is reported.
        ci.LoginScript = QStringList{longest, QStringLiteral("c")};
        QVERIFY(!ci.SendLoginScript());
        QCOMPARE(log, (QStringList{"login", "login"}));
    }

    void peerCloseThenDisconnect()
    {
        LoopbackServer gw;
        TChatInterface ci;
        QStringList log;
        record(ci, log);
        QVERIFY(gw.connectClient(ci));
        gw.send("1018 INFO \"last words\"\r\n");
        gw.peer->disconnectFromHost();
        QTRY_VERIFY(log.contains(QLatin1String("closed")));
        QCOMPARE(log, (QStringList{"connect", "data:1018 INFO \"last words\"", "closed"}));
        QVERIFY(ci.Connected());
        QVERIFY(ci.socket());
        QVERIFY(!ci.SendText(QStringLiteral("anyone?\r")));
        ci.Disconnect();
        ci.Disconnect();
        QCOMPARE(log, (QStringList{"connect", "data:1018 INFO \"last words\"", "closed", "senderror",
                                   "disconnect"}));
        QVERIFY(!ci.Connected());
    }

    void disconnectFromAHandlerStopsDelivery()
    {
        LoopbackServer gw;
        TChatInterface ci;
        QStringList log;
        record(ci, log);
        QVERIFY(gw.connectClient(ci));
        ci.OnDataReceived = [&](const QString &s) {
            log << s;
            ci.Disconnect();
        };
        gw.send("one\rtwo\rthree\r");
        QTRY_VERIFY(log.contains(QLatin1String("disconnect")));
        QTest::qWait(50);
        QCOMPARE(log, (QStringList{"connect", "one", "disconnect"}));
    }

    void modalHandlerKeepsLinesInOrder()
    {
        LoopbackServer gw;
        TChatInterface ci;
        QStringList log;
        record(ci, log);
        QVERIFY(gw.connectClient(ci));
        // The first line's handler runs a local loop (as a message box would) while more arrives.
        bool first = true;
        ci.OnDataReceived = [&](const QString &s) {
            log << s;
            if (std::exchange(first, false)) {
                gw.send("two\rthree\r");
                gw.peer->disconnectFromHost();
                QTest::qWait(100);
            }
        };
        gw.send("one\rzero\r");
        QTRY_VERIFY(log.contains(QLatin1String("closed")));
        QCOMPARE(log, (QStringList{"connect", "one", "zero", "two", "three", "closed"}));
    }

    void nextAttemptReleasesTheOldSocketQuietly()
    {
        LoopbackServer gw;
        TChatInterface ci;
        QStringList log;
        record(ci, log);
        QVERIFY(gw.connectClient(ci));
        const QPointer<QTcpSocket> old = gw.peer;
        QVERIFY(gw.connectClient(ci));
        QCOMPARE(log, (QStringList{"connect", "connect"}));
        QVERIFY(old != gw.peer);
        QTRY_COMPARE(old->state(), QAbstractSocket::UnconnectedState);
    }

    void destructionRaisesNoDisconnect()
    {
        LoopbackServer gw;
        QStringList log;
        {
            TChatInterface ci;
            record(ci, log);
            QVERIFY(gw.connectClient(ci));
        }
        QCOMPARE(log, QStringList{"connect"});
        QVERIFY(gw.peer);
        QTRY_COMPARE(gw.peer->state(), QAbstractSocket::UnconnectedState);
    }
};
QC_TEST(ChatInterfaceTest)
#include "ChatInterfaceTest.moc"
