#include "ui/ChatForm.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "profile/Profile.h"
#include "ui/TranscriptView.h"
#include "ui/UserListView.h"

void TfrmChat::buildLayout()
{
    reChat = new TTranscriptView(m_chatText);
    reChat->setObjectName(QStringLiteral("reChat"));
    reChat->setMinimumSize(20, 20);
    reWhisper = new TTranscriptView(m_whisperText);
    reWhisper->setObjectName(QStringLiteral("reWhisper"));
    reWhisper->setMinimumSize(20, 20);

    m_paneSplit = new QSplitter(Qt::Vertical);
    m_paneSplit->setObjectName(QStringLiteral("pnlMain"));
    m_paneSplit->setHandleWidth(8);
    m_paneSplit->addWidget(reChat);
    m_paneSplit->addWidget(reWhisper);
    m_paneSplit->setStretchFactor(0, 1);
    m_paneSplit->setSizes({400, 132});

    auto *pnlUsers = new QWidget;
    pnlUsers->setObjectName(QStringLiteral("pnlUsers"));
    auto *users = new QVBoxLayout(pnlUsers);
    users->setContentsMargins(0, 0, 0, 0);
    users->setSpacing(0);
    edChannel = new QLineEdit;
    edChannel->setObjectName(QStringLiteral("edChannel"));
    edChannel->setReadOnly(true);
    edChannel->setFixedHeight(25);
    lstUser = new TUserListView(m_icons);
    lstUser->setObjectName(QStringLiteral("lstUser"));
    lstUser->setModel(&m_users);
    users->addWidget(edChannel);
    users->addWidget(lstUser, 1);

    m_mainSplit = new QSplitter(Qt::Horizontal);
    m_mainSplit->setHandleWidth(8);
    m_mainSplit->addWidget(m_paneSplit);
    m_mainSplit->addWidget(pnlUsers);
    m_mainSplit->setStretchFactor(0, 1);
    m_mainSplit->setSizes({600, 162});

    auto *pnlEntry = new QWidget;
    pnlEntry->setObjectName(QStringLiteral("pnlEntry"));
    pnlEntry->setFixedHeight(33);
    auto *entry = new QHBoxLayout(pnlEntry);
    entry->setContentsMargins(2, 2, 2, 2);
    btnSend = new QPushButton(QStringLiteral("Send"));
    btnEmote = new QPushButton(QStringLiteral("Emo&te"));
    btnWhisper = new QPushButton(QStringLiteral("&Whisper"));
    edEntry = new QLineEdit;
    edEntry->setObjectName(QStringLiteral("edEntry"));
    for (QPushButton *b : {btnSend, btnEmote, btnWhisper})
        b->setEnabled(false);
    entry->addWidget(btnSend);
    entry->addWidget(btnEmote);
    entry->addWidget(edEntry, 1);
    entry->addWidget(btnWhisper);

    auto *central = new QWidget;
    auto *v = new QVBoxLayout(central);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->addWidget(m_mainSplit, 1);
    v->addWidget(pnlEntry);
    setCentralWidget(central);

    for (int i = 0; i < 2; ++i) {
        m_panels[i] = new QLabel;
        m_panels[i]->setMinimumWidth(i == 0 ? 400 : 50);
        statusBar()->addPermanentWidget(m_panels[i], i == 0 ? 0 : 1);
    }
    resize(800, 600);
}

void TfrmChat::buildActions()
{
    acConnect = new QAction(QStringLiteral("&Connect"), this);
    acConnect->setObjectName(QStringLiteral("acConnect"));
    acConnect->setShortcut(Qt::Key_F4);
    acConnect->setStatusTip(QStringLiteral("Connect to the server"));
    acConnect->setCheckable(true);
    connect(acConnect, &QAction::triggered, this, [this] {
        m_session.ConnectAction();
        updateActions();
    });

    acPause = new QAction(QStringLiteral("Chat P&ause"), this);
    acPause->setObjectName(QStringLiteral("acPause"));
    acPause->setShortcut(Qt::Key_F12);
    acPause->setStatusTip(QStringLiteral("Pause incoming messages to allow cutting/pasting"));
    acPause->setCheckable(true);
    connect(acPause, &QAction::triggered, this, [this](bool checked) { m_session.SetPaused(checked); });

    acAway = new QAction(QStringLiteral("&Away"), this);
    acAway->setObjectName(QStringLiteral("acAway"));
    acAway->setStatusTip(QStringLiteral("Set AWAY mode"));
    acAway->setCheckable(true);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->addAction(acPause);
    QMenu *options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->addAction(acConnect);
    options->addAction(acAway);
}

void TfrmChat::ApplyPaneAppearance()
{
    const tChatSettings &s = m_profile.Settings;
    QFont chat = reChat->font(), whisper = reWhisper->font();
    ApplyFont(s.ChatFont(), chat);
    ApplyFont(s.WhisperFont(), whisper);
    m_chatText.SetFont(chat);
    m_whisperText.SetFont(whisper);
    reChat->setFont(chat);
    reWhisper->setFont(whisper);
    const auto background = [](QWidget *w, const QColor &bg, const QColor &fg) {
        QPalette p = w->palette();
        p.setColor(QPalette::Base, bg);
        p.setColor(QPalette::Text, fg);
        w->setPalette(p);
    };
    background(reChat, bgrToColor(s.Color(ChatBackground)), bgrToColor(s.Color(TextColor)));
    background(reWhisper, bgrToColor(s.Color(WhisperBackground)), bgrToColor(s.Color(TextColor)));
    background(lstUser, bgrToColor(s.Color(UserListBackground)), bgrToColor(s.Color(UserListColor)));
    background(edChannel, bgrToColor(s.Color(UserListBackground)), bgrToColor(s.Color(UserListColor)));
    QFont list = lstUser->font();
    ApplyFont(s.UserListFont(), list);
    lstUser->setFont(list);
    lstUser->Delegate()->IncludeIcons = s.IncludeIcons();
}
