#pragma once
#include <QObject>
#include <QString>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;
class tChatSettings;
struct tProfile;

// What the idle update looks at; gathered by the window each time the loop goes idle.
struct tActionState
{
    bool LoggedOn = false;
    bool SoundsFolderExists = false;
    bool Reciting = false;          // a text file is being sent
    bool EntryFocused = false;      // the entry line has the keyboard focus
    bool EditFocused = false;       // a transcript pane or the channel box has it
    bool ClipboardHasText = false;
    bool EntryCanUndo = false;      // the entry line has typing to undo
};

// Every action of the main window, its menus and the transcript pop-up menu. The actions carry
// their captions, shortcuts and hints; the window connects the ones it handles.
class TChatActions : public QObject
{
    Q_OBJECT
public:
    TChatActions(QWidget *window, tProfile &profile);

    // Fills the main menu bar in the order File, Edit, Options, Users, Sounds, Window, Help.
    void BuildMenus(QMenuBar *bar);

    // Enabled and checked states from the state; captions that follow it; switch check marks
    // from their profile flags. Changes nothing that is already right.
    void Update(const tActionState &state);

    // While `w` has the focus, the window's shortcuts win over the keys the widget would
    // otherwise keep for itself (Ctrl+A in a line edit is Away here, as the menu says).
    void KeepShortcuts(QWidget *w);

    // The seven automation switches, in shortcut order Ctrl+F1 .. Ctrl+F7.
    const std::vector<QAction *> &Switches() const { return m_switches; }
    // Every action the window owns, for tests and for binding shortcuts.
    const std::vector<QAction *> &All() const { return m_all; }

    // File
    QAction *acNew, *acOpen, *acSave, *acSaveAs, *acImport, *acSeverList, *acExit;
    // Edit
    QAction *acPause, *acCut, *acCopy, *acPaste, *acSelectAll, *acUndo;
    // Options
    QAction *acConnect, *acAway, *acDND, *acLock, *acText, *acLaunch, *acJoin, *acList, *acAddFavorite,
        *acFonts, *acSetup, *acMacros;
    // Users
    QAction *acUserInfo, *acReorder, *acAccounts;
    // Sounds
    QAction *acSound, *acReloadsounds, *acStopSounds;
    // Window
    QAction *acUserDef, *acUserList, *acWhisperVis, *acTextLabel, *acToolbar, *acFavorite, *acCustom,
        *acEditFavorite;
    // Help
    QAction *acHelpScreen, *acAbout;
    // Automation switches (no menu: reached by their shortcuts)
    QAction *acMaster, *acPhrase, *acWhisper, *acBan, *acNoBan, *acTimer, *acJoinSwitch;
    // Transcript pop-up entries of their own
    QAction *acChatUsers, *acChatTime, *acChatRejoin, *acChatClear, *acChatSave;

    QMenu *mnuFile, *mnuEdit, *mnuOptions, *mnuUsers, *mnuSounds, *mnuWindow, *mnuHelp;
    // The transcript pop-up menu of both panes.
    QMenu *mnuChat;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    QAction *make(const QString &text, const QString &hint, const QString &shortcut = QString(), bool checkable = false);
    QMenu *menu(const QString &title, const QString &hint);
    void bindSwitch(QAction *a, bool (tChatSettings::*get)() const, void (tChatSettings::*set)(bool));

    QWidget *m_window;
    tProfile &m_profile;
    std::vector<QAction *> m_all;
    std::vector<QAction *> m_switches;
    std::vector<bool (tChatSettings::*)() const> m_switchFlags;
};
