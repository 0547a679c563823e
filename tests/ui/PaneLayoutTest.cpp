#include "TestMain.h"

#include "ui/PaneLayout.h"

class PaneLayoutTest : public QObject
{
    Q_OBJECT
private slots:
    void switchesDecideWhatIsShown()
    {
        struct Row { bool custom, user; bool splitter, panel, fills; };
        const Row rows[] = {{true, true, true, true, false}, {true, false, false, true, true},
                            {false, true, false, true, false}, {false, false, false, false, false}};
        for (const Row &r : rows) {
            tPaneSwitches sw;
            sw.CustomList = r.custom;
            sw.UserList = r.user;
            const tUserPanelPlan p = PlanUserPanel(sw, 500, 25, 132, 335);
            QCOMPARE(p.CustomVisible, r.custom);
            QCOMPARE(p.UserVisible, r.user);
            QCOMPARE(p.SplitterVisible, r.splitter);
            QCOMPARE(p.PanelVisible, r.panel);
            QCOMPARE(p.CustomFills, r.fills);
        }
    }

    void customListFillsThenDocksLeavingRoomForTheUserList()
    {
        tPaneSwitches sw;
        tUserPanelPlan p = PlanUserPanel(sw, 500, 25, 132, 335);
        QCOMPARE(p.CustomHeight, 132); // plenty of room: unchanged
        QCOMPARE(p.UserHeight, 500 - 25 - 132 - 8);

        sw.UserList = false;
        p = PlanUserPanel(sw, 500, 25, p.CustomHeight, p.UserHeight);
        QVERIFY(p.CustomFills);
        QCOMPARE(p.CustomHeight, 475);

        sw.UserList = true; // docked again, with 20 px left for the user list
        p = PlanUserPanel(sw, 500, 25, p.CustomHeight, 0);
        QVERIFY(!p.CustomFills);
        QCOMPARE(p.UserHeight, 20);
        QCOMPARE(p.CustomHeight, 500 - 25 - 20 - 8);
    }

    void customListNeverBelowTwentyPixels()
    {
        tPaneSwitches sw;
        tUserPanelPlan p = PlanUserPanel(sw, 500, 25, 3, 400);
        QCOMPARE(p.CustomHeight, 20);
        QCOMPARE(p.UserHeight, 500 - 25 - 20 - 8);
        sw.CustomList = false; // hidden: its height is left as it is
        p = PlanUserPanel(sw, 500, 25, 3, 400);
        QCOMPARE(p.CustomHeight, 3);
        QCOMPARE(p.UserHeight, 475);
    }
};

QC_TEST(PaneLayoutTest)
#include "PaneLayoutTest.moc"
