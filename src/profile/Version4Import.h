#pragma once
#include <QString>
#include <QStringList>

struct tProfile;

// Adds the list files of a version 4 profile (base name B: B + "ban.txt", B + "phrase.txt" ...,
// found ignoring letter case) to the live profile: lists of names gain the lines they do not hold
// yet, lists that run parallel to others gain every line at their end, their companions first
// brought to the key list's length and again afterwards, so entries stay paired. Missing or
// unreadable files add nothing. Modified is set when anything changed.
void ImportVersion4(tProfile &profile, const QString &base);

// A server list file's entries: lines trimmed, blank ones skipped, each a well-formed address
// (host or host:port). False, and no entries, when the file cannot be read, holds no entry or
// holds one that is not an address.
bool ReadServerList(const QString &path, QStringList &servers);

// A plain text file's lines for the import and the server list update; false when it cannot be
// read or is larger than any real list file (a link to an endless device included).
bool ReadListFile(const QString &path, QStringList &lines);
