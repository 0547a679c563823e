#include "net/ServerAddress.h"

tServerAddress ParseServerAddress(const QString &entry, quint16 defaultPort)
{
    tServerAddress a;
    const QString text = entry.trimmed();
    const int colon = text.indexOf(QLatin1Char(':'));
    a.Host = colon < 0 ? text : text.left(colon);
    a.Port = defaultPort;
    if (a.Host.isEmpty()) {
        a.Error = QStringLiteral("Server \"%1\" has no host name.").arg(entry);
        return a;
    }
    if (colon < 0)
        return a;
    // Digits only: toUInt would also take a sign, spaces or a second colon's tail.
    const QString digits = text.mid(colon + 1);
    bool numeric = !digits.isEmpty() && digits.size() <= 5;
    for (const QChar c : digits)
        numeric = numeric && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const uint port = numeric ? digits.toUInt() : 0;
    if (port < 1 || port > 65535) {
        a.Error = QStringLiteral("Server \"%1\" has an invalid port: write host:port with a port from 1 to 65535.")
                      .arg(entry);
        return a;
    }
    a.Port = quint16(port);
    return a;
}
