#include "TestMain.h"

#include "FakeDialogPrompts.h"
#include "dialogs/PropertyGrid.h"
#include "dialogs/SetupDialog.h"
#include "dialogs/StringListEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

namespace {
// Records what applying asked of the window, with what the profile held at that moment.
struct FakeHost : tSetupHost
{
    tProfile *profile = nullptr;
    QStringList calls;
    void SetAccount(const QString &u, const QString &p, const QString &s) override
    {
        calls << QStringLiteral("account|%1|%2|%3").arg(u, p, s);
    }
    void RepaintUserList() override
    {
        calls << QStringLiteral("repaint|icons=%1|owners=%2")
                     .arg(profile->Settings.IncludeIcons())
                     .arg(profile->OwnerList.join(QLatin1Char(',')));
    }
    void ReopenLog() override { calls << QStringLiteral("log|") + profile->Settings.LogFileName(); }
};

// A profile with something in every list the dialog edits.
void fill(tProfile &p)
{
    p.NameList = {QStringLiteral("Alpha"), QStringLiteral("Beta")};
    p.HomeList = {QStringLiteral("Op Home")};
    p.PasswordList = {QStringLiteral("pw1")};
    p.Settings.setPassword(QStringLiteral("secret"));
    p.OwnerList = {QStringLiteral("Boss")};
    p.MemberList = {QStringLiteral("Helper")};
    p.PhraseList = {QStringLiteral("hello")};
    p.PhraseRes = {QStringList{QStringLiteral("hi <user>")}, QStringList{}, QStringList{}};
    p.BanList = {QStringLiteral("[evil]")};
    p.TimerList = {QStringLiteral("Welcome all"), QStringLiteral("Rules")};
    p.IntervalList = {QStringLiteral("300"), QStringLiteral("abc")};
    p.Settings.setReciteDelay(1); // below what the grid offers; kept unless edited
}
} // namespace

class SetupDialogTest : public QObject
{
    Q_OBJECT
    FakeDialogPrompts prompts;
    FakeHost host;
    std::unique_ptr<tProfile> profile;
    std::unique_ptr<TfrmSetup> dlg;

    TfrmSetup &open()
    {
        dlg = std::make_unique<TfrmSetup>(*profile, host, prompts);
        return *dlg;
    }

private slots:
    void init()
    {
        prompts = FakeDialogPrompts();
        profile = std::make_unique<tProfile>();
        fill(*profile);
        host = FakeHost();
        host.profile = profile.get();
    }

    void okUntouchedChangesNothing()
    {
        for (bool modified : {false, true}) {
            profile->Modified = modified;
            const tProfile before = *profile;
            open().btnOk->click();
            QCOMPARE(profile->Modified, modified);
            QVERIFY(profile->Settings.bytes == before.Settings.bytes);
            QCOMPARE(profile->TimerList, before.TimerList);
            QCOMPARE(profile->IntervalList, before.IntervalList);
            QCOMPARE(profile->PhraseRes, before.PhraseRes);
            QCOMPARE(profile->NameList, before.NameList);
            QCOMPARE(profile->Actions, before.Actions);
        }
    }

    void applyRunsInOrder()
    {
        TfrmSetup &d = open();
        d.cmUserName->lineEdit()->setText(QString());
        QTest::keyClicks(d.cmUserName->lineEdit(), QStringLiteral("Quorl"));
        d.Model().Owners.Entries << QStringLiteral("Second");
        d.pgOptions->setValue(tSetupModel::IncludeIconsRow, QStringLiteral("No"));
        d.Model().SetOption(tSetupModel::IncludeIconsRow, QStringLiteral("No"));
        d.btnOk->click();
        // Options are in before the repaint; the list editors only after it; the log last.
        QCOMPARE(host.calls, (QStringList{QStringLiteral("account|Quorl|secret|") + profile->Settings.Server(),
                                          QStringLiteral("repaint|icons=0|owners=Boss"), QStringLiteral("log|")}));
        QCOMPARE(profile->OwnerList, (QStringList{QStringLiteral("Boss"), QStringLiteral("Second")}));
    }

    // Which edits mark the profile modified; cancelling restores the mark the dialog found.
    void marking_data()
    {
        QTest::addColumn<int>("edit");
        QTest::addColumn<bool>("marks");
        QTest::newRow("master switch") << 0 << true;
        QTest::newRow("grid row") << 1 << true;
        QTest::newRow("keep log") << 2 << true;
        QTest::newRow("respond to phrases") << 3 << false;
        QTest::newRow("owner added") << 4 << false;
        QTest::newRow("product action") << 5 << false;
        QTest::newRow("log name typed") << 6 << false;
        QTest::newRow("allow multiple passwords") << 7 << true;
        QTest::newRow("timers cleared") << 8 << false;
        QTest::newRow("commands cleared") << 9 << true;
    }
    void marking()
    {
        QFETCH(int, edit);
        QFETCH(bool, marks);
        TfrmSetup &d = open();
        prompts.yes = {true};
        switch (edit) {
        case 0: d.cbAllEvents->click(); break;
        case 1: QTest::keyClick(d.pgOptions->editor(tSetupModel::ReciteDelayRow), Qt::Key_Up); break;
        case 2: d.cbLog->click(); break;
        case 3: d.cbPhrases->click(); break;
        case 4: d.slOwners->AddButton()->click(); break;
        case 5: d.cmActions[ChatAction]->setEditText(QStringLiteral("/ban <user>")); break;
        case 6: QTest::keyClicks(d.edLogFIle, QStringLiteral("x.txt")); break;
        case 7: d.cbAllowMulti->click(); break;
        case 8: d.btnClearTimers->click(); break;
        case 9: d.btnClearCommands->click(); break;
        }
        QCOMPARE(profile->Modified, marks);
        d.reject();
        QVERIFY(!profile->Modified);
    }

    void unmarkedEditsStillOfferedForSaving()
    {
        TfrmSetup &d = open();
        d.slOwners->AddButton()->click();
        QVERIFY(!profile->Modified);
        d.btnOk->click();
        QCOMPARE(profile->OwnerList, (QStringList{QStringLiteral("Boss"), QStringLiteral("New User")}));
        QVERIFY(profile->Modified);
    }

    void closeBoxAppliesEscCancels()
    {
        TfrmSetup &d = open();
        d.show();
        d.Model().JoinResponse = QStringLiteral("Welcome!");
        d.close();
        QCOMPARE(profile->Settings.JoinResponse(), QStringLiteral("Welcome!"));
        TfrmSetup &e = open();
        e.show();
        e.Model().JoinResponse = QStringLiteral("Other");
        QTest::keyClick(&e, Qt::Key_Escape);
        QCOMPARE(profile->Settings.JoinResponse(), QStringLiteral("Welcome!"));
        QVERIFY(host.calls.size() == 3);
    }

    void allowMultiplePasswordsWithoutPassword()
    {
        TfrmSetup &d = open();
        d.show();
        QVERIFY(d.edUniquePass->isVisible() && !d.cmPassword->isVisible());
        d.cbAllowMulti->click();
        QVERIFY(!d.edUniquePass->isVisible() && d.cmPassword->isVisible() && d.btnDeletePassword->isVisible());
        QCOMPARE(d.cmPassword->count(), 0);
        d.btnOk->click();
        QCOMPARE(profile->Settings.Password(), QString());
        QVERIFY(profile->PasswordList.isEmpty());
        QVERIFY(profile->Settings.AllowMultiPasswords());
    }

    void pickListsLearnTheirTextOnLeaving()
    {
        TfrmSetup &d = open();
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        d.cmChannel->setFocus();
        d.cmChannel->lineEdit()->clear();
        QTest::keyClicks(d.cmChannel->lineEdit(), QStringLiteral("Clan Home"));
        d.edUniquePass->setFocus();
        QCOMPARE(d.Model().Channel.Choices, (QStringList{QStringLiteral("Op Home"), QStringLiteral("Clan Home")}));
        QCOMPARE(d.cmChannel->count(), 2);
        d.cmUserName->setEditText(QStringLiteral("Alpha"));
        d.btnDeleteUser->click();
        d.btnOk->click();
        QCOMPARE(profile->NameList, QStringList{QStringLiteral("Beta")});
        QCOMPARE(profile->Settings.HomeChannel(), QStringLiteral("Clan Home"));
    }

    void serverList()
    {
        profile->ServerList = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
        TfrmSetup &d = open();
        prompts.texts = {QString(), std::nullopt, QStringLiteral("new.host:99999"), QStringLiteral("new.host")};
        d.btnAddServer->click(); // empty answer
        d.btnAddServer->click(); // cancelled
        d.btnAddServer->click(); // malformed port: refused, and the user is told why
        QVERIFY(!profile->Modified);
        QCOMPARE(prompts.asked.last(), QStringLiteral("message|Server \"new.host:99999\" has an invalid port: write "
                                                      "host:port with a port from 1 to 65535."));
        d.btnAddServer->click();
        QCOMPARE(prompts.asked.first(), QStringLiteral("New Server|Enter address of new server:"));
        QCOMPARE(d.lstServer->currentRow(), 0);
        d.btnUp->click(); // at the top: nothing
        d.btnDown->click();
        QCOMPARE(d.lstServer->currentRow(), 1);
        d.lstServer->setCurrentRow(3);
        d.btnDown->click(); // at the bottom: nothing
        QCOMPARE(d.lstServer->currentRow(), 3);
        d.btnDeleteServer->click();
        QVERIFY(d.lstServer->selectedItems().isEmpty());
        d.btnUp->click(); // nothing selected: nothing
        d.btnOk->click();
        QCOMPARE(profile->ServerList, (QStringList{QStringLiteral("a"), QStringLiteral("new.host"), QStringLiteral("b")}));
        QVERIFY(profile->Modified);
    }

    void logFilePickedThenCancelled()
    {
        TfrmSetup &d = open();
        prompts.files = {QStringLiteral("/tmp/chat.txt")};
        d.btnChange->click();
        QCOMPARE(prompts.asked, QStringList{QStringLiteral("Select Log File|Text Files (*.txt)|txt|create")});
        QCOMPARE(d.edLogFIle->text(), QStringLiteral("/tmp/chat.txt"));
        d.btnCancel->click();
        QCOMPARE(profile->Settings.LogFileName(), QStringLiteral("/tmp/chat.txt"));
        QVERIFY(host.calls.isEmpty()); // not reopened until the next "&Ok"
        QVERIFY(profile->Modified);    // the name in the profile changed: it must be offered for saving
    }

    void gridNumbers()
    {
        TfrmSetup &d = open();
        auto *login = qobject_cast<QLineEdit *>(d.pgOptions->editor(tSetupModel::LoginTimeoutRow));
        auto *recite = qobject_cast<QSpinBox *>(d.pgOptions->editor(tSetupModel::ReciteDelayRow));
        QVERIFY(login && recite);
        QCOMPARE(recite->minimum(), 2);
        QCOMPARE(recite->maximum(), 100);
        login->selectAll();
        QTest::keyClicks(login, QStringLiteral("abc"));
        qobject_cast<QComboBox *>(d.pgOptions->editor(tSetupModel::DoubleClickRow))->setCurrentIndex(7);
        d.btnOk->click();
        QCOMPARE(profile->Settings.LoginTimeout(), 0);
        QCOMPARE(profile->Settings.DoubleClickAction(), 7);
        QCOMPARE(profile->Settings.ReciteDelay(), 1); // never edited: stays as it was
    }

    void commandsInStep()
    {
        TfrmSetup &d = open();
        d.lstCommand->setCurrentRow(1);
        QCOMPARE(d.edCommand->text(), QStringLiteral("/disconnect"));
        QCOMPARE(d.cmLevel->currentText(), QStringLiteral("Owners Only"));
        d.cmLevel->setCurrentIndex(2);
        emit d.cmLevel->activated(2);
        d.btnDeleteCommand->click();
        QVERIFY(d.edCommand->text().isEmpty());
        d.btnAddCommand->click();
        QCOMPARE(d.edCommand->text(), QStringLiteral("New command"));
        QTest::keyClicks(d.edCommand, QStringLiteral("X"));
        prompts.yes = {false};
        d.btnClearCommands->click(); // No keeps them
        QCOMPARE(prompts.asked, QStringList{QStringLiteral("Clear all commands?")});
        d.btnOk->click();
        QCOMPARE(profile->CommandList.size(), 21);
        QCOMPARE(profile->CommandList.last(), QStringLiteral("New commandX"));
        QCOMPARE(profile->CommandRes.last(), QStringLiteral("New Command Response"));
        QCOMPARE(profile->CommandLevel.last(), QStringLiteral("1"));
        QCOMPARE(profile->CommandList.at(1), QStringLiteral("/allevents"));
        QCOMPARE(profile->CommandRes.at(1), QStringLiteral("<allevents>"));
    }

    void timersInStep()
    {
        TfrmSetup &d = open();
        d.lstTimers->setCurrentItem(d.lstTimers->topLevelItem(1));
        QCOMPARE(d.seInterval->value(), 0); // "abc"
        QCOMPARE(d.edTimer->text(), QStringLiteral("Rules"));
        d.seInterval->setValue(90);
        QCOMPARE(d.lstTimers->topLevelItem(1)->text(1), QStringLiteral("90"));
        d.lstTimers->setCurrentItem(d.lstTimers->topLevelItem(0));
        d.btnDeleteTimer->click();
        QCOMPARE(d.seInterval->value(), 0);
        d.btnAddTimer->click();
        QCOMPARE(d.Model().TimerTexts, (QStringList{QStringLiteral("Rules"), QStringLiteral("New Response")}));
        QCOMPARE(d.Model().TimerIntervals, (QStringList{QStringLiteral("90"), QStringLiteral("60")}));
        prompts.yes = {false, true};
        d.btnClearTimers->click();
        QCOMPARE(d.lstTimers->topLevelItemCount(), 2);
        d.btnClearTimers->click();
        QCOMPARE(d.lstTimers->topLevelItemCount(), 0);
        d.btnOk->click();
        QVERIFY(profile->TimerList.isEmpty() && profile->IntervalList.isEmpty());
    }

    void listEditorKeepsResponsesInStep()
    {
        tParallelLists l;
        l.HasResponses = true;
        l.Entries = {QStringLiteral("a"), QStringLiteral("b")};
        l.Responses[0] = {QStringLiteral("ra")}; // shorter than the entries
        l.NewEntry = QStringLiteral("New Phrase");
        l.NewResponse = QStringLiteral("New Response");
        QCOMPARE(l.Add(), 2);
        QCOMPARE(l.Responses[0], (QStringList{QStringLiteral("ra"), QString(), QStringLiteral("New Response")}));
        QCOMPARE(l.Responses[2], (QStringList{QString(), QString(), QString()}));
        l.Remove(0);
        l.SetResponse(1, 0, QStringLiteral("rb2"));
        QCOMPARE(l.Entries, (QStringList{QStringLiteral("b"), QStringLiteral("New Phrase")}));
        QCOMPARE(l.Responses[0].first(), QString());
        QCOMPARE(l.Responses[1].first(), QStringLiteral("rb2"));
    }

    void helpTopics()
    {
        TfrmSetup &d = open();
        QStringList topics;
        d.OnHelp = [&](const QString &t) { topics << t; };
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        d.pages->setCurrentIndex(tSetupModel::CommandsPage);
        QTest::keyClick(&d, Qt::Key_F1);
        d.pages->setCurrentIndex(tSetupModel::GeneralPage);
        d.btnHelp->click();
        QCOMPARE(topics, (QStringList{QStringLiteral("User Defined Commands"), QStringLiteral("General Options Tab ")}));
        QCOMPARE(tSetupModel::HelpTopic(8), QStringLiteral("Chat Configuration"));
    }
};

QC_TEST(SetupDialogTest)
#include "SetupDialogTest.moc"
