#pragma once
#include <QDialog>

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
    bool ShowTopic(const QString &topic);

    QTextEdit *reHelp = nullptr;
    QPushButton *btnDone = nullptr;
};
