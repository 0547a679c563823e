#include "view/SafeFile.h"

#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace safefile {

tPendingFile::tPendingFile(const QString &path, Access access)
    : m_file(std::make_unique<QSaveFile>(path)), m_access(access)
{
}

tPendingFile::~tPendingFile() = default;

bool tPendingFile::Write(const QByteArray &data)
{
    QSaveFile &f = *m_file;
    // Unbuffered, so a write the disk refuses fails here and not unseen inside commit().
    if (m_written || f.isOpen() || !f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    // Set on the temporary before any byte is written, so nobody else can read it meanwhile.
    if (m_access == Access::OwnerOnly && !f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return false;
    if (f.write(data) != data.size() || !f.flush() || f.error() != QFileDevice::NoError)
        return false;
#ifdef Q_OS_UNIX
    // File systems that allocate late report a full disk only when the data is forced out.
    if (::fsync(f.handle()) != 0)
        return false;
#endif
    m_written = true;
    return true;
}

bool tPendingFile::Commit()
{
    if (!m_written)
        return false;
    m_written = false;
    return m_file->commit();
}

bool WriteFile(const QString &path, const QByteArray &data, Access access)
{
    tPendingFile file(path, access);
    return file.Write(data) && file.Commit();
}

} // namespace safefile
