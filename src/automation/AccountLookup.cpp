#include "automation/AccountLookup.h"

#include <QSet>

#include "net/Ansi.h"
#include "profile/Profile.h"

namespace {
bool containsIgnoringCase(const QStringList &list, const QString &s)
{
    for (const QString &e : list)
        if (e.compare(s, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}
const QString Indent = QStringLiteral("    ");
const QString Other = QStringLiteral("    Other Association: ");
} // namespace

tAccountLookup::tAccountLookup(tProfile &profile, WriteFn write) : m_profile(profile), m_write(std::move(write)) {}

QColor tAccountLookup::color(int role) const
{
    return bgrToColor(m_profile.Settings.Color(role));
}

void tAccountLookup::ParseAccountInfo(const QString &line)
{
    QString rest = line;
    QString name, number;
    bool marked = false;
    const auto cutName = [&rest, &name] {
        const int blank = int(rest.indexOf(QLatin1Char(' ')));
        name = blank < 0 ? QString() : rest.left(blank);
        rest = rest.mid(blank + 1);
    };
    if (ansi::foldAZ(rest).contains(QLatin1String("is logged on from account"))) {
        cutName();
        const int hash = int(rest.indexOf(QLatin1Char('#')));
        if (hash >= 0)
            rest = rest.mid(hash + 1);
        number = rest.left(rest.size() - 1);
        record(name, number);
        marked = true;
    }
    if (ansi::foldAZ(rest).contains(QLatin1String("is logged on through a gateway"))) {
        cutName();
        number.clear();
        marked = true;
    }
    if (marked)
        report(name, number);
}

void tAccountLookup::record(const QString &name, const QString &number)
{
    QStringList &names = m_profile.AccountList;
    QStringList &numbers = m_profile.NumberList;
    if (containsIgnoringCase(names, name) && containsIgnoringCase(numbers, number)) {
        const int n = int(qMin(names.size(), numbers.size()));
        for (int i = 0; i < n; ++i)
            if (ansi::sameFoldedAZ(names[i], name) && ansi::sameFoldedAZ(numbers[i], number))
                return; // a pair already recorded is not recorded again
    }
    names.append(name);
    numbers.append(number);
    m_profile.Modified = true;
}

void tAccountLookup::report(const QString &name, const QString &number)
{
    const QStringList &names = m_profile.AccountList;
    const QStringList &numbers = m_profile.NumberList;
    const int n = int(qMin(names.size(), numbers.size()));
    const QColor info = color(InfoColor), nameColor = color(NameColor);
    const auto line = [this, nameColor](const QString &lead, const QColor &leadColor, const QString &body = QString()) {
        m_write(lead, body, leadColor, nameColor);
    };

    line(QStringLiteral("Numbers associated with this name:"), info);
    bool any = false;
    for (int i = 0; i < n; ++i) {
        if (!ansi::sameFoldedAZ(names[i], name))
            continue;
        any = true;
        line(Indent + QLatin1Char('#') + numbers[i], nameColor);
        for (int j = 0; j < n; ++j)
            if (j != i && ansi::sameFoldedAZ(numbers[j], numbers[i]))
                line(Other, info, names[j]);
    }
    if (!any)
        line(Indent + QLatin1String("None"), nameColor);
    if (number.isEmpty())
        return;

    line(QStringLiteral("Names associated with this number:"), info);
    any = false;
    for (int i = 0; i < n; ++i) {
        if (!ansi::sameFoldedAZ(numbers[i], number))
            continue;
        any = true;
        line(Indent + names[i], nameColor);
        for (int j = 0; j < n; ++j)
            if (j != i && ansi::sameFoldedAZ(names[j], names[i]))
                line(Other, info, numbers[j]);
    }
    if (!any)
        line(Indent + QLatin1String("None"), nameColor);
}

QStringList tAccountLookup::Distinct(const QStringList &list)
{
    QStringList out;
    QSet<QString> seen;
    for (const QString &e : list) {
        const QString key = e.toCaseFolded();
        if (!seen.contains(key)) {
            seen.insert(key);
            out.append(e);
        }
    }
    return out;
}

QStringList tAccountLookup::Partners(const QStringList &keys, const QStringList &values, const QString &key, bool exact)
{
    QStringList out;
    const int n = int(qMin(keys.size(), values.size()));
    for (int i = 0; i < n; ++i)
        if (exact ? keys[i] == key : ansi::sameFoldedAZ(keys[i], key))
            out.append(values[i]);
    return out;
}
