#include "ui/ChatForm.h"

#include <QAction>
#include <QDesktopServices>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QTimer>
#include <QToolButton>

#include "dialogs/ChannelDialogs.h"
#include "dialogs/CustomTool.h"
#include "profile/Profile.h"
#include "profile/ToolbarFile.h"
#include "ui/ToolIcons.h"

namespace {
constexpr int ToolIconSize = 20;
constexpr int SeparatorWidth = 8;
// The URL bar's caption keeps this much (a usual name and " has sent the following URL: ") while
// the address gives way.
constexpr int CaptionKeptChars = 52;
const char *const FavoriteIndex = "favoriteIndex";

// Takes every button off a bar; they go once the event that may have come from one of them is over.
void emptyBar(QToolBar *bar)
{
    for (QAction *a : bar->actions()) {
        QWidget *w = bar->widgetForAction(a);
        bar->removeAction(a);
        if (w) {
            w->hide();
            w->deleteLater();
        }
        if (a->parent() == bar)
            a->deleteLater();
    }
}

// Tells which favourite button the mouse moved over last.
class THoverWatch : public QObject
{
public:
    THoverWatch(QObject *parent, std::function<void(int)> hovered) : QObject(parent), m_hovered(std::move(hovered))
    {
        setObjectName(QStringLiteral("favoriteHover"));
    }

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() == QEvent::Enter || e->type() == QEvent::HoverEnter || e->type() == QEvent::MouseMove)
            m_hovered(watched->property(FavoriteIndex).toInt());
        return false;
    }

private:
    std::function<void(int)> m_hovered;
};

// A one-line label that asks for no more room than a text of `keepChars` characters (an ellipsis at least):
// text that does not fit is shown elided, and text() keeps it whole. Another user's text: never markup.
class TElidedLabel : public QLabel
{
public:
    TElidedLabel(Qt::TextElideMode mode, int keepChars) : m_mode(mode), m_keepChars(keepChars)
    {
        setTextFormat(Qt::PlainText);
    }
    // The whole text, trailing blanks included: at this width nothing is elided.
    QSize sizeHint() const override
    {
        const QMargins m = contentsMargins();
        return QSize(fontMetrics().horizontalAdvance(text()) + m.left() + m.right(), QLabel::sizeHint().height());
    }
    QSize minimumSizeHint() const override
    {
        const QMargins m = contentsMargins();
        const int whole = fontMetrics().horizontalAdvance(text());
        const int keep = qMax(fontMetrics().horizontalAdvance(QStringLiteral("\u2026")),
                              text().size() <= m_keepChars ? whole : m_keepChars * fontMetrics().averageCharWidth());
        return QSize(keep + m.left() + m.right(), QLabel::minimumSizeHint().height());
    }
    // What is drawn: the text, elided to the width the label has.
    QString ShownText() const
    {
        const int width = contentsRect().width();
        // elidedText cuts a text that just fits (trailing blanks): only what is wider is elided.
        return fontMetrics().horizontalAdvance(text()) <= width ? text() : fontMetrics().elidedText(text(), m_mode, width);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        style()->drawItemText(&p, contentsRect(), int(alignment()) | Qt::TextSingleLine, palette(), isEnabled(),
                              ShownText(), foregroundRole());
    }

private:
    Qt::TextElideMode m_mode;
    int m_keepChars;
};

// The address of the URL bar: a link (blue, underlined, red while the mouse button is held on it)
// when it is one that may be opened, plain text otherwise.
class TUrlLink : public TElidedLabel
{
public:
    TUrlLink() : TElidedLabel(Qt::ElideMiddle, 0), m_plain(palette().color(QPalette::WindowText)) { SetLink(true); }
    void SetLink(bool on)
    {
        m_link = on;
        setCursor(on ? Qt::PointingHandCursor : Qt::ArrowCursor);
        QFont f = font();
        f.setUnderline(on);
        setFont(f);
        setColour(on ? QColor(Qt::blue) : m_plain);
    }
    bool IsLink() const { return m_link; }
    void setColour(const QColor &c)
    {
        QPalette p = palette();
        p.setColor(QPalette::WindowText, c);
        setPalette(p);
    }

protected:
    void mousePressEvent(QMouseEvent *e) override
    {
        if (m_link && e->button() == Qt::LeftButton)
            setColour(Qt::red);
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        if (!m_link || e->button() != Qt::LeftButton)
            return;
        setColour(Qt::blue);
        if (rect().contains(e->position().toPoint())) {
            const QUrl url = UrlToOpen(text());
            if (url.isValid())
                QDesktopServices::openUrl(url); // failures are not reported
        }
    }

private:
    QColor m_plain;
    bool m_link = true;
};
} // namespace

namespace {
// After a dialog: once it has gone, the main window is active again and the entry line has the focus.
void refocusLater(TfrmChat *w)
{
    QTimer::singleShot(0, w, [w] {
        w->activateWindow();
        w->Refocus();
    });
}
} // namespace

void TfrmChat::buildBars()
{
    tToolHost host;
    host.LoggedOn = [this] { return m_session.LoggedOn; };
    host.SendLine = [this](const QString &line) { SendLine(line); };
    host.PlaySound = [this](const QString &path) { PlaySound(path); };
    host.WriteChat = [this](const QString &text, const QColor &c) { WriteChat(text, c); };
    m_tools.reset(new tChatTools(m_profile, std::move(host)));

    TChatActions &a = *m_actions;
    const std::pair<QAction *, ToolImage> images[] = {
        {a.acConnect, ToolImage::Connect}, {a.acSetup, ToolImage::Setup}, {a.acFonts, ToolImage::Fonts},
        {a.acJoin, ToolImage::Join}, {a.acList, ToolImage::List}, {a.acUserInfo, ToolImage::Details},
        {a.acAccounts, ToolImage::Accounts}, {a.acText, ToolImage::Text}, {a.acAway, ToolImage::Away},
        {a.acDND, ToolImage::Dnd}, {a.acLock, ToolImage::Lock}, {a.acPause, ToolImage::Pause},
        {a.acCut, ToolImage::Cut}, {a.acCopy, ToolImage::Copy}, {a.acPaste, ToolImage::Paste},
        {a.acUndo, ToolImage::Undo}, {a.acReloadsounds, ToolImage::Sound}, {a.acAddFavorite, ToolImage::Join}};
    for (const auto &i : images)
        i.first->setIcon(ToolIcon(i.second));

    for (QToolBar *bar : {pnlBar, pnlFavorites})
        bar->setIconSize(QSize(ToolIconSize, ToolIconSize));

    connect(a.acCustom, &QAction::triggered, this, [this] {
        auto *dlg = new TfrmCustomTool(ToolbarDefinition, this);
        dlg->setAttribute(Qt::WA_DeleteOnClose);
        // Every way of closing applies the selected list.
        connect(dlg, &QDialog::finished, this, [this, dlg] {
            ToolbarDefinition = dlg->Definition();
            BuildToolbar();
            refocusLater(this);
        });
        dlg->open();
    });
    connect(a.acEditFavorite, &QAction::triggered, this, [this] {
        auto *dlg = new TfrmEditFavorites(m_profile, this);
        dlg->setAttribute(Qt::WA_DeleteOnClose);
        connect(dlg, &QDialog::finished, this, [this] {
            BuildFavorites();
            refocusLater(this);
        });
        dlg->open();
    });
    connect(a.acAddFavorite, &QAction::triggered, this, [this] {
        m_tools->AddFavorite(m_users.CurrentChannel);
        BuildFavorites();
    });
    // Switched on after a start with the bar off, the bar shows the favourites at once.
    connect(a.acFavorite, &QAction::triggered, this, [this](bool on) {
        if (on)
            BuildFavorites();
    });
    connect(a.acReloadsounds, &QAction::triggered, this, &TfrmChat::BuildSoundMenus);

    mnFavorite = new QMenu(this);
    const QString captions[] = {QStringLiteral("&Join This Channel"), QStringLiteral("&List Users in this Channel"),
                                QString(), QStringLiteral("&Edit"), QStringLiteral("&Delete")};
    for (int i = 0; i < 5; ++i) {
        if (captions[i].isEmpty()) {
            mnFavorite->addSeparator();
            continue;
        }
        connect(mnFavorite->addAction(captions[i]), &QAction::triggered, this, [this, i] { favoriteMenu(i); });
    }
    new THoverWatch(pnlFavorites, [this](int index) { m_hoveredFavorite = index; });
    mnFavoriteBar = new QMenu(this);
    mnFavoriteBar->addAction(a.acAddFavorite);
    pnlFavorites->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pnlFavorites, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { mnFavoriteBar->popup(pnlFavorites->mapToGlobal(pos)); });

    // The URL bar's own widgets replace the placeholder of the layout.
    QLayout *url = pnlUrl->layout();
    while (QLayoutItem *item = url->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    // Neither label widens the window: a long name or address is shown elided, the address first.
    lblUserUrl = new TElidedLabel(Qt::ElideRight, CaptionKeptChars);
    lblUserUrl->setText(QStringLiteral("User has sent the following URL:"));
    lblUserUrl->setObjectName(QStringLiteral("lblUserUrl"));
    lblUrl = new TUrlLink;
    lblUrl->setObjectName(QStringLiteral("lblUrl"));
    btnCloseURL = new QPushButton(QStringLiteral("X"));
    btnCloseURL->setObjectName(QStringLiteral("btnCloseURL"));
    btnCloseURL->setFocusPolicy(Qt::NoFocus);
    btnCloseURL->setFixedWidth(btnCloseURL->sizeHint().height());
    url->addWidget(lblUserUrl);
    url->addWidget(lblUrl);
    static_cast<QHBoxLayout *>(url)->addStretch(1);
    url->addWidget(btnCloseURL);
    connect(btnCloseURL, &QPushButton::clicked, this, [this] {
        pnlUrl->hide();
        Refocus();
    });
}

void TfrmChat::LoadToolbar()
{
    ToolbarDefinition = toolbar::Load(m_programFolder + QStringLiteral("Toolbar.dat"));
}

bool TfrmChat::SaveToolbar()
{
    const QString path = m_programFolder + QStringLiteral("Toolbar.dat");
    if (toolbar::Save(path, ToolbarDefinition))
        return true;
    ShowMessage(QStringLiteral("Error saving file: ") + path);
    return false;
}

void TfrmChat::BuildToolbar()
{
    TChatActions &a = *m_actions;
    QAction *const actions[toolbar::EntryCount] = {nullptr, a.acConnect, a.acSetup, a.acFonts, a.acJoin, a.acList,
                                                   a.acUserInfo, a.acAccounts, a.acText, a.acAway, a.acDND, a.acLock,
                                                   a.acPause, a.acCut, a.acCopy, a.acPaste, a.acUndo};
    emptyBar(pnlBar);
    for (qint32 entry : std::as_const(ToolbarDefinition)) {
        if (entry == toolbar::Separator) {
            auto *line = new QFrame;
            line->setFrameShape(QFrame::VLine);
            line->setFrameShadow(QFrame::Sunken);
            line->setFixedWidth(SeparatorWidth);
            pnlBar->addWidget(line);
            continue;
        }
        auto *button = new QToolButton;
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setIconSize(pnlBar->iconSize());
        connect(pnlBar, &QToolBar::toolButtonStyleChanged, button, &QToolButton::setToolButtonStyle);
        button->setToolButtonStyle(pnlBar->toolButtonStyle());
        if (entry > 0 && entry < toolbar::EntryCount) {
            // The button shows the short caption; image, hint, enabling and check mark follow the action.
            QAction *source = actions[entry];
            auto *proxy = new QAction(toolbar::Caption(entry), button);
            proxy->setIconText(proxy->text()); // kept whole: "Setup..." keeps its dots
            proxy->setCheckable(source->isCheckable());
            const auto follow = [proxy, source] {
                proxy->setIcon(source->icon());
                proxy->setEnabled(source->isEnabled());
                proxy->setChecked(source->isChecked());
                proxy->setToolTip(source->toolTip());
                proxy->setStatusTip(source->statusTip());
            };
            follow();
            connect(source, &QAction::changed, proxy, follow);
            connect(proxy, &QAction::triggered, source, [source, follow] {
                source->trigger();
                follow();
            });
            button->setDefaultAction(proxy);
        } else {
            button->setEnabled(false);
            button->setMinimumSize(ToolIconSize + 6, ToolIconSize + 6);
        }
        pnlBar->addWidget(button);
    }
    showBars();
}

void TfrmChat::BuildFavorites()
{
    emptyBar(pnlFavorites);
    m_hoveredFavorite = -1;
    if (!m_profile.Settings.ShowFavorites()) {
        pnlFavorites->hide();
        return;
    }
    const QIcon join = ToolIcon(ToolImage::Join);
    for (int i = 0; i < m_profile.Favorite.size(); ++i) {
        auto *button = new QToolButton;
        button->setText(m_profile.Favorite[i]);
        button->setIcon(join);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setPopupMode(QToolButton::MenuButtonPopup);
        button->setMenu(mnFavorite);
        button->setProperty(FavoriteIndex, i);
        button->setAttribute(Qt::WA_Hover);
        button->installEventFilter(pnlFavorites->findChild<QObject *>(QStringLiteral("favoriteHover")));
        connect(button, &QToolButton::clicked, this, [this, i] { m_tools->ClickFavorite(i); });
        pnlFavorites->addWidget(button);
    }
    showBars();
}

void TfrmChat::favoriteMenu(int which)
{
    const int index = m_hoveredFavorite;
    if (index < 0)
        return;
    switch (which) {
    case 0:
        m_tools->JoinFavorite(index);
        break;
    case 1:
        m_tools->ListFavorite(index);
        break;
    case 3:
        m_prompts->AskText(QStringLiteral("Edit Favorite"), QStringLiteral("Enter a new channel name:"),
                           m_tools->Favorite(index), [this, index](bool ok, const QString &name) {
                               if (!ok)
                                   return;
                               m_tools->EditFavorite(index, name);
                               BuildFavorites();
                           });
        break;
    case 4:
        m_tools->DeleteFavorite(index);
        BuildFavorites();
        break;
    }
}

void TfrmChat::FillSoundMenu(QMenu *menu, const std::function<QString()> &user, const tSoundTree &tree)
{
    const QIcon folderIcon = ToolIcon(ToolImage::Folder), soundIcon = ToolIcon(ToolImage::Sound);
    const auto add = [this, &user, &soundIcon](QMenu *to, const tSoundEntry &sound) {
        // A "&" in a file name is shown, not taken for a mnemonic.
        QString caption = sound.Caption;
        QAction *entry = to->addAction(soundIcon, caption.replace(QLatin1Char('&'), QLatin1String("&&")));
        connect(entry, &QAction::triggered, this, [this, user, sound] {
            if (!user) {
                m_tools->SendSound(QString(), sound);
                return;
            }
            const QString name = user();
            if (!name.isEmpty())
                m_tools->SendSound(name, sound);
        });
    };
    for (const tSoundFolder &folder : tree.Folders) {
        QString caption = folder.Caption;
        QMenu *sub = menu->addMenu(folderIcon, caption.replace(QLatin1Char('&'), QLatin1String("&&")));
        for (const tSoundEntry &sound : folder.Sounds)
            add(sub, sound);
    }
    for (const tSoundEntry &sound : tree.Sounds)
        add(menu, sound);
}

void TfrmChat::AddUserSoundMenu(QMenu *menu, const std::function<QString()> &user)
{
    m_userSoundMenus.append({menu, user});
    // Before start-up the Sounds menus are built with it, from the program folder set by then.
    if (m_startedUp)
        FillSoundMenu(menu, user, ListSounds(m_programFolder));
}

void TfrmChat::ShowUrl(const QString &caption, const QString &address)
{
    lblUserUrl->setText(caption);
    lblUserUrl->setToolTip(caption);
    auto *link = static_cast<TUrlLink *>(lblUrl);
    link->setText(address); // whole: the click opens all of it
    link->setToolTip(address);
    // An address that would not be opened does not look as if it would.
    link->SetLink(UrlToOpen(address).isValid());
    pnlUrl->show();
}
