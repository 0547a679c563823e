#pragma once
#include <QDialog>

#include "automation/Macros.h"

class QComboBox;
class QLineEdit;

// "Macro Keys": one text per Ctrl+Alt letter, written to the profile on "&Ok".
class TfrmMacros : public QDialog
{
    Q_OBJECT
public:
    TfrmMacros(tProfile &profile, QWidget *parent = nullptr);

    QComboBox *cmKey = nullptr;
    QLineEdit *edAction = nullptr;

private:
    tMacroTable m_table;
};
