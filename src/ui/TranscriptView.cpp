#include "ui/TranscriptView.h"

#include <QScrollBar>

#include "view/Transcript.h"

TTranscriptView::TTranscriptView(tTranscript &transcript, QWidget *parent)
    : QPlainTextEdit(parent), m_transcript(transcript)
{
    setDocument(transcript.Document());
    setReadOnly(true);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Keep the selection visible while another control has the focus.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);
    m_follow.setSingleShot(true);
    m_follow.setInterval(FollowInterval);
    connect(&m_follow, &QTimer::timeout, this, [this] {
        if (hasFocus())
            return;
        moveCursor(QTextCursor::End);
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    });
    connect(&transcript, &tTranscript::aboutToWrite, this, &TTranscriptView::beforeWrite);
    connect(&transcript, &tTranscript::written, this, &TTranscriptView::afterWrite);
}

void TTranscriptView::beforeWrite()
{
    m_haveSaved = hasFocus();
    if (!m_haveSaved)
        return;
    // A document cursor follows removals at the top; kept in place when lines arrive at its position.
    const QTextCursor c = textCursor();
    m_saved = QTextCursor(document());
    m_saved.setPosition(c.anchor());
    m_saved.setPosition(c.position(), QTextCursor::KeepAnchor);
    m_saved.setKeepPositionOnInsert(true);
}

void TTranscriptView::afterWrite()
{
    if (m_haveSaved && hasFocus()) {
        const QTextCursor now = textCursor();
        if (now.anchor() != m_saved.anchor() || now.position() != m_saved.position()) {
            // Restoring the cursor must not scroll a user who is reading further up.
            const int scroll = verticalScrollBar()->value();
            setTextCursor(m_saved);
            verticalScrollBar()->setValue(scroll);
        }
    } else if (!m_follow.isActive()) {
        // Following the newest line lays out and paints the last page; during a flood doing that
        // at most 25 times a second is enough to look live and keeps the window responsive.
        m_follow.start();
    }
    m_haveSaved = false;
    m_saved = QTextCursor();
}
