// Usage: bench_transcript [lines [client|display]]   (default 100000)
// Offscreen by default; "client" skips the baseline; "display" runs both in real windows on an X
// display, starting a virtual one with xvfb-run when there is none.
//
// Sends a burst of talk lines from the stand-in gateway through a real socket into a logged-on
// client (connection, interpreters, channel handlers, transcript and session log) and reports the
// rate, the longest time the event loop was blocked, and the memory. A baseline in the same run
// appends the same lines as plain text, one edit per line, to a bare QPlainTextEdit.
#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>

#include "gateway/Gateway.h"
#include "profile/Profile.h"
#include "ui/ChatForm.h"
#include "ui/TranscriptView.h"
#include "../BenchSupport.h"

using namespace bench;

namespace {

long peakRssKb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

QByteArray talkLine(int i)
{
    return "1005 TALK User" + QByteArray::number(i % 50) + " 0010 \"message number " + QByteArray::number(i)
           + " in a busy channel, with some text to read\"\r\n";
}

} // namespace

int main(int argc, char **argv)
{
    const QByteArray mode = argc > 2 ? argv[2] : "";
    if (mode == "display") {
        if (qEnvironmentVariableIsEmpty("DISPLAY")) {
            char xvfb[] = "xvfb-run", auto_[] = "-a", s[] = "-s", screen[] = "-screen 0 1400x1000x24";
            char *args[] = {xvfb, auto_, s, screen, argv[0], argv[1], argv[2], nullptr};
            execvp(xvfb, args);
            perror("xvfb-run (Debian package xvfb)");
            return 1;
        }
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const int n = argc > 1 ? QByteArray(argv[1]).toInt() : 100000;

    QTemporaryDir dir;
    gw::Server live;
    if (!live.start()) {
        fprintf(stderr, "gateway: %s\n", qPrintable(live.errorString()));
        return 1;
    }
    tProfile profile;
    profile.ServerList = {QStringLiteral("127.0.0.1")};
    profile.Settings.setUserName(QStringLiteral("Bench"));
    profile.Settings.setKeepLog(true);
    profile.Settings.setLogTime(true);
    profile.Settings.setLogEvents(true);
    profile.Settings.setLogFileName(dir.filePath(QStringLiteral("session.log")));

    TfrmChat w(profile);
    w.MessageBoxHandler = [](const QString &t) { fprintf(stderr, "message box: %s\n", qPrintable(t)); };
    w.ChatInterface().Port = live.port();
    w.show();
    w.acConnect->trigger();
    if (!waitFor([&] { return w.ChannelUsers().CurrentChannel == QLatin1String("Blizzard Chat 1"); }, 10000)) {
        fprintf(stderr, "did not log on\n");
        return 1;
    }
    const int id = live.clients().first();

    int talked = 0;
    const tTalkEvent talk = w.bcChat().OnTalk;
    w.bcChat().OnTalk = [&](const QString &u, const QString &m) {
        talk(u, m);
        ++talked;
    };

    // The gateway drops a client that lets 4 MiB pile up unread, so the burst is handed over in
    // slices as fast as the client takes it, with at most `inFlight` lines not yet processed.
    QList<QByteArray> slices;
    const int perSlice = 2000, inFlight = 20000;
    for (int i = 0; i < n; i += perSlice) {
        QByteArray slice;
        for (int k = i; k < qMin(n, i + perSlice); ++k)
            slice += talkLine(k);
        slices << slice;
    }
    int injected = 0, sliceNo = 0;
    QTimer pump;
    pump.setInterval(0);
    QObject::connect(&pump, &QTimer::timeout, [&] {
        while (sliceNo < slices.size() && injected - talked < inFlight) {
            live.inject(id, slices[sliceNo++]);
            injected += perSlice;
        }
    });
    waitFor([] { return false; }, 200); // settle

    // The client.
    long rss[4] = {0, 0, 0, 0};
    const long rssBefore = currentRssKb();
    GapMeter gaps;
    QElapsedTimer clock;
    gaps.start();
    clock.start();
    pump.start();
    int quarter = 0;
    waitFor([&] {
        while (quarter < 4 && talked >= (quarter + 1) * n / 4)
            rss[quarter++] = currentRssKb();
        return talked >= n || !w.ChatInterface().Connected();
    }, 120000);
    pump.stop();
    if (talked < n)
        fprintf(stderr, "only %d of %d lines arrived\n", talked, n);
    waitFor([] { return false; }, 1); // the last batch closes on the next turn
    const double clientSecs = clock.nsecsElapsed() / 1e9;
    const double clientGap = gaps.stop();
    const long clientPeak = peakRssKb();
    const int kept = w.ChatText().LineCount();

    if (mode == "client") {
        printf("client   lines/s           %.0f  (%.2f s), longest stall %.1f ms\n", n / clientSecs, clientSecs, clientGap);
        return 0;
    }
    // The baseline: the same lines as plain text, one edit per line, in turns of one socket read.
    QPlainTextEdit bare;
    bare.resize(w.reChat->size());
    bare.show();
    QStringList texts;
    texts.reserve(n);
    for (int i = 0; i < n; ++i)
        texts << QStringLiteral("<User%1> message number %2 in a busy channel, with some text to read").arg(i % 50).arg(i);
    const int perTurn = qMax(1, 16384 / int(talkLine(n / 2).size()));
    int next = 0;
    QTimer feeder;
    feeder.setInterval(0);
    QObject::connect(&feeder, &QTimer::timeout, [&] {
        for (int k = 0; k < perTurn && next < n; ++k)
            bare.appendPlainText(texts[next++]);
    });
    gaps.start();
    clock.start();
    feeder.start();
    waitFor([&] { return next >= n; }, 120000);
    feeder.stop();
    waitFor([] { return false; }, 1);
    const double bareSecs = clock.nsecsElapsed() / 1e9;
    const double bareGap = gaps.stop();

    printf("platform                   %s\n", qPrintable(QGuiApplication::platformName()));
    printf("lines                      %d (pane capacity %d, kept %d)\n", n, w.ChatText().Capacity(), kept);
    printf("client   lines/s           %.0f  (%.2f s)\n", n / clientSecs, clientSecs);
    printf("client   longest stall     %.1f ms\n", clientGap);
    printf("client   RSS kB            before %ld | 25%% %ld | 50%% %ld | 75%% %ld | 100%% %ld | peak %ld\n",
           rssBefore, rss[0], rss[1], rss[2], rss[3], clientPeak);
    printf("baseline lines/s           %.0f  (%.2f s, %d lines per turn)\n", n / bareSecs, bareSecs, perTurn);
    printf("baseline longest stall     %.1f ms\n", bareGap);
    printf("baseline RSS kB            %ld (peak %ld)\n", currentRssKb(), peakRssKb());
    printf("ratio client/baseline      %.2f\n", (n / clientSecs) / (n / bareSecs));
    return 0;
}
