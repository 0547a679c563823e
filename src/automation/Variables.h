#pragma once
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

// Templates and matching shared by every automatic sender. Two kinds of comparison exist and each
// has exactly one helper here: folding A..Z only (substrings and prefixes) and ignoring case the
// locale's way (whole names in a list).

// What a template's variables are taken from at the moment of expansion.
struct tVariableSource
{
    QString Server;             // <server>
    QString Channel;            // <channel>
    // <random> draws from the channel's users: their number, and the name at a position, asked
    // for the one drawn only, so a big channel is not copied for every answer.
    int UserCount = 0;
    std::function<QString(int index)> UserAt;
    // A uniform draw from 0..n-1 (n > 0); tests replace it to make the draw known.
    std::function<int(int n)> Random;
};

// Only the letters A..Z folded to a..z; every other character must match exactly.
QString FoldCase(const QString &text);
bool ContainsFolded(const QString &text, const QString &part);
bool StartsWithFolded(const QString &text, const QString &prefix);
// Position (0-based) of the first folded occurrence, -1 when none; an empty part never occurs.
qsizetype IndexOfFolded(const QString &text, const QString &part);
// Whole strings compared ignoring case, as a name is looked up in a list.
bool SameTextIgnoringCase(const QString &a, const QString &b);
// First entry equal to the name ignoring case; -1 when none.
int IndexOfName(const QStringList &list, const QString &name);

// Entry i of a list, empty when a hand-edited profile made the list shorter than its partner.
QString EntryAt(const QStringList &list, int i);
// Leading optional sign and decimal digits making up the whole text; `fallback` otherwise.
int ReadDecimal(const QString &text, int fallback);

QString ExpandVariables(const QString &templ, const QString &user, const QString &parameter,
                        const tVariableSource &source);
QString PickResponse(int position, const std::array<QStringList, 3> &responses, const std::function<int(int)> &random);
bool HasIgnorePrefix(const QString &message, const QString &ignorePrefix);
// The text before the first separator; `text` becomes what follows it (empty without one).
QString SplitFirst(QString &text, QChar separator);
