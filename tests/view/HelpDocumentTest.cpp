#include "TestMain.h"

#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextDocument>

#include "view/HelpSearch.h"
#include "view/RtfReader.h"

class HelpDocumentTest : public QObject
{
    Q_OBJECT

    static QString read(const QByteArray &rtf)
    {
        QTextDocument doc;
        tRtfReader::Read(rtf, doc);
        return doc.toPlainText();
    }

private slots:
    void readsTheSubset_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("paragraphs") << QByteArray("{\\rtf1 one\\par two\\par}") << QStringLiteral("one\ntwo\n");
        QTest::newRow("escapes") << QByteArray("{\\rtf1 a\\\\b\\{c\\}d}") << QStringLiteral("a\\b{c}d");
        QTest::newRow("code page bytes") << QByteArray("{\\rtf1 caf\\'e9 \\'93q\\'94 \\'80}")
                                         << QStringLiteral("caf\u00e9 \u201cq\u201d \u20ac");
        QTest::newRow("unicode with fallback") << QByteArray("{\\rtf1\\uc1 x\\u8364?y}") << QStringLiteral("x\u20acy");
        QTest::newRow("tables and hidden groups skipped")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}{\\*\\generator X;}Hi}")
            << QStringLiteral("Hi");
        QTest::newRow("control word delimiter space eaten") << QByteArray("{\\rtf1\\b bold\\b0  plain}")
                                                            << QStringLiteral("bold plain");
        QTest::newRow("unknown words ignored") << QByteArray("{\\rtf1\\zork12 a\\-b\\~c}")
                                               << QStringLiteral("ab c"); // a no-break space reads as a blank
        QTest::newRow("not rich text") << QByteArray("hello") << QString();
    }
    void readsTheSubset()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QCOMPARE(read(rtf), text);
    }

    void formatsFollowGroups()
    {
        QTextDocument doc;
        QVERIFY(tRtfReader::Read("{\\rtf1{\\colortbl ;\\red200\\green0\\blue0;}\\fs20 a{\\b\\i\\fs32\\cf1 B}c\\par\\pard\\qc d}", doc));
        QCOMPARE(doc.toPlainText(), QStringLiteral("aBc\nd"));
        QTextCursor cur(&doc);
        cur.setPosition(2); // after "aB": the format of "B"
        QCOMPARE(cur.charFormat().fontWeight(), int(QFont::Bold));
        QVERIFY(cur.charFormat().fontItalic());
        QCOMPARE(cur.charFormat().fontPointSize(), 16.0);
        QCOMPARE(cur.charFormat().foreground().color(), QColor(200, 0, 0));
        cur.setPosition(3);
        QCOMPARE(cur.charFormat().fontWeight(), int(QFont::Normal));
        QCOMPARE(cur.charFormat().fontPointSize(), 10.0);
        QCOMPARE(doc.lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    }

    // Whatever the bytes, the reader ends, stays in bounds and produces no more text than it read.
    void hostileInput()
    {
        QList<QByteArray> inputs = {
            "{\\rtf", "{\\rtf1\\", "{\\rtf1\\'", "{\\rtf1\\'4", "{\\rtf1\\u-", "{\\rtf1\\u99999999999999999999 x",
            "{\\rtf1}}}}}}}}", "{\\rtf1\\fs-2147483648 x\\fs99999999999 y", "{\\rtf1\\uc2147483647\\u65 abc",
            "{\\rtf1{\\colortbl\\red999;\\green-5;}\\cf2147483647 z", "{\\rtf1\\u55357 \\u-10179 x",
        };
        inputs << QByteArray("{\\rtf1") + QByteArray(200000, '{') + "deep" + QByteArray(200000, '}');
        inputs << QByteArray("{\\rtf1\\") + QByteArray(100000, 'a') + " tail";
        QRandomGenerator rnd(12345);
        const char alphabet[] = "{}\\'*abuf0123456789- ;\r\n\x80\xff";
        for (int n = 0; n < 200; ++n) {
            QByteArray b("{\\rtf1");
            const int len = int(rnd.bounded(2000));
            for (int i = 0; i < len; ++i)
                b += n % 2 ? char(rnd.bounded(256)) : alphabet[rnd.bounded(int(sizeof alphabet) - 1)];
            inputs << b;
        }
        for (const QByteArray &in : inputs) {
            QTextDocument doc;
            QVERIFY(tRtfReader::Read(in, doc));
            QVERIFY(doc.characterCount() <= in.size() + 1);
        }
        QCOMPARE(read(inputs[11]), QStringLiteral("deep"));
        QCOMPARE(read(inputs[12]), QStringLiteral("tail"));
    }

    void topicSearch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("topic");
        QTest::addColumn<int>("found");
        QTest::newRow("whole word, any case") << "x Banning tab y" << "banning TAB" << 2;
        QTest::newRow("inside a longer word") << "x Timetable Tab" << "table" << -1;
        QTest::newRow("prefix of a longer word") << "x Tabs" << "Tab" << -1;
        QTest::newRow("later whole occurrence") << "Tables, then Table." << "Table" << 13;
        QTest::newRow("first character skipped") << "Tab and Tab" << "Tab" << 8;
        QTest::newRow("trailing blank is part of it") << "a Files\nb Files  c" << "Files  " << 10;
        QTest::newRow("slash inside topic") << "See Log File/Owners Tab." << "Log File/Owners Tab" << 4;
        QTest::newRow("empty topic") << "abc" << "" << -1;
    }
    void topicSearch()
    {
        QFETCH(QString, text);
        QFETCH(QString, topic);
        QFETCH(int, found);
        QCOMPARE(int(FindHelpTopic(text, topic)), found);
    }

    // Every topic the windows ask for stands in our own help file, first as the start of a heading.
    void helpFileHoldsEveryTopic()
    {
        const QString file = qEnvironmentVariable("QC_SOURCE_DIR", QStringLiteral(".")) + QStringLiteral("/data/QuorlHelp.rtf");
        QTextDocument doc;
        QVERIFY2(tRtfReader::ReadFile(file, doc), qPrintable(file));
        const QString text = doc.toPlainText();
        QVERIFY(text.size() > 10000);
        const QStringList topics = {
            "The Main Chat Screen", "General Options Tab ", "Log File/Owners Tab", "Responses Tab", "User Join Tab",
            "Banning Tab", "Product Action Tab", "User Defined Commands", "Timers Tab", "Chat Configuration",
            "User Information Screen  ", "join channel screen", "User Account Screen", "Text Files  ",
        };
        for (const QString &topic : topics) {
            const qsizetype at = FindHelpTopic(text, topic);
            QVERIFY2(at > 0, qPrintable(topic));
            const QTextBlock block = doc.findBlock(int(at));
            QVERIFY2(block.position() == at, qPrintable(topic));
            QCOMPARE(QTextCursor(block).charFormat().fontWeight(), int(QFont::Bold));
        }
    }
};

QC_TEST(HelpDocumentTest)
#include "HelpDocumentTest.moc"
