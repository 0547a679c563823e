#include "gateway/Accounts.h"

#include "net/Ansi.h"

#include <QFile>

namespace gw {

namespace {
constexpr int FirstAccountNumber = 1001;
constexpr qint64 MaxAccountsFileSize = 16 * 1024 * 1024;
} // namespace

bool Accounts::validName(const QString &name)
{
    if (name.isEmpty() || name.size() > MaxNameLength)
        return false;
    for (QChar c : name) {
        const ushort u = c.unicode();
        if (u <= 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0) || u > 0xFF)
            return false;
        if (c == QLatin1Char('"') || c == QLatin1Char('#') || c == QLatin1Char(',')
            || c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char('*'))
            return false;
    }
    return true;
}

bool Accounts::load(const QString &path, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read accounts file %1: %2").arg(path, f.errorString());
        return false;
    }
    if (f.size() > MaxAccountsFileSize) {
        *error = QStringLiteral("accounts file %1 is too large").arg(path);
        return false;
    }
    const QByteArray all = f.readAll();
    for (QByteArray line : all.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith('#') || line.startsWith(';'))
            continue;
        int blank = 0;
        while (blank < line.size() && line[blank] != ' ' && line[blank] != '\t')
            ++blank;
        const QString name = ansi::fromBytes(line.left(blank));
        const QString password = ansi::fromBytes(line.mid(blank).trimmed());
        if (validName(name))
            add(name, password);
    }
    return true;
}

const Accounts::Account &Accounts::add(const QString &name, const QString &password)
{
    const QString key = ansi::foldAZ(name);
    auto it = m_index.constFind(key);
    if (it != m_index.constEnd()) {
        m_accounts[size_t(*it)].password = password;
        return m_accounts[size_t(*it)];
    }
    m_index.insert(key, int(m_accounts.size()));
    m_accounts.push_back({name, password, FirstAccountNumber + int(m_accounts.size())});
    return m_accounts.back();
}

const Accounts::Account *Accounts::find(const QString &name) const
{
    auto it = m_index.constFind(ansi::foldAZ(name));
    return it == m_index.constEnd() ? nullptr : &m_accounts[size_t(*it)];
}

} // namespace gw
