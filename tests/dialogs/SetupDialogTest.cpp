#include "TestMain.h"

#include "FakeDialogPrompts.h"
#include "dialogs/EditorGuards.h"
#include "dialogs/PropertyGrid.h"
#include "dialogs/SetupDialog.h"
#include "dialogs/StringListEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QWheelEvent>

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
    void cleanup() { dlg.reset(); } // the dialog goes before the profile it edits

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

    // What a remote command changes while the dialog stands survives "&Ok" (and "&Cancel" keeps it
    // marked for saving); what the user edited here is applied beside it.
    void remoteChangesSurviveTheDialog_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("ok");
        QTest::newRow("/deleteowner Mallory, Ok") << 0 << true;
        QTest::newRow("/allevents off, Ok") << 1 << true;
        QTest::newRow("/addban X, Ok") << 2 << true;
        QTest::newRow("/addban X, Cancel") << 2 << false;
    }
    void remoteChangesSurviveTheDialog()
    {
        QFETCH(int, command);
        QFETCH(bool, ok);
        profile->OwnerList << QStringLiteral("Mallory");
        profile->Settings.setMasterEvents(true);
        TfrmSetup &d = open();
        d.Model().SetOption(tSetupModel::IncludeIconsRow, QStringLiteral("No"));
        QTest::keyClicks(d.edJoin, QStringLiteral("Hi"));
        const bool iconsBefore = profile->Settings.IncludeIcons();
        profile->Modified = false;
        switch (command) {
        case 0: profile->OwnerList.removeAll(QStringLiteral("Mallory")); break;
        case 1: profile->Settings.setMasterEvents(false); break;
        case 2: profile->BanList << QStringLiteral("X"); break;
        }
        profile->Modified = true;
        ok ? d.btnOk->click() : d.btnCancel->click();
        QCOMPARE(profile->OwnerList, command == 0 ? QStringList{QStringLiteral("Boss")}
                                                  : (QStringList{QStringLiteral("Boss"), QStringLiteral("Mallory")}));
        QCOMPARE(profile->Settings.MasterEvents(), command != 1);
        QCOMPARE(profile->BanList.contains(QStringLiteral("X")), command == 2);
        QCOMPARE(profile->Settings.IncludeIcons(), ok ? false : iconsBefore);
        QCOMPARE(profile->Settings.JoinResponse(), ok ? QStringLiteral("Hi") : QString());
        QVERIFY(profile->Modified);
    }

    // A wheel turn over a setting changes it only when its editor has the focus.
    void wheelChangesOnlyTheFocusedEditor_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("editor");
        QTest::newRow("grid Yes/No") << int(tSetupModel::GeneralPage) << QStringLiteral("yesno");
        QTest::newRow("grid pick list") << int(tSetupModel::GeneralPage) << QStringLiteral("doubleclick");
        QTest::newRow("grid number") << int(tSetupModel::GeneralPage) << QStringLiteral("recite");
        QTest::newRow("user name pick list") << int(tSetupModel::GeneralPage) << QStringLiteral("username");
        QTest::newRow("response pick list") << int(tSetupModel::ResponsesPage) << QStringLiteral("response");
        QTest::newRow("product action") << int(tSetupModel::ActionsPage) << QStringLiteral("action");
        QTest::newRow("command level") << int(tSetupModel::CommandsPage) << QStringLiteral("level");
        QTest::newRow("timer interval") << int(tSetupModel::TimersPage) << QStringLiteral("interval");
    }
    void wheelChangesOnlyTheFocusedEditor()
    {
        QFETCH(int, page);
        QFETCH(QString, editor);
        TfrmSetup &d = open();
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        d.pages->setCurrentIndex(page);
        d.lstCommand->setCurrentRow(0);
        d.lstTimers->setCurrentItem(d.lstTimers->topLevelItem(0));
        const QHash<QString, QWidget *> editors = {
            {QStringLiteral("yesno"), d.pgOptions->editor(tSetupModel::IncludeIconsRow)},
            {QStringLiteral("doubleclick"), d.pgOptions->editor(tSetupModel::DoubleClickRow)},
            {QStringLiteral("recite"), d.pgOptions->editor(tSetupModel::ReciteDelayRow)},
            {QStringLiteral("username"), d.cmUserName},
            {QStringLiteral("response"), d.slPhrase->ResponseBox(0)},
            {QStringLiteral("action"), d.cmActions[StarAction]},
            {QStringLiteral("level"), d.cmLevel},
            {QStringLiteral("interval"), d.seInterval}};
        QWidget *w = editors.value(editor);
        const auto shown = [w] {
            if (auto *box = qobject_cast<QComboBox *>(w))
                return box->currentText();
            return qobject_cast<QSpinBox *>(w)->text();
        };
        const auto turn = [w](int delta) {
            const QPointF at = QRectF(w->rect()).center();
            QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
            QApplication::sendEvent(w, &e);
        };
        d.btnOk->setFocus();
        const QString before = shown();
        for (int delta : {-120, 120}) {
            turn(delta);
            QCOMPARE(shown(), before);
        }
        QVERIFY(!profile->Modified);
        w->setFocus();
        QTRY_VERIFY(w->hasFocus());
        turn(-120);
        if (shown() == before) // at the end of its range
            turn(120);
        QVERIFY2(shown() != before, "a focused editor still takes the wheel");
    }

    void smallerMends_data()
    {
        QTest::addColumn<QString>("mend");
        QTest::addColumn<int>("page");
        QTest::newRow("timeouts take numbers in range") << QStringLiteral("timeouts") << -1;
        QTest::newRow("multiple passwords off and on") << QStringLiteral("passwords") << -1;
        QTest::newRow("pick list choice in another case") << QStringLiteral("case") << -1;
        QTest::newRow("Enter for Ok remembers a typed name") << QStringLiteral("enter") << -1;
        for (int page = 0; page < tSetupModel::PageCount; ++page)
            QTest::newRow(qPrintable(QStringLiteral("mnemonics of ") + tSetupModel::PageCaption(page)))
                << QStringLiteral("mnemonics") << page;
    }
    void smallerMends()
    {
        QFETCH(QString, mend);
        QFETCH(int, page);
        if (mend == QLatin1String("passwords")) {
            profile->Settings.setAllowMultiPasswords(true);
            profile->PasswordList = {QStringLiteral("pw1"), QStringLiteral("pw2")};
            profile->Settings.setPassword(QStringLiteral("pw2"));
        }
        TfrmSetup &d = open();
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        if (mend == QLatin1String("timeouts")) {
            for (int row : {int(tSetupModel::ConnectTimeoutRow), int(tSetupModel::LoginTimeoutRow)}) {
                auto *spin = qobject_cast<QSpinBox *>(d.pgOptions->editor(row));
                QVERIFY(spin);
                QCOMPARE(spin->minimum(), 2);
                QVERIFY(spin->maximum() >= 100 && spin->maximum() <= 600);
                spin->setFocus();
                spin->selectAll();
                QTest::keyClicks(spin, QStringLiteral("abc"));
            }
            d.btnOk->click();
            QCOMPARE(profile->Settings.ConnectTimeout(), 5);
            QCOMPARE(profile->Settings.LoginTimeout(), 20);
        } else if (mend == QLatin1String("passwords")) {
            d.cbAllowMulti->click();
            d.cbAllowMulti->click();
            QCOMPARE(d.cmPassword->count(), 2);
            QCOMPARE(d.cmPassword->currentText(), QStringLiteral("pw2"));
            d.btnOk->click();
            QCOMPARE(profile->PasswordList, (QStringList{QStringLiteral("pw1"), QStringLiteral("pw2")}));
            QCOMPARE(profile->Settings.Password(), QStringLiteral("pw2"));
        } else if (mend == QLatin1String("case")) {
            d.cmChannel->setFocus();
            d.cmChannel->lineEdit()->clear();
            QTest::keyClicks(d.cmChannel->lineEdit(), QStringLiteral("OP HOME"));
            d.cmUserName->setFocus();
            QCOMPARE(d.Model().Channel.Choices, QStringList{QStringLiteral("Op Home")});
        } else if (mend == QLatin1String("enter")) {
            d.cmUserName->setFocus();
            d.cmUserName->lineEdit()->clear();
            QTest::keyClicks(d.cmUserName->lineEdit(), QStringLiteral("Newbie"));
            QTest::keyClick(d.cmUserName, Qt::Key_Return);
            QCOMPARE(d.result(), int(QDialog::Accepted));
            QCOMPARE(profile->Settings.UserName(), QStringLiteral("Newbie"));
            QVERIFY(profile->NameList.contains(QStringLiteral("Newbie")));
        } else {
            QStringList taken;
            for (QPushButton *b : {d.btnOk, d.btnCancel, d.btnHelp})
                taken << MnemonicOf(b->text());
            QWidget *w = d.pages->widget(page);
            for (auto *b : w->findChildren<QAbstractButton *>())
                if (!MnemonicOf(b->text()).isNull())
                    taken << MnemonicOf(b->text()) + QLatin1Char(' ') + b->text();
            for (auto *l : w->findChildren<QLabel *>())
                if (l->buddy() && !MnemonicOf(l->text()).isNull())
                    taken << MnemonicOf(l->text()) + QLatin1Char(' ') + l->text();
            QSet<QChar> letters;
            for (const QString &t : std::as_const(taken))
                letters << t.at(0);
            QVERIFY2(letters.size() == taken.size(), qPrintable(taken.join(QStringLiteral(", "))));
        }
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
        QCOMPARE(d.cmPassword->count(), 1); // the remembered passwords stay; the masked one is not shown
        QCOMPARE(d.cmPassword->currentText(), QString());
        d.btnOk->click();
        QCOMPARE(profile->Settings.Password(), QString());
        QCOMPARE(profile->PasswordList, QStringList{QStringLiteral("pw1")});
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
        auto *login = qobject_cast<QSpinBox *>(d.pgOptions->editor(tSetupModel::LoginTimeoutRow));
        auto *recite = qobject_cast<QSpinBox *>(d.pgOptions->editor(tSetupModel::ReciteDelayRow));
        QVERIFY(login && recite);
        QCOMPARE(recite->minimum(), 2);
        QCOMPARE(recite->maximum(), 100);
        login->selectAll();
        QTest::keyClicks(login, QStringLiteral("45"));
        qobject_cast<QComboBox *>(d.pgOptions->editor(tSetupModel::DoubleClickRow))->setCurrentIndex(7);
        d.btnOk->click();
        QCOMPARE(profile->Settings.LoginTimeout(), 45); // a number: letters are not taken
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
