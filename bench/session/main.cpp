// Usage: bench_session [cycles [gateway]]   (default 1000 cycles; the gateway program defaults to
// quorl-gateway beside this folder's bin/)
//
// The real window logs on to the stand-in gateway (its own process, so only the client is
// measured), exchanges a few lines, disconnects, and does it again. Reports resident memory and
// open file descriptors after cycles 10, 100 and 1000 (both should stay flat) and the time per cycle.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <cstdio>
#include <malloc.h>
#include <functional>
#include <unistd.h>

#include "net/ChatInterface.h"
#include "net/Interpreters.h"
#include "profile/Profile.h"
#include "ui/ChatForm.h"
#include "view/ChannelUsers.h"
#include "view/Session.h"
#include "../BenchSupport.h"

using namespace bench;

namespace {

int openDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size());
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int cycles = argc > 1 ? QByteArray(argv[1]).toInt() : 1000;
    const QString gatewayProgram = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                            : QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/quorl-gateway");

    QProcess gateway;
    gateway.setProcessChannelMode(QProcess::MergedChannels);
    gateway.start(gatewayProgram, {QStringLiteral("--port"), QStringLiteral("0")});
    QByteArray banner;
    waitFor([&] {
        banner += gateway.readAll();
        return banner.contains('\n') || gateway.state() == QProcess::NotRunning;
    }, 10000);
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("listening on [0-9.]+:(\\d+)")).match(QString::fromLatin1(banner));
    if (!m.hasMatch()) {
        fprintf(stderr, "the gateway did not start: %s\n", banner.constData());
        return 1;
    }

    tProfile profile;
    profile.ServerList = {QStringLiteral("127.0.0.1:") + m.captured(1)};
    profile.Settings.setUserName(QStringLiteral("Longrun"));
    profile.Settings.setHomeChannel(QStringLiteral("Marathon"));
    TfrmChat w(profile);
    w.MessageBoxHandler = [](const QString &t) { fprintf(stderr, "message box: %s\n", qPrintable(t)); };
    w.bcChat().setFloodInterval(10); // the flood pace is not what is measured
    w.show();

    int answers = 0;
    const auto info = w.bcChat().OnInfo;
    w.bcChat().OnInfo = [&](const QString &text) {
        info(text);
        if (text.startsWith(QLatin1String("You are ")))
            ++answers;
    };

    printf("cycle   RSS kB   heap kB  arena kB   fds   ms/cycle   transcript lines (capacity %d)\n", w.ChatText().Capacity());
    QElapsedTimer clock;
    clock.start();
    qint64 lastMark = 0;
    int lastCycle = 0;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        w.acConnect->trigger();
        if (!waitFor([&] { return w.ChannelUsers().CurrentChannel == QLatin1String("Marathon"); }, 10000)) {
            fprintf(stderr, "cycle %d: did not log on\n", cycle);
            return 1;
        }
        const int before = answers;
        w.bcChat().SendLine(QStringLiteral("hello, cycle %1\r").arg(cycle));
        w.bcChat().SendLine(QStringLiteral("/whoami\r"));
        if (!waitFor([&] { return answers > before; }, 10000)) {
            fprintf(stderr, "cycle %d: no answer\n", cycle);
            return 1;
        }
        w.acConnect->trigger();
        waitFor([&] { return !w.ChatInterface().Connected() && !w.Session().LoggedOn; }, 10000);
        w.ChannelUsers().CurrentChannel.clear();
        // Objects released with deleteLater (each cycle's socket) go when a running event loop
        // gets to them; this loop is turned by hand with processEvents, which leaves them alone.
        waitFor([] { return false; }, 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (cycle == 10 || cycle == 100 || cycle % 500 == 0 || cycle == cycles) {
            const qint64 now = clock.elapsed();
            // Heap in use and the heap the allocator holds (in use or free) beside the resident size:
            // growth of the held heap alone is fragmentation.
            const struct mallinfo2 heap = mallinfo2();
            printf("%5d  %7ld  %7ld  %8ld  %4d   %6.1f     %d\n", cycle, currentRssKb(), long(heap.uordblks / 1024),
                   long((heap.arena + heap.hblkhd) / 1024),
                   openDescriptors(),
                   double(now - lastMark) / (cycle - lastCycle), w.ChatText().LineCount());
            fflush(stdout);
            lastMark = now;
            lastCycle = cycle;
        }
    }
    gateway.kill();
    gateway.waitForFinished();
    return 0;
}
