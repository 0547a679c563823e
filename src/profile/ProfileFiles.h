#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

struct tProfile;

// Receives what loading and saving want the user to see (message boxes in the window).
class ProfileReporter
{
public:
    virtual ~ProfileReporter() = default;
    virtual void showMessage(const QString &text) = 0;
};

// Base name of a profile's companion files: "*" removed, cut before the first "." of the file name
// (a leading dot of a hidden file's name does not count). The companion files are base + ".ext"
// (lists), base + ".usr" (custom users) and the older one-file-per-list layout.
QString ProfileBaseName(const QString &path);
// The rule files were once named by: cut before the first "." of the whole path. Loading falls
// back to it when no companion file of ProfileBaseName exists.
QString LegacyProfileBaseName(const QString &path);

// Loads the settings record, the lists (".ext", or the older layout when there is none) and the
// custom users (".usr") into the profile. The window's steps are the caller's: afterwards it
// hands the connection Server, UserName and Password, applies the appearance, sets the toolbar
// and favourites actions, and opens the session log when KeepLog is set.
// Neither this nor SaveProfile touches CurrentProfile or clears Modified (the upgrade of a record
// older than "6.02" sets Modified); the window's actions do that on success.
// Messages go to the reporter: "Error loading file: " + path, "Could not load user settings file".
// True when every step succeeded; a failing record or list step still loads the custom users.
// `recordAndLists`, when given, says whether the record and the lists loaded: only then does the
// window hand the account and server to the connection.
bool LoadProfile(tProfile &profile, const QString &path, ProfileReporter &reporter, bool *recordAndLists = nullptr);
// Writes the record, the ".ext" and the ".usr", readable by the owner only: all three go to
// temporaries and replace the old files only when every one of them reached the disk, so a failed
// save leaves the old files as they were. The older-layout files are deleted after a save.
// Messages: "Error saving file: " + path, "Could not save user settings file".
bool SaveProfile(tProfile &profile, const QString &path, ProfileReporter &reporter);
// Deletes every older-layout file of the path's base name, ignoring errors; never the file at
// `path` itself, a profile whose name ends like one of them.
void DeleteOldFiles(const QString &path);

// The ".ext" list file's text form. Reading empties the command table, ServerList, HomeList and
// ChannelList first and appends to every other list (Favorite accumulates across loads).
QByteArray WriteExtText(const tProfile &profile);
void ReadExtText(tProfile &profile, const QByteArray &text);

// A text file as lines (the code page's text; CR LF, LF or CR ends a line). False when it cannot be
// read or is larger than any list file (16 MiB).
bool ReadTextLines(const QString &path, QStringList &lines);
