// Bad clients and many clients: the server stays up and everyone sees a consistent channel.
#include "RawClient.h"
#include "TestMain.h"

#include <QRandomGenerator>
#include <QSet>

namespace {
// The second word of a server line: the user of 1001/1002/1003 lines.
QByteArray userOf(const QByteArray &line) { return line.split(' ').value(2); }
} // namespace

class GatewayRobustnessTest : public QObject
{
    Q_OBJECT
private slots:
    void garbageAfterLogin()
    {
        auto gw = startGateway();
        RawClient bad(gw->port()), good(gw->port());
        QVERIFY(bad.logIn("Bad"));
        QVERIFY(good.logIn("Good"));
        QRandomGenerator rng(42);
        QByteArray junk;
        for (int i = 0; i < 20000; ++i)
            junk.append(char(rng.bounded(256)));
        // Commands with missing, odd or huge arguments as well as random bytes.
        junk += "\r/\r/w\r/w \r/kick\r/ban \"\r/join \r/join \x01\xff\r/who \r/stats \xff \xff\r/me\r/designate\r"
                "/squelch Bad\r/unban\r/whois " + QByteArray(5000, 'q') + "\r\x03\x04\r";
        junk += QByteArray("\0\0\0\r/join Chat\r", 15);
        bad.send(junk);
        bad.say("/whoami");
        QVERIFY(bad.waitFor([&] { return bad.indexOf("1018 INFO \"You are Bad,") >= 0; }, 10000));
        good.say("still here");
        QVERIFY(bad.waitFor([&] { return bad.has("1005 TALK Good 0010 \"still here\""); }));
        QCOMPARE(gw->clients().size(), 2);
    }

    void vanishingClientsAreFreed()
    {
        auto gw = startGateway();
        QSignalSpy gone(gw.get(), &gw::Server::clientGone);
        RawClient watcher(gw->port());
        QVERIFY(watcher.logIn("Watcher"));
        {
            RawClient midLine(gw->port()), midLogin(gw->port()), silent(gw->port());
            QVERIFY(midLine.logIn("Mid"));
            midLine.send("half a li");
            midLogin.send("\x03\x04Half");
            QVERIFY(silent.socket.waitForConnected(5000));
            QTRY_COMPARE(gw->clients().size(), 4);
            midLine.socket.abort();
            midLogin.socket.abort();
            silent.socket.abort();
        }
        QVERIFY(watcher.waitLine("1003 LEAVE Mid 0010"));
        QTRY_COMPARE(gone.size(), 3);
        QCOMPARE(gw->clients(), QList<int>{gw->clientByName("Watcher")});
        QCOMPARE(gw->channelMembers("Chat"), QStringList{"Watcher"});
        QCOMPARE(watcher.countPrefix("1005"), 0); // the half line was never said
    }

    void clientThatNeverReadsIsDropped()
    {
        auto gw = startGateway();
        QSignalSpy gone(gw.get(), &gw::Server::clientGone);
        RawClient sleepy(gw->port()), reader(gw->port());
        QVERIFY(sleepy.logIn("Sleepy"));
        QVERIFY(reader.logIn("Reader"));
        const int sleepyId = gw->clientByName("Sleepy");
        const int readerId = gw->clientByName("Reader");
        // Sleepy stops reading: nothing takes the bytes out of its socket any more.
        QObject::disconnect(&sleepy.socket, &QTcpSocket::readyRead, nullptr, nullptr);
        sleepy.socket.setReadBufferSize(1);
        const QByteArray chunk = QByteArray(64 * 1024 - 2, 'x') + "\r\n";
        int sent = 0;
        for (; sent < 400 && gone.isEmpty(); ++sent) {
            gw->inject(sleepyId, chunk);
            gw->inject(readerId, chunk);
            QCoreApplication::processEvents();
        }
        QTRY_COMPARE(gone.size(), 1);
        QCOMPARE(gone[0][0].toInt(), sleepyId);
        QVERIFY(reader.waitFor([&] { return reader.count(chunk.left(chunk.size() - 2)) == sent; }, 20000));
        QCOMPARE(gw->clients(), QList<int>{readerId});
    }

    void twoHundredClientsInOneChannel()
    {
        constexpr int N = 200;
        constexpr int Leaving = 100;
        gw::Options o;
        o.firstChannel = "Crowd";
        auto gw = startGateway(o);
        std::vector<std::unique_ptr<RawClient>> cs;
        for (int i = 0; i < N; ++i) {
            cs.push_back(std::make_unique<RawClient>(gw->port()));
            cs.back()->sendLogin("U" + QByteArray::number(i));
        }
        QTRY_COMPARE_WITH_TIMEOUT(gw->channelMembers("Crowd").size(), N, 20000);

        // Everyone hears of everyone else exactly once, as present (1001) or as joining (1002).
        auto seen = [](const RawClient &c, const QByteArray &code) {
            QList<QByteArray> names;
            const int from = c.indexOf("1007 CHANNEL \"Crowd\"");
            for (const QByteArray &l : c.since(from + 1))
                if (l.startsWith(code))
                    names.append(userOf(l));
            return names;
        };
        QVERIFY(QTest::qWaitFor([&] {
            for (auto &c : cs)
                if (seen(*c, "1001 ").size() + seen(*c, "1002 ").size() < N)
                    return false;
            return true;
        }, 20000));
        for (int i = 0; i < N; ++i) {
            const QList<QByteArray> names = seen(*cs[i], "1001 ") + seen(*cs[i], "1002 ");
            QCOMPARE(names.size(), N);
            QCOMPARE(QSet<QByteArray>(names.begin(), names.end()).size(), N);
            QCOMPARE(seen(*cs[i], "1001 ").value(0), "U" + QByteArray::number(i));
        }

        for (int i = N - Leaving; i < N; ++i)
            cs[i]->socket.disconnectFromHost();
        QTRY_COMPARE_WITH_TIMEOUT(gw->channelMembers("Crowd").size(), N - Leaving, 20000);
        QVERIFY(QTest::qWaitFor([&] {
            for (int i = 0; i < N - Leaving; ++i)
                if (seen(*cs[i], "1003 ").size() < Leaving)
                    return false;
            return true;
        }, 20000));
        for (int i = 0; i < N - Leaving; ++i) {
            const QList<QByteArray> left = seen(*cs[i], "1003 ");
            QCOMPARE(left.size(), Leaving);
            QSet<QByteArray> expected;
            for (int j = N - Leaving; j < N; ++j)
                expected.insert("U" + QByteArray::number(j));
            QCOMPARE(QSet<QByteArray>(left.begin(), left.end()), expected);
        }
        QCOMPARE(gw->clients().size(), N - Leaving);
    }
};

QC_TEST(GatewayRobustnessTest)
#include "RobustnessTest.moc"
