#include "automation/GameRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "automation/WinePrefix.h"
#include "profile/ChatIni.h"
#include "view/ChatDefs.h"
#include "view/SafeFile.h"

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

// The escapes of Wine's registry files: \\ \" \n \r \t, \xHHHH (up to four hex digits) and octal.
QString unescape(const QString &s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c != QLatin1Char('\\') || i + 1 >= s.size()) {
            out.append(c);
            continue;
        }
        const QChar e = s[++i];
        switch (e.unicode()) {
        case 'n': out.append(QLatin1Char('\n')); break;
        case 'r': out.append(QLatin1Char('\r')); break;
        case 't': out.append(QLatin1Char('\t')); break;
        case 'a': out.append(QChar(7)); break;
        case 'b': out.append(QChar(8)); break;
        case 'e': out.append(QChar(27)); break;
        case 'f': out.append(QChar(12)); break;
        case 'v': out.append(QChar(11)); break;
        case 'x': {
            uint v = 0;
            int n = 0;
            while (n < 4 && i + 1 < s.size()) {
                const int d = hexDigit(s[i + 1]);
                if (d < 0)
                    break;
                v = v * 16 + uint(d);
                ++i;
                ++n;
            }
            out.append(n ? QChar(char16_t(v)) : QLatin1Char('x'));
            break;
        }
        default:
            if (e >= QLatin1Char('0') && e <= QLatin1Char('7')) {
                uint v = uint(e.unicode() - '0');
                int n = 1;
                while (n < 3 && i + 1 < s.size() && s[i + 1] >= QLatin1Char('0') && s[i + 1] <= QLatin1Char('7')) {
                    v = v * 8 + uint(s[++i].unicode() - '0');
                    ++n;
                }
                out.append(QChar(char16_t(v)));
            } else {
                out.append(e); // \\ and \" and anything unknown: the character itself
            }
        }
    }
    return out;
}

QString escape(const QString &s)
{
    QString out;
    for (QChar c : s) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('"'))
            out += QLatin1Char('\\') + QString(c);
        else if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            out += QStringLiteral("\\x%1").arg(uint(c.unicode()), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

// Reads a quoted string starting at `pos` (at the opening quote); returns the index after the
// closing quote, or -1 when it is not closed.
qsizetype readQuoted(const QString &line, qsizetype pos, QString &raw)
{
    if (pos >= line.size() || line[pos] != QLatin1Char('"'))
        return -1;
    for (qsizetype i = pos + 1; i < line.size(); ++i) {
        if (line[i] == QLatin1Char('\\')) {
            ++i;
        } else if (line[i] == QLatin1Char('"')) {
            raw = line.mid(pos + 1, i - pos - 1);
            return i + 1;
        }
    }
    return -1;
}

// The value name of a value line ("@" for the default value), and where its data begins.
bool valueName(const QString &line, QString &name, qsizetype &dataAt)
{
    if (line.startsWith(QLatin1String("@="))) {
        name = QStringLiteral("@");
        dataAt = 2;
        return true;
    }
    QString raw;
    const qsizetype end = readQuoted(line, 0, raw);
    if (end < 0 || end >= line.size() || line[end] != QLatin1Char('='))
        return false;
    name = unescape(raw);
    dataAt = end + 1;
    return true;
}

QString valueLine(const QString &name, const QString &value)
{
    const QString lead = name == QLatin1String("@") ? QStringLiteral("@") : QLatin1Char('"') + escape(name) + QLatin1Char('"');
    return lead + QStringLiteral("=\"") + escape(value) + QLatin1Char('"');
}

bool isHeader(const QString &line) { return line.startsWith(QLatin1Char('[')); }

// The key of a header line "[Software\\Foo] 1234567890".
QString headerKey(const QString &line)
{
    const qsizetype end = line.lastIndexOf(QLatin1Char(']'));
    return end > 0 ? unescape(line.mid(1, end - 1)) : QString();
}

// Keys of 32-bit programs in a 64-bit prefix.
QString redirected(const QString &key)
{
    static const QString software = QStringLiteral("Software\\");
    if (!key.startsWith(software, Qt::CaseInsensitive) || key.startsWith(QLatin1String("Software\\Wow6432Node"), Qt::CaseInsensitive))
        return QString();
    return QStringLiteral("Software\\Wow6432Node\\") + key.mid(software.size());
}

} // namespace

tWineRegistry::tWineRegistry(QString prefix) : m_file(QDir(prefix).filePath(QStringLiteral("system.reg"))) {}

QString tWineRegistry::DefaultPrefix()
{
    const QString env = qEnvironmentVariable("WINEPREFIX");
    return env.isEmpty() ? QDir::homePath() + QStringLiteral("/.wine") : env;
}

bool tWineRegistry::Exists(const QString &prefix)
{
    return QFileInfo(QDir(prefix).filePath(QStringLiteral("system.reg"))).isFile();
}

QString tWineRegistry::Busy() const
{
    return wine::ServerRunning(QFileInfo(m_file).path()) ? QStringLiteral("Wine is running") : QString();
}

bool tWineRegistry::load(QStringList &lines) const
{
    QByteArray bytes;
    if (!QFileInfo(m_file).isFile() || !records::readBounded(m_file, MaxFileSize, bytes))
        return false;
    lines = QString::fromLatin1(bytes).split(QLatin1Char('\n'));
    return true;
}

qsizetype tWineRegistry::findKey(const QStringList &lines, const QString &key) const
{
    const QString wow = redirected(key);
    qsizetype plain = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!isHeader(lines[i]))
            continue;
        const QString k = headerKey(lines[i]);
        if (!wow.isEmpty() && k.compare(wow, Qt::CaseInsensitive) == 0)
            return i;
        if (plain < 0 && k.compare(key, Qt::CaseInsensitive) == 0)
            plain = i;
    }
    return plain;
}

bool tWineRegistry::KeyExists(const QString &key) const
{
    QStringList lines;
    return load(lines) && findKey(lines, key) >= 0;
}

bool tWineRegistry::ReadString(const QString &key, const QString &name, QString &value) const
{
    QStringList lines;
    if (!load(lines))
        return false;
    const qsizetype at = findKey(lines, key);
    if (at < 0)
        return false;
    value.clear();
    for (qsizetype i = at + 1; i < lines.size() && !isHeader(lines[i]); ++i) {
        QString n;
        qsizetype dataAt = 0;
        const QString line = lines[i].trimmed();
        if (!valueName(line, n, dataAt) || n.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        QString data = line.mid(dataAt);
        // An expandable string is a string too.
        if (data.startsWith(QLatin1String("str(2):")))
            data = data.mid(7);
        QString raw;
        if (readQuoted(data, 0, raw) < 0)
            return false; // dword, hex and every other type
        value = unescape(raw);
        return true;
    }
    return true;
}

bool tWineRegistry::WriteString(const QString &key, const QString &name, const QString &value)
{
    QStringList lines;
    if (!load(lines))
        return false;
    const qsizetype at = findKey(lines, key);
    if (at < 0)
        return false;
    qsizetype end = at + 1;
    bool replaced = false;
    for (; end < lines.size() && !isHeader(lines[end]); ++end) {
        QString n;
        qsizetype dataAt = 0;
        if (!replaced && valueName(lines[end].trimmed(), n, dataAt) && n.compare(name, Qt::CaseInsensitive) == 0) {
            lines[end] = valueLine(n, value);
            replaced = true;
        }
    }
    if (!replaced) {
        // After the key's last line, before the blank lines that part it from the next key.
        qsizetype insertAt = end;
        while (insertAt > at + 1 && lines[insertAt - 1].trimmed().isEmpty())
            --insertAt;
        lines.insert(insertAt, valueLine(name, value));
    }
    return safefile::WriteFile(m_file, lines.join(QLatin1Char('\n')).toLatin1());
}

tIniRegistry::tIniRegistry(QString path) : m_path(std::move(path)) {}

namespace {
// The file's own spelling of the section, found without regard to case.
QString sectionOf(const tIniFile &ini, const QString &key)
{
    for (const QString &s : ini.Sections())
        if (s.compare(key, Qt::CaseInsensitive) == 0)
            return s;
    return QString();
}
} // namespace

bool tIniRegistry::KeyExists(const QString &key) const
{
    tIniFile ini;
    return ini.Load(m_path) && !sectionOf(ini, key).isEmpty();
}

bool tIniRegistry::ReadString(const QString &key, const QString &name, QString &value) const
{
    tIniFile ini;
    if (!ini.Load(m_path))
        return false;
    const QString section = sectionOf(ini, key);
    if (section.isEmpty())
        return false;
    value = ini.ReadString(section, name, QString());
    return true;
}

bool tIniRegistry::WriteString(const QString &key, const QString &name, const QString &value)
{
    tIniFile ini;
    if (!ini.Load(m_path))
        return false;
    const QString section = sectionOf(ini, key);
    if (section.isEmpty())
        return false;
    // A line break cannot be stored in an INI line: refused, and said so.
    return ini.WriteString(section, name, value) && ini.Save(m_path);
}

std::unique_ptr<tGameRegistry> MakeGameRegistry(const QString &programFolder)
{
    const QString prefix = tWineRegistry::DefaultPrefix();
    if (tWineRegistry::Exists(prefix))
        return std::make_unique<tWineRegistry>(prefix);
    return std::make_unique<tIniRegistry>(programFolder + QStringLiteral("Registry.ini"));
}
