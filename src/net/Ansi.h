#pragma once
#include <QByteArray>
#include <QString>

#include <algorithm>

class QLocale;

// Text is single-byte on the wire and in the profile's text fields: the Windows code page that
// Windows itself would use as the ANSI code page for the user's locale (1252 unless the language
// has one of its own). Every byte value maps to one character and back, so a name read from the
// server, stored in a record and sent again comes out as the same bytes; a byte the code page
// leaves undefined stands for the character of the same value. Every conversion goes through here.
// File paths are not chat text: they go through QFile::encodeName and decodeName.
namespace ansi {
// The code page for a locale: 874, 1250 ... 1258, or 1252 for every other language.
int CodePageFor(const QLocale &locale);
// The code page in use: the system locale's (QLocale::system()) until SetCodePage picks another.
int CodePage();
// False, and nothing changes, for a code page without a table.
bool SetCodePage(int page);

QString fromBytes(const char *data, qsizetype size);
inline QString fromBytes(const QByteArray &bytes) { return fromBytes(bytes.constData(), bytes.size()); }
// A character the code page lacks is written as its canonical decomposition when every part of
// that exists (Vietnamese letters in 1258), otherwise as '?'.
QByteArray toBytes(const QString &text);

inline char16_t foldAZ(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; }

// Folds only A..Z, as the protocol's prefix and substring tests do. A text without capitals is
// shared, not copied.
inline QString foldAZ(const QString &text)
{
    const QChar *begin = text.constData(), *end = begin + text.size();
    const QChar *first = std::find_if(begin, end, [](QChar c) { return foldAZ(c.unicode()) != c.unicode(); });
    if (first == end)
        return text;
    QString out = text;
    for (QChar *c = out.data() + (first - begin), *e = out.data() + out.size(); c != e; ++c)
        *c = QChar(foldAZ(c->unicode()));
    return out;
}

// The same text once A..Z are folded, without building either.
inline bool sameFoldedAZ(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return false;
    const QChar *p = a.constData(), *q = b.constData();
    for (qsizetype i = 0; i < a.size(); ++i)
        if (foldAZ(p[i].unicode()) != foldAZ(q[i].unicode()))
            return false;
    return true;
}

namespace detail {
constexpr int CodePageCount = 10;
extern const int CodePageNumbers[CodePageCount];
extern const char16_t CodePageTables[CodePageCount][256];
} // namespace detail
} // namespace ansi
