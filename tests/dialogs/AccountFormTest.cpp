#include "TestMain.h"

#include <QListWidget>

#include "dialogs/AccountForm.h"

class AccountFormTest : public QObject
{
    Q_OBJECT
private slots:
    // The name list comes out sorted, one spelling per name, and is sorted once, not once per slice.
    void nameListSortedOnce_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("one slice") << QStringList{"zed", "Bob", "bob", "al", "Al2", "_x", "1a", "BOB"}
                                   << QStringList{"1a", "Al2", "Bob", "_x", "al", "zed"};
        QStringList many, sorted;
        for (int i = 0; i < 1200; ++i)
            sorted << QStringLiteral("n%1").arg(i, 4, 10, QLatin1Char('0'));
        for (int i = 1199; i >= 0; --i)
            many << sorted[i];
        for (int i = 0; i < 1200; i += 7)
            many << sorted[i].toUpper();
        QTest::newRow("several slices, reversed") << many << sorted;
    }
    void nameListSortedOnce()
    {
        QFETCH(QStringList, names);
        TfrmAccount d(names, QStringList(names.size(), QStringLiteral("1")), QString(), nullptr);
        int sorts = 0;
        connect(d.lst1->model(), &QAbstractItemModel::layoutChanged, this, [&sorts] { ++sorts; });
        d.show();
        QTRY_VERIFY(!d.Filling());
        QStringList shown;
        for (int i = 0; i < d.lst1->count(); ++i)
            shown << d.lst1->item(i)->text();
        QTEST(shown, "expected");
        QVERIFY2(sorts <= 1, qPrintable(QString::number(sorts)));
    }
};

QC_TEST(AccountFormTest)
#include "AccountFormTest.moc"
