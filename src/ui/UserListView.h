#pragma once
#include <QListView>
#include <QStyledItemDelegate>

class TIconTable;

// Draws a channel user: the icon (the squelch image instead while squelched), then the name.
class TUserListDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    TUserListDelegate(const TIconTable &icons, QObject *parent = nullptr);
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool IncludeIcons = true;
    // Row height in pixels; 0 leaves it to the font and the icons.
    int ItemHeight = 0;

private:
    const TIconTable &m_icons;
};

// The channel user list lstUser.
class TUserListView : public QListView
{
    Q_OBJECT
public:
    TUserListView(const TIconTable &icons, QWidget *parent = nullptr);
    TUserListDelegate *Delegate() const { return m_delegate; }
    // The selected user's name, or empty.
    QString SelectedName() const;

private:
    TUserListDelegate *m_delegate;
};
