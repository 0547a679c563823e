#include "ui/ChatForm.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QLineEdit>

#include "dialogs/DialogPrompts.h"
#include "profile/Profile.h"
#include "ui/TabEdit.h"
#include "ui/TranscriptView.h"
#include "ui/UserListView.h"

TfrmChat::TfrmChat(tProfile &profile, QWidget *parent)
    : QMainWindow(parent),
      m_profile(profile),
      m_chatText(QStringLiteral("reChat")),
      m_whisperText(QStringLiteral("reWhisper")),
      m_session(profile, m_chatInterface, m_bcChat, m_tcChat, *this),
      m_events(profile, m_users, m_replies, m_log, *this, *this),
      m_accountLookup(profile, [this](const QString &lead, const QString &body, const QColor &leadColor,
                                      const QColor &bodyColor) {
          m_chatText.WriteLine(lead, body, QString(), leadColor, bodyColor, QColor());
      }),
      m_programFolder(::ProgramFolder())
{
    setWindowTitle(QStringLiteral("QuorlChat Version 7"));
    m_chatInterface.NoLineFeed = true;
    m_chatInterface.NoReturn = true;
    m_chatInterface.ReturnChar = '\r';
    m_chatInterface.Port = GatewayPort;
    m_bcChat.ChatInterface = &m_chatInterface;
    m_tcChat.ChatInterface = &m_chatInterface;
    m_bcChat.setFloodInterval(FloodInterval);

    m_widgetPrompts = new TWidgetPrompts(this);
    m_prompts = m_widgetPrompts;
    // Through the prompts, which never block: the connection and its timers keep running.
    MessageBoxHandler = [this](const QString &text) { m_prompts->Message(text); };
    m_entry.reset(new tEntryLine(static_cast<tEntryHost &>(*this), m_profile, m_replies));
    m_soundsFolderExists = !SoundsFolder(m_programFolder).isEmpty();
    makeFileActions();

    buildLayout();
    buildActions();
    bindDialogs();
    buildBars();
    bindEvents();
    bindEntry();
    buildUserPanes();
    setupAutomation();
    ApplyProfile();
    ApplyAppearance();
    UpdateActions();

    // The idle update: every time the event loop is about to wait. It changes nothing that is
    // already right, so it posts nothing and the loop goes to sleep.
    if (auto *d = QAbstractEventDispatcher::instance())
        connect(d, &QAbstractEventDispatcher::aboutToBlock, this, &TfrmChat::UpdateActions);
    connect(qApp, &QApplication::focusChanged, this, &TfrmChat::UpdateActions);
}

TfrmChat::~TfrmChat()
{
    // A connect under way is cancelled like the Connect action does; a standing connection
    // simply ends with the connection object.
    if (m_session.AttemptPending())
        m_session.ConnectAction();
    // Handlers must not run into a half-destroyed window while the connection goes.
    m_chatInterface.OnDisconnect = nullptr;
    m_session.ServerTimer.stop();
    if (auto *d = QAbstractEventDispatcher::instance())
        disconnect(d, nullptr, this, nullptr);
    disconnect(qApp, nullptr, this, nullptr);
    qApp->removeEventFilter(this);
    closeWhisperWindows();
    if (QApplication::cursorFlashTime() == 0 && m_flashTime > 0)
        QApplication::setCursorFlashTime(m_flashTime);
    // The panes show documents and models that are members: they go first, before a focus change
    // during the window's own teardown can reach a pane whose document is gone.
    delete takeCentralWidget();
}

void TfrmChat::SetProgramFolder(const QString &folder)
{
    m_programFolder = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    m_soundsFolderExists = !SoundsFolder(m_programFolder).isEmpty();
    makeFileActions();
    loadIcons();
}

void TfrmChat::SetPrompts(TPrompts *prompts)
{
    m_prompts = prompts ? prompts : m_widgetPrompts;
    makeFileActions();
}

void TfrmChat::makeFileActions()
{
    m_fileActions.reset(new TProfileActions(m_profile, *m_prompts, static_cast<tProfileHost &>(*this),
                                            static_cast<ProfileReporter &>(*this), m_programFolder));
}

void TfrmChat::bindEvents()
{
    m_session.Bind();
    m_events.Bind(m_bcChat, m_tcChat);
    m_users.SetPersonalIcons(QStringList());
    connect(&m_users, &tChannelUsers::captionChanged, this, [this](const QString &caption) { edChannel->setText(caption); });
    connect(&m_session, &tSession::stateChanged, this, &TfrmChat::UpdateActions);
}

void TfrmChat::ApplyProfile()
{
    m_bcChat.UserName = m_profile.Settings.UserName();
    m_bcChat.Password = m_profile.Settings.Password();
    OpenSessionLog();
}

void TfrmChat::OpenSessionLog()
{
    m_log.Open(m_profile.Settings, [this](const QString &text) { ShowMessage(text); });
}
