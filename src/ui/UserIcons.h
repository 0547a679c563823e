#pragma once
#include <QPixmap>
#include <QVector>

// The icon table of the channel user list: the built-in images first, personal icons after them.
class TIconTable
{
public:
    static constexpr int IconWidth = 28, IconHeight = 14;

    TIconTable(); // the built-in images
    int Count() const { return int(m_images.size()); }
    // A null pixmap for an index outside the table.
    QPixmap Image(int index) const;
    // Appends a personal icon (a null pixmap keeps the slot, without a picture).
    void Append(const QPixmap &image) { m_images.append(image); }

    // One badge: a rounded rectangle in `fill` with `text` in `ink`.
    static QPixmap Badge(const QColor &fill, const QColor &ink, const QString &text);

private:
    QVector<QPixmap> m_images;
};
