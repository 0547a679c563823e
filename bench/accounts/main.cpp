// Usage: bench_accounts [names]   (default 40000)
//
// Opens the account window (offscreen unless QT_QPA_PLATFORM says otherwise) over a quarter, half
// and all of the given number of distinct names in random order, and reports the time until the
// name list is full, the time per name (the same for every size when the fill is linear-ish) and
// the longest time the event loop was blocked.
#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QRandomGenerator>
#include <cstdio>
#include <memory>

#include "dialogs/AccountForm.h"
#include "../BenchSupport.h"

using namespace bench;

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int total = argc > 1 ? QByteArray(argv[1]).toInt() : 40000;

    QRandomGenerator rnd(20);
    QStringList names, numbers;
    for (int i = 0; i < total; ++i) {
        names << QStringLiteral("User%1#%2").arg(rnd.bounded(1u << 30), 0, 36).arg(i);
        numbers << QString::number(rnd.bounded(1000000));
    }
    printf("%8s %10s %12s %10s\n", "names", "fill ms", "us per name", "worst gap ms");
    for (const int n : {total / 4, total / 2, total}) {
        GapMeter gaps;
        QElapsedTimer t;
        gaps.start();
        t.start();
        auto d = std::make_unique<TfrmAccount>(names.mid(0, n), numbers.mid(0, n), QString(), nullptr);
        d->show();
        if (!waitFor([&] { return !d->Filling() && d->lst1->count() > 0; }, 600000)) {
            fprintf(stderr, "the list did not fill\n");
            return 1;
        }
        const qint64 ns = t.nsecsElapsed();
        const double worst = gaps.stop();
        printf("%8d %10.0f %12.2f %10.1f\n", n, ns / 1e6, ns / 1e3 / n, worst);
        fflush(stdout);
    }
    return 0;
}
