#pragma once
#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;
class tAutomation;

// "Text File Settings": which file to recite and to whom; "&Execute" starts the recital.
class TfrmText : public QDialog
{
    Q_OBJECT
public:
    using PathFn = std::function<void(const QString &path)>;
    // `openFile` asks for an existing text file and answers with its path (empty when cancelled);
    // `message` shows a message box; `help` opens the help window at a topic.
    TfrmText(tAutomation &automation, std::function<void(PathFn)> openFile, std::function<void(const QString &)> message,
             std::function<void(const QString &)> help, QWidget *parent = nullptr);

    QLineEdit *edFile = nullptr;
    QLineEdit *edUser = nullptr;
    QPushButton *btnLoad = nullptr;
    QPushButton *btnExecute = nullptr;
    QPushButton *btnCancel = nullptr;
    QPushButton *btnHelp = nullptr;

private:
    void loadNew(std::function<void()> then);
    void execute();

    tAutomation &m_automation;
    std::function<void(PathFn)> m_openFile;
    std::function<void(const QString &)> m_message;
};
