#pragma once
// A small tmpfs filled to its last page, so that writes fail as on a full disk (mounting needs root:
// elsewhere the test skips and says why).
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <sys/mount.h>

class tFullDisk
{
public:
    static constexpr qint64 Page = 4096;
    explicit tFullDisk(int kib = 256)
    {
        const QByteArray options = "size=" + QByteArray::number(kib) + "k,mode=0700";
        if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV, options.constData()))
            m_refused = QStringLiteral("cannot mount a tmpfs here (%1)").arg(QString::fromLocal8Bit(std::strerror(errno)));
    }
    ~tFullDisk()
    {
        if (mounted())
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    tFullDisk(const tFullDisk &) = delete;
    tFullDisk &operator=(const tFullDisk &) = delete;

    bool mounted() const { return m_refused.isEmpty(); }
    QString refused() const { return m_refused; }
    QString folder() const { return m_dir.path() + QLatin1Char('/'); }
    QString path(const QString &name) const { return m_dir.filePath(name); }
    // Takes every free page with one file; true when a write then fails for want of space.
    bool fill()
    {
        QFile f(path(QStringLiteral("filler")));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
            return false;
        while (f.write(QByteArray(int(Page), 'f')) == Page) {
        }
        return f.size() % Page == 0;
    }
    // Gives `pages` pages back, so that much and no more can be written.
    bool release(qint64 pages)
    {
        QFile f(path(QStringLiteral("filler")));
        return f.size() >= pages * Page && f.resize(f.size() - pages * Page);
    }
    QStringList entries() const // a temporary left behind shows here
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    }

private:
    QTemporaryDir m_dir;
    QString m_refused;
};

#define QC_NEED_FULL_DISK(disk) do { if (!(disk).mounted()) QSKIP(qPrintable((disk).refused())); } while (false)
