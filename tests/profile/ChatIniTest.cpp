#include "TestMain.h"

#include "profile/ChatIni.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {
QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

class ChatIniTest : public QObject
{
    Q_OBJECT
private slots:
    void missingFileGivesFirstStartDefaults()
    {
        QTemporaryDir dir;
        tIniFile ini;
        QVERIFY(!ini.Load(dir.filePath(QStringLiteral("Chat.ini"))));
        const tChatIni c = ReadChatIni(ini);
        QCOMPARE(c.LastFile, QStringLiteral("None"));
        QCOMPARE(c.BatchFile, QString());
        QCOMPARE(c.BatchUser, QString());
        QCOMPARE(c.Top, 50);
        QCOMPARE(c.Left, 50);
        QCOMPARE(c.Maximized, false);
        QCOMPARE(c.Width, 800);
        QCOMPARE(c.Height, 600);
        QCOMPARE(c.UserWidth, 162);
        QCOMPARE(c.CustomHeight, 132);
        QCOMPARE(c.WhisperHeight, 132);
        QVERIFY(c.CustomList && c.UserList && c.Whisper);
        QVERIFY(!c.TextLabels);
        QCOMPARE(c.IgnorePrefix, QString());
    }

    void writesStandardIniWithBlanksInKeysAndCrLf()
    {
        tIniFile ini;
        tChatIni c;
        c.BatchFile = QStringLiteral("/home/u/my text.txt");
        c.BatchUser = QStringLiteral("Bob");
        c.Width = 1024;
        c.Maximized = true;
        c.TextLabels = true;
        WriteLastFile(ini, QStringLiteral("/home/u/Main Profile.ch5"));
        WriteBatchFile(ini, c);
        WriteLayoutKeys(ini, c);
        const QByteArray bytes = ini.Serialize();
        QVERIFY(bytes.startsWith("[Last File]\r\nLast File=/home/u/Main Profile.ch5\r\n"));
        QVERIFY(bytes.contains("\r\n[Batch File]\r\nBatch File=/home/u/my text.txt\r\nBatch User=Bob\r\n"));
        QVERIFY(bytes.contains("New User Width=162\r\n"));
        QVERIFY(bytes.contains("Maximized=1\r\n"));
        QVERIFY(bytes.contains("[Windows]\r\nCustom List=1\r\nUser List=1\r\nWhisper=1\r\nText Labels=1\r\n"));
        QVERIFY(!bytes.contains("%20"));
        QVERIFY(!bytes.contains("\n\n"));
        QVERIFY(!bytes.contains("[Response]")); // the ignore prefix is never written

        tIniFile back;
        back.Parse(bytes);
        const tChatIni r = ReadChatIni(back);
        QCOMPARE(r.LastFile, QStringLiteral("/home/u/Main Profile.ch5"));
        QCOMPARE(r.BatchFile, c.BatchFile);
        QCOMPARE(r.BatchUser, c.BatchUser);
        QCOMPARE(r.Width, 1024);
        QCOMPARE(r.Maximized, true);
        QCOMPARE(r.TextLabels, true);
        QCOMPARE(r.Height, 600);
    }

    void rewriteKeepsHandWrittenLines()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Chat.ini"));
        writeAll(path, "; my notes\r\n"
                       "[screen]\r\n"
                       "  width = 640 \r\n"
                       "Colour=blue\r\n"
                       "\r\n"
                       "[Response]\r\n"
                       "Ignore=!bot\r\n"
                       "[Extra]\n"
                       "k=v=w\n");
        tIniFile ini;
        QVERIFY(ini.Load(path));
        tChatIni c = ReadChatIni(ini);
        QCOMPARE(c.Width, 640);
        QCOMPARE(c.IgnorePrefix, QStringLiteral("!bot"));
        QCOMPARE(ini.ReadString(QStringLiteral("extra"), QStringLiteral("K"), QString()), QStringLiteral("v=w"));

        c.Width = 900;
        WriteLayoutKeys(ini, c);
        WriteLastFile(ini, QStringLiteral("None"));
        QVERIFY(ini.Save(path));

        const QByteArray bytes = readAll(path);
        QVERIFY(bytes.startsWith("; my notes\r\n[screen]\r\nwidth=900\r\nColour=blue\r\nHeight=600\r\n"));
        QVERIFY(bytes.contains("[Response]\r\nIgnore=!bot\r\n"));
        QVERIFY(bytes.contains("[Extra]\r\nk=v=w\r\n"));
        QVERIFY(!bytes.contains("[Last File]")); // "None" is never written
        QCOMPARE(bytes.count("[screen]") + bytes.count("[Screen]"), 1);
        QCOMPARE(ReadChatIni(ini).IgnorePrefix, QStringLiteral("!bot"));
    }

    void valueForms()
    {
        tIniFile ini;
        ini.Parse("[Screen]\nTop=-20\nLeft=abc\nWidth=12px\nHeight=99999999999999\n"
                  "Maximized=2\n[Windows]\nUser List=0\nWhisper=\nCustom List=yes\n"
                  "[Last File]\nLast File=\n[Batch File]\nBatch File=\"/tmp/a b.txt\"\n");
        const tChatIni c = ReadChatIni(ini);
        QCOMPARE(c.Top, -20);
        QCOMPARE(c.Left, 50); // no digits: the default
        QCOMPARE(c.Width, 12);
        QCOMPARE(c.Height, INT_MAX);
        QCOMPARE(c.Maximized, true);
        QCOMPARE(c.UserList, false);
        QCOMPARE(c.Whisper, true);
        QCOMPARE(c.CustomList, true);
        QCOMPARE(c.LastFile, QStringLiteral("None")); // empty counts as none
        QCOMPARE(c.BatchFile, QStringLiteral("/tmp/a b.txt"));
    }

    void pathsKeepTheirBytesAndNoValueAddsALine()
    {
        // A profile under a folder named in any script is found again.
        const QString path = QStringLiteral("/home/\u0430\u043d\u044f/\u2019\u20ac chat/main.ch5");
        tIniFile ini;
        QVERIFY(ini.WriteString(QStringLiteral("Last File"), QStringLiteral("Last File"), path));
        const QByteArray bytes = ini.Serialize();
        QVERIFY(bytes.contains("Last File=" + QFile::encodeName(path) + "\r\n"));
        tIniFile back;
        back.Parse(bytes);
        QCOMPARE(back.ReadString(QStringLiteral("Last File"), QStringLiteral("Last File"), QString()), path);

        // A line break would start a line (or a section) of its own: refused, the file keeps its text.
        for (const char *value : {"Bob\r\n[Response]\r\nIgnore=!", "a\nb", "c\r"})
            QVERIFY(!back.WriteString(QStringLiteral("Batch File"), QStringLiteral("Batch User"), QLatin1String(value)));
        QVERIFY(!back.WriteString(QStringLiteral("Last File"), QStringLiteral("Last File"), QStringLiteral("x\ny")));
        QCOMPARE(back.Serialize(), bytes);
    }

    void valuesTheReaderWouldChangeAreQuoted()
    {
        // Blanks at either end (a no-break space among them) and quotes around a value were lost on
        // the way back; plain values stay unquoted, so files stay as they were.
        const QStringList values = {QString::fromLatin1("\xa0/tmp/a b.txt"), QStringLiteral(" lead"), QStringLiteral("trail\t"),
                                    QStringLiteral("\"quoted\""), QStringLiteral("\""), QStringLiteral("plain \"inner\" text")};
        tIniFile ini;
        for (int i = 0; i < values.size(); ++i)
            ini.WriteString(QStringLiteral("Batch File"), QString::number(i), values[i]);
        tIniFile back;
        back.Parse(ini.Serialize());
        for (int i = 0; i < values.size(); ++i)
            QCOMPARE(back.ReadString(QStringLiteral("Batch File"), QString::number(i), QString()), values[i]);
        QVERIFY(ini.Serialize().contains("\r\n5=plain \"inner\" text\r\n"));
    }

    void hostileFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Chat.ini"));
        // A megabyte-long line and stray bytes are read without trouble.
        QByteArray big = "[Response]\nIgnore=" + QByteArray(1 << 20, 'x') + "\n[\n]\n=";
        big += '\0';
        big += "\xff\n[Screen]\nTop=7";
        writeAll(path, big);
        tIniFile ini;
        QVERIFY(ini.Load(path));
        QCOMPARE(ReadChatIni(ini).IgnorePrefix.size(), 1 << 20);
        QCOMPARE(ReadChatIni(ini).Top, 7);

        // Beyond the size cap the file is not read at all.
        writeAll(path, "[Screen]\nTop=7\n" + QByteArray(int(tIniFile::MaxFileSize), ';'));
        QVERIFY(!ini.Load(path));
        QCOMPARE(ReadChatIni(ini).Top, 50);
    }

    void saveIsAllOrNothing()
    {
        QTemporaryDir dir;
        tIniFile ini;
        ini.WriteInteger(QStringLiteral("Screen"), QStringLiteral("Top"), 1);
        QVERIFY(!ini.Save(dir.filePath(QStringLiteral("missing/Chat.ini"))));
        const QString path = dir.filePath(QStringLiteral("Chat.ini"));
        writeAll(path, "[Screen]\r\nTop=5\r\n");
        QVERIFY(ini.Save(path));
        QCOMPARE(readAll(path), QByteArray("[Screen]\r\nTop=1\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Chat.ini")});
    }

    void duplicateSectionTakesNewKeysInItsFirstBlock()
    {
        tIniFile ini;
        ini.Parse("[Screen]\nTop=1\n\n[Other]\nx=1\n[Screen]\nTop=2\n");
        QCOMPARE(ini.ReadInteger(QStringLiteral("Screen"), QStringLiteral("Top"), 0), 1);
        ini.WriteInteger(QStringLiteral("Screen"), QStringLiteral("Left"), 3);
        QCOMPARE(ini.Serialize(), QByteArray("[Screen]\r\nTop=1\r\nLeft=3\r\n\r\n[Other]\r\nx=1\r\n[Screen]\r\nTop=2\r\n"));
    }

    void programFolderIsTheExecutablesFolder()
    {
        const QString f = ProgramFolder();
        QVERIFY(f.endsWith(QLatin1Char('/')));
        QCOMPARE(QDir(f).canonicalPath(), QDir(QCoreApplication::applicationDirPath()).canonicalPath());
    }
};

QC_TEST(ChatIniTest)
#include "ChatIniTest.moc"
