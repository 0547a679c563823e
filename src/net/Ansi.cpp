#include "net/Ansi.h"

#include <QLocale>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {
struct Page
{
    int number = 0;
    const char16_t *decode = nullptr;
    // Character -> byte; an entry is right only when decoding the byte gives the character back.
    std::vector<unsigned char> encode;
};

bool load(Page &p, int number)
{
    for (int i = 0; i < ansi::detail::CodePageCount; ++i) {
        if (ansi::detail::CodePageNumbers[i] != number)
            continue;
        p.number = number;
        p.decode = ansi::detail::CodePageTables[i];
        p.encode.assign(0x10000, 0);
        for (int b = 0; b < 256; ++b)
            p.encode[p.decode[b]] = static_cast<unsigned char>(b);
        return true;
    }
    return false;
}

Page &current()
{
    static Page page = [] {
        Page p;
        load(p, ansi::CodePageFor(QLocale::system()));
        return p;
    }();
    return page;
}

bool isAscii(const char *data, qsizetype size)
{
    qsizetype i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + i, sizeof word);
        if (word & 0x8080808080808080ull)
            return false;
    }
    for (; i < size; ++i)
        if (static_cast<unsigned char>(data[i]) >= 0x80)
            return false;
    return true;
}

// Deep enough for a letter with two accents (Vietnamese "ế" is "ê" and an acute).
constexpr int MaxDecompositionDepth = 3;

bool put(const Page &p, char32_t c, QByteArray &out, int depth)
{
    if (c < 0x10000) {
        const unsigned char b = p.encode[c];
        if (p.decode[b] == c) {
            out += char(b);
            return true;
        }
    }
    if (depth == MaxDecompositionDepth || QChar::decompositionTag(c) != QChar::Canonical)
        return false;
    const QList<uint> parts = QChar::decomposition(c).toUcs4();
    const qsizetype mark = out.size();
    for (uint part : parts) {
        if (!put(p, part, out, depth + 1)) {
            out.truncate(mark);
            return false;
        }
    }
    return !parts.isEmpty();
}
} // namespace

namespace ansi {

int CodePageFor(const QLocale &locale)
{
    const bool cyrillic = locale.script() == QLocale::CyrillicScript;
    switch (locale.language()) {
    case QLocale::Thai:
        return 874;
    case QLocale::Albanian: case QLocale::Croatian: case QLocale::Czech: case QLocale::Hungarian:
    case QLocale::Polish: case QLocale::Romanian: case QLocale::Slovak: case QLocale::Slovenian:
    case QLocale::Turkmen:
        return 1250;
    case QLocale::Bosnian: case QLocale::Serbian:
        return cyrillic ? 1251 : 1250;
    case QLocale::Bashkir: case QLocale::Belarusian: case QLocale::Bulgarian: case QLocale::Kazakh:
    case QLocale::Kyrgyz: case QLocale::Macedonian: case QLocale::Mongolian: case QLocale::Russian:
    case QLocale::Sakha: case QLocale::Tajik: case QLocale::Tatar: case QLocale::Ukrainian:
        return 1251;
    case QLocale::Greek:
        return 1253;
    case QLocale::Azerbaijani: case QLocale::Uzbek:
        return cyrillic ? 1251 : 1254;
    case QLocale::Turkish:
        return 1254;
    case QLocale::Hebrew: case QLocale::Yiddish:
        return 1255;
    case QLocale::Arabic: case QLocale::Persian: case QLocale::Urdu: case QLocale::Uyghur:
        return 1256;
    case QLocale::Estonian: case QLocale::Latvian: case QLocale::Lithuanian:
        return 1257;
    case QLocale::Vietnamese:
        return 1258;
    default:
        return 1252;
    }
}

int CodePage()
{
    return current().number;
}

bool SetCodePage(int page)
{
    Page p;
    if (!load(p, page))
        return false;
    current() = std::move(p);
    return true;
}

QString fromBytes(const char *data, qsizetype size)
{
    if (size <= 0)
        return QString();
    // Most lines are plain ASCII, the same in every code page: Qt's vectorised Latin-1 path then.
    if (isAscii(data, size))
        return QString::fromLatin1(data, size);
    const char16_t *table = current().decode;
    QString text(size, Qt::Uninitialized);
    auto *out = reinterpret_cast<char16_t *>(text.data());
    const auto *in = reinterpret_cast<const unsigned char *>(data);
    for (qsizetype i = 0; i < size; ++i)
        out[i] = table[in[i]];
    return text;
}

QByteArray toBytes(const QString &text)
{
    // As in fromBytes: plain ASCII takes Qt's vectorised Latin-1 path.
    char16_t any = 0;
    for (const QChar c : text)
        any |= c.unicode();
    if (any < 0x80)
        return text.toLatin1();
    const Page &p = current();
    QByteArray out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            out += char(c);
            continue;
        }
        char32_t code = c;
        if (QChar::isHighSurrogate(c) && i + 1 < n && text[i + 1].isLowSurrogate())
            code = QChar::surrogateToUcs4(c, text[++i].unicode());
        if (!put(p, code, out, 0))
            out += '?';
    }
    return out;
}

} // namespace ansi
