#include "TestMain.h"

#include "ui/TabEdit.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QWidget>

class TabEditTest : public QObject
{
    Q_OBJECT
private slots:
    void keepsTabEnterAndArrows()
    {
        QWidget w;
        auto *lay = new QVBoxLayout(&w);
        auto *edit = new TTabEdit;
        auto *next = new QLineEdit; // a focus target Tab would normally move to
        lay->addWidget(edit);
        lay->addWidget(next);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());

        QSignalSpy tab(edit, &TTabEdit::tabPressed);
        QSignalSpy enter(edit, &TTabEdit::returnPressed);
        QSignalSpy arrow(edit, &TTabEdit::arrowPressed);

        QTest::keyClicks(edit, QStringLiteral("hello"));
        QTest::keyClick(edit, Qt::Key_Tab);
        QCOMPARE(tab.count(), 1);
        QVERIFY(edit->hasFocus());
        QCOMPARE(edit->text(), QStringLiteral("hello"));

        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(enter.count(), 2);
        QCOMPARE(edit->count(), 0); // Enter inserts nothing into the drop-down list
        QCOMPARE(edit->text(), QStringLiteral("hello"));

        edit->insertHistory(QStringLiteral("older"));
        edit->insertHistory(QStringLiteral("newest"));
        QCOMPARE(edit->history(), (QStringList{QStringLiteral("newest"), QStringLiteral("older")}));
        QCOMPARE(edit->text(), QStringLiteral("hello"));

        QTest::keyClick(edit, Qt::Key_Up, Qt::ShiftModifier);
        QTest::keyClick(edit, Qt::Key_Down);
        QCOMPARE(arrow.count(), 2);
        QCOMPARE(arrow.at(0).at(0).toInt(), int(Qt::Key_Up));
        QCOMPARE(arrow.at(0).at(1).value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ShiftModifier));
        QCOMPARE(edit->text(), QStringLiteral("hello")); // the arrows did not pick a history item

        // Shift+Tab still leaves the field.
        QTest::keyClick(edit, Qt::Key_Backtab, Qt::ShiftModifier);
        QTRY_VERIFY(next->hasFocus());
        QCOMPARE(tab.count(), 1);
    }

    void noCompletionFromHistory()
    {
        TTabEdit edit;
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        edit.insertHistory(QStringLiteral("hello world"));
        edit.setFocus();
        QTest::keyClicks(&edit, QStringLiteral("hel"));
        QCOMPARE(edit.text(), QStringLiteral("hel"));
        edit.setText(QStringLiteral("/msg c "));
        QCOMPARE(edit.lineEdit()->cursorPosition(), 7);
        QVERIFY(!edit.lineEdit()->hasSelectedText());
    }
};

QC_TEST(TabEditTest)
#include "TabEditTest.moc"
