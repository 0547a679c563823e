#include "dialogs/Macros.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmMacros::TfrmMacros(tProfile &profile, QWidget *parent) : QDialog(parent), m_table(profile)
{
    setWindowTitle(QStringLiteral("Macro Keys"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Macro Key:"), this));
    cmKey = new QComboBox(this);
    for (int i = 0; i < tMacroTable::SlotCount; ++i)
        cmKey->addItem(QStringLiteral("Ctrl-Alt-") + QChar('A' + i));
    layout->addWidget(cmKey);
    layout->addWidget(new QLabel(QStringLiteral("Action:"), this));
    edAction = new QLineEdit(this);
    edAction->setMaxLength(tMacroTable::MaxText);
    edAction->setMinimumWidth(420);
    layout->addWidget(edAction);
    auto *variables = new QLabel(this);
    variables->setTextFormat(Qt::PlainText);
    variables->setText(QStringLiteral("Variables:\n"
                                      "<user>  Inserts the name of the user selected in the User List or Custom List\n"
                                      "<random> Inserts a random name from the channel\n"
                                      "<server> Inserts the current server address\n"
                                      "<time> Inserts the current time\n"
                                      "<channel> Inserts the current channel\n"
                                      "<parameter> Inserts any text typed on the entry line"));
    layout->addWidget(variables);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("&Ok"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    layout->addWidget(buttons);

    edAction->setText(m_table.Text(0));
    connect(cmKey, &QComboBox::currentIndexChanged, this, [this](int slot) {
        m_table.Select(slot);
        edAction->setText(m_table.Text(slot));
    });
    // Only the user's edits mark the profile, not the texts shown on choosing a key.
    connect(edAction, &QLineEdit::textEdited, this, [this](const QString &text) { m_table.SetText(text); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        m_table.Apply();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}
