#include "dialogs/ColorSwatch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

TColorSwatch::TColorSwatch(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setMinimumSize(32, 18);
}

void TColorSwatch::setColor(const QColor &c)
{
    if (c == m_color)
        return;
    m_color = c;
    update();
}

void TColorSwatch::paintEvent(QPaintEvent *e)
{
    QPainter p(this);
    p.fillRect(contentsRect(), m_color);
    if (hasFocus())
        p.fillRect(contentsRect().adjusted(2, 2, -2, -2).intersected(QRect(contentsRect().topLeft() + QPoint(2, 2), QSize(6, 6))),
                   palette().highlight());
    p.end();
    QFrame::paintEvent(e);
}

void TColorSwatch::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked();
}

void TColorSwatch::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        emit clicked();
    else
        QFrame::keyPressEvent(e);
}
