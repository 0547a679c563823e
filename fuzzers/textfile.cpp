// The text file sender: a text file read from a scratch folder, then recited over a recording host
// with one-second ticks until it is done, stopped after a bounded number of ticks when it repeats.
// Input: one flags byte, then the file.
#include "FuzzSupport.h"

#include "../tests/automation/FakeHost.h"

#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t flags = data[0];
    const QString path = qcfuzz::scratchFolder() + QStringLiteral("recital.txt");
    qcfuzz::writeFile(path, QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1)));
    Rig r;
    r.host.profile.Settings.setReciteDelay(flags & 3);
    r.target = flags & 4 ? QStringLiteral("Bob") : QString();
    QC_FUZZ_CHECK(r.a.LoadTextFile(path));
    QC_FUZZ_CHECK(r.a.StartRecital());
    const int lines = int(r.lines.size());
    for (int tick = 0; tick < 4 * (lines + 2) + 8 && tick < 20000 && r.a.TextFile().Reciting; ++tick)
        r.a.TimerTimer();
    // Every line sent is one line: none carries a break of its own into the connection.
    for (const QString &l : r.host.sent)
        QC_FUZZ_CHECK(!l.chopped(l.endsWith(QLatin1Char('\r')) ? 1 : 0).contains(QLatin1Char('\n')));
    r.a.StopRecital();
    qcfuzz::emptyFolder(qcfuzz::scratchFolder());
    return 0;
}
