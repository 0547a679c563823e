#include "dialogs/EditList.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "view/CustomList.h"

TfrmEditList::TfrmEditList(const QStringList &names, std::function<void()> moved, QWidget *parent)
    : QDialog(parent), m_names(names), m_moved(std::move(moved))
{
    setWindowTitle(QStringLiteral("Reorder List"));
    lstCustom = new QListWidget;
    lstCustom->setObjectName(QStringLiteral("lstCustom"));
    lstCustom->addItems(m_names);
    btnUp = new QPushButton(QStringLiteral("Move User Up"));
    btnDown = new QPushButton(QStringLiteral("Move User Down"));
    btnOk = new QPushButton(QStringLiteral("&Ok"));
    btnCancel = new QPushButton(QStringLiteral("&Cancel"));
    btnOk->setDefault(true);
    for (QPushButton *b : {btnUp, btnDown})
        b->setAutoDefault(false);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(btnUp);
    buttons->addWidget(btnDown);
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(lstCustom, 1);
    layout->addLayout(buttons);
    resize(320, 300);

    connect(btnUp, &QPushButton::clicked, this, [this] { MoveSelected(-1); });
    connect(btnDown, &QPushButton::clicked, this, [this] { MoveSelected(1); });
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject); // Esc too
}

void TfrmEditList::MoveSelected(int step)
{
    const int row = lstCustom->currentRow();
    if (!lstCustom->currentItem() || !lstCustom->currentItem()->isSelected() ||
        !customlist::Swap(m_names, row, step))
        return;
    QListWidgetItem *item = lstCustom->takeItem(row);
    lstCustom->insertItem(row + step, item);
    lstCustom->setCurrentRow(row + step);
    if (m_moved)
        m_moved();
}
