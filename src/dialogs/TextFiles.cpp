#include "dialogs/TextFiles.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "automation/Automation.h"

TfrmText::TfrmText(tAutomation &automation, std::function<void(PathFn)> openFile,
                   std::function<void(const QString &)> message, std::function<void(const QString &)> help, QWidget *parent)
    : QDialog(parent), m_automation(automation), m_openFile(std::move(openFile)), m_message(std::move(message))
{
    setWindowTitle(QStringLiteral("Text File Settings"));
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Current Text File:"), this), 0, 0, 1, 2);
    edFile = new QLineEdit(this);
    edFile->setReadOnly(true);
    edFile->setMinimumWidth(360);
    grid->addWidget(edFile, 1, 0);
    btnLoad = new QPushButton(QStringLiteral("&Load New"), this);
    grid->addWidget(btnLoad, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("User to Send to (leave blank to read in channel):"), this), 2, 0, 1, 2);
    edUser = new QLineEdit(this);
    grid->addWidget(edUser, 3, 0);
    auto *row = new QHBoxLayout;
    btnExecute = new QPushButton(QStringLiteral("&Execute"), this);
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnHelp = new QPushButton(QStringLiteral("Help"), this);
    btnExecute->setDefault(true);
    btnLoad->setAutoDefault(false);
    btnCancel->setAutoDefault(false);
    btnHelp->setAutoDefault(false);
    row->addStretch();
    for (QPushButton *b : {btnExecute, btnCancel, btnHelp})
        row->addWidget(b);
    grid->addLayout(row, 4, 0, 1, 2);

    // The name is shown, not typed: the user field takes the keys.
    edUser->setFocus();
    tTextFile &t = m_automation.TextFile();
    edFile->setText(t.TextFileName);
    edUser->setText(t.TextTarget);
    // Kept at once, whether or not the recital is started.
    connect(edUser, &QLineEdit::textChanged, this, [this](const QString &text) { m_automation.TextFile().TextTarget = text; });
    connect(btnLoad, &QPushButton::clicked, this, [this] { loadNew(nullptr); });
    connect(btnExecute, &QPushButton::clicked, this, &TfrmText::execute);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnHelp, &QPushButton::clicked, this, [help] {
        if (help)
            help(QStringLiteral("Text Files  "));
    });
}

void TfrmText::loadNew(std::function<void()> then)
{
    QPointer<TfrmText> self(this);
    m_openFile([self, then](const QString &path) {
        if (!self)
            return;
        if (!path.isEmpty()) {
            if (!self->m_automation.LoadTextFile(path) && self->m_message)
                self->m_message(QStringLiteral("Could not open text file"));
            self->edFile->setText(self->m_automation.TextFile().TextFileName);
        }
        if (then)
            then();
    });
}

void TfrmText::execute()
{
    const auto start = [this] {
        if (m_automation.StartRecital())
            accept();
    };
    if (m_automation.TextFile().TextFileName.isEmpty())
        loadNew(start);
    else
        start();
}
