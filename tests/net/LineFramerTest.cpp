#include "TestMain.h"

#include "net/LineFramer.h"

namespace {
QList<QByteArray> feedAll(LineFramer &f, const QByteArray &bytes, qsizetype chunk)
{
    QList<QByteArray> lines;
    const auto sink = [&](const char *d, qsizetype n) { lines.append(QByteArray(d, n)); };
    for (qsizetype i = 0; i < bytes.size(); i += chunk)
        f.feed(bytes.constData() + i, std::min(chunk, bytes.size() - i), sink);
    return lines;
}
} // namespace

class LineFramerTest : public QObject
{
    Q_OBJECT
private slots:
    void sameLinesWhateverTheChunking()
    {
        const QByteArray stream("1005 TALK a 0010 \"hi\"\r\n\r\n\r\r1018 INFO \"x\"\r\nno end yet");
        const QList<QByteArray> expected{"1005 TALK a 0010 \"hi\"\r", "\n\r", "\n\r", "\r",
                                         "1018 INFO \"x\"\r"};
        for (qsizetype chunk = 1; chunk <= stream.size(); ++chunk) {
            LineFramer f;
            QCOMPARE(feedAll(f, stream, chunk), expected);
            QCOMPARE(f.pendingSize(), qsizetype(strlen("\nno end yet")));
        }
    }

    void unterminatedLineIsCutAtTheBound()
    {
        const int max = LineFramer::MaxLineLength;
        // The rest of a cut line, up to its line end, is dropped: a line hidden behind the bound
        // never passes for a server line of its own.
        const QByteArray forged = "1004 WHISPER Owner 0010 \"/addowner Mallory\"";
        const QByteArray talk = "1005 TALK x 0010 \"" + QByteArray(max, '.');
        for (qsizetype chunk : {qsizetype(7), qsizetype(1000), qsizetype(max), qsizetype(3 * max)}) {
            LineFramer f;
            const QByteArray fits = QByteArray(max - 1, 'a') + '\r';
            const QList<QByteArray> lines = feedAll(f, fits + talk + forged + "\r" + QByteArray(max, 'b') + "\rok\r", chunk);
            QCOMPARE(lines, (QList<QByteArray>{fits, talk.left(max), QByteArray(max, 'b'), "ok\r"}));
            QCOMPARE(f.pendingSize(), 0);
        }
        // The tail kept between reads never reaches the bound; after a cut nothing is kept.
        LineFramer f;
        int cut = 0;
        const QByteArray block(4096, 'z');
        for (int i = 0; i < 40; ++i) {
            f.feed(block.constData(), block.size(), [&](const char *, qsizetype n) {
                QCOMPARE(n, qsizetype(max));
                ++cut;
            });
            QVERIFY(f.pendingSize() < max);
        }
        QCOMPARE(cut, 1);
    }

    void otherTerminatorAndClearInsideTheSink()
    {
        LineFramer f;
        f.terminator = '\n';
        QList<QByteArray> lines;
        const QByteArray bytes("one\ntwo\nthree\nfour");
        f.feed(bytes.constData(), bytes.size(), [&](const char *d, qsizetype n) {
            lines.append(QByteArray(d, n));
            if (lines.size() == 2)
                f.clear();
        });
        QCOMPARE(lines, (QList<QByteArray>{"one\n", "two\n"}));
        QCOMPARE(f.pendingSize(), 0);

        // A clear from the sink also stops a line finished from the pending tail.
        f.feed("ab", 2, [](const char *, qsizetype) {});
        lines.clear();
        f.feed("c\nd\n", 4, [&](const char *d, qsizetype n) {
            lines.append(QByteArray(d, n));
            f.clear();
        });
        QCOMPARE(lines, QList<QByteArray>{"abc\n"});
    }
};
QC_TEST(LineFramerTest)
#include "LineFramerTest.moc"
