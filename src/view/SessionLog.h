#pragma once
#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QString>
#include <functional>

class tChatSettings;

// The session log: one text file appended to while the profile's KeepLog is on.
class tSessionLog
{
public:
    // Shows what the user must be told ("Log File is invalid") as a message box.
    using Reporter = std::function<void(const QString &text)>;
    // Source of the time stamps (milliseconds since the epoch); tests fix it.
    using Clock = std::function<qint64()>;

    tSessionLog();
    ~tSessionLog();

    // Closes any open file, then opens LogFileName for appending when KeepLog is on and the name
    // is not empty. A new file is created readable by its owner only. On failure the reporter is
    // told and logging goes on without a file. Returns whether a file is open.
    bool Open(const tChatSettings &settings, const Reporter &reporter);
    void Close();
    bool IsOpen() const { return m_file.isOpen(); }
    QString FileName() const { return m_file.fileName(); }

    // "[" date time "] " without a line end.
    void LogTimeStamp();
    // The text and a line end, flushed at once. Write errors are ignored.
    void LogLine(const QString &text);

    // Talk, emotes and whispers received: logged whenever KeepLog is on.
    void Logged(const tChatSettings &settings, const QString &text) { write(settings, text, false); }
    // Every other event: only when LogEvents is on as well.
    void LoggedWithEvents(const tChatSettings &settings, const QString &text) { write(settings, text, true); }

    // The user's short date and long time, as the system locale writes them.
    static QString TimeStamp(const QDateTime &when, const QLocale &locale = QLocale::system());
    void SetClock(Clock clock) { m_clock = std::move(clock); }

private:
    void write(const tChatSettings &settings, const QString &text, bool event);

    QFile m_file;
    Clock m_clock;
    // The stamp changes once a second; a flood of lines reuses it instead of asking for the
    // local time (and the time zone) for every line.
    qint64 m_stampSecond = -1;
    QByteArray m_stamp;
};
