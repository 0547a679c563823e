// Usage: bench_channel [users [burst]]   (default 5000 users, a burst of 2000 joins and leaves)
//
// A logged-on client window (offscreen unless QT_QPA_PLATFORM says otherwise) enters a channel
// whose user list the stand-in gateway sends as one stream of 1001 lines, then takes a burst of
// joins and leaves of random users. Reports the time per user while the list fills (each span
// should cost the same per user: no work proportional to the channel's size per event), the time
// per event of the burst, and the longest time the event loop was blocked.
#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QRandomGenerator>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "gateway/Gateway.h"
#include "profile/Profile.h"
#include "ui/ChatForm.h"
#include "view/ChannelUsers.h"
#include "../BenchSupport.h"

using namespace bench;

namespace {

QByteArray userLine(const char *code, int i)
{
    static const char *const products[] = {"[CHAT]", "[STAR]", "[SEXP]", "[W2BN]", "[D2DV]", "[WAR3]"};
    return QByteArray(code) + " User" + QByteArray::number(i) + " 0010 " + products[i % 6] + "\r\n";
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int users = argc > 1 ? QByteArray(argv[1]).toInt() : 5000;
    const int burst = argc > 2 ? QByteArray(argv[2]).toInt() : 2000;

    gw::Server live;
    if (!live.start()) {
        fprintf(stderr, "gateway: %s\n", qPrintable(live.errorString()));
        return 1;
    }
    tProfile profile;
    profile.ServerList = {QStringLiteral("127.0.0.1:%1").arg(live.port())};
    profile.Settings.setUserName(QStringLiteral("Bench"));
    profile.Settings.setEnterLeaveNotify(true);
    TfrmChat w(profile);
    w.MessageBoxHandler = [](const QString &t) { fprintf(stderr, "message box: %s\n", qPrintable(t)); };
    w.show();
    w.acConnect->trigger();
    if (!waitFor([&] { return w.ChannelUsers().CurrentChannel == QLatin1String("Blizzard Chat 1"); }, 10000)) {
        fprintf(stderr, "did not log on\n");
        return 1;
    }
    const int id = live.clients().first();
    const tChannelUsers &list = w.ChannelUsers();

    // The channel: its name, then every user, as a server lists a channel. The list comes in three
    // spans, each timed until the last of its users is listed, so the cost per user can be
    // compared at each size.
    const int marks[] = {users / 10, users * 2 / 5, users};
    double spans[3] = {0, 0, 0};
    GapMeter gaps;
    QElapsedTimer clock;
    gaps.start();
    // Entering the channel (the old list cleared, the join line written) is timed apart, so the
    // first span is users only.
    clock.start();
    live.inject(id, "1007 CHANNEL \"Big Channel\"\r\n");
    if (!waitFor([&] { return list.CurrentChannel == QLatin1String("Big Channel"); }, 10000)) {
        fprintf(stderr, "did not enter the channel\n");
        return 1;
    }
    qint64 enterNs = clock.nsecsElapsed();
    const double switchMs = enterNs / 1e6;
    for (int m = 0, from = 0; m < 3; from = marks[m++]) {
        QByteArray stream;
        for (int i = from; i < marks[m]; ++i)
            stream += userLine("1001 USER", i);
        clock.start();
        live.inject(id, stream);
        if (!waitFor([&] { return list.CurrentChannel == QLatin1String("Big Channel") && list.ChannelUserCount() >= marks[m]; },
                     300000)) {
            fprintf(stderr, "the channel did not fill: %d users\n", list.ChannelUserCount());
            return 1;
        }
        const qint64 ns = clock.nsecsElapsed();
        enterNs += ns;
        spans[m] = ns / 1e3 / (marks[m] - from);
    }
    waitFor([] { return false; }, 1);
    const double enterGap = gaps.stop();

    // The burst: joins of new users and leaves of listed ones, interleaved.
    QByteArray churn;
    QRandomGenerator rng(7);
    int joined = users, expected = users;
    QList<int> present;
    for (int i = 0; i < users; ++i)
        present << i;
    for (int i = 0; i < burst; ++i) {
        if (i % 2 == 0) {
            churn += userLine("1002 JOIN", joined);
            present << joined++;
            ++expected;
        } else {
            const int k = int(rng.bounded(quint32(present.size())));
            churn += userLine("1003 LEAVE", present[k]);
            present.removeAt(k);
            --expected;
        }
    }
    const QByteArray last = userLine("1002 JOIN", joined);
    churn += last;
    ++expected;
    const QString lastName = QStringLiteral("User%1").arg(joined);
    gaps.start();
    clock.start();
    live.inject(id, churn);
    waitFor([&] { return list.ChannelUserCount() > 0 && list.At(list.ChannelUserCount() - 1).Name == lastName; }, 300000);
    waitFor([] { return false; }, 1);
    const double churnSecs = clock.nsecsElapsed() / 1e9;
    const double churnGap = gaps.stop();

    printf("channel of %d users, then %d joins and leaves\n", users, burst);
    printf("enter    us per user       0-%d: %.1f | %d-%d: %.1f | %d-%d: %.1f\n", marks[0], spans[0], marks[0],
           marks[1], spans[1], marks[1], marks[2], spans[2]);
    printf("enter    total             %.2f s (the channel switch %.1f ms), longest stall %.1f ms\n", enterNs / 1e9, switchMs,
           enterGap);
    printf("burst    us per event      %.1f  (%.2f s), longest stall %.1f ms\n", churnSecs * 1e6 / (burst + 1),
           churnSecs, churnGap);
    printf("users listed               %d (expected %d), caption \"%s\"\n", list.ChannelUserCount(), expected,
           qPrintable(list.Caption()));
    return list.ChannelUserCount() == expected ? 0 : 1;
}
