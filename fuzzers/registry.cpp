// The game registry files: a Wine prefix's "system.reg" (first section) and the program folder's
// "Registry.ini" (second section) from a scratch folder, read for the keys the launcher uses, then a
// value written and read back (it must come back as written, the file still readable).
#include "FuzzSupport.h"

#include "automation/GameRegistry.h"

#include <cstdio>

namespace {
const char *const Keys[] = {"Software\\Battle.net\\Configuration", "Software\\Blizzard Entertainment\\Starcraft",
                            "software\\blizzard entertainment\\diablo", "Software", ""};
const char *const Names[] = {"Server List", "Program", "InstallPath", ""};

void exercise(tGameRegistry &r)
{
    QString v;
    for (const char *key : Keys)
        for (const char *name : Names) {
            r.KeyExists(QLatin1String(key));
            r.ReadString(QLatin1String(key), QLatin1String(name), v);
        }
    // Characters a registry escapes: backslash, quote, non-ASCII, a line break, brackets.
    const QString value = QStringLiteral("a;\"b\\c\"\u00e9\u4e2d[x]=\n;end");
    for (const char *key : Keys)
        if (r.WriteString(QLatin1String(key), QStringLiteral("Server List"), value)) {
            QC_FUZZ_CHECK(r.ReadString(QLatin1String(key), QStringLiteral("server list"), v));
            QC_FUZZ_CHECK(v == value);
        }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString folder = qcfuzz::scratchFolder();
    const QList<QByteArray> parts = qcfuzz::sections(data, size);
    qcfuzz::writeFile(folder + QStringLiteral("system.reg"), parts.value(0));
    {
        tWineRegistry wine(folder);
        exercise(wine);
    }
    if (parts.size() > 1) {
        qcfuzz::writeFile(folder + QStringLiteral("Registry.ini"), parts.value(1));
        tIniRegistry ini(folder + QStringLiteral("Registry.ini"));
        exercise(ini);
    }
    qcfuzz::emptyFolder(folder);
    return 0;
}
