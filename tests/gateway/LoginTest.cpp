// Logging on, in both dialects, byte for byte.
#include "RawClient.h"
#include "TestMain.h"

#include <QTemporaryFile>

using gw::Dialect;

class GatewayLoginTest : public QObject
{
    Q_OBJECT
private slots:
    void classicWelcomeBytes()
    {
        auto gw = startGateway();
        RawClient c(gw->port());
        QVERIFY(c.logIn("Alice"));
        QCOMPARE(c.raw, QByteArray("Username: Password: \r\n"
                                   "2010 NAME Alice\r\n"
                                   "1018 INFO \"Welcome to Battle.net!\"\r\n"
                                   "1007 CHANNEL \"Chat\"\r\n"
                                   "1001 USER Alice 0012 [CHAT]\r\n"));
        QCOMPARE(gw->received(gw->clients().value(0)), QByteArray("\x03\x04" "Alice\rpw\r\r"));
    }

    void currentWelcomeBytes()
    {
        gw::Options o;
        o.dialect = Dialect::Current;
        o.realm = "Test Realm";
        o.motd = {"First rule: be nice."};
        o.firstChannel = "Lobby";
        auto gw = startGateway(o);
        RawClient c(gw->port());
        QVERIFY(c.logIn("Alice"));
        QCOMPARE(c.raw, QByteArray("Username: Password: \r\n"
                                   "2010 NAME Alice\r\n"
                                   "1019 ERROR \"Hello Alice, welcome to Test Realm!\"\r\n"
                                   "1018 INFO \"First rule: be nice.\"\r\n"
                                   "1007 CHANNEL \"Lobby\"\r\n"
                                   "1001 USER Alice 0012 [CHAT]\r\n"));
    }

    void refusedLoginsPromptAgain_data()
    {
        QTest::addColumn<int>("dialect");
        QTest::addColumn<QByteArray>("refusal");
        QTest::newRow("classic") << int(Dialect::Classic) << QByteArray("Login incorrect.\r\n");
        QTest::newRow("current") << int(Dialect::Current) << QByteArray("Login failed.\r\n");
    }
    void refusedLoginsPromptAgain()
    {
        QFETCH(int, dialect);
        QFETCH(QByteArray, refusal);
        gw::Options o;
        o.dialect = Dialect(dialect);
        o.createAccounts = false;
        auto gw = startGateway(o);
        gw->addAccount("Bob", "secret");

        RawClient c(gw->port());
        c.sendLogin("Bob", "wrong");
        const QByteArray afterWrong = "Username: Password: \r\n" + refusal + "Username: ";
        QVERIFY(c.waitFor([&] { return c.raw == afterWrong; }));
        // Unknown account, same answer, same connection.
        c.send("Nobody\rsecret\r");
        QVERIFY(c.waitFor([&] { return c.raw == afterWrong + "Password: \r\n" + refusal + "Username: "; }));
        // The third refusal closes the connection.
        c.send("Bob\rbad\r");
        QVERIFY(c.waitClosed());
        QVERIFY(c.raw.endsWith(refusal));

        RawClient d(gw->port());
        d.sendLogin("Bob", "wrong");
        QVERIFY(d.waitFor([&] { return d.raw.endsWith(refusal + "Username: "); }));
        d.send("Bob\rsecret\r");
        QVERIFY(d.waitLine("2010 NAME Bob"));
    }

    void secondLoginOfAName()
    {
        auto gw = startGateway();
        RawClient a(gw->port()), b(gw->port());
        QVERIFY(a.logIn("Alice"));
        QVERIFY(b.logIn("alice"));
        QVERIFY(b.has("2010 NAME alice#2"));
        QVERIFY(b.has("1001 USER alice#2 0010 [CHAT]"));
        QVERIFY(a.waitLine("1002 JOIN alice#2 0010 [CHAT]"));
        QCOMPARE(gw->clientByName("ALICE#2"), gw->clients().value(1));

        gw->setDialect(Dialect::Current);
        RawClient c(gw->port());
        c.sendLogin("ALICE");
        QVERIFY(c.waitFor([&] { return c.raw.endsWith("Login failed.\r\nUsername: "); }));
    }

    void namesShownAsTypedByteForByte()
    {
        auto gw = startGateway();
        gw->addAccount("Alice", "pw");
        RawClient a(gw->port()), b(gw->port());
        QVERIFY(a.logIn("aLiCe"));
        QVERIFY(a.has("2010 NAME aLiCe"));
        QVERIFY(b.logIn("J\xF6rg\xFF", "p\xE9"));
        QVERIFY(b.has("2010 NAME J\xF6rg\xFF"));
        QVERIFY(a.waitLine("1002 JOIN J\xF6rg\xFF 0010 [CHAT]"));
        QCOMPARE(gw->clientName(gw->clientByName(QString::fromLatin1("j\xF6RG\xFF"))), QString::fromLatin1("J\xF6rg\xFF"));
    }

    void badNamesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("blank") << QByteArray("Al ice");
        QTest::newRow("quote") << QByteArray("Al\"ice");
        QTest::newRow("hash") << QByteArray("Al#2");
        QTest::newRow("control") << QByteArray("Al\x01");
        QTest::newRow("too long") << QByteArray("Abcdefghijklmnop");
    }
    void badNamesAreRefused()
    {
        QFETCH(QByteArray, name);
        auto gw = startGateway();
        RawClient c(gw->port());
        c.sendLogin(name);
        QVERIFY(c.waitFor([&] { return c.raw.endsWith("Login incorrect.\r\nUsername: "); }));
        QVERIFY(!c.has("2010 NAME " + name));
    }

    void lineEndsAndPacing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("oneByOne");
        QTest::newRow("CR") << QByteArray("\x03\x04" "Alice\rpw\r/a\r/b\r") << false;
        QTest::newRow("CR LF") << QByteArray("\x03\x04" "Alice\r\npw\r\n/a\r\n/b\r\n") << false;
        QTest::newRow("LF, no 04") << QByteArray("\x03" "Alice\npw\n/a\n/b\n") << false;
        QTest::newRow("one byte at a time") << QByteArray("\x03\x04" "Alice\r\npw\r\r/a\r\n/b\r") << true;
    }
    void lineEndsAndPacing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, oneByOne);
        auto gw = startGateway();
        QSignalSpy lines(gw.get(), &gw::Server::lineReceived);
        RawClient c(gw->port());
        QVERIFY(c.socket.waitForConnected(5000));
        QTRY_COMPARE(gw->clients().size(), 1);
        const int id = gw->clients().value(0);
        if (oneByOne) {
            for (int i = 0; i < bytes.size(); ++i) {
                c.send(bytes.mid(i, 1));
                // Each byte reaches the server in a read of its own.
                QTRY_COMPARE(gw->received(id).size(), i + 1);
            }
        } else {
            c.send(bytes);
        }
        QVERIFY(c.waitLine("2010 NAME Alice"));
        QVERIFY(c.waitFor([&] { return c.countPrefix("1019 ERROR \"Unknown command.\"") == 2; }));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0][1].toByteArray(), QByteArray("/a"));
        QCOMPARE(lines[1][1].toByteArray(), QByteArray("/b"));
        QCOMPARE(gw->received(id), bytes);
    }

    void notAChatClientIsDropped()
    {
        auto gw = startGateway();
        QSignalSpy gone(gw.get(), &gw::Server::clientGone);
        RawClient c(gw->port());
        c.send("GET / HTTP/1.0\r\n\r\n");
        QVERIFY(c.waitClosed());
        QTRY_COMPARE(gone.size(), 1);
        QVERIFY(gw->clients().isEmpty());
        QCOMPARE(gw->received(gone[0][0].toInt()), QByteArray("GET / HTTP/1.0\r\n\r\n"));
    }

    void accountsFromFile()
    {
        QTemporaryFile file;
        QVERIFY(file.open());
        file.write("# test accounts\nCarol  two words\n\n;Dave x\nEve\tpw\n");
        file.close();
        gw::Options o;
        o.accountsFile = file.fileName();
        o.createAccounts = false;
        o.showAccountNumbers = true;
        auto gw = startGateway(o);
        QVERIFY(gw->isListening());

        RawClient c(gw->port());
        QVERIFY(c.logIn("carol", "two words"));
        const auto whois = c.ask("/whois eve", "1019 ERROR");
        QVERIFY(whois.contains("1019 ERROR \"That user is not logged on.\""));
        RawClient e(gw->port());
        QVERIFY(e.logIn("Eve"));
        const auto info = c.ask("/whois eve", "1018 INFO \"Eve is logged on from account #");
        QVERIFY(info.contains("1018 INFO \"Eve is logged on from account #1002.\""));
        RawClient d(gw->port());
        d.sendLogin("Dave", "x");
        QVERIFY(d.waitFor([&] { return d.raw.contains("Login incorrect."); }));

        gw::Options missing;
        missing.accountsFile = file.fileName() + ".does-not-exist";
        gw::Server bad(missing);
        QVERIFY(!bad.start());
        QVERIFY(bad.errorString().contains("accounts"));
    }
};

QC_TEST(GatewayLoginTest)
#include "LoginTest.moc"
