#pragma once
// Shared by the fuzz targets: one application object for the process, a scratch folder, and
// a deterministic way to cut an input into pieces.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <dirent.h>
#include <unistd.h>

namespace qcfuzz {

// A GUI application on the offscreen platform: the transcripts lay out text.
inline void startApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication *app = new QGuiApplication(argc, argv);
    (void)app;
}

// A folder for one process, emptied by the caller between inputs. In memory when the system
// offers it: saving syncs every file to disk, which would otherwise be most of the time spent.
inline QString scratchFolder()
{
    static QTemporaryDir *dir = QDir(QStringLiteral("/dev/shm")).exists()
                                    ? new QTemporaryDir(QStringLiteral("/dev/shm/qcfuzz-XXXXXX"))
                                    : new QTemporaryDir();
    return dir->path() + QLatin1Char('/');
}

// Plain directory calls: QDir's listing builds and sorts file information, which was an eighth
// of the time of the targets that empty a folder on every input.
inline void emptyFolder(const QString &folder)
{
    const QByteArray path = QFile::encodeName(folder);
    DIR *dir = opendir(path.constData());
    if (!dir)
        return;
    // Names first, then removal: removing while listing may skip entries on some file systems.
    // Subfolders stay: unlinking one fails.
    std::vector<std::string> names;
    while (const dirent *entry = readdir(dir))
        names.emplace_back(entry->d_name);
    for (const std::string &name : names)
        unlinkat(dirfd(dir), name.c_str(), 0);
    closedir(dir);
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Sections of an input separated by Separator; the dictionary holds it so mutations find it.
constexpr char Separator[] = "\n==file==\n";

inline QList<QByteArray> sections(const uint8_t *data, size_t size)
{
    QList<QByteArray> out;
    const QByteArray all = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QByteArray sep(Separator);
    qsizetype start = 0;
    for (;;) {
        const qsizetype at = all.indexOf(sep, start);
        out << QByteArray(all.constData() + start, (at < 0 ? all.size() : at) - start);
        if (at < 0)
            return out;
        start = at + sep.size();
    }
}

// A failed property: abort so libFuzzer keeps the input.
#define QC_FUZZ_CHECK(condition)                                                                     \
    do {                                                                                             \
        if (!(condition)) {                                                                          \
            fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);          \
            abort();                                                                                 \
        }                                                                                            \
    } while (0)

} // namespace qcfuzz
