#include "TestMain.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "../dialogs/FakeDialogPrompts.h"
#include "FakePrompts.h"
#include "dialogs/AppearanceDialog.h"
#include "dialogs/SetupDialog.h"
#include "dialogs/UserInfoDialog.h"
#include "profile/Profile.h"
#include "ui/ChatForm.h"
#include "ui/TabEdit.h"

// The settings dialogs as the main window opens them.
class SettingsDialogsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<tProfile> profile;
    FakePrompts prompts;
    FakeDialogPrompts dialogPrompts;
    std::unique_ptr<TfrmChat> w;

private slots:
    void init()
    {
        profile = std::make_unique<tProfile>();
        prompts = FakePrompts();
        dialogPrompts = FakeDialogPrompts();
        w = std::make_unique<TfrmChat>(*profile);
        w->SetProgramFolder(dir.path());
        w->SetPrompts(&prompts);
        w->SetDialogPrompts(&dialogPrompts);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    void cleanup() { w.reset(); }

    void setupAppliesAccountAndLog()
    {
        const QString log = dir.filePath(QStringLiteral("missing/dir/chat.txt"));
        w->DialogRunner = [&](QDialog &d) {
            auto &s = static_cast<TfrmSetup &>(d);
            QCOMPARE(s.windowTitle(), QStringLiteral("QuorlChat Configuration"));
            s.cmUserName->setEditText(QStringLiteral("Quorl"));
            s.Model().TypeIn(s.Model().UserName, QStringLiteral("Quorl"));
            s.Model().KeepLog = true;
            s.Model().LogFileName = log;
            s.btnOk->click();
        };
        w->Actions().acSetup->trigger();
        QCOMPARE(w->bcChat().UserName, QStringLiteral("Quorl"));
        QCOMPARE(prompts.messages, QStringList{QStringLiteral("Log File is invalid")});
        QVERIFY(!w->Log().IsOpen());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w->edEntry));
        QCOMPARE(w->Actions().acSetup->shortcut(), QKeySequence(QStringLiteral("F6")));
    }

    void userInformationEntryPoints()
    {
        auto u = std::make_unique<tUser>();
        u->setName(QStringLiteral("Alpha"));
        profile->Users.Add(std::move(u));
        TfrmUserInfo *info = w->UserInfoDialog();
        QVERIFY(info && !info->isVisible());
        w->Actions().acUserInfo->trigger();
        QVERIFY(info->isVisible());
        QCOMPARE(info->cmUser->currentText(), QStringLiteral("Alpha"));
        // "&New" empties the list behind the dialog and hides it.
        w->Actions().acNew->trigger();
        QVERIFY(!info->isVisible());
        QCOMPARE(info->cmUser->count(), 0);
        w->ShowUserInfo(QStringLiteral("Alpha"));
        QVERIFY(info->isVisible() && !info->cmUser->isEnabled());
    }

    void appearanceAppliesAtOnce()
    {
        w->DialogRunner = [&](QDialog &d) {
            auto &a = static_cast<TfrmAppearance &>(d);
            a.cmColor->setCurrentIndex(11);
            emit a.cmColor->activated(11);
            dialogPrompts.colours = {QColor(Qt::darkBlue)};
            a.btnChange->click();
            QCOMPARE(w->edEntry->palette().color(QPalette::Base), QColor(Qt::darkBlue));
            a.btnDone->click();
        };
        w->Actions().acFonts->trigger();
        QCOMPARE(profile->Settings.Color(EntryBackground), colorToBgr(QColor(Qt::darkBlue)));
    }
};

QC_TEST(SettingsDialogsTest)
#include "SettingsDialogsTest.moc"
