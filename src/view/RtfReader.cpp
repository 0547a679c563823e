#include "view/RtfReader.h"

#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QVector>
#include <cstring>

namespace {

// Windows-1252 at 0x80..0x9F; the rest of the code page is Latin-1. The five undefined bytes
// stay the control characters of the same value.
const char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QChar fromCp1252(unsigned char b)
{
    return b >= 0x80 && b < 0xA0 ? QChar(Cp1252High[b - 0x80]) : QChar(b);
}

struct CharState
{
    bool bold = false, italic = false, underline = false;
    int halfPoints = 24;
    int color = 0;
    bool operator==(const CharState &o) const
    {
        return bold == o.bold && italic == o.italic && underline == o.underline && halfPoints == o.halfPoints &&
               color == o.color;
    }
    bool operator!=(const CharState &o) const { return !(*this == o); }
};

struct ParaState
{
    Qt::Alignment align = Qt::AlignLeft;
    int leftTwips = 0, beforeTwips = 0, afterTwips = 0;
};

enum class Dest { Text, Skip, ColorTable };

struct GroupState
{
    CharState chars;
    ParaState para;
    Dest dest = Dest::Text;
    int ucSkip = 1;
};

// Destinations whose content is never text.
bool isSkippedDestination(const QByteArray &word)
{
    static const char *const names[] = {
        "fonttbl", "stylesheet", "info", "pict", "header", "headerl", "headerr", "headerf", "footer", "footerl",
        "footerr", "footerf", "object", "listtable", "listoverridetable", "revtbl", "rsidtbl", "generator",
        "xmlnstbl", "themedata", "colorschememapping", "latentstyles", "datastore", "fldinst", "filetbl",
        "footnote", "private", "bkmkstart", "bkmkend", "author", "operator", "title", "subject", "keywords",
        "comment", "doccomm", "company",
    };
    for (const char *n : names)
        if (word == n)
            return true;
    return false;
}

class Reader
{
public:
    Reader(const QByteArray &in, QTextDocument &doc) : m_in(in), m_cursor(&doc) {}

    void run()
    {
        const qsizetype n = m_in.size();
        qsizetype i = 0;
        while (i < n) {
            const char c = m_in[i];
            if (c == '{') {
                ++i;
                openGroup();
            } else if (c == '}') {
                ++i;
                closeGroup();
            } else if (c == '\\') {
                i = control(i + 1);
            } else {
                ++i;
                if (c == '\r' || c == '\n')
                    continue;
                if (m_state.dest == Dest::ColorTable) {
                    if (c == ';')
                        endColor();
                    continue;
                }
                if (c == '\t') {
                    emitChar(QLatin1Char('\t'));
                } else if (static_cast<unsigned char>(c) >= 0x20) {
                    emitByte(static_cast<unsigned char>(c));
                }
            }
        }
        flush();
        // The last paragraph has no \par: it keeps the properties its text was written with.
        m_cursor.setBlockFormat(blockFormat(m_lastPara));
    }

private:
    void openGroup()
    {
        if (m_stack.size() >= tRtfReader::MaxDepth) {
            ++m_overflow;
            return;
        }
        m_stack.push_back(m_state);
        m_pendingSkip = 0;
    }

    void closeGroup()
    {
        if (m_overflow > 0) {
            --m_overflow;
            return;
        }
        if (m_stack.isEmpty())
            return;
        if (m_state.dest == Dest::ColorTable && m_colorOpen)
            endColor();
        m_state = m_stack.takeLast();
    }

    // Reads one control word or symbol starting after its backslash; returns where reading goes on.
    qsizetype control(qsizetype i)
    {
        const qsizetype n = m_in.size();
        if (i >= n)
            return i;
        const char c = m_in[i];
        if (!isAlpha(c)) {
            switch (c) {
            case '\\': case '{': case '}':
                if (m_state.dest == Dest::Text)
                    emitByte(static_cast<unsigned char>(c));
                return i + 1;
            case '\'': {
                int value = 0, digits = 0;
                qsizetype j = i + 1;
                while (digits < 2 && j < n && hexValue(m_in[j]) >= 0) {
                    value = value * 16 + hexValue(m_in[j]);
                    ++digits;
                    ++j;
                }
                if (digits == 2 && m_state.dest == Dest::Text)
                    emitByte(static_cast<unsigned char>(value));
                return j;
            }
            case '~':
                if (m_state.dest == Dest::Text)
                    emitChar(QChar(0x00A0));
                return i + 1;
            case '_':
                if (m_state.dest == Dest::Text)
                    emitChar(QLatin1Char('-'));
                return i + 1;
            case '*':
                m_state.dest = Dest::Skip;
                return i + 1;
            case '\r': case '\n':
                word(QByteArrayLiteral("par"), false, 0);
                return i + 1;
            default:
                return i + 1; // \- and any unknown symbol
            }
        }

        qsizetype j = i;
        while (j < n && isAlpha(m_in[j]))
            ++j;
        // Real control words are short; a longer run of letters is nobody's word and is skipped.
        const QByteArray name = j - i <= 32 ? m_in.mid(i, j - i) : QByteArray();
        bool hasParam = false;
        bool negative = false;
        qint64 param = 0;
        if (j < n && m_in[j] == '-' && j + 1 < n && isDigit(m_in[j + 1])) {
            negative = true;
            ++j;
        }
        while (j < n && isDigit(m_in[j])) {
            hasParam = true;
            if (param < 100000000)
                param = param * 10 + (m_in[j] - '0');
            ++j;
        }
        if (j < n && m_in[j] == ' ')
            ++j;
        if (!name.isEmpty())
            word(name, hasParam, int(negative ? -param : param));
        return j;
    }

    void word(const QByteArray &w, bool hasParam, int p)
    {
        GroupState &s = m_state;
        if (s.dest == Dest::Skip)
            return;
        if (s.dest == Dest::ColorTable) {
            const int v = std::clamp(p, 0, 255);
            if (w == "red") m_color.setRed(v);
            else if (w == "green") m_color.setGreen(v);
            else if (w == "blue") m_color.setBlue(v);
            else return;
            m_colorOpen = true;
            return;
        }
        if (w == "colortbl") {
            s.dest = Dest::ColorTable;
            m_colors.clear();
            m_color = QColor(0, 0, 0);
            m_colorOpen = false;
            return;
        }
        if (isSkippedDestination(w)) {
            s.dest = Dest::Skip;
            return;
        }
        const bool on = !hasParam || p != 0;
        if (w == "par") {
            flush();
            m_cursor.setBlockFormat(blockFormat(m_state.para));
            m_cursor.insertBlock();
        } else if (w == "line") {
            emitChar(QChar::LineSeparator);
        } else if (w == "tab") {
            emitChar(QLatin1Char('\t'));
        } else if (w == "pard") {
            s.para = ParaState();
        } else if (w == "plain") {
            s.chars = CharState();
        } else if (w == "b") {
            s.chars.bold = on;
        } else if (w == "i") {
            s.chars.italic = on;
        } else if (w == "ul") {
            s.chars.underline = on;
        } else if (w == "ulnone") {
            s.chars.underline = false;
        } else if (w == "fs") {
            s.chars.halfPoints = hasParam ? std::clamp(p, 8, 144) : 24;
        } else if (w == "cf") {
            s.chars.color = std::max(p, 0);
        } else if (w == "qc") {
            s.para.align = Qt::AlignHCenter;
        } else if (w == "ql" || w == "qj") {
            s.para.align = Qt::AlignLeft;
        } else if (w == "qr") {
            s.para.align = Qt::AlignRight;
        } else if (w == "li") {
            s.para.leftTwips = std::clamp(p, 0, 14400);
        } else if (w == "sb") {
            s.para.beforeTwips = std::clamp(p, 0, 1440);
        } else if (w == "sa") {
            s.para.afterTwips = std::clamp(p, 0, 1440);
        } else if (w == "uc") {
            s.ucSkip = std::clamp(p, 0, 10);
        } else if (w == "u") {
            // A signed 16-bit value; the characters after it are the fallback for older readers.
            const int code = p < 0 ? p + 65536 : p;
            if (code > 0 && code < 65536 && !QChar(char16_t(code)).isSurrogate())
                emitChar(QChar(char16_t(code)));
            m_pendingSkip = s.ucSkip;
        } else if (w == "emdash") {
            emitChar(QChar(0x2014));
        } else if (w == "endash") {
            emitChar(QChar(0x2013));
        } else if (w == "bullet") {
            emitChar(QChar(0x2022));
        } else if (w == "lquote") {
            emitChar(QChar(0x2018));
        } else if (w == "rquote") {
            emitChar(QChar(0x2019));
        } else if (w == "ldblquote") {
            emitChar(QChar(0x201C));
        } else if (w == "rdblquote") {
            emitChar(QChar(0x201D));
        }
    }

    void endColor()
    {
        // An entry without values is the "automatic" colour: the pane's own text colour.
        m_colors.append(m_colorOpen ? m_color : QColor());
        m_color = QColor(0, 0, 0);
        m_colorOpen = false;
    }

    void emitByte(unsigned char b)
    {
        if (m_pendingSkip > 0) {
            --m_pendingSkip;
            return;
        }
        emitChar(fromCp1252(b));
    }

    void emitChar(QChar ch)
    {
        if (m_state.dest != Dest::Text)
            return;
        if (m_run.isEmpty() || m_runState != m_state.chars) {
            flush();
            m_runState = m_state.chars;
        }
        m_run.append(ch);
        m_lastPara = m_state.para;
    }

    void flush()
    {
        if (m_run.isEmpty())
            return;
        QTextCharFormat f;
        f.setFontWeight(m_runState.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(m_runState.italic);
        f.setFontUnderline(m_runState.underline);
        f.setFontPointSize(m_runState.halfPoints / 2.0);
        if (m_runState.color > 0 && m_runState.color < m_colors.size() && m_colors[m_runState.color].isValid())
            f.setForeground(m_colors[m_runState.color]);
        m_cursor.insertText(m_run, f);
        m_run.clear();
    }

    static QTextBlockFormat blockFormat(const ParaState &para)
    {
        QTextBlockFormat b;
        b.setAlignment(para.align);
        // Twips to pixels at 96 dots per inch.
        b.setLeftMargin(para.leftTwips / 15.0);
        b.setTopMargin(para.beforeTwips / 15.0);
        b.setBottomMargin(para.afterTwips / 15.0);
        return b;
    }

    static bool isAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }
    static int hexValue(char c)
    {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    const QByteArray &m_in;
    QTextCursor m_cursor;
    GroupState m_state;
    QVector<GroupState> m_stack;
    int m_overflow = 0;
    int m_pendingSkip = 0;
    QVector<QColor> m_colors;
    QColor m_color;
    bool m_colorOpen = false;
    QString m_run;
    CharState m_runState;
    ParaState m_lastPara;
};

} // namespace

bool tRtfReader::Read(const QByteArray &rtf, QTextDocument &doc)
{
    doc.clear();
    const QByteArray in = rtf.left(MaxInput);
    if (!in.startsWith("{\\rtf"))
        return false;
    Reader(in, doc).run();
    return true;
}

bool tRtfReader::ReadFile(const QString &path, QTextDocument &doc)
{
    doc.clear();
    // Only a regular file: a pipe or device by that name could block or never end.
    QFile f(path);
    if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly))
        return false;
    // Sized by the file: asking for the limit would allocate all of it each time.
    const QByteArray bytes = f.read(qMin(f.size(), MaxInput));
    if (f.error() != QFileDevice::NoError)
        return false;
    return Read(bytes, doc);
}
