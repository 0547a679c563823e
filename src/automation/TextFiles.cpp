#include "automation/Automation.h"

#include "net/Ansi.h"
#include "profile/Profile.h"
#include "view/ChatDefs.h"

namespace {
// Larger than any text file worth reciting into a channel.
constexpr qint64 MaxTextFileSize = 16 * 1024 * 1024;
} // namespace

bool ReadRecitalLines(const QString &path, QStringList &lines)
{
    QByteArray bytes;
    if (!records::readBounded(path, MaxTextFileSize, bytes))
        return false;
    lines = ansi::fromBytes(bytes).split(QLatin1Char('\n'));
    for (QString &l : lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return true;
}

bool tAutomation::LoadTextFile(const QString &path)
{
    m_text.ReciteLine = 0;
    if (ReadRecitalLines(path, m_text.TextLines)) {
        m_text.TextFileName = path;
        return true;
    }
    m_text.TextFileName.clear();
    m_text.TextLines.clear();
    return false;
}

bool tAutomation::StartRecital()
{
    if (m_text.TextFileName.isEmpty()) {
        m_text.Reciting = false;
        m_text.ReciteLine = 0;
        return false;
    }
    // The next line stays where a stopped recital left it.
    m_text.Reciting = true;
    m_host.WriteLine(QLatin1String("Executing text file: ") + m_text.TextFileName, InfoColor);
    return true;
}

void tAutomation::StopRecital()
{
    m_text.Reciting = false;
    m_host.WriteLine(QLatin1String("Text file: ") + m_text.TextFileName + QLatin1String(" stopped."), InfoColor);
}

void tAutomation::ReciteStep()
{
    tTextFile &t = m_text;
    if (!t.Reciting)
        return;
    if (++t.ReciteTicks < m_host.Profile().Settings.ReciteDelay())
        return;
    t.ReciteTicks = 0;
    if (t.ReciteLine >= t.TextLines.size()) {
        t.Reciting = false;
        t.ReciteLine = 0;
        m_host.WriteLine(QLatin1String("Text file: ") + t.TextFileName + QLatin1String(" done."), InfoColor);
        return;
    }
    QString line = t.TextLines[t.ReciteLine];
    if (StartsWithFolded(line, QStringLiteral("/repeat"))) {
        t.ReciteLine = 0;
        return;
    }
    if (!t.TextTarget.isEmpty())
        line = QLatin1String("/w ") + t.TextTarget + QLatin1Char(' ') + line;
    if (StartsWithFolded(line, QStringLiteral("/char "))) {
        // One raw character, its low eight bits, without a carriage return.
        const int code = ReadDecimal(line.mid(6), 0);
        m_host.SendLine(QString(QChar(char16_t(code & 0xFF))), TBnetChat::OwnAutomatic);
    } else {
        send(line, TBnetChat::OwnAutomatic);
    }
    if (!line.startsWith(QLatin1Char('/')))
        m_host.WriteOwnLine(line.isEmpty() ? QStringLiteral(" ") : line);
    ++t.ReciteLine;
}
