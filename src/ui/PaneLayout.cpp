#include "ui/PaneLayout.h"

#include <algorithm>

tUserPanelPlan PlanUserPanel(const tPaneSwitches &sw, int panel, int channel, int customHeight, int userHeight)
{
    tUserPanelPlan p;
    p.UserVisible = sw.UserList;
    p.CustomVisible = sw.CustomList;
    p.SplitterVisible = sw.UserList && sw.CustomList;
    p.PanelVisible = sw.UserList || sw.CustomList;
    p.CustomFills = !sw.UserList && sw.CustomList;
    const int room = panel - channel;
    p.UserHeight = userHeight;
    p.CustomHeight = customHeight;
    if (p.CustomFills) {
        p.CustomHeight = std::max(room, MinPaneSize);
        return p;
    }
    if (sw.UserList && p.CustomHeight >= room - MinPaneSize) {
        p.UserHeight = std::max(p.UserHeight, MinPaneSize);
        p.CustomHeight = room - p.UserHeight - SplitterSize;
    }
    if (sw.CustomList && p.CustomHeight < MinPaneSize)
        p.CustomHeight = MinPaneSize;
    if (sw.UserList)
        p.UserHeight = std::max(MinPaneSize, room - (sw.CustomList ? p.CustomHeight + SplitterSize : 0));
    return p;
}
