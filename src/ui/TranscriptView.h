#pragma once
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>

class tTranscript;

// A read-only pane showing one transcript. While the pane has the focus the user's caret and
// selection survive new lines; otherwise the pane follows the newest line.
class TTranscriptView : public QPlainTextEdit
{
    Q_OBJECT
public:
    static constexpr int FollowInterval = 40; // ms

    explicit TTranscriptView(tTranscript &transcript, QWidget *parent = nullptr);
    tTranscript &Transcript() const { return m_transcript; }

private:
    void beforeWrite();
    void afterWrite();

    tTranscript &m_transcript;
    QTextCursor m_saved;
    bool m_haveSaved = false;
    QTimer m_follow;
};
