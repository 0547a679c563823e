#pragma once
#include <QIcon>

// The images of the tool bar, the favourites and the sound menus, drawn in code in one style
// (a dark outline round soft colours on a 16-unit grid) and sharp at any device pixel ratio.
enum class ToolImage {
    Connect, Setup, Fonts, Join, List, Details, Accounts, Text, Away, Dnd, Lock, Pause,
    Cut, Copy, Paste, Undo, Folder, Sound
};
QIcon ToolIcon(ToolImage image);
