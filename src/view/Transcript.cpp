#include "view/Transcript.h"

#include <QMetaObject>
#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>

#include "net/Ansi.h"
#include "view/SafeFile.h"

tTranscript::tTranscript(const QString &name, int capacity, QObject *parent)
    : QObject(parent), m_name(name), m_doc(new QTextDocument(this)), m_capacity(capacity < 1 ? 1 : capacity)
{
    m_doc->setDocumentLayout(new QPlainTextDocumentLayout(m_doc));
    // No undo: a transcript is never edited back, and the undo stack would grow with every line.
    m_doc->setUndoRedoEnabled(false);
    m_cursor = QTextCursor(m_doc);
}

tTranscript::~tTranscript()
{
    if (m_inBatch)
        m_cursor.endEditBlock();
}

int tTranscript::LineCount() const
{
    return m_empty ? 0 : m_doc->blockCount();
}

void tTranscript::SetFont(const QFont &font)
{
    m_font = font;
    m_doc->setDefaultFont(font);
    for (QColor &c : m_formatColors)
        c = QColor();
}

const QTextCharFormat &tTranscript::formatFor(int part, const QColor &color)
{
    if (!m_formatColors[part].isValid() || m_formatColors[part] != color) {
        QTextCharFormat f;
        f.setFont(m_font);
        f.setForeground(color);
        m_formats[part] = f;
        m_formatColors[part] = color;
    }
    return m_formats[part];
}

void tTranscript::beginBatch()
{
    if (m_inBatch)
        return;
    emit aboutToWrite();
    m_inBatch = true;
    m_batchLines = 0;
    m_cursor.beginEditBlock();
    QMetaObject::invokeMethod(this, &tTranscript::Flush, Qt::QueuedConnection);
}

void tTranscript::WriteLine(const QString &lead, const QString &body, const QString &tail,
                            const QColor &leadColor, const QColor &bodyColor, const QColor &tailColor)
{
    beginBatch();
    // Only this object writes, so the cursor is already at the end; moving it there anyway would
    // lay out (shape) the previous line on every write, most of the cost of a flood.
    if (!m_cursor.atEnd())
        m_cursor.movePosition(QTextCursor::End);
    if (!m_empty)
        m_cursor.insertBlock();
    m_empty = false;
    if (!lead.isEmpty())
        m_cursor.insertText(lead, formatFor(0, leadColor));
    if (!body.isEmpty())
        m_cursor.insertText(body, formatFor(1, bodyColor));
    if (!tail.isEmpty())
        m_cursor.insertText(tail, formatFor(2, tailColor));
    // Trimming happens when the edit closes; a batch as long as the pane is closed early so a flood
    // within one turn cannot hold more than the capacity in memory.
    if (++m_batchLines >= m_capacity)
        Flush();
}

void tTranscript::Flush()
{
    if (!m_inBatch)
        return;
    m_inBatch = false;
    m_cursor.endEditBlock();
    dropOldest();
    emit written();
}

// The document's own block limit selects the excess block by block, laying out (shaping) every line
// it is about to delete; one selection by position, in an edit of its own, lays out none.
void tTranscript::dropOldest()
{
    const int excess = m_doc->blockCount() - m_capacity;
    if (excess <= 0)
        return;
    QTextCursor c(m_doc);
    c.beginEditBlock();
    c.setPosition(m_doc->findBlockByNumber(excess).position(), QTextCursor::KeepAnchor);
    // The new first line keeps its own character format, not the removed first line's.
    const QTextCharFormat kept = c.blockCharFormat();
    c.removeSelectedText();
    c.setBlockCharFormat(kept);
    c.endEditBlock();
}

void tTranscript::Clear()
{
    Flush();
    m_doc->clear();
    m_cursor = QTextCursor(m_doc);
    m_empty = true;
}

QString tTranscript::PlainText() const
{
    if (m_empty)
        return QString();
    return m_doc->toPlainText();
}

bool tTranscript::SaveToFile(const QString &path) const
{
    QByteArray out;
    for (QTextBlock b = m_doc->begin(); !m_empty && b.isValid(); b = b.next()) {
        out += ansi::toBytes(b.text());
        out += "\r\n";
    }
    return safefile::WriteFile(path, out);
}
