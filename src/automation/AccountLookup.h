#pragma once
#include <QColor>
#include <QString>
#include <QStringList>
#include <functional>

struct tProfile;

// Collects the pairs of user name and account number that the server's information lines reveal
// ("<name> is logged on from account #<number>.") into the profile's parallel lists AccountList
// and NumberList, and reports what is known about the name and the number into the transcript.
class tAccountLookup
{
public:
    // One transcript line: lead and body, each in its own colour.
    using WriteFn = std::function<void(const QString &lead, const QString &body, const QColor &leadColor,
                                       const QColor &bodyColor)>;
    tAccountLookup(tProfile &profile, WriteFn write);

    // Called for every server information line, after it has been shown.
    void ParseAccountInfo(const QString &line);

    // Queries of the account window over the two lists.
    // The entries once each, the first spelling of entries equal ignoring case.
    static QStringList Distinct(const QStringList &list);
    // values[i] for every i whose keys[i] equals `key`: case-folded, or exactly.
    static QStringList Partners(const QStringList &keys, const QStringList &values, const QString &key, bool exact);

private:
    void record(const QString &name, const QString &number);
    void report(const QString &name, const QString &number);
    QColor color(int role) const;

    tProfile &m_profile;
    WriteFn m_write;
};
