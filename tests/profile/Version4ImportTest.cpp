#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "profile/Profile.h"
#include "profile/Version4Import.h"

class Version4ImportTest : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

    void write(const char *name, const QByteArray &text)
    {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(text) == text.size());
    }
    QString base() const { return dir.filePath(QStringLiteral("old")); }

private slots:
    void importTwiceMergesOnceAndAppendsTwice()
    {
        write("oldban.txt", "Keeper\r\nkeeper\r\n");
        write("olduserban.txt", "[clan]\n");
        write("oldchannel.txt", "op quorl\r\nTown Square");
        write("oldowner.txt", "Boss\r\n");
        write("olduserdef.txt", "Friend\r\n");
        write("oldphrase.txt", "hello\r\nbye\r\n");
        write("oldres1.txt", "hi <user>\r\nsee you\r\n");
        write("oldaccount.txt", "Name\r\n");
        write("oldnumber.txt", "1234\r\n");
        write("oldwhispres3.txt", "w3\r\n");
        write("olduserres2.txt", "u2\r\n");
        write("oldtimer.txt", "Welcome\r\n");
        write("oldinterval.txt", "60\r\n");
        tProfile p;
        p.ChannelList = QStringList{"town square"};
        ImportVersion4(p, base());
        ImportVersion4(p, base());
        QCOMPARE(p.NoBanList, QStringList{"Keeper"});
        QCOMPARE(p.BanList, QStringList{"[clan]"});
        QCOMPARE(p.ChannelList, QStringList({"town square", "op quorl"}));
        QCOMPARE(p.OwnerList, QStringList{"Boss"});
        QCOMPARE(p.UserDef, QStringList{"Friend"});
        QCOMPARE(p.PhraseList, QStringList({"hello", "bye", "hello", "bye"}));
        QCOMPARE(p.PhraseRes[0], QStringList({"hi <user>", "see you", "hi <user>", "see you"}));
        QCOMPARE(p.PhraseRes[1], QStringList(4, QString())); // in step with the phrases
        QCOMPARE(p.PhraseRes[2], QStringList(4, QString()));
        QCOMPARE(p.AccountList, QStringList({"Name", "Name"}));
        QCOMPARE(p.NumberList, QStringList({"1234", "1234"}));
        QVERIFY(p.WhiserRes[2].isEmpty() && p.UserRes[1].isEmpty()); // no whisper or greeting to pair with
        QCOMPARE(p.TimerList.size(), 2);
        QCOMPARE(p.IntervalList.size(), 2);
        QVERIFY(p.WhisperList.isEmpty() && p.UserJoinList.isEmpty());
        QVERIFY(p.Modified); // the imported entries are unsaved changes
    }

    void unreadableFilesAddNothing()
    {
        QVERIFY(QDir(dir.path()).mkdir("badban.txt")); // a folder by that name
        QVERIFY(QFile::link("/dev/zero", dir.filePath("badowner.txt")));
        write("badphrase.txt", "only this");
        tProfile p;
        ImportVersion4(p, dir.filePath("bad"));
        QVERIFY(p.NoBanList.isEmpty() && p.OwnerList.isEmpty());
        QCOMPARE(p.PhraseList, QStringList{"only this"});
        QStringList lines{"left over"};
        QVERIFY(!ReadListFile(dir.filePath("badowner.txt"), lines));
        QVERIFY(lines.isEmpty());
    }

    // An imported entry meets its own companions however far apart the live lists were; the
    // companion file's name is in upper case, found as on systems that ignore letter case.
    void companionsStayInStep_data()
    {
        for (const char *c : {"group", "liveKeys", "liveCompanions", "fileKeys", "fileCompanions", "companions"})
            QTest::addColumn<QString>(c); // fileKeys "-": no files
        QTest::newRow("answers behind the phrases") << "0" << "a|b" << "x" << "c" << "z" << "x||z";
        QTest::newRow("answers past the phrases") << "0" << "a" << "x|y" << "c" << "z" << "x|z";
        QTest::newRow("file with fewer answers") << "0" << "" << "" << "c|d" << "z" << "z|";
        QTest::newRow("file with more answers") << "0" << "a" << "x" << "c" << "z|w" << "x|z";
        QTest::newRow("whisper answers") << "1" << "w" << "" << "v" << "r" << "|r";
        QTest::newRow("greetings without a file") << "2" << "j1|j2" << "r" << "-" << "-" << "r|";
        QTest::newRow("intervals read before timers") << "3" << "t1|t2" << "60" << "t3" << "30" << "60||30";
        QTest::newRow("numbers") << "4" << "A" << "" << "B" << "2" << "|2";
    }
    void companionsStayInStep()
    {
        QFETCH(QString, group);
        QFETCH(QString, liveKeys);
        QFETCH(QString, liveCompanions);
        QFETCH(QString, fileKeys);
        QFETCH(QString, fileCompanions);
        QFETCH(QString, companions);
        tProfile p;
        struct Group { const char *keyFile, *companionFile; QStringList *keys, *companions; };
        const Group groups[] = {{"phrase.txt", "res1.txt", &p.PhraseList, &p.PhraseRes[0]},
                                {"whisper.txt", "whispres2.txt", &p.WhisperList, &p.WhiserRes[1]},
                                {"join.txt", "userres3.txt", &p.UserJoinList, &p.UserRes[2]},
                                {"timer.txt", "interval.txt", &p.TimerList, &p.IntervalList},
                                {"account.txt", "number.txt", &p.AccountList, &p.NumberList}};
        const Group &g = groups[group.toInt()];
        const auto list = [](const QString &s) { return s.isEmpty() || s == "-" ? QStringList() : s.split('|'); };
        *g.keys = list(liveKeys);
        *g.companions = list(liveCompanions);
        const QString tag = QString::fromLatin1(QTest::currentDataTag()).remove(' ');
        if (fileKeys != "-") {
            write(qPrintable(tag + g.keyFile), list(fileKeys).join("\r\n").toLatin1());
            write(qPrintable((tag + g.companionFile).toUpper()), list(fileCompanions).join("\r\n").toLatin1());
        }
        ImportVersion4(p, dir.filePath(tag));
        QCOMPARE(*g.keys, list(liveKeys) + list(fileKeys));
        QCOMPARE(*g.companions, list(companions));
    }

    // Update Server List takes only a file of well-formed addresses, trimmed, blank lines left out.
    void serverListFiles_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("servers"); // empty: refused
        QTest::newRow("trimmed") << QByteArray("  a.example  \r\n\r\n\tb.example:6112 \r\n") << QStringList{"a.example", "b.example:6112"};
        QTest::newRow("blank lines only") << QByteArray(" \r\n\r\n\t\n") << QStringList();
        QTest::newRow("port out of range") << QByteArray("a.example\r\nb.example:99999\r\n") << QStringList();
    }
    void serverListFiles()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, servers);
        write("list.slf", text);
        QStringList read{"left over"};
        QCOMPARE(ReadServerList(dir.filePath("list.slf"), read), !servers.isEmpty());
        QCOMPARE(read, servers);
    }
};

QC_TEST(Version4ImportTest)
#include "Version4ImportTest.moc"
