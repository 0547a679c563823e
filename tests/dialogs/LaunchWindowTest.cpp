#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScopeGuard>
#include <QTemporaryDir>

#include "../automation/FakeRegistry.h"
#include "dialogs/Launch.h"

class LaunchWindowTest : public QObject
{
    Q_OBJECT
private slots:
    // Clicks on the pictures: Brood War starts StarCraft's program, the list follows the game server.
    void picturesLaunch()
    {
        auto reg = std::make_unique<FakeRegistry>();
        FakeRegistry *r = reg.get();
        r->keys["software\\battle.net\\configuration"]["server list"] = "a;b;c";
        r->keys["software\\blizzard entertainment\\starcraft"]["program"] = "C:\\SC\\StarCraft.exe";
        QStringList started;
        QString server = "b";
        TfrmLaunch launch(std::move(reg), [&](const QString &t, bool) { started << t; }, [&] { return server; });
        launch.show();
        QVERIFY(QTest::qWaitForWindowExposed(&launch));
        for (QLabel *pic : {launch.imBroodwar, launch.imBlizzard}) {
            QVERIFY(!pic->pixmap().isNull());
            QCOMPARE(pic->cursor().shape(), Qt::PointingHandCursor);
            QTest::mouseClick(pic, Qt::LeftButton);
        }
        QCOMPARE(started, QStringList({"C:\\SC\\StarCraft.exe", tLauncher::BlizzardSite}));
        QCOMPARE(r->keys["software\\battle.net\\configuration"]["server list"], QStringLiteral("b;a;c"));
        server.clear(); // "Use QuorlChat Server for Games" off
        r->writes = 0;
        QTest::mouseClick(launch.imDiablo, Qt::LeftButton);
        QCOMPARE(r->writes, 0);
        QCOMPARE(launch.Launcher().Target, QStringLiteral("c:\\diablo\\diablo.exe"));
    }

    // A game starts in its own folder of the Wine prefix; without Wine the status bar hears why not.
    void desktopStarterRunsGameInItsFolder()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("prefix/dosdevices") && QDir(dir.path()).mkpath("prefix/drive_c/Games/Diablo"));
        QVERIFY(QFile::link("../drive_c", dir.filePath("prefix/dosdevices/c:")));
        QFile wine(dir.filePath("wine")), out(dir.filePath("out.txt"));
        QVERIFY(wine.open(QIODevice::WriteOnly));
        wine.write("#!/bin/sh\nprintf '%s\\n%s\\n' \"$(pwd -P)\" \"$1\" > '" + QFile::encodeName(out.fileName()) +
                   "'\n");
        wine.close();
        QVERIFY(wine.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const auto restore = qScopeGuard([path = qgetenv("PATH"), prefix = qgetenv("WINEPREFIX")] {
            qputenv("PATH", path);
            prefix.isNull() ? qunsetenv("WINEPREFIX") : qputenv("WINEPREFIX", prefix);
        });
        qputenv("WINEPREFIX", QFile::encodeName(dir.filePath("prefix")));
        qputenv("PATH", QFile::encodeName(dir.path()));
        QStringList reports;
        const tLauncher::Starter start = TfrmLaunch::DesktopStarter([&](const QString &t) { reports << t; });
        start("C:\\GAMES\\diablo\\diablo.exe", true);
        const auto written = [&out] {
            out.close();
            return out.open(QIODevice::ReadOnly) ? QString(out.readAll()) : QString();
        };
        QTRY_COMPARE(written(), QDir(dir.path()).canonicalPath() +
                                    "/prefix/drive_c/Games/Diablo\nC:\\GAMES\\diablo\\diablo.exe\n");
        QVERIFY(reports.isEmpty());
        qputenv("PATH", QFile::encodeName(dir.filePath("prefix")));
        start("c:\\diablo\\diablo.exe", true);
        QCOMPARE(reports, QStringList{"Wine was not found: cannot start c:\\diablo\\diablo.exe"});
    }

    void picturesAreSharpAtRatioTwo()
    {
        const QPixmap pm = TfrmLaunch::DrawPicture(LaunchTarget::Battlenet, QSize(90, 50), 2.0);
        QCOMPARE(pm.size(), QSize(180, 100));
        QCOMPARE(pm.devicePixelRatio(), 2.0);
    }
};

QC_TEST(LaunchWindowTest)
#include "LaunchWindowTest.moc"
