#include "ui/UserIcons.h"

#include <QFont>
#include <QPainter>

#include "view/ChannelUsers.h"

QPixmap TIconTable::Badge(const QColor &fill, const QColor &ink, const QString &text)
{
    QPixmap pm(IconWidth, IconHeight);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(fill.darker(160));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, IconWidth - 1, IconHeight - 1), 3, 3);
    QFont f(QStringLiteral("Sans Serif"));
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(ink);
    p.drawText(QRect(0, 0, IconWidth, IconHeight), Qt::AlignCenter, text);
    return pm;
}

TIconTable::TIconTable()
{
    struct BuiltinLook { const char *text; QColor fill; QColor ink; };
    // Index by index: the meaning of each slot is fixed by the icon choice of the channel list.
    const BuiltinLook looks[tChannelUsers::BuiltinIconCount] = {
        {"", QColor(60, 60, 60), Qt::white},          // 0: never chosen
        {"CHAT", QColor(0, 120, 200), Qt::white},     // 1
        {"DRTL", QColor(150, 20, 20), Qt::white},     // 2
        {"STAR", QColor(30, 60, 160), Qt::white},     // 3
        {"OP", QColor(230, 180, 0), Qt::black},       // 4: channel operator
        {"SSHR", QColor(90, 110, 170), Qt::white},    // 5
        {"SEXP", QColor(100, 40, 150), Qt::white},    // 6
        {"REP", QColor(0, 150, 200), Qt::white},      // 7: flag 0x01
        {"DSHR", QColor(170, 80, 80), Qt::white},     // 8
        {"SQL", QColor(110, 110, 110), Qt::black},    // 9: squelched
        {"W2BN", QColor(40, 130, 40), Qt::white},     // 10
        {"JSTR", QColor(60, 90, 180), Qt::white},     // 11
        {"QRLZ", QColor(200, 90, 0), Qt::white},      // 12
        {"", QColor(60, 60, 60), Qt::white},          // 13..19: spare
        {"", QColor(60, 60, 60), Qt::white},
        {"", QColor(60, 60, 60), Qt::white},
        {"", QColor(60, 60, 60), Qt::white},
        {"", QColor(60, 60, 60), Qt::white},
        {"", QColor(60, 60, 60), Qt::white},
        {"", QColor(60, 60, 60), Qt::white},
        {"D2", QColor(120, 30, 30), QColor(255, 200, 80)}, // 20
    };
    for (const BuiltinLook &s : looks)
        m_images.append(Badge(s.fill, s.ink, QString::fromLatin1(s.text)));
}

QPixmap TIconTable::Image(int index) const
{
    return index >= 0 && index < m_images.size() ? m_images[index] : QPixmap();
}
