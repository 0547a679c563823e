#include "TestMain.h"

#include "FullDisk.h"
#include "ProfileTestUtil.h"
#include "profile/ProfileFiles.h"

using namespace profiletest;

class SafeFileTest : public QObject, ProfileReporter
{
    Q_OBJECT
    QStringList messages;
    void showMessage(const QString &text) override { messages << text; }

private slots:
    // A profile save that fills the disk half way (the record written, a list file not): false, the
    // message, the old files byte for byte and no temporary left (a save of nothing: tst_ui).
    void halfWaySaveKeepsEveryOldFile_data()
    {
        QTest::addColumn<bool>("listsFit");
        QTest::addColumn<QString>("message"); // "": the error and the record's path
        QTest::newRow("lists do not fit") << false << "";
        QTest::newRow("users do not fit") << true << "Could not save user settings file";
    }
    void halfWaySaveKeepsEveryOldFile()
    {
        QFETCH(bool, listsFit);
        QFETCH(QString, message);
        tFullDisk disk;
        QC_NEED_FULL_DISK(disk);
        const QStringList old = {disk.path("main.ch5"), disk.path("main.ext"), disk.path("main.usr")};
        for (const QString &f : old)
            QVERIFY(writeBytes(f, "old " + QFile::encodeName(f)));
        tProfile p;
        for (int i = 0; i < 3; ++i)
            p.Users.Add(std::make_unique<tUser>());
        p.OwnerList << QStringLiteral("Boss");
        const auto pages = [](qint64 bytes) { return (bytes + tFullDisk::Page - 1) / tFullDisk::Page; };
        QVERIFY(disk.fill());
        QVERIFY(disk.release(pages(tChatSettings::Size) + (listsFit ? pages(WriteExtText(p).size()) : 0)));
        const QStringList entries = disk.entries();
        messages.clear();
        QVERIFY(!SaveProfile(p, old[0], *this));
        QCOMPARE(messages, QStringList{message.isEmpty() ? "Error saving file: " + old[0] : message});
        for (const QString &f : old)
            QCOMPARE(fileBytes(f), "old " + QFile::encodeName(f));
        QCOMPARE(disk.entries(), entries);
    }
};

QC_TEST(SafeFileTest)
#include "SafeFileTest.moc"
