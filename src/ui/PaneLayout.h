#pragma once

// The layout switches of the main window, kept in Chat.ini's "Windows" section.
struct tPaneSwitches
{
    bool CustomList = true;
    bool UserList = true;
    bool Whisper = true;
    bool TextLabels = false;
};

// What the user panel shows for a set of switches, and how high the custom list is then.
struct tUserPanelPlan
{
    bool UserVisible = true;
    bool CustomVisible = true;
    bool SplitterVisible = true; // between the two lists: only when both are shown
    bool PanelVisible = true;    // the whole user panel with the channel box and its splitter
    bool CustomFills = false;    // the custom list takes the panel's whole height below the channel box
    int UserHeight = 0;
    int CustomHeight = 0;
};

// Smallest height of a list while it is shown, and the splitter between them.
constexpr int MinPaneSize = 20;
constexpr int SplitterSize = 8;

// `panel` is the user panel's height, `channel` the channel box's; the list heights are the ones
// the lists have now (the custom list's last docked height when it is hidden).
tUserPanelPlan PlanUserPanel(const tPaneSwitches &sw, int panel, int channel, int customHeight, int userHeight);
