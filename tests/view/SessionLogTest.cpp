#include "TestMain.h"

#include "net/Ansi.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include "profile/ChatSettings.h"
#include "view/SessionLog.h"

namespace {
QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
} // namespace

class SessionLogTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    tChatSettings m_s;
    QStringList m_reported;
    tSessionLog::Reporter reporter()
    {
        return [this](const QString &t) { m_reported << t; };
    }

private slots:
    void init()
    {
        ResetSettings(m_s);
        m_reported.clear();
    }

    void opensForAppendOwnerOnly()
    {
        const QString path = m_dir.filePath(QStringLiteral("new.log"));
        m_s.setLogFileName(path);
        m_s.setKeepLog(true);
        tSessionLog log;
        QVERIFY(log.Open(m_s, reporter()));
        log.Logged(m_s, QStringLiteral("<Bob> hi"));
        QCOMPARE(QFileInfo(path).permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
                 QFileDevice::Permissions());
        // Reopening appends to what is there.
        QVERIFY(log.Open(m_s, reporter()));
        log.Logged(m_s, QStringLiteral("<Bob> again"));
        QCOMPARE(contents(path), QByteArray("<Bob> hi\r\n<Bob> again\r\n"));
        QVERIFY(m_reported.isEmpty());
    }

    void noFileWithoutKeepLogOrName()
    {
        tSessionLog log;
        m_s.setLogFileName(m_dir.filePath(QStringLiteral("off.log")));
        QVERIFY(!log.Open(m_s, reporter()));
        QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("off.log"))));
        m_s.setKeepLog(true);
        m_s.setLogFileName(QString());
        QVERIFY(!log.Open(m_s, reporter()));
        QVERIFY(m_reported.isEmpty());
    }

    void anInvalidFileIsReported()
    {
        m_s.setKeepLog(true);
        m_s.setLogFileName(m_dir.path()); // a folder
        tSessionLog log;
        QVERIFY(!log.Open(m_s, reporter()));
        QCOMPARE(m_reported, QStringList{QStringLiteral("Log File is invalid")});
        QVERIFY(!log.IsOpen());
        log.Logged(m_s, QStringLiteral("goes nowhere")); // silently
        m_s.setLogFileName(m_dir.filePath(QStringLiteral("no/such/folder/x.log")));
        QVERIFY(!log.Open(m_s, reporter()));
        QCOMPARE(m_reported.size(), 2);
    }

    void eventsOnlyWithLogEventsAndStampsWithLogTime()
    {
        const QString path = m_dir.filePath(QStringLiteral("rules.log"));
        m_s.setLogFileName(path);
        m_s.setKeepLog(true);
        tSessionLog log;
        qint64 now = QDateTime(QDate(2024, 3, 9), QTime(7, 5, 3)).toMSecsSinceEpoch() + 999;
        log.SetClock([&now] { return now; });
        QVERIFY(log.Open(m_s, reporter()));
        log.Logged(m_s, QStringLiteral("talk"));
        log.LoggedWithEvents(m_s, QStringLiteral("[User Join] Bob"));
        m_s.setLogEvents(true);
        log.LoggedWithEvents(m_s, QStringLiteral("[User Join] Ann"));
        m_s.setLogTime(true);
        log.Logged(m_s, QStringLiteral("stamped"));
        now += 1; // the next second
        log.Logged(m_s, QStringLiteral("a second later"));
        m_s.setKeepLog(false);
        log.Logged(m_s, QStringLiteral("not while KeepLog is off"));
        const auto stamp = [](int second) {
            return ansi::toBytes(tSessionLog::TimeStamp(QDateTime(QDate(2024, 3, 9), QTime(7, 5, second))));
        };
        QCOMPARE(contents(path), "talk\r\n[User Join] Ann\r\n" + stamp(3) + "stamped\r\n" + stamp(4) + "a second later\r\n");
        // The user's short date and long time: each reads the form of their own locale.
        const QDateTime eve(QDate(1999, 12, 31), QTime(23, 59, 58));
        QVERIFY(tSessionLog::TimeStamp(eve, QLocale(QLocale::German, QLocale::Germany)).startsWith(QStringLiteral("[31.12.99 23:59:58")));
        QVERIFY(tSessionLog::TimeStamp(eve, QLocale(QLocale::English, QLocale::UnitedStates)).startsWith(QStringLiteral("[12/31/99 11:59:58 PM")));
        QVERIFY(tSessionLog::TimeStamp(eve).endsWith(QStringLiteral("] ")));
    }

    void bytesRoundTrip()
    {
        const QString path = m_dir.filePath(QStringLiteral("bytes.log"));
        m_s.setLogFileName(path);
        m_s.setKeepLog(true);
        tSessionLog log;
        QVERIFY(log.Open(m_s, reporter()));
        log.Logged(m_s, QString::fromLatin1("\xe9\xff"));
        QCOMPARE(contents(path), QByteArray("\xe9\xff\r\n"));
    }
};
QC_TEST(SessionLogTest)
#include "SessionLogTest.moc"
