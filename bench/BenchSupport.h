#pragma once
// What the window benchmarks share: memory readings, waiting on the event loop, and the longest
// gap between two turns of the loop.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QObject>
#include <QTimer>
#include <functional>
#include <unistd.h>

namespace bench {

// Resident memory now, in kB (-1 when /proc cannot be read).
inline long currentRssKb()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> parts = f.readAll().split(' ');
    return parts.size() > 1 ? parts[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

// Runs the event loop until `done` holds or the time is up.
inline bool waitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    return done();
}

// The longest gap between two turns of the event loop while it runs.
struct GapMeter
{
    QTimer timer;
    QElapsedTimer clock;
    qint64 last = 0, worst = 0;
    GapMeter()
    {
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            const qint64 now = clock.nsecsElapsed();
            worst = qMax(worst, now - last);
            last = now;
        });
    }
    void start()
    {
        worst = 0;
        clock.start();
        last = 0;
        timer.start();
    }
    // The longest gap since start, in ms.
    double stop()
    {
        timer.stop();
        return worst / 1e6;
    }
};

} // namespace bench
