#include "ui/UserListView.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>

#include "ui/UserIcons.h"
#include "view/ChannelUsers.h"

const char *const TUserListView::MimeType = "application/x-quorlchat-user";

TUserListDelegate::TUserListDelegate(const TIconTable &icons, QObject *parent)
    : QStyledItemDelegate(parent), m_icons(icons)
{
}

void TUserListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    painter->save();
    const bool selected = option.state & QStyle::State_Selected;
    const auto pick = [](const QColor &c, const QColor &fallback) { return c.isValid() ? c : fallback; };
    const QString name = index.data().toString();
    painter->fillRect(option.rect, selected ? pick(HighlightBackground, option.palette.highlight().color())
                                            : pick(Background, option.palette.base().color()));
    QColor ink = selected ? pick(HighlightColor, option.palette.highlightedText().color())
                          : pick(TextColor, option.palette.text().color());
    if (!selected && NameColor) {
        const QColor custom = NameColor(name);
        if (custom.isValid())
            ink = custom;
    }
    painter->setPen(ink);
    painter->setFont(option.font);
    const QRect textRect = option.rect.adjusted(IncludeIcons ? Indent : 0, 0, 0, 0);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, name);
    const QVariant iconData = index.data(tChannelUsers::IconRole);
    const int icon = iconData.isValid() ? iconData.toInt() : tChannelUsers::NoIcon;
    if (IncludeIcons && icon != tChannelUsers::NoIcon) {
        const bool squelched = index.data(tChannelUsers::SquelchRole).toBool();
        const QPixmap pm = m_icons.Image(squelched ? tChannelUsers::SquelchedIcon : icon);
        if (!pm.isNull())
            painter->drawPixmap(QRect(option.rect.left(), option.rect.top() + (option.rect.height() - TIconTable::IconHeight) / 2,
                                      TIconTable::IconWidth, TIconTable::IconHeight), pm);
    }
    painter->restore();
}

QSize TUserListDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.setHeight(ItemHeight > 0 ? ItemHeight : qMax(s.height(), TIconTable::IconHeight + 2));
    return s;
}

TUserListView::TUserListView(const TIconTable &icons, QWidget *parent)
    : QListView(parent), m_delegate(new TUserListDelegate(icons, this))
{
    setItemDelegate(m_delegate);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setMinimumSize(20, 20);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(false);
    setAcceptDrops(false);
}

int TUserListView::SelectedRow() const
{
    const QModelIndexList sel = selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList();
    return sel.isEmpty() ? -1 : sel.first().row();
}

QString TUserListView::SelectedName() const
{
    const int row = SelectedRow();
    return row < 0 ? QString() : model()->index(row, 0).data().toString();
}

int TUserListView::RowAt(const QPoint &pos) const
{
    const QModelIndex i = indexAt(pos);
    return i.isValid() ? i.row() : (model() ? model()->rowCount() : 0);
}

void TUserListView::rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end)
{
    // Left alone, the view moves the current entry to the next one and, with single selection, selects it.
    const QModelIndex current = currentIndex();
    if (selectionModel() && current.isValid() && current.parent() == parent && current.row() >= start
        && current.row() <= end)
        selectionModel()->clearCurrentIndex();
    QListView::rowsAboutToBeRemoved(parent, start, end);
}

void TUserListView::startDrag(Qt::DropActions)
{
    DragName = SelectedName();
    DragStart = AcceptFrom.contains(this) ? SelectedRow() : -1;
    auto *mime = new QMimeData;
    mime->setData(QString::fromLatin1(MimeType), DragName.toUtf8());
    auto *drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
    DragName.clear();
    DragStart = -1;
}

TUserListView *TUserListView::acceptedSource(const QDropEvent *e) const
{
    auto *source = qobject_cast<TUserListView *>(e->source());
    return source && AcceptFrom.contains(source) && e->mimeData()->hasFormat(QString::fromLatin1(MimeType)) ? source : nullptr;
}

void TUserListView::dragEnterEvent(QDragEnterEvent *e)
{
    if (acceptedSource(e))
        e->acceptProposedAction();
    else
        e->ignore();
}

void TUserListView::dragMoveEvent(QDragMoveEvent *e)
{
    if (acceptedSource(e))
        e->acceptProposedAction();
    else
        e->ignore();
}

void TUserListView::dropEvent(QDropEvent *e)
{
    TUserListView *source = acceptedSource(e);
    if (!source) {
        e->ignore();
        return;
    }
    e->acceptProposedAction();
    emit dropped(source, RowAt(e->position().toPoint()));
}
