#include "TestMain.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

#include "ui/Prompts.h"

namespace {
template <class T> T *openDialog()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *d = qobject_cast<T *>(w); d && d->isVisible())
            return d;
    return nullptr;
}
} // namespace

// The real dialogs open without a nested event loop and answer through their callbacks.
class PromptsTest : public QObject
{
    Q_OBJECT
private slots:
    void questionAnswersEachButton()
    {
        QWidget parent;
        parent.show();
        TWidgetPrompts p(&parent);
        const std::pair<QMessageBox::StandardButton, TPrompts::Answer> rows[] = {
            {QMessageBox::Yes, TPrompts::Answer::Yes}, {QMessageBox::No, TPrompts::Answer::No},
            {QMessageBox::Cancel, TPrompts::Answer::Cancel}};
        for (const auto &row : rows) {
            int answered = -1;
            p.AskYesNoCancel(QStringLiteral("Save current chat settings?"), [&](TPrompts::Answer a) { answered = int(a); });
            QCOMPARE(answered, -1); // returned before the user answered
            QMessageBox *box = openDialog<QMessageBox>();
            QVERIFY(box);
            QCOMPARE(box->text(), QStringLiteral("Save current chat settings?"));
            box->button(row.first)->click();
            QTRY_COMPARE(answered, int(row.second));
            QTRY_VERIFY(!openDialog<QMessageBox>());
        }
    }

    void textPromptConfirmedOrCancelled()
    {
        QWidget parent;
        parent.show();
        TWidgetPrompts p(&parent);
        bool confirmed = false;
        QString text;
        int calls = 0;
        const auto done = [&](bool c, const QString &t) { confirmed = c; text = t; ++calls; };
        p.AskText(QStringLiteral("Away"), QStringLiteral("Enter reason why you will be away:"), QStringLiteral("lunch"), done);
        QInputDialog *dlg = openDialog<QInputDialog>();
        QVERIFY(dlg);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Away"));
        QCOMPARE(dlg->textValue(), QStringLiteral("lunch"));
        dlg->setTextValue(QStringLiteral("back soon"));
        dlg->accept();
        QTRY_COMPARE(calls, 1);
        QVERIFY(confirmed);
        QCOMPARE(text, QStringLiteral("back soon"));

        p.AskText(QStringLiteral("DND"), QStringLiteral("x"), QString(), done);
        QTRY_VERIFY(openDialog<QInputDialog>());
        openDialog<QInputDialog>()->reject();
        QTRY_COMPARE(calls, 2);
        QVERIFY(!confirmed);
    }
};

QC_TEST(PromptsTest)
#include "PromptsTest.moc"
