#include "TestMain.h"
#include "ViewTestSupport.h"

#include <QSignalSpy>
#include <QTemporaryDir>

using namespace viewtest;

class TranscriptTest : public QObject
{
    Q_OBJECT
private slots:
    void partsKeepTheirColours()
    {
        tTranscript t(QStringLiteral("reChat"));
        t.WriteLine(QStringLiteral("<Bob> "), QStringLiteral("hello"), QStringLiteral(" (tail)"), Qt::yellow, Qt::white, Qt::red);
        // An empty lead leaves the whole line in the body colour; a colour for an empty part does nothing.
        t.WriteLine(QString(), QStringLiteral("only body"), QString(), Qt::red, Qt::green, Qt::blue);
        t.WriteLine(QStringLiteral("one colour"), QColor(Qt::cyan));
        QCOMPARE(lines(t), QStringList({"[#ffff00]<Bob> [#ffffff]hello[#ff0000] (tail)", "[#00ff00]only body",
                                        "[#00ffff]one colour"}));
        QCOMPARE(t.LineCount(), 3);
        QCOMPARE(t.PlainText(), QStringLiteral("<Bob> hello (tail)\nonly body\none colour"));
    }

    void linesOfOneTurnAreOneEdit()
    {
        tTranscript t(QStringLiteral("reChat"));
        QSignalSpy changes(t.Document(), &QTextDocument::contentsChange);
        QSignalSpy started(&t, &tTranscript::aboutToWrite);
        QSignalSpy written(&t, &tTranscript::written);
        for (int i = 0; i < 300; ++i)
            t.WriteLine(QStringLiteral("line %1").arg(i), QColor(Qt::white));
        QCOMPARE(started.count(), 1);
        QCOMPARE(written.count(), 0);
        QTRY_COMPARE(written.count(), 1);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(t.LineCount(), 300);
        // The next turn starts a new edit.
        t.WriteLine(QStringLiteral("later"), QColor(Qt::white));
        QCOMPARE(started.count(), 2);
        QTRY_COMPARE(written.count(), 2);
    }

    void oldestLinesGoPastTheCapacity()
    {
        QVERIFY(tTranscript::DefaultCapacity >= 10000);
        QCOMPARE(tTranscript(QStringLiteral("x")).Capacity(), tTranscript::DefaultCapacity);

        tTranscript t(QStringLiteral("reChat"), 50);
        for (int turn = 0; turn < 3; ++turn) {
            for (int i = 0; i < 40; ++i)
                t.WriteLine(QStringLiteral("line %1").arg(turn * 40 + i), QColor(Qt::white));
            t.Flush();
        }
        QCOMPARE(t.LineCount(), 50);
        QCOMPARE(t.Document()->firstBlock().text(), QStringLiteral("line 70"));
        QCOMPARE(t.Document()->lastBlock().text(), QStringLiteral("line 119"));
    }

    void aFloodWithinOneTurnStaysBounded()
    {
        tTranscript t(QStringLiteral("reChat"), 100);
        QSignalSpy written(&t, &tTranscript::written);
        for (int i = 0; i < 1000; ++i) {
            t.WriteLine(QStringLiteral("line %1").arg(i), QColor(Qt::white));
            QVERIFY2(t.Document()->blockCount() <= 200, "a long batch is trimmed before the turn ends");
        }
        t.Flush();
        QCOMPARE(t.LineCount(), 100);
        QCOMPARE(t.Document()->lastBlock().text(), QStringLiteral("line 999"));
        QVERIFY(written.count() >= 10);
    }

    void fontAndClearAndSave()
    {
        tTranscript t(QStringLiteral("reWhisper"));
        QFont f(QStringLiteral("Courier"));
        f.setPointSize(14);
        f.setBold(true);
        t.SetFont(f);
        t.WriteLine(QStringLiteral("a"), QStringLiteral("b"), QString(), Qt::red, Qt::blue, Qt::green);
        t.WriteLine(QStringLiteral("second"), QColor(Qt::red));
        t.Flush();
        const QTextCharFormat fmt = t.Document()->firstBlock().begin().fragment().charFormat();
        QCOMPARE(fmt.font().family(), QStringLiteral("Courier"));
        QCOMPARE(fmt.font().pointSize(), 14);
        QVERIFY(fmt.font().bold());

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("chat.txt"));
        QVERIFY(t.SaveToFile(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("ab\r\nsecond\r\n"));
        QVERIFY(!t.SaveToFile(dir.path())); // a folder cannot be written

        t.Clear();
        QCOMPARE(t.LineCount(), 0);
        QCOMPARE(t.PlainText(), QString());
        t.WriteLine(QStringLiteral("after clear"), QColor(Qt::red));
        QCOMPARE(t.LineCount(), 1);
        QCOMPARE(t.PlainText(), QStringLiteral("after clear"));
    }
};
QC_TEST(TranscriptTest)
#include "TranscriptTest.moc"
