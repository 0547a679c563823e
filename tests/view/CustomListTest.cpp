#include "TestMain.h"

#include <QTemporaryDir>

#include "view/CustomList.h"

class CustomListTest : public QObject
{
    Q_OBJECT
private slots:
    void dropRules_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("start"); // -1: from the channel list
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("result");
        QTest::newRow("a onto c") << "a" << 0 << 2 << "b,a,c,d";
        QTest::newRow("d onto b") << "d" << 3 << 1 << "a,d,b,c";
        QTest::newRow("b below the last") << "b" << 1 << 4 << "a,c,d,b";
        QTest::newRow("onto itself") << "b" << 1 << 1 << "a,b,c,d";
        QTest::newRow("nothing dragged") << "" << 1 << 3 << "a,b,c,d";
        QTest::newRow("new name between") << "Eve" << -1 << 1 << "a,Eve,b,c,d";
        QTest::newRow("new name below the last") << "Eve" << -1 << 9 << "a,b,c,d,Eve";
        QTest::newRow("listed in another case") << "C" << -1 << 0 << "a,b,c,d";
    }
    void dropRules()
    {
        QFETCH(QString, name);
        QFETCH(int, start);
        QFETCH(int, target);
        QFETCH(QString, result);
        QStringList list = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")};
        const bool changed = start < 0 ? customlist::InsertDropped(list, name, target)
                                       : customlist::MoveDropped(list, name, start, target);
        QCOMPARE(list.join(QLatin1Char(',')), result);
        QCOMPARE(changed, result != QLatin1String("a,b,c,d"));
    }

    void iconsFileLines()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("icons.txt"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Bob\r\nbob.bmp\r\nAnn\r\nann.bmp\r\nOdd\r\n");
        f.close();
        QStringList lines = iconsfile::Read(path);
        const auto pairs = iconsfile::Pairs(lines);
        QCOMPARE(pairs.size(), 2); // the unpaired last line is ignored
        QCOMPARE(pairs[1], qMakePair(QStringLiteral("Ann"), QStringLiteral("ann.bmp")));

        iconsfile::SetIcon(lines, QStringLiteral("ANN"), QStringLiteral("new.bmp")); // the line after it
        iconsfile::SetIcon(lines, QStringLiteral("odd"), QStringLiteral("x.bmp"));   // last line: unchanged
        iconsfile::SetIcon(lines, QStringLiteral("Cy"), QStringLiteral("cy.bmp"));   // appended pair
        QVERIFY(iconsfile::Write(path, lines));
        QCOMPARE(iconsfile::Read(path), (QStringList{"Bob", "bob.bmp", "Ann", "new.bmp", "Odd", "Cy", "cy.bmp"}));
        QVERIFY(iconsfile::Read(dir.filePath(QStringLiteral("missing.txt"))).isEmpty());
    }
};
QC_TEST(CustomListTest)
#include "CustomListTest.moc"
