#pragma once
#include <QString>

// A server entry as the user writes it: a host name or dotted address, optionally followed by
// ":" and a TCP port ("host:port"). An entry without a port keeps the caller's default, so lists
// written before ports were allowed read as before.
struct tServerAddress
{
    QString Host;
    quint16 Port = 0;
    // Empty when the entry is usable; otherwise why it is not, fit for a transcript line.
    QString Error;

    bool Valid() const { return Error.isEmpty(); }
};

tServerAddress ParseServerAddress(const QString &entry, quint16 defaultPort);
