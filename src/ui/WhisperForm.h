#pragma once
#include <QWidget>
#include <functional>

#include "view/Transcript.h"

class QMenu;
class QPushButton;
class TPrompts;
class TTabEdit;
class TTranscriptView;

// A private chat window with one user: its own transcript of the whispers exchanged and an entry line
// that whispers to the user. The server's echo of a sent whisper is what shows it here.
class TfrmWhisper : public QWidget
{
    Q_OBJECT
public:
    using SendFn = std::function<void(const QString &line)>;
    // A top-level window without a parent, so that it has a task bar entry of its own; whoever opens
    // it destroys it. Its questions and file dialog open over it; `prompts` replaces them (tests).
    TfrmWhisper(const QString &user, SendFn send, const QString &saveFolder, TPrompts *prompts = nullptr);

    const QString &User() const { return m_user; }
    tTranscript &Transcript() { return m_text; }
    // Pane background, entry background and entry text colour; the pane's lines in `font`.
    void ApplyColors(const QColor &paneBackground, const QColor &entryBackground, const QColor &entryColor);
    // The colour of the refusal written into the pane when a line is too long to send.
    QColor ErrorColor = Qt::red;
    void ApplyFont(const QFont &font);
    // "/msg " user " " text, sent even when the text is empty; the text goes to the history.
    void Send();

    TTranscriptView *scWhisper;
    TTabEdit *edWEnter;
    QPushButton *btnSend;
    QMenu *mnuWhisper;

protected:
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void focusEntry();
    void save();

    QString m_user;
    SendFn m_send;
    TPrompts *m_prompts;
    QString m_saveFolder;
    tTranscript m_text;
    bool m_resizable = true;
    QSize m_savedSize;
};
