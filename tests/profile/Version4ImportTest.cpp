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
        QVERIFY(p.PhraseRes[1].isEmpty() && p.PhraseRes[2].isEmpty());
        QCOMPARE(p.AccountList, QStringList({"Name", "Name"}));
        QCOMPARE(p.NumberList, QStringList({"1234", "1234"}));
        QCOMPARE(p.WhiserRes[2], QStringList({"w3", "w3"}));
        QCOMPARE(p.UserRes[1], QStringList({"u2", "u2"}));
        QCOMPARE(p.TimerList.size(), 2);
        QCOMPARE(p.IntervalList.size(), 2);
        QVERIFY(p.WhisperList.isEmpty() && p.UserJoinList.isEmpty());
        QVERIFY(!p.Modified);
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
};

QC_TEST(Version4ImportTest)
#include "Version4ImportTest.moc"
