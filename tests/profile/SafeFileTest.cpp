#include "TestMain.h"

#include "FullDisk.h"
#include "ProfileTestUtil.h"
#include "profile/ChatIni.h"
#include "profile/ProfileFiles.h"
#include "profile/ToolbarFile.h"

using namespace profiletest;

namespace {
struct RecordingReporter : ProfileReporter
{
    QStringList messages;
    void showMessage(const QString &text) override { messages << text; }
};

qint64 pagesOf(qint64 bytes) { return (bytes + tFullDisk::Page - 1) / tFullDisk::Page; }
} // namespace

class SafeFileTest : public QObject
{
    Q_OBJECT
private slots:
    // Each writer on a full disk: false, the old files byte for byte, no temporary left behind.
    void fullDiskKeepsEveryOldFile_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<int>("freePages"); // -1: room for the record; -2: for the record and the lists
        QTest::addColumn<QString>("message");
        QTest::newRow("Chat.ini") << "ini" << 0 << "";
        QTest::newRow("Toolbar.dat") << "toolbar" << 0 << "";
        QTest::newRow("profile record") << "profile" << 0 << "Error saving file: ";
        QTest::newRow("profile lists") << "profile" << -1 << "Error saving file: ";
        QTest::newRow("profile users") << "profile" << -2 << "Could not save user settings file";
    }
    void fullDiskKeepsEveryOldFile()
    {
        QFETCH(QString, writer);
        QFETCH(int, freePages);
        QFETCH(QString, message);
        tFullDisk disk;
        QC_NEED_FULL_DISK(disk);

        const QString record = disk.path(QStringLiteral("main.ch5"));
        const QList<QString> old = {record, disk.path(QStringLiteral("main.ext")), disk.path(QStringLiteral("main.usr")),
                                    disk.path(QStringLiteral("Chat.ini")), disk.path(QStringLiteral("Toolbar.dat"))};
        for (const QString &f : old)
            QVERIFY(writeBytes(f, "old " + QFile::encodeName(f) + "\r\n"));

        tProfile p;
        for (int i = 0; i < 3; ++i)
            p.Users.Add(std::make_unique<tUser>());
        p.OwnerList << QStringLiteral("Boss");
        QVERIFY(disk.fill());
        if (freePages < 0)
            QVERIFY(disk.release(pagesOf(tChatSettings::Size) + (freePages == -2 ? pagesOf(WriteExtText(p).size()) : 0)));
        const QStringList entries = disk.entries();

        RecordingReporter r;
        bool ok = true;
        if (writer == QLatin1String("ini")) {
            tIniFile ini;
            ini.WriteString(QStringLiteral("Screen"), QStringLiteral("Width"), QStringLiteral("800"));
            ok = ini.Save(disk.path(QStringLiteral("Chat.ini")));
        } else if (writer == QLatin1String("toolbar")) {
            ok = toolbar::Save(disk.path(QStringLiteral("Toolbar.dat")), toolbar::DefaultDefinition());
        } else {
            ok = SaveProfile(p, record, r);
            QCOMPARE(r.messages, QStringList{message == QLatin1String("Error saving file: ") ? message + record : message});
        }
        QVERIFY(!ok);
        for (const QString &f : old)
            QCOMPARE(fileBytes(f), "old " + QFile::encodeName(f) + "\r\n");
        QCOMPARE(disk.entries(), entries);
    }
};

QC_TEST(SafeFileTest)
#include "SafeFileTest.moc"
