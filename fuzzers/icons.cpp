// "icons/icons.txt": the lines read from a scratch file, paired as the icon table pairs them, an
// icon set for a name as the user icon dialog does, written and read again (the same lines back).
#include "FuzzSupport.h"

#include "view/CustomList.h"

#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = qcfuzz::scratchFolder() + QStringLiteral("icons.txt");
    qcfuzz::writeFile(path, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    QStringList lines = iconsfile::Read(path);
    const auto pairs = iconsfile::Pairs(lines);
    QC_FUZZ_CHECK(pairs.size() == lines.size() / 2);
    QC_FUZZ_CHECK(iconsfile::Write(path, lines) && iconsfile::Read(path) == lines);
    // A name of the file (its first) and one it lacks.
    const QString name = lines.value(0, QStringLiteral("Nobody"));
    for (const QString &who : {name, QStringLiteral("Newcomer")}) {
        const qsizetype before = lines.size();
        iconsfile::SetIcon(lines, who, QStringLiteral("new.bmp"));
        QC_FUZZ_CHECK(lines.size() == before || lines.size() == before + 2);
    }
    QC_FUZZ_CHECK(iconsfile::Write(path, lines) && iconsfile::Read(path) == lines);
    qcfuzz::emptyFolder(qcfuzz::scratchFolder());
    return 0;
}
