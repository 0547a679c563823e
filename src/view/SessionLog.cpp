#include "view/SessionLog.h"

#include "net/Ansi.h"
#include "profile/ChatSettings.h"

tSessionLog::tSessionLog() : m_clock([] { return QDateTime::currentMSecsSinceEpoch(); }) {}

tSessionLog::~tSessionLog()
{
    Close();
}

bool tSessionLog::Open(const tChatSettings &settings, const Reporter &reporter)
{
    Close();
    const QString name = settings.LogFileName();
    if (!settings.KeepLog() || name.isEmpty())
        return false;
    m_file.setFileName(name);
    // The permissions apply only when the file is created: the log holds private whispers.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append,
                     QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        Close();
        if (reporter)
            reporter(QStringLiteral("Log File is invalid"));
        return false;
    }
    return true;
}

void tSessionLog::Close()
{
    if (m_file.isOpen())
        m_file.close();
}

QString tSessionLog::TimeStamp(const QDateTime &when, const QLocale &locale)
{
    QString stamp = locale.toString(when, locale.dateFormat(QLocale::ShortFormat) + QLatin1Char(' ')
                                              + locale.timeFormat(QLocale::LongFormat));
    // Some locales put no-break spaces into times; the log is single-byte text.
    stamp.replace(QChar(0x202F), QLatin1Char(' ')).replace(QChar(QChar::Nbsp), QLatin1Char(' '));
    return QLatin1Char('[') + stamp + QLatin1String("] ");
}

void tSessionLog::LogTimeStamp()
{
    if (!m_file.isOpen())
        return;
    const qint64 ms = m_clock();
    const qint64 second = ms >= 0 ? ms / 1000 : (ms - 999) / 1000;
    if (second != m_stampSecond) {
        m_stampSecond = second;
        m_stamp = ansi::toBytes(TimeStamp(QDateTime::fromMSecsSinceEpoch(second * 1000)));
    }
    m_file.write(m_stamp);
}

void tSessionLog::LogLine(const QString &text)
{
    if (!m_file.isOpen())
        return;
    m_file.write(ansi::toBytes(text) + "\r\n");
    m_file.flush();
}

void tSessionLog::write(const tChatSettings &settings, const QString &text, bool event)
{
    if (!m_file.isOpen() || !settings.KeepLog() || (event && !settings.LogEvents()))
        return;
    if (settings.LogTime())
        LogTimeStamp();
    LogLine(text);
}
