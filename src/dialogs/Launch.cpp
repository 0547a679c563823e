#include "dialogs/Launch.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QUrl>

namespace {
struct PictureLook
{
    const char *name;
    const char *tip;
    const char *line1;
    const char *line2;
    QColor top, bottom, ink, glow;
    bool serif;
};

const PictureLook &look(LaunchTarget t)
{
    static const PictureLook looks[] = {
        {"imDiablo", "Start Diablo", "DIABLO", "", QColor(70, 0, 0), QColor(10, 0, 0), QColor(255, 150, 40),
         QColor(200, 30, 0), true},
        {"imStarcraft", "Start StarCraft", "STARCRAFT", "", QColor(10, 20, 60), QColor(0, 0, 10), QColor(200, 220, 255),
         QColor(60, 120, 255), false},
        {"imBroodwar", "Start StarCraft: Brood War", "STARCRAFT", "BROOD WAR", QColor(40, 10, 50), QColor(0, 0, 0),
         QColor(170, 255, 120), QColor(120, 40, 160), false},
        {"imWarcraft", "Start Warcraft II Battle.net Edition", "WARCRAFT", "II", QColor(90, 55, 20), QColor(30, 15, 5),
         QColor(255, 210, 90), QColor(150, 20, 10), true},
        {"imBattlenet", "Open the Battle.net web site", "Battle.net", "", QColor(20, 90, 190), QColor(5, 25, 80),
         Qt::white, QColor(120, 200, 255), false},
        {"imBlizzard", "Open the Blizzard web site", "BLIZZARD", "", QColor(60, 80, 110), QColor(10, 15, 30),
         QColor(230, 240, 255), QColor(100, 170, 255), true},
    };
    return looks[int(t)];
}

// Text drawn with a soft glow behind it, scaled down until it fits the width.
void drawTitle(QPainter &p, const QRectF &box, const QString &text, const PictureLook &l, qreal pixelSize)
{
    QFont f(QString::fromLatin1(l.serif ? "Serif" : "Sans Serif"));
    f.setBold(true);
    f.setPixelSize(int(pixelSize));
    QFontMetricsF fm(f);
    while (f.pixelSize() > 7 && fm.horizontalAdvance(text) > box.width() - 6) {
        f.setPixelSize(f.pixelSize() - 1);
        fm = QFontMetricsF(f);
    }
    QPainterPath path;
    const qreal x = box.center().x() - fm.horizontalAdvance(text) / 2;
    const qreal y = box.center().y() + (fm.ascent() - fm.descent()) / 2;
    path.addText(QPointF(x, y), f, text);
    QColor glow = l.glow;
    glow.setAlpha(110);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(glow, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(l.ink.darker(250), 0.6));
    p.setBrush(l.ink);
    p.drawPath(path);
}
} // namespace

QPixmap TfrmLaunch::DrawPicture(LaunchTarget t, QSize size, qreal dpr)
{
    const PictureLook &l = look(t);
    QPixmap pm(size * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::black);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), QSizeF(size));
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, l.top);
    g.setColorAt(1, l.bottom);
    p.fillRect(r, g);

    // A few marks of each world: stars for StarCraft, a globe for Battle.net, snow for Blizzard.
    QRandomGenerator rnd(quint32(t) + 7);
    if (t == LaunchTarget::Starcraft || t == LaunchTarget::Broodwar || t == LaunchTarget::Blizzard) {
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 26; ++i) {
            const QPointF at(rnd.bounded(size.width()), rnd.bounded(size.height()));
            p.setBrush(QColor(255, 255, 255, 60 + rnd.bounded(150)));
            const qreal d = t == LaunchTarget::Blizzard ? 1.6 : 1.0;
            p.drawEllipse(at, d * 0.6, d * 0.6);
        }
    } else if (t == LaunchTarget::Battlenet) {
        p.setPen(QPen(QColor(150, 210, 255, 90), 1));
        p.setBrush(Qt::NoBrush);
        const QPointF c = r.center();
        const qreal rad = size.height() * 0.42;
        p.drawEllipse(c, rad * 1.8, rad);
        p.drawEllipse(c, rad * 0.9, rad);
        p.drawLine(QPointF(c.x() - rad * 1.8, c.y()), QPointF(c.x() + rad * 1.8, c.y()));
    } else {
        // Embers rising for the two dark fantasy worlds.
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 14; ++i) {
            const QPointF at(rnd.bounded(size.width()), size.height() * (0.5 + rnd.bounded(50) / 100.0));
            p.setBrush(QColor(l.glow.red(), l.glow.green(), l.glow.blue(), 90));
            p.drawEllipse(at, 1.2, 1.2);
        }
    }

    const QString line1 = QString::fromLatin1(l.line1), line2 = QString::fromLatin1(l.line2);
    if (line2.isEmpty()) {
        drawTitle(p, r, line1, l, size.height() * 0.36);
    } else {
        drawTitle(p, QRectF(0, 2, r.width(), r.height() * 0.55), line1, l, size.height() * 0.3);
        drawTitle(p, QRectF(0, r.height() * 0.5, r.width(), r.height() * 0.45), line2, l, size.height() * 0.3);
    }
    // A bevel, so each picture reads as a button.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 70), 1));
    p.drawLine(QPointF(0.5, 0.5), QPointF(r.width() - 0.5, 0.5));
    p.drawLine(QPointF(0.5, 0.5), QPointF(0.5, r.height() - 0.5));
    p.setPen(QPen(QColor(0, 0, 0, 160), 1));
    p.drawLine(QPointF(0.5, r.height() - 0.5), QPointF(r.width() - 0.5, r.height() - 0.5));
    p.drawLine(QPointF(r.width() - 0.5, 0.5), QPointF(r.width() - 0.5, r.height() - 0.5));
    return pm;
}

TfrmLaunch::TfrmLaunch(std::unique_ptr<tGameRegistry> registry, tLauncher::Starter start,
                       std::function<QString()> gameServer, QWidget *parent)
    : QDialog(parent, Qt::Tool),
      m_registry(std::move(registry)),
      m_launcher(*m_registry, std::move(start)),
      m_gameServer(std::move(gameServer))
{
    setWindowTitle(QStringLiteral("Launch Program..."));
    setModal(false);
    setFixedSize(FormWidth, FormHeight);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    for (int i = 0; i < 6; ++i) {
        const auto t = LaunchTarget(i);
        auto *panel = new QFrame(this);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setLineWidth(1);
        auto *inner = new QHBoxLayout(panel);
        inner->setContentsMargins(1, 1, 1, 1);
        auto *pic = new QLabel(panel);
        pic->setObjectName(QString::fromLatin1(look(t).name));
        pic->setToolTip(QString::fromLatin1(look(t).tip));
        pic->setCursor(Qt::PointingHandCursor);
        pic->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        pic->installEventFilter(this);
        inner->addWidget(pic);
        row->addWidget(panel, 1);
        m_pictures[i] = pic;
    }
    imDiablo = m_pictures[0];
    imStarcraft = m_pictures[1];
    imBroodwar = m_pictures[2];
    imWarcraft = m_pictures[3];
    imBattlenet = m_pictures[4];
    imBlizzard = m_pictures[5];
}

tLauncher::Starter TfrmLaunch::DesktopStarter(tLauncher::Reporter report)
{
    return [report](const QString &target, bool isProgram) {
        if (!isProgram) {
            QDesktopServices::openUrl(QUrl(target));
            return;
        }
        const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
        const QStringList command = LaunchCommand(target, wine);
        if (command.isEmpty()) {
            if (wine.isEmpty() && IsWindowsProgram(target) && report)
                report(QStringLiteral("Wine was not found: cannot start ") + target);
            return;
        }
        // Games find their data files beside them.
        QProcess::startDetached(command.first(), command.mid(1), LaunchFolder(target, tWineRegistry::DefaultPrefix()));
    };
}

void TfrmLaunch::Click(LaunchTarget t)
{
    m_launcher.Launch(t, tLauncher::IsGame(t) && m_gameServer ? m_gameServer() : QString());
}

void TfrmLaunch::ShowLauncher()
{
    if (QWidget *p = parentWidget())
        move(p->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    show();
    raise();
    activateWindow();
}

void TfrmLaunch::paintPictures()
{
    for (int i = 0; i < 6; ++i)
        if (m_pictures[i]->width() > 0 && m_pictures[i]->height() > 0)
            m_pictures[i]->setPixmap(DrawPicture(LaunchTarget(i), m_pictures[i]->size(), m_pictures[i]->devicePixelRatioF()));
}

bool TfrmLaunch::eventFilter(QObject *watched, QEvent *e)
{
    for (int i = 0; i < 6; ++i) {
        if (watched != m_pictures[i])
            continue;
        if (e->type() == QEvent::Resize) {
            const QSize s = m_pictures[i]->size();
            if (!s.isEmpty())
                m_pictures[i]->setPixmap(DrawPicture(LaunchTarget(i), s, m_pictures[i]->devicePixelRatioF()));
        } else if (e->type() == QEvent::MouseButtonRelease &&
                   static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton &&
                   m_pictures[i]->rect().contains(static_cast<QMouseEvent *>(e)->position().toPoint())) {
            Click(LaunchTarget(i));
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void TfrmLaunch::showEvent(QShowEvent *e)
{
    // The screen, and with it the device pixel ratio, may differ from the last showing.
    paintPictures();
    QDialog::showEvent(e);
}
