#include "ui/ChatForm.h"

#include <QAction>
#include <QEvent>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>
#include <cmath>

#include "profile/Profile.h"
#include "ui/TabEdit.h"
#include "ui/TranscriptView.h"
#include "ui/UserListView.h"

namespace {
QSplitter *splitter(Qt::Orientation o, const char *name)
{
    auto *s = new QSplitter(o);
    s->setObjectName(QString::fromLatin1(name));
    s->setHandleWidth(SplitterSize);
    s->setChildrenCollapsible(false);
    return s;
}

void colours(QWidget *w, const QColor &text, const QColor &background)
{
    QPalette p = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Base, background);
        p.setColor(group, QPalette::Text, text);
    }
    w->setPalette(p);
}

// The absolute pixel height of a font as the window system sizes it.
int pixelHeight(const QFont &f, const QWidget *w)
{
    if (f.pixelSize() > 0)
        return f.pixelSize();
    return int(std::lround(f.pointSizeF() * w->logicalDpiY() / 72.0));
}
} // namespace

void TfrmChat::buildLayout()
{
    reChat = new TTranscriptView(m_chatText);
    reChat->setObjectName(QStringLiteral("reChat"));
    reWhisper = new TTranscriptView(m_whisperText);
    reWhisper->setObjectName(QStringLiteral("reWhisper"));
    for (TTranscriptView *pane : {reChat, reWhisper}) {
        pane->setMinimumSize(MinPaneSize, MinPaneSize);
        pane->setContextMenuPolicy(Qt::CustomContextMenu);
        pane->viewport()->installEventFilter(this);
    }

    Splitter3 = splitter(Qt::Vertical, "pnlMain");
    Splitter3->addWidget(reChat);
    Splitter3->addWidget(reWhisper);
    Splitter3->setStretchFactor(0, 1);
    Splitter3->setStretchFactor(1, 0);

    pnlUsers = new QWidget;
    pnlUsers->setObjectName(QStringLiteral("pnlUsers"));
    auto *users = new QVBoxLayout(pnlUsers);
    users->setContentsMargins(0, 0, 0, 0);
    users->setSpacing(0);
    pnlChannel = new QWidget;
    pnlChannel->setObjectName(QStringLiteral("pnlChannel"));
    pnlChannel->setFixedHeight(ChannelBoxHeight);
    auto *channel = new QVBoxLayout(pnlChannel);
    channel->setContentsMargins(0, 0, 0, 0);
    edChannel = new QLineEdit;
    edChannel->setObjectName(QStringLiteral("edChannel"));
    edChannel->setReadOnly(true);
    edChannel->setFrame(false);
    edChannel->setFixedHeight(ChannelBoxHeight);
    // Arial, or the family the system puts in its place.
    QFont arial(QStringLiteral("Arial"), edChannel->font().pointSize());
    arial.setStyleHint(QFont::SansSerif);
    edChannel->setFont(arial);
    channel->addWidget(edChannel);
    lstUser = new TUserListView(m_icons);
    lstUser->setObjectName(QStringLiteral("lstUser"));
    lstUser->setModel(&m_users);
    lstDef = new TUserListView(m_icons);
    lstDef->setObjectName(QStringLiteral("lstDef"));
    lstDef->setModel(&m_defModel);
    lstDef->Delegate()->IncludeIcons = false;
    Splitter1 = splitter(Qt::Vertical, "Splitter1");
    Splitter1->addWidget(lstUser);
    Splitter1->addWidget(lstDef);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    users->addWidget(pnlChannel);
    users->addWidget(Splitter1, 1);

    Splitter2 = splitter(Qt::Horizontal, "Splitter2");
    Splitter2->addWidget(Splitter3);
    Splitter2->addWidget(pnlUsers);
    Splitter2->setStretchFactor(0, 1);
    Splitter2->setStretchFactor(1, 0);

    // The web address bar: shown when a user sends an address.
    pnlUrl = new QWidget;
    pnlUrl->setObjectName(QStringLiteral("pnlUrl"));
    auto *url = new QHBoxLayout(pnlUrl);
    url->setContentsMargins(4, 2, 4, 2);
    url->addWidget(new QLabel);
    pnlUrl->hide();

    pnlEntry = new QWidget;
    pnlEntry->setObjectName(QStringLiteral("pnlEntry"));
    pnlEntry->setFixedHeight(EntryPanelHeight);
    pnlEntry->installEventFilter(this);
    auto *entry = new QHBoxLayout(pnlEntry);
    entry->setContentsMargins(2, 2, 2, 2);
    entry->setSpacing(2);
    btnSend = new QPushButton(QStringLiteral("Send"));
    btnSend->setObjectName(QStringLiteral("btnSend"));
    btnEmote = new QPushButton(QStringLiteral("Emo&te"));
    btnEmote->setObjectName(QStringLiteral("btnEmote"));
    btnWhisper = new QPushButton(QStringLiteral("&Whisper"));
    btnWhisper->setObjectName(QStringLiteral("btnWhisper"));
    edEntry = new TTabEdit;
    edEntry->setObjectName(QStringLiteral("edEntry"));
    edEntry->lineEdit()->setMaxLength(tEntryLine::MaxTextLength);
    QFont bold = edEntry->font();
    bold.setBold(true);
    edEntry->setFont(bold);
    for (QPushButton *b : {btnSend, btnEmote, btnWhisper}) {
        b->setEnabled(false);
        b->setFocusPolicy(Qt::NoFocus); // a click sends and leaves the focus in the entry line
    }
    entry->addWidget(btnSend);
    entry->addWidget(btnEmote);
    entry->addWidget(edEntry, 1);
    entry->addWidget(btnWhisper);

    auto *central = new QWidget;
    auto *v = new QVBoxLayout(central);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->addWidget(Splitter2, 1);
    v->addWidget(pnlUrl);
    v->addWidget(pnlEntry);
    setCentralWidget(central);

    // The bars are built from the tool bar definition and the favourites; empty until then.
    pnlBar = new QToolBar(QStringLiteral("tbMain"));
    pnlBar->setObjectName(QStringLiteral("pnlBar"));
    pnlFavorites = new QToolBar(QStringLiteral("tbFavorite"));
    pnlFavorites->setObjectName(QStringLiteral("pnlFavorites"));
    for (QToolBar *bar : {pnlBar, pnlFavorites}) {
        bar->setMovable(false);
        bar->setFloatable(false);
        bar->toggleViewAction()->setVisible(false);
        bar->hide();
    }
    addToolBar(Qt::TopToolBarArea, pnlBar);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, pnlFavorites);

    for (int i = 0; i < 2; ++i) {
        m_panels[i] = new QLabel;
        m_panels[i]->setMinimumWidth(i == 0 ? 400 : 50);
        m_panels[i]->setMaximumWidth(i == 0 ? 400 : QWIDGETSIZE_MAX);
        statusBar()->addPermanentWidget(m_panels[i], i == 0 ? 0 : 1);
    }
    statusBar()->setSizeGripEnabled(true);
    statusBar()->installEventFilter(this);

    resize(800, 600);
    Splitter3->setSizes({400, 132});
    Splitter1->setSizes({300, 132});
    Splitter2->setSizes({630, 162});
}

int TfrmChat::UserPanelWidth() const
{
    return pnlUsers->isVisibleTo(this) && Splitter2->sizes().value(1) > 0 ? Splitter2->sizes().value(1) : m_userWidth;
}

int TfrmChat::CustomListHeight() const
{
    return lstDef->isVisibleTo(this) && Splitter1->sizes().value(1) > 0 ? Splitter1->sizes().value(1) : m_customHeight;
}

int TfrmChat::WhisperPaneHeight() const
{
    return reWhisper->isVisibleTo(this) && Splitter3->sizes().value(1) > 0 ? Splitter3->sizes().value(1) : m_whisperHeight;
}

void TfrmChat::rememberPaneSizes()
{
    m_userWidth = UserPanelWidth();
    m_customHeight = CustomListHeight();
    m_whisperHeight = WhisperPaneHeight();
}

void TfrmChat::applyPaneSizes()
{
    // The splitters give a size change to the centre and to the channel list; the other panes keep theirs.
    Splitter2->setSizes({qMax(MinPaneSize, Splitter2->width() - m_userWidth - SplitterSize), m_userWidth});
    Splitter3->setSizes({qMax(MinPaneSize, Splitter3->height() - m_whisperHeight - SplitterSize), m_whisperHeight});
    if (lstUser->isVisibleTo(this) && lstDef->isVisibleTo(this))
        Splitter1->setSizes({qMax(MinPaneSize, Splitter1->height() - m_customHeight - SplitterSize), m_customHeight});
}

void TfrmChat::ApplyPaneLayout()
{
    rememberPaneSizes();
    const int panel = Splitter2->height();
    const int userHeight = lstUser->isVisibleTo(this) ? lstUser->height() : 0;
    const tUserPanelPlan plan = PlanUserPanel(Switches, panel, ChannelBoxHeight, m_customHeight, userHeight);

    lstUser->setVisible(plan.UserVisible);
    lstDef->setVisible(plan.CustomVisible);
    pnlUsers->setVisible(plan.PanelVisible);
    reWhisper->setVisible(Switches.Whisper);
    if (plan.CustomVisible)
        m_customHeight = plan.CustomHeight;
    applyPaneSizes();
    if (plan.UserVisible && plan.CustomVisible)
        Splitter1->setSizes({plan.UserHeight, plan.CustomHeight});

    pnlBar->setToolButtonStyle(Switches.TextLabels ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    m_actions->acUserDef->setChecked(Switches.CustomList);
    m_actions->acUserList->setChecked(Switches.UserList);
    m_actions->acWhisperVis->setChecked(Switches.Whisper);
    m_actions->acTextLabel->setChecked(Switches.TextLabels);
}

void TfrmChat::ApplyAppearance()
{
    const tChatSettings &s = m_profile.Settings;
    const auto colour = [&s](int slot) { return bgrToColor(s.Color(slot)); };

    QFont chat = reChat->font(), whisper = reWhisper->font(), list = lstUser->font();
    ApplyFont(s.ChatFont(), chat);
    ApplyFont(s.WhisperFont(), whisper);
    ApplyFont(s.UserListFont(), list);
    m_chatText.SetFont(chat);
    m_whisperText.SetFont(whisper);
    reChat->setFont(chat);
    reWhisper->setFont(whisper);
    // 1.3 times the font height, halves to the even neighbour.
    const int itemHeight = int(std::nearbyint(pixelHeight(list, lstUser) * 1.3));
    for (TUserListView *l : {lstUser, lstDef}) {
        l->setFont(list);
        l->Delegate()->ItemHeight = itemHeight;
        l->doItemsLayout();
    }
    lstUser->Delegate()->IncludeIcons = s.IncludeIcons();

    colours(lstUser, colour(UserListColor), colour(UserListBackground));
    colours(lstDef, colour(CustomUserColor), colour(CustomUserBackground));
    colours(edChannel, colour(UserListColor), colour(UserListBackground));
    colours(reChat, colour(TextColor), colour(ChatBackground));
    colours(reWhisper, colour(TextColor), colour(WhisperBackground));
    colours(edEntry, colour(EntryColor), colour(EntryBackground));
    applyUserPaneColours();
}

void TfrmChat::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::WindowStateChange) {
        const auto *sc = static_cast<QWindowStateChangeEvent *>(e);
        const bool was = sc->oldState() & Qt::WindowMinimized;
        const bool now = windowState() & Qt::WindowMinimized;
        if (now && !was) {
            m_resizable = false;
            m_savedSize = size();
            rememberPaneSizes();
        } else if (was && !now) {
            m_resizable = true;
            if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) && size() != m_savedSize)
                resize(m_savedSize);
            applyPaneSizes();
        }
    }
    QMainWindow::changeEvent(e);
}

void TfrmChat::resizeEvent(QResizeEvent *e)
{
    // While minimised the window keeps its size, so the panes come back as they were.
    if (!m_resizable && m_savedSize.isValid() && size() != m_savedSize) {
        QMetaObject::invokeMethod(this, [this] {
            if (!m_resizable)
                resize(m_savedSize);
        }, Qt::QueuedConnection);
    }
    QMainWindow::resizeEvent(e);
}
