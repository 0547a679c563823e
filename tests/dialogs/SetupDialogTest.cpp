#include "TestMain.h"

#include "FakeDialogPrompts.h"
#include "dialogs/AccountForm.h"
#include "dialogs/ChannelDialogs.h"
#include "dialogs/EditorGuards.h"
#include "dialogs/Help.h"
#include "dialogs/PropertyGrid.h"
#include "dialogs/SetupDialog.h"
#include "dialogs/StringListEdit.h"
#include "dialogs/UserInfoDialog.h"
#include "net/Ansi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTextEdit>
#include <QToolTip>
#include <QTreeWidget>
#include <QWheelEvent>
#include <QWindow>

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

// A click as the window system delivers it, so that a window blocked by a modal dialog drops it.
void systemClick(QWidget *w, QPoint at)
{
    QWindow *win = w->window()->windowHandle();
    QTest::mouseClick(win, Qt::LeftButton, {}, win->mapFromGlobal(w->mapToGlobal(at)));
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
    static bool activate(QWidget &w)
    {
        w.show();
        w.activateWindow();
        return QTest::qWaitForWindowActive(&w);
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

    // A remote command applied while the dialog stands survives "&Ok" beside the user's own edit.
    void remoteChangesSurviveTheDialog()
    {
        profile->OwnerList << QStringLiteral("Mallory");
        profile->Settings.setMasterEvents(true);
        TfrmSetup &d = open();
        QTest::keyClicks(d.edJoin, QStringLiteral("Hi"));
        profile->OwnerList.removeAll(QStringLiteral("Mallory")); // "/deleteowner Mallory"
        profile->Settings.setMasterEvents(false);                // "/allevents off"
        profile->BanList << QStringLiteral("X");                 // "/addban X"
        profile->Modified = true;
        d.btnOk->click();
        QCOMPARE(profile->OwnerList, QStringList{QStringLiteral("Boss")});
        QVERIFY(!profile->Settings.MasterEvents());
        QCOMPARE(profile->BanList.last(), QStringLiteral("X"));
        QCOMPARE(profile->Settings.JoinResponse(), QStringLiteral("Hi"));
        profile->Modified = false; // and "&Cancel" leaves such a change marked for saving
        open();
        profile->BanList << QStringLiteral("Y");
        dlg->btnCancel->click();
        QVERIFY(profile->Modified && profile->BanList.contains(QStringLiteral("Y")));
    }

    // A wheel turn over any setting changes it only when its editor has the focus.
    void wheelChangesOnlyTheFocusedEditor()
    {
        TfrmSetup &d = open();
        QVERIFY(activate(d));
        d.lstCommand->setCurrentRow(0);
        d.lstTimers->setCurrentItem(d.lstTimers->topLevelItem(0));
        const auto shown = [](QWidget *w) {
            return w->property(qobject_cast<QComboBox *>(w) ? "currentText" : "text").toString();
        };
        const auto turn = [](QWidget *w, int delta) {
            const QPointF at = QRectF(w->rect()).center();
            QWheelEvent e(at, w->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(w, &e);
        };
        int editors = 0;
        for (int page = 0; page < tSetupModel::PageCount; ++page) {
            d.pages->setCurrentIndex(page);
            for (QWidget *w : d.pages->widget(page)->findChildren<QWidget *>()) {
                if (!(qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractSpinBox *>(w)) || !w->isVisible())
                    continue;
                ++editors;
                d.btnOk->setFocus();
                const QString before = shown(w);
                for (int delta : {-120, 120, 120}) {
                    turn(w, delta);
                    QVERIFY2(shown(w) == before, qPrintable(QString::number(page) + QLatin1Char(' ') + before));
                }
            }
        }
        QVERIFY(editors >= 8);
        QWidget *w = d.pgOptions->editor(tSetupModel::DoubleClickRow);
        d.pages->setCurrentIndex(tSetupModel::GeneralPage);
        w->setFocus();
        QTRY_VERIFY(w->hasFocus());
        const QString before = shown(w);
        turn(w, -120);
        if (shown(w) == before) // at the end of its range
            turn(w, 120);
        QVERIFY2(shown(w) != before, "a focused editor still takes the wheel");
    }

    // Timeouts take numbers in range, a pick list matches in any case, and Enter for "&Ok" remembers
    // a newly typed name (multiple passwords off and on: allowMultiplePasswordsWithoutPassword).
    void smallerMends()
    {
        TfrmSetup &d = open();
        QVERIFY(activate(d));
        for (int row : {int(tSetupModel::ConnectTimeoutRow), int(tSetupModel::LoginTimeoutRow)}) {
            auto *spin = qobject_cast<QSpinBox *>(d.pgOptions->editor(row));
            QVERIFY(spin && spin->minimum() == 2 && spin->maximum() >= 100 && spin->maximum() <= 600);
        }
        d.cmChannel->setFocus();
        d.cmChannel->lineEdit()->clear();
        QTest::keyClicks(d.cmChannel->lineEdit(), QStringLiteral("OP HOME"));
        d.cmUserName->setFocus();
        QCOMPARE(d.Model().Channel.Choices, QStringList{QStringLiteral("Op Home")});
        d.cmUserName->lineEdit()->clear();
        QTest::keyClicks(d.cmUserName->lineEdit(), QStringLiteral("Newbie"));
        QTest::keyClick(d.cmUserName, Qt::Key_Return);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(profile->Settings.UserName(), QStringLiteral("Newbie"));
        QVERIFY(profile->NameList.contains(QStringLiteral("Newbie")));
    }

    void mnemonicsUniquePerPage()
    {
        TfrmSetup &d = open();
        for (int page = 0; page < tSetupModel::PageCount; ++page) {
            QStringList taken;
            QSet<QChar> letters;
            for (QAbstractButton *b : d.pages->widget(page)->findChildren<QAbstractButton *>() +
                                          QList<QAbstractButton *>{d.btnOk, d.btnCancel, d.btnHelp})
                taken << b->text();
            for (auto *l : d.pages->widget(page)->findChildren<QLabel *>())
                taken << (l->buddy() ? l->text() : QString());
            taken.removeIf([](const QString &t) { return MnemonicOf(t).isNull(); });
            for (const QString &t : std::as_const(taken))
                letters << MnemonicOf(t);
            QVERIFY2(letters.size() == taken.size(), qPrintable(taken.join(QStringLiteral(", "))));
        }
    }

    // Fields the profile keeps single-byte take only what the code page stores and say at once what
    // they left out; a new user's name that cannot be stored is refused whole.
    void fieldsKeepOnlyStorableText_data()
    {
        QTest::addColumn<int>("field");
        int i = 0;
        for (const char *f : {"notes", "greeting", "phrase", "response", "join response", "home channel", "timer"})
            QTest::newRow(f) << i++;
    }
    void fieldsKeepOnlyStorableText()
    {
        QFETCH(int, field);
        const auto restore = qScopeGuard([page = ansi::CodePage()] { ansi::SetCodePage(page); });
        QVERIFY(ansi::SetCodePage(1252));
        auto user = std::make_unique<tUser>();
        user->setName(QStringLiteral("Alpha"));
        profile->Users.Add(std::move(user));
        TfrmUserInfo info(*profile, prompts);
        info.ShowUserInfo(QStringLiteral("Alpha"));
        TfrmSetup &setup = open();
        setup.show();
        setup.lstTimers->setCurrentItem(setup.lstTimers->topLevelItem(0));
        QLineEdit *const edits[] = {nullptr, info.edGreeting->lineEdit(), setup.slPhrase->EditField(),
                                    setup.slPhrase->ResponseBox(0)->lineEdit(), setup.edJoin,
                                    setup.cmChannel->lineEdit(), setup.edTimer};
        QToolTip::hideText();
        const QString typed = QStringLiteral("café Привет 日本 🙂"), kept = QStringLiteral("café   ");
        if (QLineEdit *e = edits[field]) {
            e->selectAll();
            e->insert(typed);
            QCOMPARE(e->text(), kept);
        } else {
            info.mNotes->insertPlainText(typed);
            QCOMPARE(info.mNotes->toPlainText(), kept);
        }
        QVERIFY2(QToolTip::text().contains(QStringLiteral("Привет日本🙂")), qPrintable(QToolTip::text()));
        setup.btnOk->click();
        const tUser *u = profile->Users.Items(0);
        const QString stored[] = {u->Notes(), u->Greeting(), profile->PhraseList.value(0),
                                  profile->PhraseRes[0].value(0), profile->Settings.JoinResponse(),
                                  profile->Settings.HomeChannel(), profile->TimerList.value(0)};
        QCOMPARE(stored[field], kept);
        prompts.texts = {QStringLiteral("Влад")};
        info.btnAdd->click();
        QCOMPARE(profile->Users.Count(), 1);
        QCOMPARE(prompts.asked.last(),
                 QStringLiteral("message|A user name cannot hold \"Влад\": the profile cannot store it."));
    }

    // "&Help" of a modal dialog opens a help window the user can scroll and close while it stands.
    void helpWorksOverModalDialogs_data()
    {
        QTest::addColumn<int>("dialog");
        QTest::newRow("setup") << 0;
        QTest::newRow("join channel (window-modal)") << 1;
        QTest::newRow("account") << 2;
    }
    void helpWorksOverModalDialogs()
    {
        QFETCH(int, dialog);
        QWidget main; // owns and deletes the dialogs
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        auto *help = new TfrmHelp(&main);
        help->reHelp->setPlainText(QStringLiteral("topic\n").repeated(400));
        const auto showHelp = [help](const QString &) { help->ShowTopic(QStringLiteral("topic")); };
        auto *setup = dialog == 0 ? new TfrmSetup(*profile, host, prompts, &main) : nullptr;
        auto *join = dialog == 1 ? new TfrmSelectChannel(*profile, QString(), &main) : nullptr;
        auto *account = dialog == 2 ? new TfrmAccount({}, {}, QString(), [&] { showHelp(QString()); }, &main) : nullptr;
        if (setup)
            setup->OnHelp = showHelp;
        if (join)
            join->Help = showHelp;
        QDialog *dlg = setup ? static_cast<QDialog *>(setup) : join ? static_cast<QDialog *>(join) : account;
        dlg->setWindowModality(join ? Qt::WindowModal : Qt::ApplicationModal); // as the main window opens them
        dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg));
        QPushButton *helpButton = setup ? setup->btnHelp : join ? join->btnHelp : account->btnHelp;
        helpButton->click();
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QScrollBar *bar = help->reHelp->verticalScrollBar();
        bar->setValue(bar->maximum());
        systemClick(bar, QPoint(bar->width() / 2, 30));
        QVERIFY2(bar->value() < bar->maximum(), "the help window scrolls while the dialog stands");
        systemClick(help->btnDone, help->btnDone->rect().center());
        QVERIFY2(!help->isVisible(), "the help window closes while the dialog stands");
        helpButton->click();
        dlg->hide();
        QCOMPARE(help->windowHandle()->transientParent(), main.windowHandle()); // the main window's again
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
