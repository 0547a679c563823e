#include "view/Sound.h"

#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

void tQtSoundPlayer::PlaySound(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    if (m_current) {
        m_current->stop();
        m_current->deleteLater();
    }
    auto *effect = new QSoundEffect(this);
    m_current = effect;
    auto done = [effect] {
        if (!effect->isPlaying() && effect->status() != QSoundEffect::Loading)
            effect->deleteLater();
    };
    connect(effect, &QSoundEffect::statusChanged, effect, [effect, done] {
        if (effect->status() == QSoundEffect::Error)
            effect->deleteLater();
        else
            done();
    });
    connect(effect, &QSoundEffect::playingChanged, effect, done);
    effect->setSource(QUrl::fromLocalFile(path));
    effect->play();
    // Some backends keep a file they cannot decode "loading" (and "playing") for ever, and
    // nothing the channel sends should pile up: a sound not ready in time is given up, and
    // none lives longer than any chat sound plays.
    if (effect->status() == QSoundEffect::Error)
        effect->deleteLater();
    QTimer::singleShot(LoadGraceMs, effect, [effect] {
        if (effect->status() != QSoundEffect::Ready)
            effect->deleteLater();
    });
    QTimer::singleShot(LongestSoundMs, effect, &QObject::deleteLater);
}

namespace {
// The entry of `folder` named `name` ignoring letter case (an exact match wins), or empty.
QString findEntry(const QDir &folder, const QString &name, QDir::Filters filter)
{
    const bool dirs = filter.testFlag(QDir::Dirs);
    const QFileInfo exact(folder.filePath(name));
    if (dirs ? exact.isDir() : exact.isFile())
        return exact.filePath();
    const QStringList entries = folder.entryList(filter | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString &e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return folder.filePath(e);
    return QString();
}
} // namespace

QString SoundsFolder(const QString &programFolder)
{
    return findEntry(QDir(programFolder), QStringLiteral("Sounds"), QDir::Dirs);
}

bool IsPlainSoundName(const QString &soundName)
{
    return !soundName.isEmpty() && !soundName.contains(QLatin1Char('/')) && !soundName.contains(QLatin1Char('\\'))
        && soundName != QLatin1String(".") && soundName != QLatin1String("..") && !soundName.contains(QChar(0));
}

QString FindSound(const QString &programFolder, const QString &soundName)
{
    if (!IsPlainSoundName(soundName))
        return QString();
    const QString sounds = SoundsFolder(programFolder);
    if (sounds.isEmpty())
        return QString();
    QStringList folders{sounds};
    const QDir root(sounds);
    for (const QString &sub : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden))
        folders << root.filePath(sub);
    for (const QString &folder : folders) {
        const QString path = findEntry(QDir(folder), soundName, QDir::Files);
        if (!path.isEmpty())
            return path;
    }
    return QString();
}
