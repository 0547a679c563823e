#pragma once
#include <QString>
#include <QStringList>

// Upkeep rules of the custom user list (names compared without regard to letter case).
namespace customlist {

// Position of the name in the list ignoring case; -1 when absent.
int IndexOf(const QStringList &list, const QString &name);
// Appends the name unless it is empty or already listed; true when the list changed.
bool Append(QStringList &list, const QString &name);
// A name dragged in from the channel list, dropped at `target` (the list's size or more: the end).
bool InsertDropped(QStringList &list, const QString &name, int target);
// An entry dragged within the list from `start` onto `target` (the list's size when dropped below the
// last entry): it lands before a later target and takes an earlier target's place.
bool MoveDropped(QStringList &list, const QString &name, int start, int target);
// Swaps the entry with its neighbour `step` (-1 up, +1 down) away; false at either end.
bool Swap(QStringList &list, int row, int step);

} // namespace customlist

// The icons file: pairs of lines, a user name and the file name of a bitmap in the "icons" folder.
namespace iconsfile {

// The file's lines (line ends CR LF or LF): a missing file has none; false when the file is there
// but cannot be read, is oversized or is not a regular file, so it must not be rewritten.
bool ReadForUpdate(const QString &path, QStringList &lines);
// The same for showing: a file that cannot be read reads as empty.
QStringList Read(const QString &path);
bool Write(const QString &path, const QStringList &lines);
// Complete pairs in file order; an unpaired last line is ignored.
QList<QPair<QString, QString>> Pairs(const QStringList &lines);
// Gives `name` the bitmap `file`: the line after the first line equal to the name (ignoring case) is
// replaced; a name found as the last line leaves the lines as they are; an absent name appends a pair.
void SetIcon(QStringList &lines, const QString &name, const QString &file);

} // namespace iconsfile
