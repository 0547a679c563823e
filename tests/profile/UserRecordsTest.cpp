#include "TestMain.h"

#include "ProfileTestUtil.h"
#include "view/ChatDefs.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <unistd.h>

using namespace profiletest;

namespace {
std::unique_ptr<tUser> userNamed(const QString &name)
{
    auto u = std::make_unique<tUser>();
    u->setName(name);
    return u;
}

} // namespace

class UserRecordTest : public QObject
{
    Q_OBJECT
private slots:
    void newRecordIsTheGoldenImage()
    {
        std::array<std::uint8_t, 4096> golden{};
        golden[258] = 4;
        std::memcpy(&golden[259], "None", 4);
        golden[514] = 4;
        std::memcpy(&golden[515], "None", 4);
        const std::uint8_t colours[] = {0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x80, 0x80, 0x80, 0x00};
        std::memcpy(&golden[1026], colours, sizeof colours);
        tUser u;
        QVERIFY(u.Rec.bytes == golden);
        QCOMPARE(u.JoinSound(), QStringLiteral("None"));
        QCOMPARE(u.CustomNameColor(), 0x0000FFFFu);
        QCOMPARE(u.CustomWhisperColor(), 0x00808080u);
    }

    void fieldsSitAtTheirOffsetsAndAreCut()
    {
        tUser u;
        u.setName(QStringLiteral("ABCDEFGHIJKLMNOPQRST")); // 20: cut to 16
        u.setGreeting(QString(300, QLatin1Char('g')));
        u.setNotes(QStringLiteral("hi"));
        u.setLeaveSound(QString(400, QLatin1Char('s')));
        u.setCustomTextColor(0x00112233);
        QCOMPARE(u.Rec.bytes[0], std::uint8_t(16));
        QCOMPARE(char(u.Rec.bytes[16]), 'P');
        QCOMPARE(u.Rec.bytes[17], std::uint8_t(240));
        QCOMPARE(u.Greeting().size(), 240);
        QCOMPARE(u.Rec.bytes[514], std::uint8_t(255));
        QCOMPARE(u.Rec.bytes[770], std::uint8_t(2));
        QCOMPARE(char(u.Rec.bytes[771]), 'h');
        QCOMPARE(u.Rec.bytes[1030], std::uint8_t(0x33));
        QCOMPARE(u.Rec.bytes[1032], std::uint8_t(0x11));
        // A shorter value clears the rest of the field.
        u.setName(QStringLiteral("Al"));
        QCOMPARE(u.Rec.bytes[3], std::uint8_t(0));
        QCOMPARE(u.Name(), QStringLiteral("Al"));
        for (int i = 1038; i < 4096; ++i)
            QCOMPARE(u.Rec.bytes[size_t(i)], std::uint8_t(0));
    }

    void hostileLengthBytesAreClamped()
    {
        tUser u;
        u.Rec.bytes.fill('x');
        u.Rec.bytes[0] = 255; // capacity 16
        u.Rec.bytes[17] = 255; // capacity 240
        QCOMPARE(u.Name(), QString(16, QLatin1Char('x')));
        QCOMPARE(u.Greeting(), QString(240, QLatin1Char('x')));
    }
};

class UserListTest : public QObject
{
    Q_OBJECT
private slots:
    void lookupIgnoresAsciiCaseAndFindsTheFirst()
    {
        tUserList list;
        QCOMPARE(list.Add(userNamed(QStringLiteral("ABCDEFGHIJKLMNOPQRST"))), 0);
        list.Add(userNamed(QStringLiteral("Bob")));
        auto second = userNamed(QStringLiteral("bob"));
        second->setNotes(QStringLiteral("second"));
        QCOMPARE(list.Add(std::move(second)), 2);
        QCOMPARE(list.IndexOfName(QStringLiteral("ABCDEFGHIJKLMNOPQRST")), -1);
        QCOMPARE(list.IndexOfName(QStringLiteral("abcdefghijklmnop")), 0);
        QCOMPARE(list.IndexOfName(QStringLiteral("BOB")), 1);
        QCOMPARE(list.IndexOfName(QStringLiteral("nobody")), -1);
        // Only A..Z fold: Latin-1 capitals are other names.
        list.Add(userNamed(QString::fromLatin1("\xC9mile")));
        QCOMPARE(list.IndexOfName(QString::fromLatin1("\xE9mile")), -1);
        QCOMPARE(list.IndexOfName(QString::fromLatin1("\xC9MILE")), 3);
    }

    void sortOrdersLowerCasedBytes()
    {
        tUserList list;
        for (const char *n : {"bob", "Zed", "Alice", "\xC9mile", "alan", "_x", "BOB"})
            list.Add(userNamed(QString::fromLatin1(n)));
        list.Sort();
        QStringList names;
        for (int i = 0; i < list.Count(); ++i)
            names << list.Items(i)->Name();
        QCOMPARE(names, (QStringList{"_x", "alan", "Alice", "bob", "BOB", "Zed", QString::fromLatin1("\xC9mile")}));
    }

    void outOfRangeIndexesAreHarmless()
    {
        tUserList list;
        list.Add(userNamed(QStringLiteral("a")));
        list.Add(userNamed(QStringLiteral("b")));
        QVERIFY(!list.Items(-1));
        QVERIFY(!list.Items(2));
        list.Delete(-1);
        list.Delete(2);
        QCOMPARE(list.Count(), 2);
        list.Delete(0);
        QCOMPARE(list.Count(), 1);
        QCOMPARE(list.Items(0)->Name(), QStringLiteral("b"));
    }

    void copiesAreDeep()
    {
        tUserList list;
        list.Add(userNamed(QStringLiteral("a")));
        tUserList copy = list;
        copy.Items(0)->setName(QStringLiteral("changed"));
        QCOMPARE(list.Items(0)->Name(), QStringLiteral("a"));
    }

    void fileRoundTripIsByteExact()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("u.usr"));
        tUserList list;
        for (const char *n : {"one", "two", "three"}) {
            auto u = userNamed(QLatin1String(n));
            u->Rec.bytes[4000] = 0x5A; // reserved bytes of a loaded record are kept as they are
            list.Add(std::move(u));
        }
        QVERIFY(list.SaveToFile(path));
        QCOMPARE(QFile(path).size(), 3 * 4096);
        QCOMPARE(modeOf(path), 0600);
        tUserList loaded;
        loaded.Add(userNamed(QStringLiteral("stale")));
        QVERIFY(loaded.LoadFromFile(path));
        QCOMPARE(loaded.Count(), 3);
        for (int i = 0; i < 3; ++i)
            QVERIFY(loaded.Items(i)->Rec.bytes == list.Items(i)->Rec.bytes);
    }

    void fileEdgeCases()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("u.usr"));
        tUserList list;
        list.Add(userNamed(QStringLiteral("kept")));
        QVERIFY(list.LoadFromFile(dir.filePath(QStringLiteral("missing.usr"))));
        QCOMPARE(list.Count(), 0);

        QVERIFY(writeBytes(path, QByteArray(4096 * 2 + 10, 'q')));
        list.Add(userNamed(QStringLiteral("kept")));
        QVERIFY(!list.LoadFromFile(path));
        QCOMPARE(list.Count(), 0);


        QVERIFY(!list.SaveToFile(dir.filePath(QStringLiteral("no/such/dir/u.usr"))));
    }

    void saveReplacesTheFileInsteadOfRewritingIt()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("u.usr"));
        const QString link = dir.filePath(QStringLiteral("old.usr"));
        QVERIFY(writeBytes(path, "old"));
        QVERIFY(::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()) == 0);
        tUserList list;
        list.Add(userNamed(QStringLiteral("new")));
        QVERIFY(list.SaveToFile(path));
        // A rename leaves the old inode (seen through the link) whole; truncating in place would not.
        QCOMPARE(fileBytes(link), QByteArray("old"));
        QCOMPARE(QFile(path).size(), 4096);
    }
};

QC_TEST(UserRecordTest)
QC_TEST(UserListTest)
#include "UserRecordsTest.moc"
