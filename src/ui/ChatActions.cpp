#include "ui/ChatActions.h"

#include "profile/Profile.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

TChatActions::TChatActions(QWidget *window, tProfile &profile) : QObject(window), m_window(window), m_profile(profile)
{
    const QString none;
    mnuFile = menu(QStringLiteral("&File"), QStringLiteral("File functions"));
    acNew = make(QStringLiteral("&New"), QStringLiteral("Clear chat settings"));
    acOpen = make(QStringLiteral("&Open Chat File..."), QStringLiteral("Open a chat settings file"), QStringLiteral("Ctrl+O"));
    acSave = make(QStringLiteral("&Save Chat Settings"), QStringLiteral("Save the chat settings"), QStringLiteral("Ctrl+S"));
    acSaveAs = make(QStringLiteral("Save &As..."), QStringLiteral("Save the chat settings under a new name"));
    acImport = make(QStringLiteral("&Import Files from Version 4"), QStringLiteral("Import the lists of a version 4 installation"));
    acSeverList = make(QStringLiteral("&Update Server List"), QStringLiteral("Update server list from an external file"));
    acExit = make(QStringLiteral("E&xit"), QStringLiteral("Exit the program"));
    mnuFile->addAction(acNew);
    mnuFile->addSeparator();
    mnuFile->addActions({acOpen, acSave, acSaveAs});
    mnuFile->addSeparator();
    mnuFile->addActions({acImport, acSeverList});
    mnuFile->addSeparator();
    mnuFile->addAction(acExit);

    mnuEdit = menu(QStringLiteral("&Edit"), QStringLiteral("Cut/Paste/Pause chat"));
    acPause = make(QStringLiteral("Chat P&ause"), QStringLiteral("Pause incoming messages to allow cutting/pasting"), QStringLiteral("F12"), true);
    acCut = make(QStringLiteral("Cu&t"), QStringLiteral("Cut the selected text"), QStringLiteral("Ctrl+X"));
    acCopy = make(QStringLiteral("&Copy"), QStringLiteral("Copy the selected text"), QStringLiteral("Ctrl+C"));
    acPaste = make(QStringLiteral("&Paste"), QStringLiteral("Paste text into the entry line"), QStringLiteral("Ctrl+V"));
    acSelectAll = make(QStringLiteral("&Select All"), QStringLiteral("Select all the text"));
    acUndo = make(QStringLiteral("&Undo"), QStringLiteral("Undo Typing"), QStringLiteral("Ctrl+Z"));
    mnuEdit->addAction(acPause);
    mnuEdit->addSeparator();
    mnuEdit->addActions({acCut, acCopy, acPaste, acSelectAll});

    mnuOptions = menu(QStringLiteral("&Options"), QStringLiteral("Program settings and actions"));
    acConnect = make(QStringLiteral("&Connect"), QStringLiteral("Connect to the server"), QStringLiteral("F4"), true);
    acAway = make(QStringLiteral("&Away"), QStringLiteral("Set AWAY mode"), QStringLiteral("Ctrl+A"), true);
    acDND = make(QStringLiteral("&DND"), QStringLiteral("Activate DND mode"), QStringLiteral("Ctrl+D"), true);
    acLock = make(QStringLiteral("&Whisper Lock"), QStringLiteral("Whisper Lock (all messages are sent to the selected user only)"),
                  QStringLiteral("Ctrl+W"), true);
    acText = make(QStringLiteral("&Text File..."), QStringLiteral("Read a text file into the channel or to a user"), QStringLiteral("Ctrl+T"), true);
    acLaunch = make(QStringLiteral("E&xecute Program..."), QStringLiteral("Execute a program..."));
    acJoin = make(QStringLiteral("&Join Channel..."), QStringLiteral("Join a channel"), QStringLiteral("Ctrl+J"));
    acList = make(QStringLiteral("&List Users..."), QStringLiteral("List the users in a channel"), QStringLiteral("Ctrl+L"));
    acAddFavorite = make(QStringLiteral("Add Channel to &Favorites"), QStringLiteral("Add the current channel to favorite channel list"));
    acFonts = make(QStringLiteral("&Fonts and Colors..."), QStringLiteral("Change the fonts and colors"), QStringLiteral("Ctrl+F"));
    acSetup = make(QStringLiteral("&Setup..."), QStringLiteral("Program setup"), QStringLiteral("F6"));
    acMacros = make(QStringLiteral("Edit &Macros"), QStringLiteral("Edit the keyboard macros"), QStringLiteral("F11"));
    mnuOptions->addActions({acConnect, acAway, acDND, acLock});
    mnuOptions->addSeparator();
    mnuOptions->addActions({acText, acLaunch});
    mnuOptions->addSeparator();
    mnuOptions->addActions({acJoin, acList, acAddFavorite});
    mnuOptions->addSeparator();
    mnuOptions->addActions({acFonts, acSetup, acMacros});

    mnuUsers = menu(QStringLiteral("&Users"), QStringLiteral("User database functions"));
    acUserInfo = make(QStringLiteral("&User Information..."), QStringLiteral("Colors/custom messages for users"), QStringLiteral("Ctrl+U"));
    acReorder = make(QStringLiteral("&Reorder Custom List..."), QStringLiteral("Change the list order"));
    acAccounts = make(QStringLiteral("User &Accounts"), QStringLiteral("Display account number information for users"));
    mnuUsers->addActions({acUserInfo, acReorder, acAccounts});

    mnuSounds = menu(QStringLiteral("&Sounds"), QStringLiteral("Play a wav file to other QuorlChat users"));
    acSound = mnuSounds->menuAction();
    acReloadsounds = make(QStringLiteral("&Refresh Sound List"), QStringLiteral("Refresh the sound list"));
    acStopSounds = make(QStringLiteral("Stop All Sounds"), none);
    mnuSounds->addAction(acReloadsounds);
    mnuSounds->addSeparator();

    mnuWindow = menu(QStringLiteral("&Window"), QStringLiteral("Window Layout"));
    acUserDef = make(QStringLiteral("&Custom User List"), QStringLiteral("Show the custom user list"), none, true);
    acUserList = make(QStringLiteral("&User List"), QStringLiteral("Show the channel user list"), none, true);
    acWhisperVis = make(QStringLiteral("&Whisper Window"), QStringLiteral("Show the whisper window"), none, true);
    acTextLabel = make(QStringLiteral("&Show Toolbar Labels"), QStringLiteral("Show the labels on tool buttons"), none, true);
    acToolbar = make(QStringLiteral("Tool&bar"), QStringLiteral("Show the toolbar"), none, true);
    acFavorite = make(QStringLiteral("&Favorite Channels"), QStringLiteral("Hide/Show the Favorite Channel Toolbar"), none, true);
    acCustom = make(QStringLiteral("&Customize Toolbar"), QStringLiteral("Define which buttons to display on toolbar"));
    acEditFavorite = make(QStringLiteral("&Edit Favorites"), QStringLiteral("Edit the list of favorite channels"));
    mnuWindow->addActions({acUserDef, acUserList, acWhisperVis});
    mnuWindow->addSeparator();
    mnuWindow->addActions({acTextLabel, acToolbar, acFavorite});
    mnuWindow->addSeparator();
    mnuWindow->addActions({acCustom, acEditFavorite});

    mnuHelp = menu(QStringLiteral("&Help"), QStringLiteral("Help on this program"));
    acHelpScreen = make(QStringLiteral("Chat &Help"), QStringLiteral("Help on the main chat screen"), QStringLiteral("F1"));
    acAbout = make(QStringLiteral("&About QuorlChat"), QStringLiteral("About this program"));
    mnuHelp->addAction(acHelpScreen);
    mnuHelp->addSeparator();
    mnuHelp->addAction(acAbout);

    acMaster = make(QStringLiteral("Master Event Switch"), QStringLiteral("Toggle Master Event Switch"), QStringLiteral("Ctrl+F1"), true);
    acPhrase = make(QStringLiteral("Phrase Response Switch"), QStringLiteral("Toggle Phrase Responses"), QStringLiteral("Ctrl+F2"), true);
    acWhisper = make(QStringLiteral("Whisper Response Switch"), QStringLiteral("Toggle Whisper Responses"), QStringLiteral("Ctrl+F3"), true);
    acBan = make(QStringLiteral("AutoBan Switch"), QStringLiteral("Toggle Auto-Ban"), QStringLiteral("Ctrl+F4"), true);
    acNoBan = make(QStringLiteral("NoBan Switch"), QStringLiteral("Toggle Exclusion Ban"), QStringLiteral("Ctrl+F5"), true);
    acTimer = make(QStringLiteral("Timer Switch"), QStringLiteral("Toggle Timer Events"), QStringLiteral("Ctrl+F6"), true);
    acJoinSwitch = make(QStringLiteral("Join Switch"), QStringLiteral("Toggle User Join Response"), QStringLiteral("Ctrl+F7"), true);
    bindSwitch(acMaster, &tChatSettings::MasterEvents, &tChatSettings::setMasterEvents);
    bindSwitch(acPhrase, &tChatSettings::RespondPhrases, &tChatSettings::setRespondPhrases);
    bindSwitch(acWhisper, &tChatSettings::RespondWhispers, &tChatSettings::setRespondWhispers);
    bindSwitch(acBan, &tChatSettings::AutoBan, &tChatSettings::setAutoBan);
    bindSwitch(acNoBan, &tChatSettings::BanAllExcept, &tChatSettings::setBanAllExcept);
    bindSwitch(acTimer, &tChatSettings::RespondTimers, &tChatSettings::setRespondTimers);
    bindSwitch(acJoinSwitch, &tChatSettings::RespondJoins, &tChatSettings::setRespondJoins);

    acChatUsers = make(QStringLiteral("&Users"), QStringLiteral("List the users in this channel"));
    acChatTime = make(QStringLiteral("&Time"), QStringLiteral("Show the server time"));
    acChatRejoin = make(QStringLiteral("&Rejoin"), QStringLiteral("Rejoin this channel"));
    acChatClear = make(QStringLiteral("&Clear"), QStringLiteral("Clear this window"));
    acChatSave = make(QStringLiteral("&Save To File..."), QStringLiteral("Save this window to a text file"));
    mnuChat = new QMenu(window);
    mnuChat->addActions({acChatUsers, acChatTime, acJoin, acList});
    mnuChat->addSeparator();
    mnuChat->addActions({acCopy, acSelectAll});
    mnuChat->addSeparator();
    mnuChat->addAction(acChatRejoin);
    mnuChat->addSeparator();
    mnuChat->addActions({acChatClear, acChatSave});

    // The window undoes in the entry line while it can (Update); Ctrl+Z stays the entry line's own.
    acUndo->setEnabled(false);
    acStopSounds->setEnabled(false);
    for (QAction *a : m_all)
        if (!a->shortcut().isEmpty() && a != acUndo)
            window->addAction(a);
}

QAction *TChatActions::make(const QString &text, const QString &hint, const QString &shortcut, bool checkable)
{
    auto *a = new QAction(text, this);
    a->setStatusTip(hint);
    if (!hint.isEmpty())
        a->setToolTip(hint);
    if (!shortcut.isEmpty())
        a->setShortcut(QKeySequence(shortcut, QKeySequence::PortableText));
    a->setCheckable(checkable);
    m_all.push_back(a);
    return a;
}

QMenu *TChatActions::menu(const QString &title, const QString &hint)
{
    auto *m = new QMenu(title, m_window);
    m->menuAction()->setStatusTip(hint);
    return m;
}

void TChatActions::bindSwitch(QAction *a, bool (tChatSettings::*get)() const, void (tChatSettings::*set)(bool))
{
    m_switches.push_back(a);
    m_switchFlags.push_back(get);
    connect(a, &QAction::triggered, this, [this, set](bool checked) {
        (m_profile.Settings.*set)(checked);
        m_profile.Modified = true;
    });
}

void TChatActions::BuildMenus(QMenuBar *bar)
{
    for (QMenu *m : {mnuFile, mnuEdit, mnuOptions, mnuUsers, mnuSounds, mnuWindow, mnuHelp})
        bar->addMenu(m);
}

namespace {
void setEnabled(QAction *a, bool on)
{
    if (a->isEnabled() != on)
        a->setEnabled(on);
}
void setChecked(QAction *a, bool on)
{
    if (a->isChecked() != on)
        a->setChecked(on);
}
} // namespace

void TChatActions::Update(const tActionState &st)
{
    setEnabled(acSound, st.SoundsFolderExists);
    setChecked(acConnect, st.LoggedOn);
    const QString caption = st.LoggedOn ? QStringLiteral("&Disconnect") : QStringLiteral("&Connect");
    if (acConnect->text() != caption)
        acConnect->setText(caption);
    for (QAction *a : {acAway, acDND, acText, acList, acJoin, acPause})
        setEnabled(a, st.LoggedOn);
    setChecked(acText, st.Reciting);
    for (size_t i = 0; i < m_switches.size(); ++i)
        setChecked(m_switches[i], (m_profile.Settings.*m_switchFlags[i])());
    setEnabled(acPaste, st.EntryFocused && st.ClipboardHasText);
    setEnabled(acCut, st.EntryFocused);
    setEnabled(acCopy, st.EntryFocused || st.EditFocused);
    setEnabled(acSelectAll, st.EntryFocused || st.EditFocused);
    setEnabled(acUndo, st.EntryCanUndo);
    if (!st.LoggedOn)
        setChecked(acPause, false);
}

void TChatActions::KeepShortcuts(QWidget *w)
{
    w->installEventFilter(this);
}

bool TChatActions::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::ShortcutOverride) {
        auto *k = static_cast<QKeyEvent *>(e);
        const QKeySequence pressed(QKeyCombination(k->modifiers() & ~Qt::KeypadModifier, Qt::Key(k->key())));
        for (QAction *a : m_all) {
            if (a != acUndo && a->isEnabled() && !a->shortcut().isEmpty() && a->shortcut() == pressed) {
                // Not accepted: the shortcut goes to the action instead of the widget.
                e->ignore();
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, e);
}
