// "Toolbar.dat": the definition read from a scratch file, each entry named as the bar and the
// customise dialog name it, then saved and read again (the second read must equal the first).
#include "FuzzSupport.h"

#include "profile/ToolbarFile.h"

#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = qcfuzz::scratchFolder() + QStringLiteral("Toolbar.dat");
    qcfuzz::writeFile(path, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const QList<qint32> def = toolbar::Load(path);
    QC_FUZZ_CHECK(def.size() <= toolbar::MaxEntries);
    for (qint32 entry : def) {
        const QString name = toolbar::DialogName(entry);
        const QString caption = toolbar::Caption(entry);
        QC_FUZZ_CHECK(name.isEmpty() || toolbar::EntryOfName(name) == entry);
        QC_FUZZ_CHECK(caption.isEmpty() || (entry > toolbar::Separator && entry < toolbar::EntryCount));
    }
    toolbar::Save(path, def);
    QC_FUZZ_CHECK(toolbar::Load(path) == def);
    qcfuzz::emptyFolder(qcfuzz::scratchFolder());
    return 0;
}
