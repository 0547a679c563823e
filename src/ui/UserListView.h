#pragma once
#include <QListView>
#include <QStyledItemDelegate>
#include <functional>

class TIconTable;

// Draws a user list entry: the icon (the squelch image instead while squelched), then the name, in the
// list's own colours, the highlight colours while selected, or a custom user's name colour.
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
    // Colours; an invalid one falls back to the view's palette.
    QColor TextColor, Background, HighlightColor, HighlightBackground;
    // A custom user's name colour, or an invalid colour for a name without a record.
    std::function<QColor(const QString &name)> NameColor;

    static constexpr int Indent = 30;

private:
    const TIconTable &m_icons;
};

// One of the two user lists (lstUser, lstDef). A drag from an entry carries the selected name; a
// drop reaches the window through `dropped`.
class TUserListView : public QListView
{
    Q_OBJECT
public:
    TUserListView(const TIconTable &icons, QWidget *parent = nullptr);
    TUserListDelegate *Delegate() const { return m_delegate; }
    // The selected user's name, or empty.
    QString SelectedName() const;
    int SelectedRow() const; // -1 when none
    // The row under a point of the viewport: the number of rows below the last entry.
    int RowAt(const QPoint &pos) const;

    // The drag under way from this list: the name (empty without a selection) and, in a list that
    // accepts drops from itself, the row it started from (-1 otherwise).
    QString DragName;
    int DragStart = -1;
    // Lists whose drags this one accepts.
    QList<const TUserListView *> AcceptFrom;
    // The name and MIME type of a drag between the lists.
    static const char *const MimeType;

signals:
    // A drag from `source` was dropped on row `target` (see RowAt).
    void dropped(TUserListView *source, int target);

protected:
    // The entry of a user who leaves takes its selection with it: no neighbour inherits it.
    void rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end) override;
    void startDrag(Qt::DropActions supported) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dragMoveEvent(QDragMoveEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    TUserListView *acceptedSource(const QDropEvent *e) const;
    TUserListDelegate *m_delegate;
};
