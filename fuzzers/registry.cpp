// The game registry files: a Wine prefix's "system.reg" (first section) and the program folder's
// "Registry.ini" (second section) from a scratch folder, read for a key the launcher uses, then a
// value written and read back (it must come back as written, the file still readable).
#include "FuzzSupport.h"

#include "automation/GameRegistry.h"

#include <cstdio>

namespace {
const char *const Keys[] = {"Software\\Battle.net\\Configuration", "Software\\Blizzard Entertainment\\Starcraft",
                            "software\\blizzard entertainment\\diablo", "Software", ""};
const char *const Names[] = {"Server List", "Program", "InstallPath", ""};

// Every call reads the file again, so one input tries one key and value name for reading and one
// key for writing, picked by the input's length: mutations that change the length try the others.
void exercise(tGameRegistry &r, size_t pick)
{
    const size_t keys = sizeof Keys / sizeof *Keys, names = sizeof Names / sizeof *Names;
    const QLatin1String key(Keys[pick % keys]), name(Names[pick / keys % names]);
    const QLatin1String writeKey(Keys[pick / (keys * names) % keys]);
    QString v;
    r.KeyExists(key);
    r.ReadString(key, name, v);
    // Characters a registry escapes: backslash, quote, non-ASCII, a line break, brackets.
    const QString value = QStringLiteral("a;\"b\\c\"\u00e9\u4e2d[x]=\n;end");
    if (r.WriteString(writeKey, QStringLiteral("Server List"), value)) {
        QC_FUZZ_CHECK(r.ReadString(writeKey, QStringLiteral("server list"), v));
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
        exercise(wine, size);
    }
    if (parts.size() > 1) {
        qcfuzz::writeFile(folder + QStringLiteral("Registry.ini"), parts.value(1));
        tIniRegistry ini(folder + QStringLiteral("Registry.ini"));
        exercise(ini, size);
    }
    qcfuzz::emptyFolder(folder);
    return 0;
}
