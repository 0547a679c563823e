#include "ui/UserIcons.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>

#include "view/CustomList.h"
#include "view/FindFile.h"

QPixmap TIconTable::Badge(const QColor &fill, const QColor &ink, const QString &text, qreal dpr)
{
    dpr = qMax<qreal>(1, dpr);
    QPixmap pm(int(std::ceil(IconWidth * dpr)), int(std::ceil(IconHeight * dpr)));
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(QPen(fill.darker(170), 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, IconWidth - 1, IconHeight - 1), 3, 3);
    if (!text.isEmpty()) {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setStyleHint(QFont::SansSerif);
        f.setPixelSize(text.size() > 2 ? 9 : 10);
        f.setBold(true);
        f.setHintingPreference(QFont::PreferFullHinting);
        p.setFont(f);
        p.setPen(ink);
        // Four bold capitals are wider than the badge: squeeze them horizontally instead of clipping.
        const QFontMetricsF fm(f);
        const qreal room = IconWidth - 4;
        const qreal width = fm.horizontalAdvance(text);
        const qreal sx = width > room ? room / width : 1.0;
        const qreal baseline = (IconHeight + fm.capHeight()) / 2.0;
        p.translate(IconWidth / 2.0, 0);
        p.scale(sx, 1.0);
        p.drawText(QPointF(-width / 2.0, std::round(baseline)), text);
    }
    return pm;
}

QPixmap TIconTable::LoadBitmap(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    // A picture of absurd size is not worth decoding for a 28 by 14 icon.
    if (!reader.canRead() || reader.size().width() > 4096 || reader.size().height() > 4096)
        return QPixmap();
    const QImage img = reader.read();
    if (img.isNull())
        return QPixmap();
    if (img.size() == QSize(IconWidth, IconHeight))
        return QPixmap::fromImage(img);
    return QPixmap::fromImage(img.scaled(IconWidth, IconHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

TIconTable::TIconTable(qreal dpr)
{
    if (dpr <= 0)
        dpr = qGuiApp ? qGuiApp->devicePixelRatio() : 1;
    struct BuiltinLook { const char *text; QColor fill; QColor ink; };
    // Index by index: the meaning of each slot is fixed by the icon choice of the channel list.
    const QColor spare(60, 60, 60);
    const BuiltinLook looks[BuiltinCount] = {
        {"", spare, Qt::white},                          // 0: never chosen
        {"CHAT", QColor(0, 110, 190), Qt::white},         // 1
        {"DRTL", QColor(150, 20, 20), Qt::white},         // 2
        {"STAR", QColor(30, 60, 160), Qt::white},         // 3
        {"OP", QColor(240, 190, 0), Qt::black},           // 4: channel operator
        {"SSHR", QColor(80, 100, 160), Qt::white},        // 5
        {"SEXP", QColor(100, 40, 150), Qt::white},        // 6
        {"REP", QColor(0, 150, 190), Qt::white},          // 7: flag 0x01
        {"DSHR", QColor(170, 70, 70), Qt::white},         // 8
        {"SQL", QColor(170, 170, 170), QColor(150, 0, 0)}, // 9: squelched
        {"W2BN", QColor(30, 120, 30), Qt::white},         // 10
        {"JSTR", QColor(60, 90, 180), Qt::white},         // 11
        {"QRLZ", QColor(210, 100, 0), Qt::white},         // 12
        {"", spare, Qt::white},                          // 13..19: spare
        {"", spare, Qt::white},
        {"", spare, Qt::white},
        {"", spare, Qt::white},
        {"", spare, Qt::white},
        {"", spare, Qt::white},
        {"", spare, Qt::white},
        {"D2", QColor(120, 25, 25), QColor(255, 205, 80)}, // 20
    };
    for (const BuiltinLook &s : looks)
        m_images.append(Badge(s.fill, s.ink, QString::fromLatin1(s.text), dpr));
}

QPixmap TIconTable::Image(int index) const
{
    return index >= 0 && index < m_images.size() ? m_images[index] : QPixmap();
}

bool TIconTable::Append(const QPixmap &image)
{
    if (m_images.size() >= MaxCount)
        return false;
    m_images.append(image);
    return true;
}

void TIconTable::SetImage(int index, const QPixmap &image)
{
    if (index >= 0 && index < m_images.size())
        m_images[index] = image;
}

void TIconTable::LoadPersonal(const QString &programFolder)
{
    m_images.resize(BuiltinCount);
    m_names.clear();
    const QString iconsFolder = FindIgnoringCase(programFolder, QStringLiteral("icons"));
    const QStringList lines = iconsfile::Read(FindIgnoringCase(iconsFolder, QStringLiteral("icons.txt")));
    for (const auto &pair : iconsfile::Pairs(lines)) {
        if (m_images.size() >= MaxCount)
            break;
        const QString file = QFileInfo(pair.second).fileName();
        const QPixmap pm = file.isEmpty() ? QPixmap() : LoadBitmap(FindIgnoringCase(iconsFolder, file));
        m_images.append(pm);
        m_names.append(pm.isNull() ? QString() : pair.first);
    }
}

int TIconTable::PersonalSlot(const QString &name) const
{
    for (int p = 0; p < m_names.size(); ++p)
        if (!m_names[p].isEmpty() && m_names[p].compare(name, Qt::CaseInsensitive) == 0)
            return p + BuiltinCount;
    return -1;
}

bool TIconTable::SetPersonal(const QString &name, const QString &path)
{
    const int slot = PersonalSlot(name);
    if (slot >= 0) {
        SetImage(slot, LoadBitmap(path));
        return true;
    }
    if (!Append(LoadBitmap(path)))
        return false;
    m_names.append(name);
    return true;
}
