#pragma once
#include <QDialog>
#include <functional>

#include "dialogs/UserInfoModel.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;
class TColorSwatch;
class TDialogPrompts;

// "User Information": one custom user record at a time, written through at once. Lives for the
// whole run and is shown without blocking the main window.
class TfrmUserInfo : public QDialog
{
    Q_OBJECT
public:
    TfrmUserInfo(tProfile &profile, TDialogPrompts &prompts, QWidget *parent = nullptr);
    ~TfrmUserInfo() override;

    tUserInfoModel &Model() { return m_model; }
    void SetPrompts(TDialogPrompts &prompts) { m_prompts = &prompts; }
    // Opens the help window on a topic; set by the main window.
    std::function<void(const QString &topic)> OnHelp;
    // The folder the sound pickers start in.
    QString ProgramFolder;

    // Shows the dialog, refills it and selects the named record (the first when there is none).
    void ShowUserInfo(const QString &name);
    // "&New": empties the pick list, makes the first record current and hides the dialog.
    void ProfileCleared();
    // A profile was loaded: the records shown are gone.
    void ProfileLoaded();

    QComboBox *cmUser = nullptr;
    QPushButton *btnAdd = nullptr, *btnDelete = nullptr, *btnClear = nullptr;
    QPlainTextEdit *mNotes = nullptr;
    QLineEdit *edJoinSound = nullptr, *edLeaveSound = nullptr;
    QPushButton *btnBrowseJoin = nullptr, *btnNoJoin = nullptr, *btnBrowseLeave = nullptr, *btnNoLeave = nullptr;
    QComboBox *edGreeting = nullptr;
    TColorSwatch *pnlNameColor = nullptr, *pnlTextColor = nullptr, *pnlWhisperColor = nullptr;
    QPushButton *btnClose = nullptr, *btnHelp = nullptr;

protected:
    void changeEvent(QEvent *e) override;

private:
    void selectRecord(int index);
    void showRecord();
    void enablePanels(bool on);
    void fillNames();
    void add();
    void remove();
    void clear();
    void pickSound(bool join);
    void pickColor(tUserInfoModel::ColorKind kind, TColorSwatch *swatch);

    tUserInfoModel m_model;
    TDialogPrompts *m_prompts;
    QWidget *m_panels = nullptr;
    bool m_filling = false;
};
