#pragma once
#include <QHash>
#include <QString>
#include <deque>

namespace gw {

// Account store. Names are looked up with A..Z folded and kept as first written.
class Accounts
{
public:
    struct Account
    {
        QString name;
        QString password;
        int number = 0;
    };

    // Reads "name password" lines; the password is the rest of the line after the blanks.
    bool load(const QString &path, QString *error);
    // Adds an account or changes the password of an existing one.
    const Account &add(const QString &name, const QString &password);
    const Account *find(const QString &name) const;
    int size() const { return int(m_accounts.size()); }

    // What a login name may contain: printable bytes without blanks and the few characters that
    // would break a server line ('"') or the name syntax ("#" of a second login, "," of lists).
    static bool validName(const QString &name);
    static constexpr int MaxNameLength = 15;

private:
    std::deque<Account> m_accounts; // a deque keeps references stable while it grows
    QHash<QString, int> m_index;
};

} // namespace gw
