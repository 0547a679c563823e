#include "ui/ToolIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

namespace {
const QColor Ink(0x33, 0x3a, 0x45);
const QColor Blue(0x5b, 0x9b, 0xe0), Green(0x5c, 0xb8, 0x5c), Red(0xd9, 0x53, 0x4f), Amber(0xf0, 0xb4, 0x3c),
    Paper(0xfa, 0xfa, 0xf5), Grey(0xb8, 0xc0, 0xcc), Purple(0x9a, 0x7b, 0xd0);

void person(QPainter &p, qreal x, qreal y, qreal s, const QColor &c)
{
    p.setBrush(c);
    p.drawEllipse(QPointF(x, y), 2.3 * s, 2.3 * s);
    QPainterPath body;
    body.moveTo(x - 4.2 * s, y + 7.5 * s);
    body.cubicTo(x - 4.2 * s, y + 3 * s, x + 4.2 * s, y + 3 * s, x + 4.2 * s, y + 7.5 * s);
    body.closeSubpath();
    p.drawPath(body);
}

void page(QPainter &p, const QRectF &r, bool lines)
{
    p.setBrush(Paper);
    p.drawRoundedRect(r, 1, 1);
    if (!lines)
        return;
    for (qreal y = r.top() + 3; y < r.bottom() - 1.5; y += 2.5)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

// Everything on a 16 by 16 grid; the engine scales it to the size asked for.
void draw(QPainter &p, ToolImage image)
{
    QPen pen(Ink, 1.1);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    switch (image) {
    case ToolImage::Connect: {
        // Two plug halves meeting.
        p.setBrush(Green);
        p.drawRoundedRect(QRectF(1.5, 5, 5, 6), 1.2, 1.2);
        p.setBrush(Blue);
        p.drawRoundedRect(QRectF(9.5, 5, 5, 6), 1.2, 1.2);
        p.drawLine(QPointF(6.5, 6.8), QPointF(8.2, 6.8));
        p.drawLine(QPointF(6.5, 9.2), QPointF(8.2, 9.2));
        p.drawLine(QPointF(0.5, 8), QPointF(1.5, 8));
        p.drawLine(QPointF(14.5, 8), QPointF(15.5, 8));
        break;
    }
    case ToolImage::Setup: {
        QPainterPath gear;
        for (int i = 0; i < 16; ++i) {
            const qreal a = i * M_PI / 8;
            const qreal r = (i % 2 == 0) ? 7.0 : 5.2;
            const QPointF pt(8 + r * qCos(a), 8 + r * qSin(a));
            i == 0 ? gear.moveTo(pt) : gear.lineTo(pt);
        }
        gear.closeSubpath();
        gear.addEllipse(QPointF(8, 8), 2.2, 2.2);
        p.setBrush(Grey);
        p.drawPath(gear);
        break;
    }
    case ToolImage::Fonts: {
        QFont f(QStringLiteral("DejaVu Serif"));
        f.setPixelSize(13);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QPen(Blue.darker(140)));
        p.drawText(QRectF(0, 0, 11, 15), Qt::AlignCenter, QStringLiteral("A"));
        p.setPen(QPen(Red.darker(120)));
        f.setPixelSize(9);
        p.setFont(f);
        p.drawText(QRectF(8, 4, 8, 12), Qt::AlignCenter, QStringLiteral("a"));
        break;
    }
    case ToolImage::Join: {
        // A door with an arrow going in.
        p.setBrush(Amber);
        p.drawRect(QRectF(7.5, 1.5, 7, 13));
        p.setBrush(Ink);
        p.drawEllipse(QPointF(9.5, 8), 0.6, 0.6);
        p.setPen(QPen(Green.darker(130), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(1, 8), QPointF(6.5, 8));
        p.drawPolyline(QPolygonF({QPointF(4, 5.2), QPointF(6.8, 8), QPointF(4, 10.8)}));
        break;
    }
    case ToolImage::List:
        person(p, 5, 4.5, 0.85, Grey);
        person(p, 10, 5.5, 1.0, Blue);
        break;
    case ToolImage::Details:
        person(p, 6, 4.5, 1.0, Blue);
        p.setBrush(Amber);
        p.drawEllipse(QPointF(12, 11.5), 3.5, 3.5);
        p.drawLine(QPointF(12, 10.8), QPointF(12, 13.2));
        p.drawPoint(QPointF(12, 9.3));
        break;
    case ToolImage::Accounts:
        p.setBrush(Paper);
        p.drawRoundedRect(QRectF(1, 3, 14, 10), 1.5, 1.5);
        person(p, 5, 6.5, 0.55, Blue);
        p.drawLine(QPointF(8.5, 6.5), QPointF(13, 6.5));
        p.drawLine(QPointF(8.5, 9), QPointF(13, 9));
        break;
    case ToolImage::Text:
        page(p, QRectF(3, 1, 10, 14), true);
        break;
    case ToolImage::Away: {
        QPainterPath moon;
        moon.addEllipse(QPointF(8, 8), 6.5, 6.5);
        QPainterPath bite;
        bite.addEllipse(QPointF(11.5, 5.5), 5.5, 5.5);
        p.setBrush(Amber);
        p.drawPath(moon.subtracted(bite));
        break;
    }
    case ToolImage::Dnd:
        p.setBrush(Red);
        p.drawEllipse(QPointF(8, 8), 6.8, 6.8);
        p.setBrush(Paper);
        p.drawRoundedRect(QRectF(3.5, 6.8, 9, 2.4), 0.6, 0.6);
        break;
    case ToolImage::Lock:
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Ink, 1.6));
        p.drawArc(QRectF(4.5, 1.5, 7, 9), 0, 180 * 16);
        p.drawLine(QPointF(4.5, 6), QPointF(4.5, 7.5));
        p.drawLine(QPointF(11.5, 6), QPointF(11.5, 7.5));
        p.setPen(pen);
        p.setBrush(Amber);
        p.drawRoundedRect(QRectF(2.5, 7, 11, 8), 1.2, 1.2);
        p.setBrush(Ink);
        p.drawEllipse(QPointF(8, 10.6), 1, 1);
        break;
    case ToolImage::Pause:
        p.setBrush(Blue);
        p.drawRoundedRect(QRectF(3.5, 2.5, 3.2, 11), 0.8, 0.8);
        p.drawRoundedRect(QRectF(9.3, 2.5, 3.2, 11), 0.8, 0.8);
        break;
    case ToolImage::Cut:
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(4, 1.5), QPointF(10.5, 11));
        p.drawLine(QPointF(12, 1.5), QPointF(5.5, 11));
        p.setBrush(Red);
        p.drawEllipse(QPointF(4.5, 12.5), 2.4, 2.4);
        p.drawEllipse(QPointF(11.5, 12.5), 2.4, 2.4);
        break;
    case ToolImage::Copy:
        page(p, QRectF(1.5, 1.5, 8.5, 10.5), false);
        page(p, QRectF(6, 4.5, 8.5, 10.5), true);
        break;
    case ToolImage::Paste:
        p.setBrush(Amber);
        p.drawRoundedRect(QRectF(2, 2.5, 10, 12.5), 1.2, 1.2);
        p.setBrush(Grey);
        p.drawRoundedRect(QRectF(4.5, 1, 5, 3), 0.8, 0.8);
        page(p, QRectF(7, 6, 7.5, 9), true);
        break;
    case ToolImage::Undo: {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Blue.darker(130), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath arc;
        arc.moveTo(3, 7);
        arc.cubicTo(6, 3, 14, 3, 13.5, 9);
        arc.cubicTo(13.2, 12, 10, 13.5, 7.5, 13);
        p.drawPath(arc);
        p.drawPolyline(QPolygonF({QPointF(2.5, 2.5), QPointF(2.8, 7.2), QPointF(7.2, 6.8)}));
        break;
    }
    case ToolImage::Folder:
        p.setBrush(Amber);
        p.drawRoundedRect(QRectF(1, 3, 6, 3), 0.8, 0.8);
        p.drawRoundedRect(QRectF(1, 4.5, 14, 9.5), 1, 1);
        break;
    case ToolImage::Sound: {
        p.setBrush(Purple);
        p.drawEllipse(QPointF(5, 12), 2.6, 2);
        p.drawEllipse(QPointF(12, 10.5), 2.6, 2);
        p.setPen(QPen(Ink, 1.3));
        p.drawLine(QPointF(7.5, 12), QPointF(7.5, 3));
        p.drawLine(QPointF(14.5, 10.5), QPointF(14.5, 1.8));
        p.setBrush(Ink);
        p.drawPolygon(QPolygonF({QPointF(7.5, 3), QPointF(14.5, 1.8), QPointF(14.5, 4), QPointF(7.5, 5.2)}));
        break;
    }
    }
}

class TToolIconEngine : public QIconEngine
{
public:
    explicit TToolIconEngine(ToolImage image) : m_image(image) {}
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setRenderHint(QPainter::TextAntialiasing);
        const qreal side = qMin(rect.width(), rect.height());
        painter->translate(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2);
        painter->scale(side / 16.0, side / 16.0);
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.35);
        draw(*painter, m_image);
        painter->restore();
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }
    // `size` is in device pixels already: the image is drawn at the screen's own resolution, so a
    // ratio of 2 gets twice the detail, not a blown-up image.
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        {
            QPainter p(&pm);
            paint(&p, QRect(QPoint(0, 0), size), mode, state);
        }
        pm.setDevicePixelRatio(scale);
        return pm;
    }
    QIconEngine *clone() const override { return new TToolIconEngine(m_image); }

private:
    ToolImage m_image;
};
} // namespace

QIcon ToolIcon(ToolImage image)
{
    return QIcon(new TToolIconEngine(image));
}
