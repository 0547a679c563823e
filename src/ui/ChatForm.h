#pragma once
#include <QMainWindow>
#include <QPointer>
#include <QStringListModel>
#include <QTimer>
#include <functional>
#include <memory>

#include "automation/AccountLookup.h"
#include "net/ChatInterface.h"
#include "net/Interpreters.h"
#include "profile/ChatIni.h"
#include "profile/ProfileFiles.h"
#include "ui/ChatActions.h"
#include "ui/PaneLayout.h"
#include "ui/ProfileActions.h"
#include "ui/Prompts.h"
#include "ui/UserIcons.h"
#include "view/ChannelEvents.h"
#include "view/ChannelUsers.h"
#include "view/ChatTools.h"
#include "view/EntryLine.h"
#include "view/ReplyList.h"
#include "view/Session.h"
#include "view/SessionLog.h"
#include "view/Sound.h"
#include "view/Transcript.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSplitter;
class QToolBar;
class TDialogPrompts;
class TfrmUserInfo;
class TTabEdit;
class TChatAutomation;
class tAutomation;
class TfrmHelp;
class TfrmLaunch;
class TTranscriptView;
class TUserListView;
class TfrmWhisper;
struct tProfile;

// The main window. It owns the connection, both interpreters, the panes and the channel state,
// binds their events to the session and the channel event handling, and shows their models.
// Split by concern: ChatForm.cpp (ownership and binding), ChatFormLayout.cpp (widgets, pane
// layout, appearance), ChatFormActions.cpp (menus, edit actions, transcript menu, idle update),
// ChatFormEntry.cpp (entry line and keys), ChatFormStartup.cpp (Chat.ini, start-up, shut-down,
// file actions), ChatFormHosts.cpp (what the session and the channel handlers ask of the window),
// ChatFormLinks.cpp (entry points into the dialogs and windows around it).
class TfrmChat : public QMainWindow,
                 private tSessionHost,
                 private tChannelHost,
                 private tSoundPlayer,
                 private tEntryHost,
                 private tProfileHost,
                 private ProfileReporter
{
    Q_OBJECT
public:
    static constexpr quint16 GatewayPort = 6112;
    static constexpr int FloodInterval = 2500;
    static constexpr int ChannelBoxHeight = 25;
    static constexpr int EntryPanelHeight = 33;

    explicit TfrmChat(tProfile &profile, QWidget *parent = nullptr);
    ~TfrmChat() override;

    tProfile &Profile() const { return m_profile; }
    TChatInterface &ChatInterface() { return m_chatInterface; }
    TBnetChat &bcChat() { return m_bcChat; }
    TTextChat &tcChat() { return m_tcChat; }
    tSession &Session() { return m_session; }
    tChannelEvents &Events() { return m_events; }
    tChannelUsers &ChannelUsers() { return m_users; }
    tReplyList &Replies() { return m_replies; }
    tSessionLog &Log() { return m_log; }
    tTranscript &ChatText() { return m_chatText; }
    tTranscript &WhisperText() { return m_whisperText; }
    TIconTable &Icons() { return m_icons; }
    TChatActions &Actions() { return *m_actions; }
    tEntryLine &Entry() { return *m_entry; }
    TProfileActions &FileActions() { return *m_fileActions; }

    TTranscriptView *reChat = nullptr;
    TTranscriptView *reWhisper = nullptr;
    QLineEdit *edChannel = nullptr;
    TUserListView *lstUser = nullptr;
    TUserListView *lstDef = nullptr;
    TTabEdit *edEntry = nullptr;
    QPushButton *btnSend = nullptr;
    QPushButton *btnEmote = nullptr;
    QPushButton *btnWhisper = nullptr;
    QToolBar *pnlBar = nullptr;
    QToolBar *pnlFavorites = nullptr;
    QWidget *pnlUsers = nullptr;
    QWidget *pnlChannel = nullptr;
    QWidget *pnlUrl = nullptr;
    QWidget *pnlEntry = nullptr;
    QSplitter *Splitter1 = nullptr; // lstUser | lstDef
    QSplitter *Splitter2 = nullptr; // centre | user panel
    QSplitter *Splitter3 = nullptr; // reChat | reWhisper
    QAction *acConnect = nullptr;
    QAction *acPause = nullptr;
    QAction *acAway = nullptr;
    QString StatusText(int panel) const;

    // Message boxes go here; by default the prompts' message box, which does not block.
    std::function<void(const QString &text)> MessageBoxHandler;
    // Replaces the sound player (tests record instead of playing); null restores the real one.
    void SetSoundPlayer(tSoundPlayer *player) { m_player = player ? player : &m_qtPlayer; }
    // The automation plugged into the channel handlers; it hands information lines on to the account lookup.
    void SetAutomation(tAutomationHooks *hooks) { m_events.SetAutomation(hooks); }
    tAccountLookup &Accounts() { return m_accountLookup; }
    // Responses, remote commands, timed messages, macros and the text file sender
    // (ChatFormAutomation.cpp), and the one-second Timer that drives them.
    tAutomation &Automation();
    QTimer &Timer();
    // Replaces the dialogs (tests answer them); null restores the real ones.
    void SetPrompts(TPrompts *prompts);
    TPrompts &Prompts() const { return *m_prompts; }
    // The folder Chat.ini, the sounds and the file dialogs are taken from; set before the first show.
    void SetProgramFolder(const QString &folder);
    QString ChatIniPath() const { return m_programFolder + QStringLiteral("Chat.ini"); }

    // Copies the account into the interpreter and reopens the session log from the profile.
    void ApplyProfile();
    // Fonts, item heights and colours of every pane from the profile.
    void ApplyAppearance();
    // Shows and sizes the panes from the layout switches.
    void ApplyPaneLayout();
    // Opens the session log; "Log File is invalid" as a message box on failure.
    void OpenSessionLog();

    // The layout switches of the Window menu; ApplyPaneLayout shows them.
    tPaneSwitches Switches;
    // Text-file sender and response settings kept in Chat.ini.
    QString TextFileName;
    QString TextTarget;
    QString IgnorePrefix;
    QStringList TextLines;

    // Start-up and shut-down with Chat.ini.
    void StartUp();
    void ReadLayout(const QString &iniPath);
    void WriteLayout(const QString &iniPath);
    bool StartedUp() const { return m_startedUp; }
    // Program end: the session log is closed.
    void ReleaseProfile();
    // Sizes of the user panel (width), custom list and whisper pane as they stand now.
    int UserPanelWidth() const;
    int CustomListHeight() const;
    int WhisperPaneHeight() const;

    // Entry points the windows around the main one share (ChatFormLinks.cpp); each does nothing
    // until the window behind it exists.
    // The help window at the first whole-word occurrence of the topic.
    void ShowHelp(const QString &topic);
    // The user information dialog, brought up at the named record (none for an empty name).
    void ShowUserInfo(const QString &name);
    // Rebuilds the Sounds menu and the user pop-ups' sound menus from the "Sounds" folder.
    void BuildSoundMenus();
    // The "Send URL" dialog for a user.
    void SendUrlTo(const QString &user);

    // The setup, user information and appearance dialogs (ChatFormDialogs.cpp).
    void ShowSetup();
    void ShowAppearance();
    TfrmUserInfo *UserInfoDialog() const { return m_userInfo; }
    // Replaces the settings dialogs' questions and pickers (tests answer them); null restores the real ones.
    void SetDialogPrompts(TDialogPrompts *prompts);
    // Runs a modal settings dialog; by default exec(). Tests drive the dialog here instead.
    std::function<void(QDialog &)> DialogRunner;
    // The user panel (ChatFormUsers.cpp): the pop-up menus of both lists, their commands, the
    // custom list's upkeep, drag and drop, Change Icon and the whisper windows.
    QMenu *mnuUser = nullptr;
    QMenu *mnuDef = nullptr;
    QMenu *mnUserSound = nullptr; // "&Play Sound", filled with the sounds
    QAction *acAddIcon = nullptr;
    // Opens the user information dialog for the name, offering to add a record it lacks.
    void UserInformation(const QString &name);
    void AddToCustom(const QString &name);
    void AddCustomUser();
    void EditCustomUser();
    void DeleteCustomUser();
    void ReorderCustomList();
    void ChangeIcon();
    // The double-click action of the setting "Double-Clicking a User Should" on the list's selection.
    void UserDoubleClicked(TUserListView *list);
    // Shows the user's whisper window, opening it first when there is none (names ignoring case).
    TfrmWhisper *OpenWhisperWindow(const QString &user);
    const QList<TfrmWhisper *> &WhisperWindows() const { return m_whisperWindows; }
    // The account lookup window, preselecting the name.
    void ShowAccounts(const QString &name);
    // Tool bar, favourites bar, sound menus and the URL bar (ChatFormBars.cpp).
    QList<qint32> ToolbarDefinition;
    void LoadToolbar();
    bool SaveToolbar(); // reports a failure
    void BuildToolbar();
    void BuildFavorites();
    // Fills `menu` with the sounds of `tree`; they go to the user `user` names when clicked, to the channel
    // when `user` is null. AddUserSoundMenu keeps such a menu filled on every rebuild.
    void FillSoundMenu(QMenu *menu, const std::function<QString()> &user, const tSoundTree &tree);
    void AddUserSoundMenu(QMenu *menu, const std::function<QString()> &user);
    tChatTools &Tools() { return *m_tools; }
    // The favourite button the mouse last moved over (-1: none).
    int HoveredFavorite() const { return m_hoveredFavorite; }
    QMenu *mnFavorite = nullptr;
    QMenu *mnFavoriteBar = nullptr;
    QLabel *lblUserUrl = nullptr;
    QLabel *lblUrl = nullptr;
    QPushButton *btnCloseURL = nullptr;
    // The help window and the launcher, created once after the main window and kept to the end.
    void CreatePermanentWindows();
    TfrmHelp *HelpWindow() const { return m_help; }
    TfrmLaunch *LaunchWindow() const { return m_launch; }
    // The version 4 import and the server list update of the File menu.
    void ImportVersion4Files();
    void UpdateServerList();

    // The idle update: enabling, check marks, captions, status panel 1 and the pause release.
    void UpdateActions();
    // The pane the transcript menu's Clear and Save act on.
    tTranscript &MenuTarget() const { return *m_menuTarget; }
    // Focus to the entry line, caret at its end, nothing selected.
    void Refocus() override;
    // The caret stops blinking after this long without input, so an idle window sleeps.
    static constexpr int CaretBlinkTimeout = 10000; // ms
    void SetCaretBlinkTimeout(int ms) { m_blinkStop.setInterval(ms); m_blinkStop.start(); }

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void changeEvent(QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void buildLayout();
    void buildActions();
    void bindEvents();
    void bindEntry();
    void makeFileActions();
    void fillCustomList();
    void editAction(QAction *which);
    void selectChannel(bool join);
    void saveTranscript();
    bool handleKey(QKeyEvent *k);
    void userInput();
    void moveListSelection(int step);
    // False when Chat.ini or the toolbar file could not be written (each is reported).
    bool finishShutDown();
    void rememberPaneSizes();
    void writeLayoutKeys(tIniFile &ini);
    void showBars();
    void applyPaneSizes();
    void bindDialogs();
    void buildUserPanes();
    void loadIcons();
    void popupUserMenu(TUserListView *list, const QPoint &pos);
    // The name a user pop-up menu acts on: the one it was opened for, while it is open; else the selection.
    QString menuName(const TUserListView *list) const;
    void enableUserMenus();
    void setCustomList(const QStringList &names, int select);
    void listDropped(TUserListView *source, int target);
    bool entryDrop(QEvent *e);
    void closeWhisperWindows();
    void applyUserPaneColours();
    void setupAutomation();
    // Ctrl+Alt+letter: the macros of that key; true when one fired.
    bool macroKey(const QKeyEvent *k);
    friend class TChatAutomation;
    void buildBars();
    void favoriteMenu(int which);
    // Removes a sound menu's entries after the first `keep`, with their sub-menus.
    void clearSoundEntries(QMenu *menu, int keep);
    void bindHelpActions();
    void createHelpWindow();

    // tSessionHost
    void SetStatus(int panel, const QString &text) override;
    void WriteChat(const QString &text, const QColor &color) override;
    void ShowMessage(const QString &text) override;
    void ClearChannel() override;
    void SetConnectChecked(bool checked) override;
    void SetPauseChecked(bool checked) override;
    void EnableChatButtons(bool enabled) override;
    void FocusEntry() override { Refocus(); }
    // tChannelHost
    tTranscript &ChatPane() override { return m_chatText; }
    tTranscript &WhisperPane() override { return m_whisperText; }
    bool WhisperPaneVisible() const override;
    tTranscript *WhisperWindowPane(const QString &user) override;
    void SendLine(const QString &text) override;
    void SetAwayChecked(bool checked) override;
    void WelcomeCheck(const QString &text) override { m_session.WelcomeCheck(text); }
    void RefusedLoginCheck(const QString &line) override { m_session.RefusedLoginCheck(line); }
    void UniqueNameReceived(const QString &name) override { m_session.UniqueNameReceived(name); }
    QString UniqueName() const override { return m_session.UniqueName; }
    QString ProgramFolder() const override { return m_programFolder; }
    void ShowUrl(const QString &caption, const QString &address) override;
    // tSoundPlayer
    void PlaySound(const QString &path) override { m_player->PlaySound(path); }
    // tEntryHost
    bool LoggedOn() const override { return m_session.LoggedOn; }
    bool WhisperLock() const override;
    QString SelectedUser() const override;
    QString SelectedDef() const override;
    QString EntryText() const override;
    void SetEntryText(const QString &text) override;
    void InsertAtCaret(const QString &text) override;
    void HistoryInserted(const QString &text) override;
    void EchoOwnText(const QString &text) override { m_events.EchoOwnText(text); }
    void WriteWhisperInfo(const QString &text) override;
    void LogEvent(const QString &text) override;
    void AskText(const QString &title, const QString &prompt, const QString &preset, TextAnswer done) override;
    void SetDndChecked(bool on) override;
    // tProfileHost
    void WriteInfo(const QString &text) override;
    void WriteError(const QString &text) override;
    void ProfileLoaded(bool complete) override;
    void ProfileCleared() override;
    // ProfileReporter
    void showMessage(const QString &text) override { ShowMessage(text); }

    tProfile &m_profile;
    TChatInterface m_chatInterface;
    TBnetChat m_bcChat;
    TTextChat m_tcChat;
    tTranscript m_chatText;
    tTranscript m_whisperText;
    tChannelUsers m_users;
    tReplyList m_replies;
    tSessionLog m_log;
    tQtSoundPlayer m_qtPlayer;
    tSoundPlayer *m_player = &m_qtPlayer;
    TIconTable m_icons;
    tSession m_session;
    tChannelEvents m_events;
    tAccountLookup m_accountLookup;
    QStringListModel m_defModel;
    QTimer m_blinkStop;
    int m_flashTime = 0; // the caret's blink period while it blinks

    QString m_programFolder;
    TWidgetPrompts *m_widgetPrompts = nullptr;
    TPrompts *m_prompts = nullptr;
    TChatActions *m_actions = nullptr;
    TChatAutomation *m_automation = nullptr; // a child of the window
    std::unique_ptr<tEntryLine> m_entry;
    std::unique_ptr<TProfileActions> m_fileActions;
    tTranscript *m_menuTarget = &m_whisperText;

    std::unique_ptr<tChatTools> m_tools;
    int m_hoveredFavorite = -1;
    const TUserListView *m_menuList = nullptr; // the list whose pop-up menu is open
    QString m_menuName;
    quint64 m_menuOpened = 0; // counts the pop-ups, so a late reset spares a newer one
    QList<QPair<QPointer<QMenu>, std::function<QString()>>> m_userSoundMenus;

    QLabel *m_panels[2] = {nullptr, nullptr};
    QString m_panel0;         // the progress text; a hint covers it only while shown
    bool m_showingHint = false;
    bool m_startedUp = false;
    bool m_closing = false;   // the close question is up
    bool m_closeAllowed = false;
    bool m_inUpdate = false;
    bool m_soundsFolderExists = false;
    bool m_clipboardHasText = false;
    // Pane sizes, kept while a pane is hidden.
    int m_userWidth = 162;
    int m_customHeight = 132;
    int m_whisperHeight = 132;
    // Minimised: sizes are refused until the window is restored.
    bool m_resizable = true;
    QSize m_savedSize;
    QList<int> m_savedSplit[3];
    // The settings dialogs: their real prompts, the ones in use, and the one dialog that lives on.
    std::unique_ptr<TDialogPrompts> m_modalPrompts;
    TDialogPrompts *m_dialogPrompts = nullptr;
    TfrmUserInfo *m_userInfo = nullptr;
    QList<TfrmWhisper *> m_whisperWindows; // in opening order
    QObject *m_entryDropFilter = nullptr;
    TfrmHelp *m_help = nullptr;
    TfrmLaunch *m_launch = nullptr;
};
