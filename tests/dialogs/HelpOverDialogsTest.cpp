#include "TestMain.h"

#include "FakeDialogPrompts.h"
#include "dialogs/AccountForm.h"
#include "dialogs/ChannelDialogs.h"
#include "dialogs/Help.h"
#include "dialogs/SetupDialog.h"
#include "profile/Profile.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QWindow>

namespace {
struct NoHost : tSetupHost
{
    void SetAccount(const QString &, const QString &, const QString &) override {}
    void RepaintUserList() override {}
    void ReopenLog() override {}
};

// A click as the window system delivers it, so that a window blocked by a modal dialog drops it.
void systemClick(QWidget *w)
{
    QWindow *win = w->window()->windowHandle();
    QTest::mouseClick(win, Qt::LeftButton, {}, win->mapFromGlobal(w->mapToGlobal(w->rect().center())));
}
} // namespace

class HelpOverDialogsTest : public QObject
{
    Q_OBJECT
private slots:
    // "&Help" of a modal dialog opens a help window the user can scroll and close while it stands.
    void helpWorksOverModalDialogs_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::newRow("setup") << QStringLiteral("setup");
        QTest::newRow("join channel") << QStringLiteral("join");
        QTest::newRow("account") << QStringLiteral("account");
    }
    void helpWorksOverModalDialogs()
    {
        QFETCH(QString, dialog);
        QWidget main;
        main.resize(400, 300);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        auto *help = new TfrmHelp(&main);
        help->reHelp->setPlainText(QStringLiteral("topic\n").repeated(400));
        const auto showHelp = [help](const QString &) { help->ShowTopic(QStringLiteral("topic")); };

        tProfile profile;
        FakeDialogPrompts prompts;
        NoHost host;
        std::unique_ptr<QDialog> dlg;
        QPushButton *helpButton = nullptr;
        if (dialog == QLatin1String("setup")) {
            auto *d = new TfrmSetup(profile, host, prompts, &main);
            d->OnHelp = showHelp;
            helpButton = d->btnHelp;
            dlg.reset(d);
        } else if (dialog == QLatin1String("join")) {
            auto *d = new TfrmSelectChannel(profile, QString(), &main);
            d->Help = showHelp;
            helpButton = d->btnHelp;
            dlg.reset(d);
        } else {
            auto *d = new TfrmAccount({}, {}, QString(), [&] { showHelp(QString()); }, &main);
            helpButton = d->btnHelp;
            dlg.reset(d);
        }
        // As exec() shows it (the join dialog is opened window-modal, as the main window does).
        if (dialog == QLatin1String("join")) {
            dlg->open();
        } else {
            dlg->setWindowModality(Qt::ApplicationModal);
            dlg->show();
        }
        QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
        helpButton->click();
        QVERIFY(help->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(help));

        QScrollBar *bar = help->reHelp->verticalScrollBar();
        bar->setValue(bar->maximum());
        const int bottom = bar->value();
        QVERIFY(bottom > 0);
        QWidget *up = help->reHelp->verticalScrollBar();
        QWindow *win = help->windowHandle();
        QTest::mouseClick(win, Qt::LeftButton, {}, win->mapFromGlobal(up->mapToGlobal(QPoint(up->width() / 2, 30))));
        QVERIFY2(bar->value() < bottom, "the help window scrolls while the dialog stands");
        systemClick(help->btnDone);
        QVERIFY2(!help->isVisible(), "the help window closes while the dialog stands");

        // Once the dialog is gone the help window belongs to the main window again.
        helpButton->click();
        dlg->hide();
        QCOMPARE(help->windowHandle()->transientParent(), main.windowHandle());
        systemClick(help->btnDone);
        QVERIFY(!help->isVisible());
    }
};

QC_TEST(HelpOverDialogsTest)
#include "HelpOverDialogsTest.moc"
