#include "ui/ChatForm.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QTimer>

#include "dialogs/AccountForm.h"
#include "dialogs/EditList.h"
#include "profile/Profile.h"
#include "ui/TabEdit.h"
#include "ui/TranscriptView.h"
#include "ui/UserListView.h"
#include "ui/WhisperForm.h"
#include "view/ChatDefs.h"
#include "view/CustomList.h"
#include "view/FindFile.h"
#include "view/SafeFile.h"

namespace {
const QString CR = QStringLiteral("\r");
// Far beyond any icon bitmap: a larger file (or an endless device) is not copied.
constexpr qint64 MaxBitmapSize = 64 * 1024 * 1024;

// Hands the entry line's drag and drop events to the window.
class TEntryDropFilter : public QObject
{
public:
    TEntryDropFilter(std::function<bool(QEvent *)> handle, QObject *parent) : QObject(parent), m_handle(std::move(handle)) {}
    bool eventFilter(QObject *, QEvent *e) override
    {
        switch (e->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return m_handle(e);
        default:
            return false;
        }
    }

private:
    std::function<bool(QEvent *)> m_handle;
};
} // namespace

void TfrmChat::buildUserPanes()
{
    loadIcons();
    lstDef->setAcceptDrops(true);
    lstDef->AcceptFrom = {lstUser, lstDef};
    connect(lstDef, &TUserListView::dropped, this, &TfrmChat::listDropped);
    m_entryDropFilter = new TEntryDropFilter([this](QEvent *e) { return entryDrop(e); }, this);
    edEntry->lineEdit()->setAcceptDrops(true);
    edEntry->lineEdit()->installEventFilter(m_entryDropFilter);

    // Both lists draw a custom user's name in that user's name colour.
    for (TUserListView *list : {lstUser, lstDef}) {
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint &pos) { popupUserMenu(list, pos); });
        connect(list, &QAbstractItemView::doubleClicked, this, [this, list] { UserDoubleClicked(list); });
        list->Delegate()->NameColor = [this](const QString &name) {
            const tUser *rec = m_profile.Users.Items(m_profile.Users.IndexOfName(name));
            return rec ? bgrToColor(rec->CustomNameColor()) : QColor();
        };
    }

    const auto item = [this](QMenu *menu, const char *name, const char *text, const char *hint = nullptr) {
        QAction *a = menu->addAction(QString::fromLatin1(text));
        a->setObjectName(QString::fromLatin1(name));
        if (hint)
            a->setStatusTip(QString::fromLatin1(hint));
        return a;
    };
    using C = tEntryLine::UserCommand;
    const auto command = [this](QAction *a, C c, TUserListView *list) {
        connect(a, &QAction::triggered, this, [this, c, list] { m_entry->SendUserCommand(c, menuName(list)); });
    };
    const char *copyHint = "Copy this users name to the entry line";

    mnuUser = new QMenu(this);
    mnuUser->setObjectName(QStringLiteral("mnuUser"));
    QMenu *u = mnuUser;
    connect(item(u, "mnCopy", "&Copy", copyHint), &QAction::triggered, this, [this] { m_entry->CopyName(menuName(lstUser)); });
    command(item(u, "mnWhois", "&Whois"), C::Whois, lstUser);
    command(item(u, "mnSCStats", "S&tarcraft Stats"), C::StarcraftStats, lstUser);
    command(item(u, "mnBWStats", "B&roodwar Stats"), C::BroodwarStats, lstUser);
    command(item(u, "mnUserWar2Stats", "Warcra&ft Stats"), C::WarcraftStats, lstUser);
    connect(item(u, "mnUserInfo", "User &Information", "Colors/custom messages for this user"), &QAction::triggered, this,
            [this] { UserInformation(menuName(lstUser)); });
    connect(item(u, "mnUserAccount", "Account I&nformation", "Account number information for this user"),
            &QAction::triggered, this, [this] { ShowAccounts(menuName(lstUser)); });
    u->addSeparator();
    mnUserSound = u->addMenu(QStringLiteral("&Play Sound"));
    mnUserSound->setObjectName(QStringLiteral("mnUserSound"));
    mnUserSound->menuAction()->setStatusTip(QStringLiteral("Send a sound to this user..."));
    AddUserSoundMenu(mnUserSound, [this] { return menuName(lstUser); });
    u->addSeparator();
    command(item(u, "mnSquelch", "&Squelch", "Squelch this user"), C::Squelch, lstUser);
    command(item(u, "mnUnsquelch", "&Unsquelch", "Unsquelch this user"), C::Unsquelch, lstUser);
    u->addSeparator();
    command(item(u, "mnKick", "&Kick"), C::Kick, lstUser);
    command(item(u, "mnBan", "&Ban"), C::Ban, lstUser);
    command(item(u, "mnDesignate", "&Designate"), C::Designate, lstUser);
    u->addSeparator();
    connect(item(u, "mnChatWindow", "C&hat Window", "Open a private chat window to this user"), &QAction::triggered, this,
            [this] { OpenWhisperWindow(menuName(lstUser)); });
    connect(item(u, "mnSendURL", "Send UR&L", "Send a web address to another user"), &QAction::triggered, this, [this] {
        SendUrlTo(menuName(lstUser));
    });
    connect(item(u, "mnAddCustom", "&Add to Custom", "Add this user to the custom user list"), &QAction::triggered, this,
            [this] { AddToCustom(menuName(lstUser)); });
    acAddIcon = item(u, "acAddIcon", "Change &Icon", "Changes the icon for this user");
    connect(acAddIcon, &QAction::triggered, this, &TfrmChat::ChangeIcon);

    mnuDef = new QMenu(this);
    mnuDef->setObjectName(QStringLiteral("mnuDef"));
    QMenu *d = mnuDef;
    connect(item(d, "mnDefCopy", "&Copy", copyHint), &QAction::triggered, this, [this] { m_entry->CopyName(menuName(lstDef)); });
    command(item(d, "mnDefWhois", "&Whois"), C::Whois, lstDef);
    command(item(d, "mnDefStarcraftStats", "S&tarcraft Stats"), C::StarcraftStats, lstDef);
    command(item(d, "mnDefBroodwarStats", "B&roodwar Stats"), C::BroodwarStats, lstDef);
    command(item(d, "mnWar2stats", "Warcraft &Stats"), C::WarcraftStats, lstDef);
    connect(item(d, "mnDefUserInfo", "User &Information", "Colors/custom messages for this user"), &QAction::triggered,
            this, [this] { UserInformation(menuName(lstDef)); });
    d->addSeparator();
    connect(item(d, "mnDefChatWindow", "C&hat Window", "Open a private chat window to this user"), &QAction::triggered,
            this, [this] { OpenWhisperWindow(menuName(lstDef)); });
    connect(item(d, "mnDefSendURL", "Send &URL", "Send a web address to another user"), &QAction::triggered, this, [this] {
        SendUrlTo(menuName(lstDef));
    });
    d->addSeparator();
    connect(item(d, "mnDefAdd", "&Add User...", "Add a new user to the custom user list"), &QAction::triggered, this,
            &TfrmChat::AddCustomUser);
    connect(item(d, "mnDefDelete", "&Delete User", "Delete the selected user from the custom list"), &QAction::triggered,
            this, &TfrmChat::DeleteCustomUser);
    connect(item(d, "mnDefEdit", "&Edit User", "Edit the selected user"), &QAction::triggered, this,
            &TfrmChat::EditCustomUser);
    connect(item(d, "mnDefReorder", "Reorder &List", "Change the list order"), &QAction::triggered, this,
            &TfrmChat::ReorderCustomList);
    for (QMenu *m : {mnuUser, mnuDef}) {
        connect(m, &QMenu::aboutToShow, this, &TfrmChat::enableUserMenus);
        // The entry chosen is triggered once the menu has gone: the name stays for it until then.
        connect(m, &QMenu::aboutToHide, this, [this] {
            QTimer::singleShot(0, this, [this, opened = m_menuOpened] {
                if (opened == m_menuOpened) // no other pop-up menu since
                    m_menuList = nullptr;
            });
        });
    }

    connect(m_actions->acReorder, &QAction::triggered, this, &TfrmChat::ReorderCustomList);
    connect(m_actions->acAccounts, &QAction::triggered, this, [this] { ShowAccounts(QString()); });
}

void TfrmChat::loadIcons()
{
    m_icons.LoadPersonal(m_programFolder);
    m_users.SetPersonalIcons(m_icons.PersonalNames());
}

void TfrmChat::enableUserMenus()
{
    const bool user = lstUser->SelectedRow() >= 0;
    for (const char *name : {"mnCopy", "mnWhois", "mnSCStats", "mnBWStats", "mnUserWar2Stats", "mnSquelch", "mnUnsquelch",
                             "mnKick", "mnBan", "mnDesignate", "mnChatWindow", "mnSendURL", "mnAddCustom"})
        mnuUser->findChild<QAction *>(QString::fromLatin1(name))->setEnabled(user);
    mnUserSound->setEnabled(m_session.LoggedOn && m_soundsFolderExists);
    const bool def = lstDef->SelectedRow() >= 0 && m_session.LoggedOn;
    for (const char *name : {"mnDefCopy", "mnDefWhois", "mnDefStarcraftStats", "mnDefBroodwarStats", "mnWar2stats",
                             "mnDefChatWindow", "mnDefSendURL"})
        mnuDef->findChild<QAction *>(QString::fromLatin1(name))->setEnabled(def);
}

void TfrmChat::popupUserMenu(TUserListView *list, const QPoint &pos)
{
    TUserListView *other = list == lstUser ? lstDef : lstUser;
    const QModelIndex i = list->indexAt(pos);
    if (i.isValid())
        list->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    else
        list->clearSelection();
    other->clearSelection();
    m_menuList = list;
    m_menuName = list->SelectedName();
    ++m_menuOpened;
    Refocus();
    (list == lstUser ? mnuUser : mnuDef)->popup(list->viewport()->mapToGlobal(pos));
}

QString TfrmChat::menuName(const TUserListView *list) const
{
    return m_menuList == list ? m_menuName : list->SelectedName();
}

void TfrmChat::UserDoubleClicked(TUserListView *list)
{
    const QString name = list->SelectedName();
    if (name.isEmpty())
        return;
    switch (m_profile.Settings.DoubleClickAction()) {
    case 0:
        if (list != lstUser)
            return;
        SendLine((m_users.At(list->SelectedRow()).Squelched ? QLatin1String("/unsquelch ") : QLatin1String("/squelch ")) +
                 name + CR);
        break;
    case 1:
        m_entry->CopyName(name);
        break;
    case 2:
        SendLine(QLatin1String("/whois ") + name + CR);
        break;
    case 3:
        SendLine(QLatin1String("/kick ") + name + CR);
        break;
    case 4:
        SendLine(QLatin1String("/ban ") + name + CR);
        break;
    case 5:
        OpenWhisperWindow(name);
        return;
    case 6:
        UserInformation(name);
        return;
    default: // "Open Account Information" is offered by the setting but does nothing here
        return;
    }
    Refocus();
}

void TfrmChat::UserInformation(const QString &name)
{
    if (name.isEmpty() || m_profile.Users.IndexOfName(name) >= 0) {
        ShowUserInfo(name);
        return;
    }
    m_prompts->AskYesNo(QLatin1String("User ") + name + QLatin1String(" has no information.  Would you like to add this user?"),
                        [this, name](TPrompts::Answer a) {
                            if (a != TPrompts::Answer::Yes)
                                return;
                            auto rec = std::make_unique<tUser>();
                            rec->setName(name);
                            m_profile.Users.Add(std::move(rec));
                            m_profile.Users.Sort();
                            m_profile.Modified = true;
                            for (TUserListView *list : {lstUser, lstDef})
                                list->viewport()->update();
                            ShowUserInfo(name);
                        });
}

void TfrmChat::setCustomList(const QStringList &names, int select)
{
    m_profile.UserDef = names;
    m_profile.Modified = true;
    m_defModel.setStringList(names);
    if (select >= 0 && select < names.size())
        lstDef->selectionModel()->setCurrentIndex(m_defModel.index(select), QItemSelectionModel::ClearAndSelect);
}

void TfrmChat::AddToCustom(const QString &name)
{
    QStringList names = m_profile.UserDef;
    if (customlist::Append(names, name))
        setCustomList(names, -1);
}

void TfrmChat::AddCustomUser()
{
    m_prompts->AskText(QStringLiteral("New Entry"), QStringLiteral("Enter a name to add to list:"), QString(),
                       [this](bool confirmed, const QString &text) {
                           QStringList names = m_profile.UserDef;
                           if (confirmed && customlist::Append(names, text))
                               setCustomList(names, -1);
                       });
}

void TfrmChat::EditCustomUser()
{
    const int row = lstDef->SelectedRow();
    if (row < 0)
        return;
    const QString preset = lstDef->SelectedName();
    m_prompts->AskText(QStringLiteral("New Entry"), QStringLiteral("Enter a name to add to list:"), preset,
                       [this, row, preset](bool confirmed, const QString &text) {
                           // Cancel keeps the name as it was; an empty answer changes nothing.
                           const QString name = confirmed ? text : preset;
                           QStringList names = m_profile.UserDef;
                           if (name.isEmpty() || row >= names.size() || names[row] == name)
                               return;
                           names[row] = name;
                           setCustomList(names, row);
                       });
}

void TfrmChat::DeleteCustomUser()
{
    const int row = lstDef->SelectedRow();
    if (row < 0)
        return;
    const QString name = lstDef->SelectedName();
    m_prompts->AskYesNo(QLatin1String("Delete ") + name + QLatin1Char('?'), [this, row, name](TPrompts::Answer a) {
        QStringList names = m_profile.UserDef;
        // The list may have changed while the question was up: delete the entry asked about.
        if (a != TPrompts::Answer::Yes || row >= names.size() || names[row] != name)
            return;
        names.removeAt(row);
        setCustomList(names, -1);
    });
}

void TfrmChat::ReorderCustomList()
{
    TfrmEditList dlg(m_profile.UserDef, [this] { m_profile.Modified = true; }, this);
    dlg.setObjectName(QStringLiteral("frmEditList"));
    if (dlg.exec() == QDialog::Accepted && dlg.List() != m_profile.UserDef)
        setCustomList(dlg.List(), -1);
}

void TfrmChat::listDropped(TUserListView *source, int target)
{
    QStringList names = m_profile.UserDef;
    const QString name = source->DragName;
    if (source == lstUser && customlist::InsertDropped(names, name, target))
        setCustomList(names, customlist::IndexOf(names, name));
    else if (source == lstDef && customlist::MoveDropped(names, name, source->DragStart, target))
        setCustomList(names, target > source->DragStart ? target - 1 : target);
}

bool TfrmChat::entryDrop(QEvent *e)
{
    auto *d = static_cast<QDropEvent *>(e);
    auto *source = qobject_cast<TUserListView *>(d->source());
    if (source != lstUser && source != lstDef) {
        d->ignore(); // only names from the two lists
        return true;
    }
    d->acceptProposedAction();
    if (e->type() != QEvent::Drop)
        return true;
    QLineEdit *line = edEntry->lineEdit();
    const int caret = line->cursorPositionAt(d->position().toPoint());
    line->deselect();
    line->setCursorPosition(caret);
    line->insert(source->DragName);
    return true;
}

void TfrmChat::ChangeIcon()
{
    const QString name = menuName(lstUser);
    if (name.isEmpty())
        return;
    m_prompts->OpenFile(QStringLiteral("Choose an Icon FIle"), QStringLiteral("Bitmaps (*.bmp)"), m_programFolder,
                        [this, name](const QString &chosen) {
                            if (!chosen.isEmpty()) {
                                const QString folder = FindIgnoringCase(m_programFolder, QStringLiteral("icons"));
                                QDir().mkpath(folder);
                                const QString file = QFileInfo(chosen).fileName();
                                const QString copy = QDir(folder).filePath(file);
                                // A bitmap chosen from the icons folder itself is already in place.
                                if (QFileInfo(chosen).canonicalFilePath() != QFileInfo(copy).canonicalFilePath()) {
                                    QByteArray bitmap;
                                    // An earlier bitmap of that name stays unless the new one is whole.
                                    if (!records::readBounded(chosen, MaxBitmapSize, bitmap)
                                        || !safefile::WriteFile(copy, bitmap)) {
                                        ShowMessage(QStringLiteral("Error saving file: ") + copy);
                                        lstUser->viewport()->update();
                                        return;
                                    }
                                }
                                const QString listPath = FindIgnoringCase(folder, QStringLiteral("icons.txt"));
                                // A list that could not be read is never rewritten with one pair.
                                QStringList lines;
                                const bool read = iconsfile::ReadForUpdate(listPath, lines);
                                if (read)
                                    iconsfile::SetIcon(lines, name, file);
                                if (!read || !iconsfile::Write(listPath, lines))
                                    ShowMessage(QStringLiteral("Error saving file: ") + listPath);
                                if (m_icons.SetPersonal(name, copy))
                                    m_users.SetPersonalIcons(m_icons.PersonalNames());
                                else
                                    ShowMessage(QStringLiteral("No room for another icon: at most %1 personal icons.")
                                                    .arg(TIconTable::MaxCount - TIconTable::BuiltinCount));
                            }
                            lstUser->viewport()->update();
                        });
}

TfrmWhisper *TfrmChat::OpenWhisperWindow(const QString &user)
{
    if (user.isEmpty())
        return nullptr;
    for (TfrmWhisper *w : m_whisperWindows)
        if (w->User().toUpper() == user.toUpper()) {
            w->show();
            w->raise();
            w->activateWindow();
            return w;
        }
    auto *w = new TfrmWhisper(user, [this](const QString &line) { SendLine(line); }, m_programFolder,
                              m_prompts == m_widgetPrompts ? nullptr : m_prompts);
    const tChatSettings &s = m_profile.Settings;
    QFont font = reWhisper->font();
    ::ApplyFont(s.WhisperFont(), font);
    w->ApplyFont(font);
    w->ApplyColors(bgrToColor(s.Color(WhisperBackground)), bgrToColor(s.Color(EntryBackground)), bgrToColor(s.Color(EntryColor)));
    w->ErrorColor = bgrToColor(s.Color(ErrorColor));
    m_whisperWindows.append(w);
    connect(w, &QObject::destroyed, this, [this, w] { m_whisperWindows.removeAll(w); });
    w->move(geometry().center() - QPoint(w->width() / 2, w->height() / 2));
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

tTranscript *TfrmChat::WhisperWindowPane(const QString &user)
{
    for (auto it = m_whisperWindows.crbegin(); it != m_whisperWindows.crend(); ++it)
        if ((*it)->User().compare(user, Qt::CaseInsensitive) == 0)
            return &(*it)->Transcript();
    return nullptr;
}

void TfrmChat::ShowAccounts(const QString &name)
{
    TfrmAccount dlg(m_profile.AccountList, m_profile.NumberList, name,
                    [this] { ShowHelp(QStringLiteral("User Account Screen")); }, this);
    dlg.setObjectName(QStringLiteral("frmAccount"));
    dlg.exec();
}

void TfrmChat::closeWhisperWindows()
{
    const QList<TfrmWhisper *> windows = m_whisperWindows;
    m_whisperWindows.clear();
    qDeleteAll(windows);
}

void TfrmChat::applyUserPaneColours()
{
    const tChatSettings &s = m_profile.Settings;
    const auto colour = [&s](int slot) { return bgrToColor(s.Color(slot)); };
    for (TUserListView *l : {lstUser, lstDef}) {
        TUserListDelegate *d = l->Delegate();
        d->HighlightColor = colour(HighlightColor);
        d->HighlightBackground = colour(HighlightBackground);
        d->TextColor = colour(l == lstUser ? UserListColor : CustomUserColor);
        d->Background = colour(l == lstUser ? UserListBackground : CustomUserBackground);
        l->viewport()->update();
    }
    QFont font = reWhisper->font();
    for (TfrmWhisper *w : m_whisperWindows) {
        w->ApplyColors(colour(WhisperBackground), colour(EntryBackground), colour(EntryColor));
        w->ErrorColor = colour(ErrorColor);
        w->ApplyFont(font);
    }
}
