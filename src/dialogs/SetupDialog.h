#pragma once
#include <QDialog>
#include <array>
#include <functional>
#include <vector>

#include "dialogs/SetupModel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTreeWidget;
class TDialogPrompts;
class TDSStringListEdit;
class TPropertyGrid;

// "QuorlChat Configuration": the profile's identity, options, servers, log, owners, responses, bans,
// product actions, remote commands and timers, edited on a working copy (tSetupModel) and applied
// on "&Ok" or the close box.
class TfrmSetup : public QDialog
{
    Q_OBJECT
public:
    TfrmSetup(tProfile &profile, tSetupHost &host, TDialogPrompts &prompts, QWidget *parent = nullptr);
    ~TfrmSetup() override;

    tSetupModel &Model() { return m_model; }
    // Opens the help window on a topic; set by the window that opens the dialog.
    std::function<void(const QString &topic)> OnHelp;
    // The folder the log file picker starts in.
    QString ProgramFolder;

    QTabWidget *pages = nullptr;
    QPushButton *btnOk = nullptr, *btnCancel = nullptr, *btnHelp = nullptr;
    // General Options
    QComboBox *cmUserName = nullptr, *cmPassword = nullptr, *cmChannel = nullptr;
    QLineEdit *edUniquePass = nullptr;
    QPushButton *btnDeleteUser = nullptr, *btnDeletePassword = nullptr, *btnDeleteChannel = nullptr;
    QCheckBox *cbAllowMulti = nullptr, *cbAllEvents = nullptr;
    TPropertyGrid *pgOptions = nullptr;
    QListWidget *lstServer = nullptr;
    QPushButton *btnAddServer = nullptr, *btnDeleteServer = nullptr, *btnUp = nullptr, *btnDown = nullptr;
    // Log File/Owners
    QCheckBox *cbLog = nullptr, *cbTime = nullptr, *cbEvents = nullptr;
    QWidget *pnlLog = nullptr;
    QLineEdit *edLogFIle = nullptr;
    QPushButton *btnChange = nullptr;
    TDSStringListEdit *slOwners = nullptr, *slMembers = nullptr;
    // Responses, User Join, Banning
    QCheckBox *cbPhrases = nullptr, *cbWhispers = nullptr, *cbUserJoin = nullptr, *cbBan = nullptr, *cbNoBan = nullptr;
    TDSStringListEdit *slPhrase = nullptr, *slWhisper = nullptr, *slUserJoin = nullptr, *slBan = nullptr,
                      *slNoBan = nullptr;
    QLineEdit *edJoin = nullptr;
    // Product Actions, in stored order (cmChat, cmSCRetail, cmSCShare, ...)
    std::array<QComboBox *, ProductActionCount> cmActions{};
    // Commands
    QListWidget *lstCommand = nullptr;
    QLineEdit *edCommand = nullptr;
    QComboBox *cmCommandRes = nullptr, *cmLevel = nullptr;
    QPushButton *btnAddCommand = nullptr, *btnDeleteCommand = nullptr, *btnClearCommands = nullptr;
    QPlainTextEdit *mVariables = nullptr;
    // Timers
    QCheckBox *cbTimers = nullptr;
    QTreeWidget *lstTimers = nullptr;
    QLineEdit *edTimer = nullptr;
    QSpinBox *seInterval = nullptr;
    QPushButton *btnAddTimer = nullptr, *btnDeleteTimer = nullptr, *btnClearTimers = nullptr;

    static QString VariablesText();

public slots:
    void accept() override; // "&Ok": applies
    void reject() override; // "&Cancel" and Esc: drops the edits

protected:
    void closeEvent(QCloseEvent *e) override; // the close box applies, as "&Ok" does
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    QWidget *buildGeneral();
    QWidget *buildLog();
    QWidget *buildResponses();
    QWidget *buildUserJoin();
    QWidget *buildBanning();
    QWidget *buildActions();
    QWidget *buildCommands();
    QWidget *buildTimers();
    QComboBox *pickList(tPickList &pick);
    void fillPick(QComboBox *box, const tPickList &pick);
    void showPasswordFields();
    void showCommand(int index);
    void showTimer(int index);
    void help();

    struct PickBinding { QComboBox *box; tPickList *pick; };
    std::vector<PickBinding> m_picks;
    QLabel *m_passLabel = nullptr;
    tSetupModel m_model;
    tSetupHost &m_host;
    TDialogPrompts &m_prompts;
    bool m_filling = false;
    bool m_done = false;
};
