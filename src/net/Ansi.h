#pragma once
#include <QByteArray>
#include <QString>

// Text is single-byte on the wire and in every file the program writes. Latin-1 maps each of the
// 256 byte values to one character and back, so a name read from the server, stored in a record
// and sent again comes out as the same bytes. Every conversion goes through these two.
namespace ansi {
inline QString fromBytes(const QByteArray &bytes) { return QString::fromLatin1(bytes); }
inline QString fromBytes(const char *data, qsizetype size) { return QString::fromLatin1(data, size); }
// Characters outside Latin-1 (typed by the user) become '?'.
inline QByteArray toBytes(const QString &text) { return text.toLatin1(); }
// Folds only A..Z, as the protocol's prefix and substring tests do.
inline QString foldAZ(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    return out;
}
} // namespace ansi
