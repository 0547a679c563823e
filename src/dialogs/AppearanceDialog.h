#pragma once
#include <QDialog>
#include <array>
#include <functional>

#include "dialogs/AppearanceModel.h"

class QComboBox;
class QPushButton;
class TColorSwatch;
class TDialogPrompts;
class TSamplePane;

// "Appearance": the colour items with their swatch, the five miniatures in the live colours and
// the three fonts; every change is written to the profile and applied to the main window at once.
class TfrmAppearance : public QDialog
{
    Q_OBJECT
public:
    TfrmAppearance(tProfile &profile, TDialogPrompts &prompts, std::function<void()> applyAppearance,
                   QWidget *parent = nullptr);

    tAppearanceModel &Model() { return m_model; }
    // Runs when the dialog closes ("&Done" or Esc): the main window repaints its user lists.
    std::function<void()> OnClose;

    QComboBox *cmColor = nullptr;
    TColorSwatch *pnlColor = nullptr;
    QPushButton *btnChange = nullptr, *btnDone = nullptr;
    TSamplePane *pnlSample = nullptr, *pnlWhisper = nullptr, *pnlEntry = nullptr, *pnlUser = nullptr, *pnlDef = nullptr;
    std::array<QPushButton *, 3> btnFont{}; // chat, whisper, user list

    void done(int result) override;

private:
    void selectItem(int item);
    void changeColor();
    void changeFont(tAppearanceModel::FontTarget target);
    void repaintSamples();

    tAppearanceModel m_model;
    TDialogPrompts &m_prompts;
    bool m_closed = false;
};
