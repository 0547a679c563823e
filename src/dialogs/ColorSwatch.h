#pragma once
#include <QColor>
#include <QFrame>

// A colour swatch; a click (or Space while focused) asks to change it.
class TColorSwatch : public QFrame
{
    Q_OBJECT
public:
    explicit TColorSwatch(QWidget *parent = nullptr);
    void setColor(const QColor &c);
    QColor color() const { return m_color; }
    QSize sizeHint() const override { return {48, 22}; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    QColor m_color = Qt::black;
};
