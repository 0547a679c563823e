#include "TestMain.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>

#include "ui/TranscriptView.h"
#include "view/Transcript.h"

class TranscriptViewTest : public QObject
{
    Q_OBJECT
    static void write(tTranscript &t, int from, int count)
    {
        for (int i = from; i < from + count; ++i)
            t.WriteLine(QStringLiteral("line %1").arg(i), QColor(Qt::white));
    }

private slots:
    void caretRule()
    {
        tTranscript t(QStringLiteral("reChat"));
        QWidget top;
        auto *layout = new QVBoxLayout(&top);
        auto *view = new TTranscriptView(t);
        auto *other = new QLineEdit;
        layout->addWidget(view);
        layout->addWidget(other);
        top.resize(300, 200);
        top.show();
        QVERIFY(QTest::qWaitForWindowActive(&top));
        QVERIFY(view->isReadOnly());

        // Without the focus the pane follows the newest line.
        other->setFocus();
        write(t, 0, 200);
        // The lines land, and the scroll range grows, when the turn's batch closes.
        QTRY_VERIFY(view->verticalScrollBar()->maximum() > 0);
        QTRY_COMPARE(view->verticalScrollBar()->value(), view->verticalScrollBar()->maximum());
        QVERIFY(view->textCursor().atEnd());
        QVERIFY(!view->textCursor().hasSelection());

        // With the focus the user's selection survives, even one that reaches the last line.
        view->setFocus();
        QTRY_VERIFY(view->hasFocus());
        for (int end : {t.Document()->findBlockByNumber(20).position() + 7, t.Document()->characterCount() - 1}) {
            QTextCursor c(t.Document());
            c.setPosition(t.Document()->findBlockByNumber(10).position());
            c.setPosition(end, QTextCursor::KeepAnchor);
            view->setTextCursor(c);
            const QString selected = view->textCursor().selectedText();
            const int scroll = view->verticalScrollBar()->value();
            write(t, 1000, 30);
            t.Flush();
            QCOMPARE(view->textCursor().selectedText(), selected);
            QCOMPARE(view->verticalScrollBar()->value(), scroll);
            QVERIFY(!view->textCursor().atEnd());
        }

        // Losing the focus again: the next line takes the caret along.
        other->setFocus();
        QTRY_VERIFY(!view->hasFocus());
        write(t, 2000, 1);
        t.Flush();
        QTRY_VERIFY(view->textCursor().atEnd());
        QVERIFY(!view->textCursor().hasSelection());
    }
};
QC_TEST(TranscriptViewTest)
#include "TranscriptViewTest.moc"
