#include "TestMain.h"

#include "profile/Profile.h"
#include "ui/ChatActions.h"

#include <QAction>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>

namespace {
QStringList captions(const QMenu *m)
{
    QStringList out;
    for (QAction *a : m->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}
QStringList split(const char *s) { return QString::fromLatin1(s).split(QLatin1Char('|')); }
} // namespace

class ChatActionsTest : public QObject
{
    Q_OBJECT
private slots:
    void menusInOrderWithSeparators()
    {
        QMainWindow w;
        tProfile p;
        TChatActions ac(&w, p);
        ac.BuildMenus(w.menuBar());
        QStringList bar;
        for (QAction *a : w.menuBar()->actions())
            bar << a->text() + QLatin1Char('=') + a->statusTip();
        QCOMPARE(bar, split("&File=File functions|&Edit=Cut/Paste/Pause chat|&Options=Program settings and actions|"
                            "&Users=User database functions|&Sounds=Play a wav file to other QuorlChat users|"
                            "&Window=Window Layout|&Help=Help on this program"));
        QCOMPARE(captions(ac.mnuFile), split("&New|-|&Open Chat File...|&Save Chat Settings|Save &As...|-|"
                                             "&Import Files from Version 4|&Update Server List|-|E&xit"));
        QCOMPARE(captions(ac.mnuEdit), split("Chat P&ause|-|Cu&t|&Copy|&Paste|&Select All"));
        QCOMPARE(captions(ac.mnuOptions), split("&Connect|&Away|&DND|&Whisper Lock|-|&Text File...|E&xecute Program...|-|"
                                                "&Join Channel...|&List Users...|Add Channel to &Favorites|-|"
                                                "&Fonts and Colors...|&Setup...|Edit &Macros"));
        QCOMPARE(captions(ac.mnuUsers), split("&User Information...|&Reorder Custom List...|User &Accounts"));
        QCOMPARE(captions(ac.mnuSounds), split("&Refresh Sound List|-"));
        QCOMPARE(captions(ac.mnuWindow), split("&Custom User List|&User List|&Whisper Window|-|&Show Toolbar Labels|"
                                               "Tool&bar|&Favorite Channels|-|&Customize Toolbar|&Edit Favorites"));
        QCOMPARE(captions(ac.mnuHelp), split("Chat &Help|-|&About QuorlChat"));
        QCOMPARE(captions(ac.mnuChat), split("&Users|&Time|&Join Channel...|&List Users...|-|&Copy|&Select All|-|&Rejoin|-|"
                                             "&Clear|&Save To File..."));
        QCOMPARE(ac.acSound, ac.mnuSounds->menuAction());
    }

    void shortcutsHintsAndCheckMarks()
    {
        QMainWindow w;
        tProfile p;
        TChatActions ac(&w, p);
        struct Row { QAction *a; const char *keys; const char *hint; bool checkable; };
        const Row rows[] = {
            {ac.acOpen, "Ctrl+O", nullptr, false}, {ac.acSave, "Ctrl+S", nullptr, false},
            {ac.acPause, "F12", "Pause incoming messages to allow cutting/pasting", true},
            {ac.acCut, "Ctrl+X", nullptr, false}, {ac.acCopy, "Ctrl+C", nullptr, false},
            {ac.acPaste, "Ctrl+V", nullptr, false}, {ac.acSelectAll, "", nullptr, false},
            {ac.acConnect, "F4", "Connect to the server", true}, {ac.acAway, "Ctrl+A", "Set AWAY mode", true},
            {ac.acDND, "Ctrl+D", "Activate DND mode", true},
            {ac.acLock, "Ctrl+W", "Whisper Lock (all messages are sent to the selected user only)", true},
            {ac.acText, "Ctrl+T", "Read a text file into the channel or to a user", true},
            {ac.acLaunch, "", "Execute a program...", false}, {ac.acJoin, "Ctrl+J", nullptr, false},
            {ac.acList, "Ctrl+L", nullptr, false},
            {ac.acAddFavorite, "", "Add the current channel to favorite channel list", false},
            {ac.acFonts, "Ctrl+F", nullptr, false}, {ac.acSetup, "F6", nullptr, false},
            {ac.acMacros, "F11", nullptr, false}, {ac.acUserInfo, "Ctrl+U", nullptr, false},
            {ac.acAccounts, "", "Display account number information for users", false},
            {ac.acSeverList, "", "Update server list from an external file", false},
            {ac.acReloadsounds, "", "Refresh the sound list", false},
            {ac.acUserDef, "", nullptr, true}, {ac.acUserList, "", nullptr, true}, {ac.acWhisperVis, "", nullptr, true},
            {ac.acTextLabel, "", "Show the labels on tool buttons", true}, {ac.acToolbar, "", "Show the toolbar", true},
            {ac.acFavorite, "", "Hide/Show the Favorite Channel Toolbar", true},
            {ac.acCustom, "", "Define which buttons to display on toolbar", false},
            {ac.acEditFavorite, "", "Edit the list of favorite channels", false},
            {ac.acHelpScreen, "F1", nullptr, false}, {ac.acUndo, "Ctrl+Z", "Undo Typing", false},
            {ac.acMaster, "Ctrl+F1", "Toggle Master Event Switch", true},
            {ac.acPhrase, "Ctrl+F2", "Toggle Phrase Responses", true},
            {ac.acWhisper, "Ctrl+F3", "Toggle Whisper Responses", true}, {ac.acBan, "Ctrl+F4", "Toggle Auto-Ban", true},
            {ac.acNoBan, "Ctrl+F5", "Toggle Exclusion Ban", true}, {ac.acTimer, "Ctrl+F6", "Toggle Timer Events", true},
            {ac.acJoinSwitch, "Ctrl+F7", "Toggle User Join Response", true},
        };
        for (const Row &r : rows) {
            QCOMPARE(r.a->shortcut().toString(QKeySequence::PortableText), QString::fromLatin1(r.keys));
            QVERIFY2(!r.a->statusTip().isEmpty(), qPrintable(r.a->text()));
            if (r.hint)
                QCOMPARE(r.a->statusTip(), QString::fromLatin1(r.hint));
            QCOMPARE(r.a->isCheckable(), r.checkable);
        }
        // The switches stand in no menu.
        ac.BuildMenus(w.menuBar());
        for (QAction *s : ac.Switches())
            for (QMenu *m : {ac.mnuFile, ac.mnuEdit, ac.mnuOptions, ac.mnuUsers, ac.mnuSounds, ac.mnuWindow, ac.mnuHelp})
                QVERIFY(!m->actions().contains(s));
        QCOMPARE(int(ac.Switches().size()), 7);
    }

    void switchesFollowTheirFlags()
    {
        QMainWindow w;
        tProfile p;
        TChatActions ac(&w, p);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        using G = bool (tChatSettings::*)() const;
        const G flags[] = {&tChatSettings::MasterEvents, &tChatSettings::RespondPhrases, &tChatSettings::RespondWhispers,
                           &tChatSettings::AutoBan, &tChatSettings::BanAllExcept, &tChatSettings::RespondTimers,
                           &tChatSettings::RespondJoins};
        for (int i = 0; i < 7; ++i) {
            p.Modified = false;
            QVERIFY(!(p.Settings.*flags[i])());
            QTest::keyClick(&w, Qt::Key(Qt::Key_F1 + i), Qt::ControlModifier);
            QVERIFY2((p.Settings.*flags[i])(), qPrintable(ac.Switches()[size_t(i)]->text()));
            QVERIFY(p.Modified);
            for (int j = 0; j < 7; ++j)
                QCOMPARE((p.Settings.*flags[j])(), j <= i);
        }
        // A flag changed elsewhere shows at the next update.
        p.Settings.setAutoBan(false);
        QVERIFY(ac.acBan->isChecked());
        ac.Update({});
        QVERIFY(!ac.acBan->isChecked());
        QVERIFY(ac.acMaster->isChecked());
    }

    void updateFollowsState()
    {
        QMainWindow w;
        tProfile p;
        TChatActions ac(&w, p);
        tActionState st;
        ac.acPause->setChecked(true);
        ac.Update(st);
        QCOMPARE(ac.acConnect->text(), QStringLiteral("&Connect"));
        QVERIFY(!ac.acConnect->isChecked());
        for (QAction *a : {ac.acAway, ac.acDND, ac.acText, ac.acList, ac.acJoin, ac.acPause})
            QVERIFY(!a->isEnabled());
        QVERIFY(!ac.acPause->isChecked());
        QVERIFY(!ac.acSound->isEnabled());
        QVERIFY(!ac.acCut->isEnabled() && !ac.acCopy->isEnabled() && !ac.acPaste->isEnabled() && !ac.acSelectAll->isEnabled());
        QVERIFY(ac.acSetup->isEnabled() && ac.acFonts->isEnabled());

        st.LoggedOn = true;
        st.SoundsFolderExists = true;
        st.Reciting = true;
        st.EditFocused = true;
        st.ClipboardHasText = true;
        ac.Update(st);
        QCOMPARE(ac.acConnect->text(), QStringLiteral("&Disconnect"));
        QVERIFY(ac.acConnect->isChecked());
        for (QAction *a : {ac.acAway, ac.acDND, ac.acText, ac.acList, ac.acJoin, ac.acPause})
            QVERIFY(a->isEnabled());
        QVERIFY(ac.acText->isChecked() && ac.acSound->isEnabled());
        QVERIFY(ac.acCopy->isEnabled() && ac.acSelectAll->isEnabled());
        QVERIFY(!ac.acCut->isEnabled() && !ac.acPaste->isEnabled()); // only in the entry line
        st.EditFocused = false;
        st.EntryFocused = true;
        ac.Update(st);
        QVERIFY(ac.acCut->isEnabled() && ac.acPaste->isEnabled() && ac.acCopy->isEnabled());
        st.ClipboardHasText = false;
        ac.Update(st);
        QVERIFY(!ac.acPaste->isEnabled());
        ac.acPause->setChecked(true);
        ac.Update(st);
        QVERIFY(ac.acPause->isChecked()); // kept while logged on
    }

    void windowShortcutsWinInKeptWidgets()
    {
        QMainWindow w;
        tProfile p;
        TChatActions ac(&w, p);
        auto *edit = new QLineEdit(QStringLiteral("some text"));
        w.setCentralWidget(edit);
        ac.KeepShortcuts(edit);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        QSignalSpy away(ac.acAway, &QAction::triggered);

        ac.acAway->setEnabled(false); // disabled: the line edit keeps Ctrl+A
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(away.count(), 0);
        QVERIFY(edit->hasSelectedText());

        edit->deselect();
        ac.acAway->setEnabled(true);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(away.count(), 1);
        QVERIFY(!edit->hasSelectedText());

        QSignalSpy undo(ac.acUndo, &QAction::triggered);
        QTest::keyClicks(edit, QStringLiteral("x"));
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier); // the field's own undo
        QCOMPARE(edit->text(), QStringLiteral("some text"));
        QCOMPARE(undo.count(), 0);
    }
};

QC_TEST(ChatActionsTest)
#include "ChatActionsTest.moc"
