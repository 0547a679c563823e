// The text file sender: a text file read from a scratch folder, then recited over a recording host
// with one-second ticks until it is done, stopped after a bounded number of ticks when it repeats.
// Input: one flags byte, then the file.
#include "FuzzSupport.h"

#include "../tests/automation/FakeHost.h"
#include "net/Interpreters.h"

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
    // Every line goes out as one line: what the send path puts on the wire carries no break of its
    // own, whatever the file held ("/char 10" hands over a bare line feed, which goes out as a CR).
    for (const QString &l : r.host.sent) {
        const QString wire = tBaseInterpreter::WireLine(l);
        const QString body = wire.chopped(wire.endsWith(QLatin1Char('\r')) ? 1 : 0);
        QC_FUZZ_CHECK(!body.contains(QLatin1Char('\n')) && !body.contains(QLatin1Char('\r')));
    }
    r.a.StopRecital();
    qcfuzz::emptyFolder(qcfuzz::scratchFolder());
    return 0;
}
