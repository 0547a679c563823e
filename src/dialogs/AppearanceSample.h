#pragma once
#include <QFrame>
#include <functional>
#include <vector>

#include "profile/ChatSettings.h"

// One coloured piece of a miniature and the colour item a click on it selects.
struct tSampleSegment
{
    QString Text;
    ColorRole Role;
    int Item;
};

struct tSampleRow
{
    std::vector<tSampleSegment> Segments;
    int IconItem = -1;          // a user list row: an icon before the name, selecting this item
    ColorRole IconRole = UserListColor;
    int HighlightItem = -1;     // the selected row: its background's item ...
    ColorRole HighlightRole = HighlightBackground; // ... and colour
};

// A miniature of a pane painted in the live colours; a click reports the item of the element
// under the mouse (a text, a selected row, else the background).
class TSamplePane : public QFrame
{
public:
    TSamplePane(ColorRole background, int backgroundItem, std::vector<tSampleRow> rows, QWidget *parent = nullptr);

    std::function<QColor(ColorRole)> Colour;
    std::function<void(int item)> OnPick;

    int ItemAt(const QPoint &pos) const;
    // Where a text is drawn (the first segment with that text), for a click.
    QRect TextRect(const QString &text) const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;

private:
    int rowHeight() const;
    QRect rowRect(int row) const;
    QRect iconRect(int row) const;
    // Every segment's rectangle, row by row.
    std::vector<std::vector<QRect>> layoutSegments() const;

    ColorRole m_background;
    int m_backgroundItem;
    std::vector<tSampleRow> m_rows;
};
