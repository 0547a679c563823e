#pragma once
#include <QDialog>
#include <QList>
#include <QStringList>

class QListWidget;

// The rules of "Customize Toolbar": two lists of dialog names, each function standing in exactly
// one of them while the separator always stays available.
class tCustomTool
{
public:
    explicit tCustomTool(const QList<qint32> &definition) { Fill(definition); }

    // Entries outside the catalogue are left out.
    void Fill(const QList<qint32> &definition);
    // Each returns the row to select afterwards in the list it changed (-1: none).
    int Add(int availableRow);
    int Remove(int selectedRow);
    int Move(int selectedRow, int step);
    void Clear() { Fill({}); }
    void Reset();
    QList<qint32> Definition() const;

    QStringList Available, Selected;
};

class TfrmCustomTool : public QDialog
{
    Q_OBJECT
public:
    TfrmCustomTool(const QList<qint32> &definition, QWidget *parent = nullptr);
    // The selected list as it stands; every way of closing applies it.
    QList<qint32> Definition() const { return m_rules.Definition(); }
    tCustomTool &Rules() { return m_rules; }

    QListWidget *lstButtons, *lstSelected;

private:
    void refill(int availableRow, int selectedRow);
    tCustomTool m_rules;
};
