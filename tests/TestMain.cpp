#include "TestMain.h"

#include <QApplication>
#include <cstring>
#include <memory>

// Usage: <area-tests> [ClassName] [QTest options...]  (no class name: every class runs)
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QString only;
    std::vector<char *> args{argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (only.isEmpty() && argv[i][0] != '-' && i == 1)
            only = QString::fromLocal8Bit(argv[i]);
        else
            args.push_back(argv[i]);
    }
    int failed = 0, ran = 0;
    for (auto &e : qctest::registry()) {
        if (!only.isEmpty() && only != QLatin1String(e.name))
            continue;
        std::unique_ptr<QObject> t(e.make());
        failed += QTest::qExec(t.get(), int(args.size()), args.data()) != 0 ? 1 : 0;
        ++ran;
    }
    if (ran == 0) {
        fprintf(stderr, "no test class ran\n");
        return 2;
    }
    return failed == 0 ? 0 : 1;
}
