#pragma once
#include <QPixmap>
#include <QStringList>
#include <QVector>

// The icon table of the channel user list: the built-in images first, personal icons after them.
class TIconTable
{
public:
    static constexpr int IconWidth = 28, IconHeight = 14;
    static constexpr int BuiltinCount = 21, MaxCount = 101;

    // The built-in images, drawn for screens of `devicePixelRatio` (0: the application's highest).
    explicit TIconTable(qreal devicePixelRatio = 0);
    int Count() const { return int(m_images.size()); }
    // A null pixmap for an index outside the table or a slot without a picture.
    QPixmap Image(int index) const;
    // Appends a personal icon (a null pixmap keeps the slot, without a picture); false when full.
    bool Append(const QPixmap &image);
    void SetImage(int index, const QPixmap &image);

    // The personal icon names: the name at position p owns slot p + BuiltinCount; empty for a
    // slot whose picture failed to load.
    const QStringList &PersonalNames() const { return m_names; }
    // Reads "icons/icons.txt" in the program folder and loads every complete pair's bitmap from the
    // "icons" folder beside it, up to the table's capacity; further pairs are ignored.
    void LoadPersonal(const QString &programFolder);
    // Gives `name` the bitmap at `path`: reloads the name's slot, or takes the next free one.
    // False when the name has no slot and the table is full.
    bool SetPersonal(const QString &name, const QString &path);
    int PersonalSlot(const QString &name) const; // -1 when the name has none

    // One badge: a rounded rectangle in `fill` with `text` in `ink`, squeezed to fit.
    static QPixmap Badge(const QColor &fill, const QColor &ink, const QString &text, qreal devicePixelRatio = 1);
    // A bitmap scaled to the icon size; null when it cannot be read.
    static QPixmap LoadBitmap(const QString &path);

private:
    QVector<QPixmap> m_images;
    QStringList m_names;
};
