#include "dialogs/CustomTool.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "profile/ToolbarFile.h"

namespace {
const QString separatorName() { return toolbar::DialogName(toolbar::Separator); }
} // namespace

void tCustomTool::Fill(const QList<qint32> &definition)
{
    Selected.clear();
    for (qint32 e : definition)
        if (e >= 0 && e < toolbar::EntryCount)
            Selected << toolbar::DialogName(e);
    Available.clear();
    for (int e = 0; e < toolbar::EntryCount; ++e) {
        const QString name = toolbar::DialogName(e);
        if (e == toolbar::Separator || !Selected.contains(name))
            Available << name;
    }
}

int tCustomTool::Add(int row)
{
    if (row < 0 || row >= Available.size())
        return -1;
    const QString name = Available[row];
    Selected << name;
    if (name == separatorName())
        return row;
    Available.removeAt(row);
    return Available.isEmpty() ? -1 : qMin(row, int(Available.size()) - 1);
}

int tCustomTool::Remove(int row)
{
    if (row < 0 || row >= Selected.size())
        return -1;
    const QString name = Selected.takeAt(row);
    if (name != separatorName())
        Available << name;
    return Selected.isEmpty() ? -1 : qMin(row, int(Selected.size()) - 1);
}

int tCustomTool::Move(int row, int step)
{
    const int to = row + step;
    if (row < 0 || row >= Selected.size() || to < 0 || to >= Selected.size())
        return row;
    Selected.swapItemsAt(row, to);
    return to;
}

void tCustomTool::Reset()
{
    Fill(toolbar::DefaultDefinition());
}

QList<qint32> tCustomTool::Definition() const
{
    QList<qint32> def;
    for (const QString &name : Selected)
        def << toolbar::EntryOfName(name);
    return def;
}

TfrmCustomTool::TfrmCustomTool(const QList<qint32> &definition, QWidget *parent) : QDialog(parent), m_rules(definition)
{
    setWindowTitle(QStringLiteral("Customize Toolbar"));
    lstButtons = new QListWidget;
    lstButtons->setObjectName(QStringLiteral("lstButtons"));
    lstSelected = new QListWidget;
    lstSelected->setObjectName(QStringLiteral("lstSelected"));
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Available Functions:")), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Selected Functions:")), 0, 2);
    grid->addWidget(lstButtons, 1, 0);
    grid->addWidget(lstSelected, 1, 2);

    const auto button = [](const QString &text) {
        auto *b = new QPushButton(text);
        b->setAutoDefault(false);
        return b;
    };
    auto *middle = new QVBoxLayout;
    auto *add = button(QStringLiteral("Add"));
    auto *remove = button(QStringLiteral("Remove"));
    auto *up = button(QStringLiteral("Move Up"));
    auto *down = button(QStringLiteral("Move Down"));
    auto *clear = button(QStringLiteral("Clear"));
    auto *reset = button(QStringLiteral("Reset"));
    auto *done = new QPushButton(QStringLiteral("&Done"));
    done->setDefault(true);
    for (QPushButton *b : {add, remove, up, down})
        middle->addWidget(b);
    middle->addSpacing(12);
    middle->addWidget(clear);
    middle->addWidget(reset);
    middle->addStretch(1);
    middle->addWidget(done);
    grid->addLayout(middle, 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);

    connect(add, &QPushButton::clicked, this, [this] {
        const int row = lstButtons->currentRow();
        const int next = m_rules.Add(row);
        refill(next, row < 0 ? lstSelected->currentRow() : int(m_rules.Selected.size()) - 1);
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        refill(lstButtons->currentRow(), m_rules.Remove(lstSelected->currentRow()));
    });
    connect(up, &QPushButton::clicked, this, [this] {
        refill(lstButtons->currentRow(), m_rules.Move(lstSelected->currentRow(), -1));
    });
    connect(down, &QPushButton::clicked, this, [this] {
        refill(lstButtons->currentRow(), m_rules.Move(lstSelected->currentRow(), 1));
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        m_rules.Clear();
        refill(-1, -1);
    });
    connect(reset, &QPushButton::clicked, this, [this] {
        m_rules.Reset();
        refill(0, -1);
    });
    // Every way out applies: Done, Enter, Esc and the close box all end here.
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    connect(lstButtons, &QListWidget::itemDoubleClicked, add, &QPushButton::click);
    connect(lstSelected, &QListWidget::itemDoubleClicked, remove, &QPushButton::click);
    refill(0, -1);
    resize(460, 380);
}

void TfrmCustomTool::refill(int availableRow, int selectedRow)
{
    lstButtons->clear();
    lstButtons->addItems(m_rules.Available);
    lstSelected->clear();
    lstSelected->addItems(m_rules.Selected);
    lstButtons->setCurrentRow(availableRow < lstButtons->count() ? availableRow : -1);
    lstSelected->setCurrentRow(selectedRow < lstSelected->count() ? selectedRow : -1);
}
