#pragma once
#include <QColor>
#include <QFont>
#include <QObject>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>

class QTextDocument;

// The content of one transcript pane: coloured lines of three parts in a plain-text-layout document.
// The pane holds at most Capacity() lines; past it the oldest lines are dropped, so a client left in a
// busy channel for days keeps a bounded transcript. Lines written during one event-loop turn are put
// in one edit, which makes a burst of lines several times cheaper than one edit per line.
class tTranscript : public QObject
{
    Q_OBJECT
public:
    // 20,000 lines: a few hours of a busy channel, a few megabytes of memory.
    static constexpr int DefaultCapacity = 20000;

    explicit tTranscript(const QString &name, int capacity = DefaultCapacity, QObject *parent = nullptr);
    ~tTranscript() override;

    const QString &Name() const { return m_name; }
    QTextDocument *Document() const { return m_doc; }
    int Capacity() const { return m_capacity; }
    // Lines now held (an empty pane holds none).
    int LineCount() const;

    // Font given to each new line (the profile's ChatFont for the chat pane, WhisperFont for others).
    void SetFont(const QFont &font);
    const QFont &Font() const { return m_font; }

    // Appends lead + body + tail as one new last line, each part in its own colour.
    void WriteLine(const QString &lead, const QString &body, const QString &tail,
                   const QColor &leadColor, const QColor &bodyColor, const QColor &tailColor);
    void WriteLine(const QString &lead, const QColor &color) { WriteLine(lead, {}, {}, color, color, color); }

    // Closes the pending edit now (otherwise it closes on the next event-loop turn).
    void Flush();
    void Clear();
    // The lines as plain text, one per line, for "Save To File".
    QString PlainText() const;
    // Writes PlainText() with CR LF line ends; false when the file cannot be written.
    bool SaveToFile(const QString &path) const;

signals:
    // A batch of writes is about to start (the first write of an event-loop turn).
    void aboutToWrite();
    // The batch is in the document and laid out; views follow the newest line now.
    void written();

private:
    void beginBatch();
    void dropOldest();
    const QTextCharFormat &formatFor(int part, const QColor &color);

    QString m_name;
    QTextDocument *m_doc = nullptr;
    int m_capacity;
    QFont m_font;
    bool m_empty = true;
    bool m_inBatch = false;
    int m_batchLines = 0;
    QTextCursor m_cursor;
    // Last format per part: talk lines repeat the same two or three colours.
    QTextCharFormat m_formats[3];
    QColor m_formatColors[3];
};
