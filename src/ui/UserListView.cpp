#include "ui/UserListView.h"

#include <QPainter>

#include "ui/UserIcons.h"
#include "view/ChannelUsers.h"

TUserListDelegate::TUserListDelegate(const TIconTable &icons, QObject *parent)
    : QStyledItemDelegate(parent), m_icons(icons)
{
}

void TUserListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    painter->save();
    const bool selected = option.state & QStyle::State_Selected;
    painter->fillRect(option.rect, selected ? option.palette.highlight() : option.palette.base());
    painter->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
    painter->setFont(option.font);
    const int indent = IncludeIcons ? 30 : 0;
    const QRect textRect = option.rect.adjusted(indent, 0, 0, 0);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, index.data().toString());
    const int icon = index.data(tChannelUsers::IconRole).toInt();
    if (IncludeIcons && icon != tChannelUsers::NoIcon) {
        const bool squelched = index.data(tChannelUsers::SquelchRole).toBool();
        const QPixmap pm = m_icons.Image(squelched ? tChannelUsers::SquelchedIcon : icon);
        if (!pm.isNull())
            painter->drawPixmap(option.rect.left(), option.rect.top() + (option.rect.height() - TIconTable::IconHeight) / 2, pm);
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
}

QString TUserListView::SelectedName() const
{
    const QModelIndexList sel = selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList();
    return sel.isEmpty() ? QString() : sel.first().data().toString();
}
