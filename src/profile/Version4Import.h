#pragma once
#include <QString>
#include <QStringList>

struct tProfile;

// Adds the list files of a version 4 profile (base name B: B + "ban.txt", B + "phrase.txt" ...) to
// the live profile: lists of names gain the lines they do not hold yet, lists that run parallel to
// others gain every line at their end. Missing or unreadable files add nothing. Modified is left
// alone: the entries go out with the next save.
void ImportVersion4(tProfile &profile, const QString &base);

// A plain text file's lines for the import and the server list update; false when it cannot be
// read or is larger than any real list file (a link to an endless device included).
bool ReadListFile(const QString &path, QStringList &lines);
