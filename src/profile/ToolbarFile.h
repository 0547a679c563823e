#pragma once
#include <QList>
#include <QString>

// The tool bar catalogue: entry 0 is the separator, 1..16 each stand for one action of the main window.
namespace toolbar {
constexpr int Separator = 0;
constexpr int EntryCount = 17;
// Larger than any definition a user could build by hand in the dialog; a bigger file is not ours.
constexpr int MaxEntries = 4096;

// "Connect", "Setup" ... as the customise dialog lists them.
QString DialogName(int entry);
// "Connect", "Setup..." ... as the buttons show them; empty for the separator and unknown entries.
QString Caption(int entry);
// The catalogue entry with that dialog name, or -1.
int EntryOfName(const QString &dialogName);

QList<qint32> DefaultDefinition();
// Consecutive 4-byte little-endian integers; a missing, truncated, oversized or unreadable file,
// or anything but a regular file, gives the default definition.
QList<qint32> Load(const QString &path);
// Replaces the file as a whole or not at all; false when the old one stays.
bool Save(const QString &path, const QList<qint32> &definition);
} // namespace toolbar
