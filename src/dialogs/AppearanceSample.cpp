#include "dialogs/AppearanceSample.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int Margin = 4, IconSize = 12, IconGap = 4;
}

TSamplePane::TSamplePane(ColorRole background, int backgroundItem, std::vector<tSampleRow> rows, QWidget *parent)
    : QFrame(parent), m_background(background), m_backgroundItem(backgroundItem), m_rows(std::move(rows))
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

int TSamplePane::rowHeight() const
{
    return fontMetrics().height() + 3;
}

QRect TSamplePane::rowRect(int row) const
{
    const QRect c = contentsRect();
    return QRect(c.left(), c.top() + Margin / 2 + row * rowHeight(), c.width(), rowHeight());
}

QSize TSamplePane::sizeHint() const
{
    int width = 0;
    for (const tSampleRow &r : m_rows) {
        int w = r.IconItem >= 0 ? IconSize + IconGap : 0;
        for (const tSampleSegment &s : r.Segments)
            w += fontMetrics().horizontalAdvance(s.Text);
        width = qMax(width, w);
    }
    const int f = 2 * frameWidth();
    return {width + 2 * Margin + f, int(m_rows.size()) * rowHeight() + Margin + f};
}

QRect TSamplePane::iconRect(int row) const
{
    const QRect rr = rowRect(row);
    return QRect(rr.left() + Margin, rr.center().y() - IconSize / 2, IconSize - 1, IconSize - 1);
}

std::vector<std::vector<QRect>> TSamplePane::layoutSegments() const
{
    std::vector<std::vector<QRect>> out;
    for (int row = 0; row < int(m_rows.size()); ++row) {
        const tSampleRow &r = m_rows[row];
        const QRect rr = rowRect(row);
        int x = rr.left() + Margin + (r.IconItem >= 0 ? IconSize + IconGap : 0);
        std::vector<QRect> rects;
        for (const tSampleSegment &s : r.Segments) {
            const int w = fontMetrics().horizontalAdvance(s.Text);
            rects.emplace_back(x, rr.top(), w, rr.height());
            x += w;
        }
        out.push_back(std::move(rects));
    }
    return out;
}

int TSamplePane::ItemAt(const QPoint &pos) const
{
    const auto rects = layoutSegments();
    for (int row = 0; row < int(m_rows.size()); ++row) {
        const tSampleRow &r = m_rows[row];
        if (r.IconItem >= 0 && iconRect(row).adjusted(-1, -1, 1, 1).contains(pos))
            return r.IconItem;
        for (int i = 0; i < int(r.Segments.size()); ++i)
            if (rects[row][i].contains(pos))
                return r.Segments[i].Item;
        if (r.HighlightItem >= 0 && rowRect(row).contains(pos))
            return r.HighlightItem;
    }
    return m_backgroundItem;
}

QRect TSamplePane::TextRect(const QString &text) const
{
    const auto rects = layoutSegments();
    for (int row = 0; row < int(m_rows.size()); ++row)
        for (int i = 0; i < int(m_rows[row].Segments.size()); ++i)
            if (m_rows[row].Segments[i].Text.trimmed() == text.trimmed())
                return rects[row][i];
    return QRect();
}

void TSamplePane::paintEvent(QPaintEvent *e)
{
    const auto colour = [this](ColorRole role) { return Colour ? Colour(role) : QColor(Qt::black); };
    QPainter p(this);
    p.fillRect(contentsRect(), colour(m_background));
    const auto rects = layoutSegments();
    for (int row = 0; row < int(m_rows.size()); ++row) {
        const tSampleRow &r = m_rows[row];
        const QRect rr = rowRect(row);
        if (r.HighlightItem >= 0)
            p.fillRect(rr, colour(r.HighlightRole));
        if (r.IconItem >= 0) {
            p.setPen(colour(r.IconRole));
            const QRect icon = iconRect(row);
            p.drawRect(icon);
            p.drawLine(icon.topLeft() + QPoint(3, 3), icon.bottomRight() - QPoint(3, 3));
        }
        for (int i = 0; i < int(r.Segments.size()); ++i) {
            p.setPen(colour(r.Segments[i].Role));
            p.drawText(rects[row][i], Qt::AlignLeft | Qt::AlignVCenter, r.Segments[i].Text);
        }
    }
    p.end();
    QFrame::paintEvent(e);
}

void TSamplePane::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && OnPick)
        OnPick(ItemAt(e->position().toPoint()));
}
