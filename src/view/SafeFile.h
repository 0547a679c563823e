#pragma once
#include <QByteArray>
#include <QString>
#include <memory>

class QSaveFile;

// The one way the program writes its files. The bytes go to a temporary beside the target, every
// step is checked, and only bytes that reached the disk replace the target: on a full disk
// QSaveFile::commit() can report success after its buffered write failed and leave the target empty.
// A failure leaves the old file byte for byte as it was and no temporary behind.
namespace safefile {

enum class Access {
    Default,   // a new file gets the usual permissions, a replaced one keeps its own
    OwnerOnly, // readable and writable by the owner only (profiles carry a plain-text password)
};

// One file written beside its target and put in place by Commit. Several of them let files that
// belong together be written first and put in place only when every one of them was written.
class tPendingFile
{
public:
    explicit tPendingFile(const QString &path, Access access = Access::Default);
    ~tPendingFile(); // uncommitted: the temporary is removed
    tPendingFile(const tPendingFile &) = delete;
    tPendingFile &operator=(const tPendingFile &) = delete;

    // Writes all the bytes and forces them to the disk; false on any failure, after which Commit
    // fails too. Called once.
    bool Write(const QByteArray &data);
    // Replaces the target with what Write put on the disk.
    bool Commit();

private:
    std::unique_ptr<QSaveFile> m_file;
    Access m_access;
    bool m_written = false;
};

// Replaces the file at `path` with `data`, or leaves it as it was and returns false.
bool WriteFile(const QString &path, const QByteArray &data, Access access = Access::Default);

} // namespace safefile
