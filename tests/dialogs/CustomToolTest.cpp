#include "TestMain.h"

#include <QListWidget>

#include "dialogs/CustomTool.h"
#include "profile/ToolbarFile.h"

class CustomToolTest : public QObject
{
    Q_OBJECT
private slots:
    void openingSplitsTheCatalogue()
    {
        // 40 is not in the catalogue: left out, and so dropped from the definition.
        tCustomTool t({1, 0, 40, 2, 0});
        QCOMPARE(t.Selected, (QStringList{"Connect", "- Separator -", "Setup", "- Separator -"}));
        QCOMPARE(t.Available.size(), 15);
        QCOMPARE(t.Available.first(), QStringLiteral("- Separator -"));
        QVERIFY(!t.Available.contains(QStringLiteral("Connect")));
        QCOMPARE(t.Definition(), (QList<qint32>{1, 0, 2, 0}));
    }

    void addRemoveAndSeparator()
    {
        tCustomTool t({});
        QCOMPARE(t.Available.size(), toolbar::EntryCount);
        QCOMPARE(t.Add(1), 1); // Connect goes; the next entry moves up into its row
        QVERIFY(!t.Available.contains(QStringLiteral("Connect")));
        t.Add(0);
        t.Add(0);
        QCOMPARE(t.Available.first(), QStringLiteral("- Separator -"));
        QCOMPARE(t.Definition(), (QList<qint32>{1, 0, 0}));
        t.Remove(0); // Connect comes back at the end
        QCOMPARE(t.Available.last(), QStringLiteral("Connect"));
        t.Remove(0); // a separator does not come back twice
        QCOMPARE(t.Available.count(QStringLiteral("- Separator -")), 1);
        QCOMPARE(t.Add(-1), -1);
        QCOMPARE(t.Remove(5), -1);
        QCOMPARE(t.Definition(), QList<qint32>{0});
    }

    void moveClearReset()
    {
        tCustomTool t({1, 2, 3});
        QCOMPARE(t.Move(0, -1), 0);
        QCOMPARE(t.Move(2, 1), 2);
        QCOMPARE(t.Move(-1, 1), -1);
        QCOMPARE(t.Move(1, -1), 0);
        QCOMPARE(t.Definition(), (QList<qint32>{2, 1, 3}));
        t.Clear();
        QCOMPARE(t.Definition(), QList<qint32>());
        QCOMPARE(t.Available.size(), toolbar::EntryCount);
        t.Reset();
        QCOMPARE(t.Definition(), toolbar::DefaultDefinition());
    }

    void escapeStillApplies()
    {
        TfrmCustomTool dlg({1, 40});
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(dlg.lstButtons->currentRow(), 0);
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.Definition(), QList<qint32>{1});
    }
};
QC_TEST(CustomToolTest)
#include "CustomToolTest.moc"
