#include "TestMain.h"

#include "net/ServerAddress.h"

class ServerAddressTest : public QObject
{
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port"); // 0: refused
        QTest::newRow("plain name keeps the default") << "useast.battle.net" << "useast.battle.net" << 6112;
        QTest::newRow("plain address") << "127.0.0.1" << "127.0.0.1" << 6112;
        QTest::newRow("name and port") << "chat.example.org:6113" << "chat.example.org" << 6113;
        QTest::newRow("surrounding spaces") << " 10.0.0.5:1 " << "10.0.0.5" << 1;
        QTest::newRow("highest port") << "h:65535" << "h" << 65535;
        QTest::newRow("leading zeros") << "h:06112" << "h" << 6112;
        QTest::newRow("port zero") << "h:0" << "h" << 0;
        QTest::newRow("past the range") << "h:65536" << "h" << 0;
        QTest::newRow("overflowing") << "h:4294973408" << "h" << 0; // 2^32 + 6112
        QTest::newRow("empty port") << "h:" << "h" << 0;
        QTest::newRow("letters") << "h:61l2" << "h" << 0;
        QTest::newRow("sign") << "h:+6112" << "h" << 0;
        QTest::newRow("space inside") << "h: 6112" << "h" << 0;
        QTest::newRow("second colon") << "h:6112:1" << "h" << 0;
        QTest::newRow("no host") << ":6112" << "" << 0;
        QTest::newRow("empty") << "" << "" << 0;
    }
    void parse()
    {
        QFETCH(QString, entry);
        QFETCH(QString, host);
        QFETCH(int, port);
        const tServerAddress a = ParseServerAddress(entry, 6112);
        QCOMPARE(a.Host, host);
        QCOMPARE(a.Valid(), port != 0);
        if (port != 0)
            QCOMPARE(int(a.Port), port);
        else
            QVERIFY2(a.Error.contains(entry), qPrintable(a.Error));
    }
};

QC_TEST(ServerAddressTest)
#include "ServerAddressTest.moc"
