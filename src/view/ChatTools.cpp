#include "view/ChatTools.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "profile/Profile.h"
#include "view/Sound.h"

namespace {
bool lessFolded(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

QList<tSoundEntry> wavesIn(const QDir &folder)
{
    // Name filters ignore letter case: ".WAV" counts too.
    QStringList names = folder.entryList({QStringLiteral("*.wav")}, QDir::Files | QDir::Hidden);
    std::sort(names.begin(), names.end(), lessFolded);
    if (names.size() > MaxSoundsPerFolder)
        names.erase(names.begin() + MaxSoundsPerFolder, names.end());
    QList<tSoundEntry> sounds;
    for (const QString &n : names)
        sounds.append({n.toLower(), folder.filePath(n)});
    return sounds;
}
} // namespace

tSoundTree ListSounds(const QString &programFolder)
{
    tSoundTree tree;
    const QString root = SoundsFolder(programFolder);
    if (root.isEmpty())
        return tree;
    const QDir dir(root);
    QStringList subs = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    std::sort(subs.begin(), subs.end(), lessFolded);
    if (subs.size() > MaxSoundFolders)
        subs.erase(subs.begin() + MaxSoundFolders, subs.end());
    for (const QString &sub : subs)
        tree.Folders.append({sub.toLower(), wavesIn(QDir(dir.filePath(sub)))});
    tree.Sounds = wavesIn(dir);
    return tree;
}

QString SoundName(const QString &caption)
{
    return caption.toLower();
}

void tChatTools::SendSound(const QString &user, const tSoundEntry &sound)
{
    if (!m_host.LoggedOn())
        return;
    const QString name = SoundName(sound.Caption);
    if (m_profile.Settings.PlaySoundsLocally() && QFileInfo(sound.Path).isFile())
        m_host.PlaySound(sound.Path);
    const QColor colour = bgrToColor(m_profile.Settings.Color(YourTextColor));
    if (user.isEmpty()) {
        m_host.SendLine(QStringLiteral("~playsound ") + name + QLatin1Char('\r'));
        m_host.WriteChat(QStringLiteral("Playing sound: ") + name, colour);
    } else {
        m_host.SendLine(QStringLiteral("/w ") + user + QStringLiteral(" ~playsound ") + name + QLatin1Char('\r'));
        m_host.WriteChat(QStringLiteral("Sending sound to ") + user + QStringLiteral(": ") + name, colour);
    }
}

void tChatTools::SendUrl(const QString &user, const QString &address)
{
    m_host.SendLine(QStringLiteral("/msg ") + user + QStringLiteral(" /url ") + address + QLatin1Char('\r'));
    m_host.WriteChat(QStringLiteral("URL has been sent to ") + user + QLatin1Char('.'),
                     bgrToColor(m_profile.Settings.Color(InfoColor)));
}

bool tChatTools::valid(int index) const
{
    return index >= 0 && index < m_profile.Favorite.size();
}

QString tChatTools::Favorite(int index) const
{
    return valid(index) ? m_profile.Favorite[index] : QString();
}

void tChatTools::ClickFavorite(int index)
{
    if (m_host.LoggedOn())
        JoinFavorite(index);
}

void tChatTools::JoinFavorite(int index)
{
    if (valid(index))
        m_host.SendLine(QStringLiteral("/join ") + m_profile.Favorite[index] + QLatin1Char('\r'));
}

void tChatTools::ListFavorite(int index)
{
    if (valid(index))
        m_host.SendLine(QStringLiteral("/who ") + m_profile.Favorite[index] + QLatin1Char('\r'));
}

void tChatTools::EditFavorite(int index, const QString &name)
{
    if (!valid(index))
        return;
    m_profile.Favorite[index] = name;
    m_profile.Modified = true;
}

void tChatTools::DeleteFavorite(int index)
{
    if (!valid(index))
        return;
    m_profile.Favorite.removeAt(index);
    m_profile.Modified = true;
}

void tChatTools::AddFavorite(const QString &currentChannel)
{
    m_profile.Favorite << (currentChannel.isEmpty() ? QStringLiteral("New Channel") : currentChannel);
    m_profile.Modified = true;
}

QUrl UrlToOpen(const QString &address)
{
    const QString text = address.trimmed();
    if (text.isEmpty())
        return QUrl();
    QUrl url(text, QUrl::TolerantMode);
    if (url.scheme().isEmpty() || (url.scheme().size() > 1 && !text.contains(QLatin1String("://"))))
        url = QUrl(QStringLiteral("http://") + text, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return QUrl();
    return url;
}
