#include "TestMain.h"

#include <QLabel>

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

    void picturesAreSharpAtRatioTwo()
    {
        const QPixmap pm = TfrmLaunch::DrawPicture(LaunchTarget::Battlenet, QSize(90, 50), 2.0);
        QCOMPARE(pm.size(), QSize(180, 100));
        QCOMPARE(pm.devicePixelRatio(), 2.0);
    }
};

QC_TEST(LaunchWindowTest)
#include "LaunchWindowTest.moc"
