#include "automation/WinePrefix.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "view/FindFile.h"

QString wine::ServerRoot()
{
    return QStringLiteral("/tmp/.wine-%1").arg(uint(::getuid()));
}

bool wine::ServerRunning(const QString &prefix, const QString &root)
{
    struct stat st;
    if (::stat(QFile::encodeName(prefix).constData(), &st) != 0)
        return false;
    const QString dir = root + QStringLiteral("/server-%1-%2").arg(qulonglong(st.st_dev), 0, 16).arg(qulonglong(st.st_ino), 0, 16);
    // Non-blocking, so that a FIFO in the lock's place cannot hang the launcher.
    const int fd = ::open(QFile::encodeName(dir + QStringLiteral("/lock")).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false; // the server makes its lock before anything else
    struct stat lockSt;
    struct flock fl = {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 1;
    int r = -1;
    if (::fstat(fd, &lockSt) == 0 && S_ISREG(lockSt.st_mode)) {
#ifdef F_OFD_GETLK
        // Asked per open file rather than per process, so a lock this process holds counts too.
        r = ::fcntl(fd, F_OFD_GETLK, &fl);
        if (r == -1)
#endif
            r = ::fcntl(fd, F_GETLK, &fl);
    }
    ::close(fd);
    // Where the file system has no locks, the server's socket stands for its lock.
    if (r == -1)
        return QFileInfo::exists(dir + QStringLiteral("/socket"));
    return fl.l_type != F_UNLCK;
}

QString wine::UnixFolder(const QString &windowsPath, const QString &prefix)
{
    QString path = windowsPath;
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    const char16_t letter = path.isEmpty() ? 0 : path[0].toLower().unicode();
    if (path.size() < 4 || letter < 'a' || letter > 'z' || path[1] != QLatin1Char(':') || path[2] != QLatin1Char('\\'))
        return QString();
    QStringList parts = path.mid(3).split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return QString();
    parts.removeLast(); // the file itself
    const QString drive = QDir(prefix).filePath(QStringLiteral("dosdevices/") + QChar(letter) + QLatin1Char(':'));
    const QString root = QFileInfo(drive).canonicalFilePath();
    if (root.isEmpty() || !QFileInfo(root).isDir())
        return QString();
    QDir dir(root);
    for (const QString &part : parts) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (dir.path() != root)
                dir.cdUp();
            continue;
        }
        if (!dir.cd(QFileInfo(FindIgnoringCase(dir.path(), part)).fileName()))
            return QString();
    }
    return QFileInfo(dir.path()).canonicalFilePath();
}
