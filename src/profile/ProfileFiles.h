#pragma once
#include <QString>

struct tProfile;

// Receives what loading and saving want the user to see (message boxes in the window).
class ProfileReporter
{
public:
    virtual ~ProfileReporter() = default;
    virtual void showMessage(const QString &text) = 0;
};

// Base name of a profile's companion files: "*" removed, cut before the first "." of the file name.
QString ProfileBaseName(const QString &path);
// The rule files were once named by: cut before the first "." of the whole path.
QString LegacyProfileBaseName(const QString &path);

// Loading steps 1..7 and 9 (the window-side steps 8, 10 and 11 are done by the caller).
// Messages go to the reporter: "Error loading file: " + path, "Could not load user settings file".
bool LoadProfile(tProfile &profile, const QString &path, ProfileReporter &reporter);
// Atomic writes, owner-only permissions. "Error saving file: " + path, "Could not save user settings file".
bool SaveProfile(tProfile &profile, const QString &path, ProfileReporter &reporter);
void DeleteOldFiles(const QString &path);

// The ".ext" list file's text form, for tests and the import.
QByteArray WriteExtText(const tProfile &profile);
void ReadExtText(tProfile &profile, const QByteArray &text);
