#pragma once
#include <QDialog>
#include <QStringList>
#include <functional>

class QListWidget;
class QPushButton;

// "Reorder List": moves the entries of a copy of the custom user list up and down. Each move is
// reported at once through `moved` (the profile is then modified, even if the dialog is cancelled);
// "&Ok" accepts, and List() is what the custom list becomes.
class TfrmEditList : public QDialog
{
    Q_OBJECT
public:
    TfrmEditList(const QStringList &names, std::function<void()> moved, QWidget *parent = nullptr);
    const QStringList &List() const { return m_names; }
    // Swaps the selected entry with the one above (-1) or below (+1); it stays selected.
    void MoveSelected(int step);

    QListWidget *lstCustom;
    QPushButton *btnUp, *btnDown, *btnOk, *btnCancel;

private:
    QStringList m_names;
    std::function<void()> m_moved;
};
