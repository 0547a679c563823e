#include "profile/ChatIni.h"

#include "net/Ansi.h"
#include "view/ChatDefs.h"
#include "view/SafeFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <climits>

namespace {

// Hand-edited files sometimes quote a value; the quotes are not part of it.
QString unquote(const QString &v)
{
    if (v.size() >= 2 && v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"')))
        return v.mid(1, v.size() - 2);
    return v;
}

// A value the reader would change (blanks at either end are trimmed, one pair of quotes is
// dropped) is written in quotes, so it reads back as written; any other value is written as is.
QString storedValue(const QString &value)
{
    const bool quoted = value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"'));
    return quoted || value.trimmed() != value ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

const QString kLastFile = QStringLiteral("Last File");
const QString kBatch = QStringLiteral("Batch File");
const QString kBatchUser = QStringLiteral("Batch User");
const QString kScreen = QStringLiteral("Screen");
const QString kWindows = QStringLiteral("Windows");
const QString kResponse = QStringLiteral("Response");
} // namespace

bool tIniFile::Load(const QString &path)
{
    m_lines.clear();
    QByteArray bytes;
    if (!records::readBounded(path, MaxFileSize, bytes))
        return false;
    Parse(bytes);
    return true;
}

bool tIniFile::LoadForUpdate(const QString &path)
{
    return Load(path) || !QFileInfo::exists(path);
}

bool tIniFile::Save(const QString &path) const
{
    return safefile::WriteFile(path, Serialize());
}

void tIniFile::Parse(const QByteArray &bytes)
{
    m_lines.clear();
    const QString text = QFile::decodeName(bytes);
    QString section;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        QString raw = text.mid(start, end - start);
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        start = end + 1;

        Line line;
        line.text = raw;
        const QString t = raw.trimmed();
        if (t.startsWith(QLatin1Char('[')) && t.indexOf(QLatin1Char(']')) > 0) {
            section = t.mid(1, t.indexOf(QLatin1Char(']')) - 1).trimmed();
            line.header = true;
        } else if (!t.startsWith(QLatin1Char(';')) && !t.startsWith(QLatin1Char('#'))) {
            const qsizetype eq = t.indexOf(QLatin1Char('='));
            if (eq > 0) {
                line.key = t.left(eq).trimmed();
                line.value = t.mid(eq + 1).trimmed();
            }
        }
        line.section = section;
        m_lines.push_back(std::move(line));
    }
}

QByteArray tIniFile::Serialize() const
{
    QByteArray out;
    for (const Line &l : m_lines) {
        out += QFile::encodeName(l.text);
        out += "\r\n";
    }
    return out;
}

int tIniFile::findKey(const QString &section, const QString &key) const
{
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line &l = m_lines[i];
        if (!l.key.isEmpty() && ansi::sameFoldedAZ(l.key, key) && ansi::sameFoldedAZ(l.section, section))
            return int(i);
    }
    return -1;
}

int tIniFile::sectionEnd(const QString &section) const
{
    int last = -1;
    bool inside = false;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line &l = m_lines[i];
        if (l.header) {
            if (inside)
                break; // new keys go into the first block of a section that appears twice
            inside = ansi::sameFoldedAZ(l.section, section);
            if (inside)
                last = int(i);
        } else if (inside && !l.text.trimmed().isEmpty()) {
            last = int(i);
        }
    }
    return last < 0 ? -1 : last + 1;
}

bool tIniFile::Contains(const QString &section, const QString &key) const
{
    return findKey(section, key) >= 0;
}

QString tIniFile::ReadString(const QString &section, const QString &key, const QString &def) const
{
    const int i = findKey(section, key);
    return i < 0 ? def : unquote(m_lines[size_t(i)].value);
}

int tIniFile::ReadInteger(const QString &section, const QString &key, int def) const
{
    const int i = findKey(section, key);
    if (i < 0)
        return def;
    const QString v = unquote(m_lines[size_t(i)].value);
    qsizetype p = 0;
    bool negative = false;
    if (p < v.size() && (v[p] == QLatin1Char('-') || v[p] == QLatin1Char('+')))
        negative = v[p++] == QLatin1Char('-');
    long long n = 0;
    bool any = false;
    while (p < v.size() && v[p] >= QLatin1Char('0') && v[p] <= QLatin1Char('9')) {
        any = true;
        if (n <= INT_MAX)
            n = n * 10 + (v[p].unicode() - '0');
        ++p;
    }
    if (!any)
        return def;
    if (negative)
        n = -n;
    if (n > INT_MAX)
        return INT_MAX;
    if (n < INT_MIN)
        return INT_MIN;
    return int(n);
}

bool tIniFile::ReadBool(const QString &section, const QString &key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool tIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    for (const QString *text : {&section, &key, &value})
        if (text->contains(QLatin1Char('\r')) || text->contains(QLatin1Char('\n')))
            return false;
    const QString stored = storedValue(value);
    Line line;
    line.section = section;
    line.key = key;
    line.value = stored;
    line.text = key + QLatin1Char('=') + stored;

    const int i = findKey(section, key);
    if (i >= 0) {
        line.key = m_lines[size_t(i)].key; // keep the user's spelling of the key
        line.section = m_lines[size_t(i)].section;
        line.text = line.key + QLatin1Char('=') + stored;
        m_lines[size_t(i)] = std::move(line);
        return true;
    }
    const int end = sectionEnd(section);
    if (end >= 0) {
        line.section = m_lines[size_t(end - 1)].section;
        m_lines.insert(m_lines.begin() + end, std::move(line));
        return true;
    }
    if (!m_lines.empty() && !m_lines.back().text.trimmed().isEmpty()) {
        Line blank;
        blank.section = m_lines.back().section;
        m_lines.push_back(blank);
    }
    Line header;
    header.header = true;
    header.section = section;
    header.text = QLatin1Char('[') + section + QLatin1Char(']');
    m_lines.push_back(std::move(header));
    m_lines.push_back(std::move(line));
    return true;
}

void tIniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    WriteString(section, key, QString::number(value));
}

void tIniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QStringList tIniFile::Sections() const
{
    QStringList out;
    for (const Line &l : m_lines)
        if (l.header)
            out << l.section;
    return out;
}

void ReadLastFile(const tIniFile &ini, tChatIni &out)
{
    out.LastFile = ini.ReadString(kLastFile, kLastFile, QStringLiteral("None"));
    if (out.LastFile.isEmpty())
        out.LastFile = QStringLiteral("None");
}

void ReadBatchFile(const tIniFile &ini, tChatIni &out)
{
    out.BatchFile = ini.ReadString(kBatch, kBatch, QString());
    out.BatchUser = ini.ReadString(kBatch, kBatchUser, QString());
}

void ReadLayoutKeys(const tIniFile &ini, tChatIni &out)
{
    const tChatIni d;
    out.Top = ini.ReadInteger(kScreen, QStringLiteral("Top"), d.Top);
    out.Left = ini.ReadInteger(kScreen, QStringLiteral("Left"), d.Left);
    out.Maximized = ini.ReadBool(kScreen, QStringLiteral("Maximized"), d.Maximized);
    out.Width = ini.ReadInteger(kScreen, QStringLiteral("Width"), d.Width);
    out.Height = ini.ReadInteger(kScreen, QStringLiteral("Height"), d.Height);
    out.UserWidth = ini.ReadInteger(kScreen, QStringLiteral("New User Width"), d.UserWidth);
    out.CustomHeight = ini.ReadInteger(kScreen, QStringLiteral("New Custom Height"), d.CustomHeight);
    out.WhisperHeight = ini.ReadInteger(kScreen, QStringLiteral("New Whisper Height"), d.WhisperHeight);
    out.IgnorePrefix = ini.ReadString(kResponse, QStringLiteral("Ignore"), QString());
    out.CustomList = ini.ReadBool(kWindows, QStringLiteral("Custom List"), d.CustomList);
    out.UserList = ini.ReadBool(kWindows, QStringLiteral("User List"), d.UserList);
    out.Whisper = ini.ReadBool(kWindows, QStringLiteral("Whisper"), d.Whisper);
    out.TextLabels = ini.ReadBool(kWindows, QStringLiteral("Text Labels"), d.TextLabels);
}

tChatIni ReadChatIni(const tIniFile &ini)
{
    tChatIni out;
    ReadLastFile(ini, out);
    ReadBatchFile(ini, out);
    ReadLayoutKeys(ini, out);
    return out;
}

void WriteLastFile(tIniFile &ini, const QString &currentProfile)
{
    if (currentProfile != QLatin1String("None"))
        ini.WriteString(kLastFile, kLastFile, currentProfile);
}

void WriteBatchFile(tIniFile &ini, const tChatIni &in)
{
    ini.WriteString(kBatch, kBatch, in.BatchFile);
    ini.WriteString(kBatch, kBatchUser, in.BatchUser);
}

void WriteLayoutKeys(tIniFile &ini, const tChatIni &in)
{
    ini.WriteInteger(kScreen, QStringLiteral("Width"), in.Width);
    ini.WriteInteger(kScreen, QStringLiteral("Height"), in.Height);
    ini.WriteInteger(kScreen, QStringLiteral("Top"), in.Top);
    ini.WriteInteger(kScreen, QStringLiteral("Left"), in.Left);
    ini.WriteBool(kScreen, QStringLiteral("Maximized"), in.Maximized);
    ini.WriteInteger(kScreen, QStringLiteral("New User Width"), in.UserWidth);
    ini.WriteInteger(kScreen, QStringLiteral("New Custom Height"), in.CustomHeight);
    ini.WriteInteger(kScreen, QStringLiteral("New Whisper Height"), in.WhisperHeight);
    ini.WriteBool(kWindows, QStringLiteral("Custom List"), in.CustomList);
    ini.WriteBool(kWindows, QStringLiteral("User List"), in.UserList);
    ini.WriteBool(kWindows, QStringLiteral("Whisper"), in.Whisper);
    ini.WriteBool(kWindows, QStringLiteral("Text Labels"), in.TextLabels);
}

QString ProgramFolder()
{
    QString dir;
    if (QCoreApplication::instance())
        dir = QCoreApplication::applicationDirPath();
    else
        dir = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}
