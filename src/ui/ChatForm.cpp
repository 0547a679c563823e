#include "ui/ChatForm.h"

#include <QAction>
#include <QLineEdit>
#include <QMessageBox>

#include "profile/Profile.h"

TfrmChat::TfrmChat(tProfile &profile, QWidget *parent)
    : QMainWindow(parent),
      m_profile(profile),
      m_chatText(QStringLiteral("reChat")),
      m_whisperText(QStringLiteral("reWhisper")),
      m_session(profile, m_chatInterface, m_bcChat, m_tcChat, *this),
      m_events(profile, m_users, m_replies, m_log, *this, *this)
{
    setWindowTitle(QStringLiteral("QuorlChat Version 7"));
    m_chatInterface.NoLineFeed = true;
    m_chatInterface.NoReturn = true;
    m_chatInterface.ReturnChar = '\r';
    m_chatInterface.Port = GatewayPort;
    m_bcChat.ChatInterface = &m_chatInterface;
    m_tcChat.ChatInterface = &m_chatInterface;
    m_bcChat.setFloodInterval(FloodInterval);

    MessageBoxHandler = [this](const QString &text) {
        // Not exec(): the connection and its timers keep running while the box is up.
        auto *box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("QuorlChat"), text, QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    };

    buildLayout();
    buildActions();
    bindEvents();
    ApplyProfile();
    ApplyPaneAppearance();
    updateActions();
}

TfrmChat::~TfrmChat()
{
    // A connect under way is cancelled like the Connect action does; a standing connection
    // simply ends with the connection object.
    if (m_chatInterface.Connecting)
        m_session.ConnectAction();
    // Handlers must not run into a half-destroyed window while the connection goes.
    m_chatInterface.OnDisconnect = nullptr;
    m_session.ServerTimer.stop();
}

void TfrmChat::bindEvents()
{
    m_session.Bind();
    m_events.Bind(m_bcChat, m_tcChat);
    m_users.SetPersonalIcons(QStringList());
    connect(&m_users, &tChannelUsers::captionChanged, this, [this](const QString &caption) { edChannel->setText(caption); });
    connect(&m_session, &tSession::stateChanged, this, &TfrmChat::updateActions);
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

void TfrmChat::updateActions()
{
    const bool on = m_session.LoggedOn;
    acConnect->setChecked(on);
    acConnect->setText(on ? QStringLiteral("&Disconnect") : QStringLiteral("&Connect"));
    acPause->setEnabled(on);
    acAway->setEnabled(on);
}
