#pragma once
#include <QDialog>
#include <QPointer>

class QPushButton;
class QTextEdit;

// "QuorlChat Help": the help document in a read-only pane, shown beside the other windows and
// hidden again by "&Done" or Esc. It lives for the whole run.
class TfrmHelp : public QDialog
{
    Q_OBJECT
public:
    static const QString FileName; // "QuorlHelp.rtf"

    explicit TfrmHelp(QWidget *parent = nullptr);

    // Loads the program folder's help document; false (and an empty pane) when it cannot be read.
    bool LoadHelp(const QString &programFolder);
    // Shows the window at the topic's first whole-word occurrence after the first character,
    // selected; without one the view rests at the end of the text. True when it was found.
    // Over a modal dialog (the one that asked) the window stands above it and takes input until
    // that dialog closes.
    bool ShowTopic(const QString &topic);

    QTextEdit *reHelp = nullptr;
    QPushButton *btnDone = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void standOver(QWidget *modal);
    void standDown();
    QPointer<QWidget> m_over; // the modal dialog the window stands over
};
