#include "dialogs/AccountForm.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "automation/AccountLookup.h"

TfrmAccount::TfrmAccount(const QStringList &names, const QStringList &numbers, const QString &preselect,
                         std::function<void()> help, QWidget *parent)
    : QDialog(parent), m_names(names), m_numbers(numbers), m_preselect(preselect), m_help(std::move(help))
{
    setWindowTitle(QStringLiteral("User Account Information"));
    btnNames = new QPushButton(QStringLiteral("Names"));
    btnNumbers = new QPushButton(QStringLiteral("Numbers"));
    auto *group = new QButtonGroup(this);
    group->setExclusive(true);
    for (QPushButton *b : {btnNames, btnNumbers}) {
        b->setCheckable(true);
        b->setAutoDefault(false);
        group->addButton(b);
    }
    btnNames->setChecked(true);
    btnHelp = new QPushButton(QStringLiteral("&Help"));
    btnHelp->setAutoDefault(false);
    btnDone = new QPushButton(QStringLiteral("&Done"));
    btnDone->setDefault(true);

    auto *grid = new QGridLayout;
    QLabel **labels[3] = {&lbl1, &lbl2, &lbl3};
    QListWidget **lists[3] = {&lst1, &lst2, &lst3};
    for (int i = 0; i < 3; ++i) {
        *labels[i] = new QLabel;
        QFont bold = (*labels[i])->font();
        bold.setBold(true);
        (*labels[i])->setFont(bold);
        (*labels[i])->setWordWrap(true);
        (*labels[i])->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        *lists[i] = new QListWidget;
        (*lists[i])->setObjectName(QStringLiteral("lst%1").arg(i + 1));
        (*lists[i])->setSortingEnabled(true);
        // One line of text each: the view lays out tens of thousands of rows without measuring each.
        (*lists[i])->setUniformItemSizes(true);
        grid->addWidget(*labels[i], 0, i);
        grid->addWidget(*lists[i], 1, i);
        grid->setColumnStretch(i, 1);
    }

    pnlStatus = new QWidget;
    auto *status = new QHBoxLayout(pnlStatus);
    status->setContentsMargins(0, 0, 0, 0);
    status->addWidget(new QLabel(QStringLiteral("Generating Lists...")));
    pbStatus = new QProgressBar;
    status->addWidget(pbStatus, 1);
    pnlStatus->hide();

    auto *top = new QHBoxLayout;
    top->addWidget(btnNames);
    top->addWidget(btnNumbers);
    top->addStretch(1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(pnlStatus, 1);
    bottom->addStretch(0);
    bottom->addWidget(btnHelp);
    bottom->addWidget(btnDone);
    auto *v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addLayout(grid, 1);
    v->addLayout(bottom);
    resize(620, 380);

    connect(btnNames, &QPushButton::clicked, this, [this] { ShowView(View::Names); });
    connect(btnNumbers, &QPushButton::clicked, this, [this] { ShowView(View::Numbers); });
    connect(btnHelp, &QPushButton::clicked, this, [this] {
        if (m_help)
            m_help();
    });
    connect(btnDone, &QPushButton::clicked, this, &QDialog::reject); // also the Esc button
    connect(lst1, &QListWidget::currentRowChanged, this, &TfrmAccount::selected1);
    connect(lst2, &QListWidget::currentRowChanged, this, &TfrmAccount::selected2);
}

TfrmAccount::~TfrmAccount()
{
    if (Filling())
        QApplication::restoreOverrideCursor();
}

void TfrmAccount::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!m_shown) {
        m_shown = true;
        btnNames->setChecked(true);
        ShowView(View::Names);
    }
}

void TfrmAccount::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        btnHelp->click();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TfrmAccount::ShowView(View view)
{
    if (m_next < 0)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    m_view = view;
    (view == View::Names ? btnNames : btnNumbers)->setChecked(true);
    const bool names = view == View::Names;
    lbl1->setText(names ? QStringLiteral("Names") : QStringLiteral("Accounts"));
    lbl2->setText(names ? QStringLiteral("Accounts with this name:") : QStringLiteral("Names with this account:"));
    lbl3->setText(names ? QStringLiteral("Other names associated with this number:")
                        : QStringLiteral("Other accounts associated with this name:"));
    lst1->clear();
    lst2->clear();
    lst3->clear();
    m_source = tAccountLookup::Distinct(names ? m_names : m_numbers);
    // Sorted once here, in the list's own order, so each slice is appended without sorting again.
    m_source.sort(Qt::CaseSensitive);
    lst1->setSortingEnabled(false);
    pbStatus->setRange(0, int((names ? m_names : m_numbers).size()));
    pbStatus->setValue(0);
    pnlStatus->show();
    m_next = 0;
    const int generation = ++m_generation;
    QTimer::singleShot(0, this, [this, generation] {
        if (generation == m_generation)
            fillSlice();
    });
}

void TfrmAccount::fillSlice()
{
    const int end = qMin(int(m_source.size()), m_next + SliceSize);
    lst1->addItems(m_source.mid(m_next, end - m_next));
    m_next = end;
    // Progress counts the source entries, duplicates included, as the list is walked.
    pbStatus->setValue(qMin(pbStatus->maximum(), pbStatus->maximum() * m_next / qMax(1, int(m_source.size()))));
    if (m_next >= m_source.size()) {
        finishFill();
        return;
    }
    const int generation = m_generation;
    QTimer::singleShot(0, this, [this, generation] {
        if (generation == m_generation)
            fillSlice();
    });
}

void TfrmAccount::finishFill()
{
    m_next = -1;
    lst1->setSortingEnabled(true);
    pnlStatus->hide();
    int row = 0;
    if (m_view == View::Names && !m_preselect.isEmpty()) {
        for (int i = 0; i < lst1->count(); ++i)
            if (lst1->item(i)->text().compare(m_preselect, Qt::CaseInsensitive) == 0) {
                row = i;
                break;
            }
    }
    if (lst1->count() > 0) {
        lst1->setCurrentRow(row);
        selected1();
    }
    QApplication::restoreOverrideCursor();
}

void TfrmAccount::selected1()
{
    lst2->clear();
    lst3->clear();
    if (Filling() || !lst1->currentItem())
        return;
    const QString key = lst1->currentItem()->text();
    lst2->addItems(m_view == View::Names ? tAccountLookup::Partners(m_names, m_numbers, key, false)
                                         : tAccountLookup::Partners(m_numbers, m_names, key, false));
}

void TfrmAccount::selected2()
{
    lst3->clear();
    if (!lst2->currentItem())
        return;
    const QString key = lst2->currentItem()->text();
    lst3->addItems(m_view == View::Names ? tAccountLookup::Partners(m_numbers, m_names, key, true)
                                         : tAccountLookup::Partners(m_names, m_numbers, key, true));
}
