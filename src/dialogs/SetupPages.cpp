#include "dialogs/SetupDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dialogs/DialogPrompts.h"
#include "dialogs/EditorGuards.h"
#include "dialogs/StringListEdit.h"

namespace {
QLabel *note(const QString &text)
{
    auto *l = new QLabel(text);
    l->setWordWrap(true);
    return l;
}

QString reminder(const char *what)
{
    return QStringLiteral("Remember to make sure the \"Master Event Switch\" is on in the General Options of you want "
                          "QuorlChat to %1.  This switch can be used to turn all functions on and off quickly.")
        .arg(QLatin1String(what));
}

QCheckBox *checkBox(const QString &caption, bool &value)
{
    auto *cb = new QCheckBox(caption);
    cb->setChecked(value);
    // These switches do not mark the profile; "&Ok" applies them.
    QObject::connect(cb, &QCheckBox::toggled, cb, [&value](bool on) { value = on; });
    return cb;
}

TDSStringListEdit *responseEditor(const QString &list, const QString &edit, tParallelLists &lists,
                                  const QStringList &suggestions)
{
    auto *sl = new TDSStringListEdit(list, edit, true);
    sl->SetSuggestions(suggestions);
    sl->Bind(&lists);
    return sl;
}

// The product action pick lists in page order, with their labels.
struct ActionRow { int action; const char *label; };
const ActionRow ActionRows[ProductActionCount] = {
    {StarAction, "Starcraft Retail:"}, {StarShareAction, "Starcraft Shareware:"}, {DiabloAction, "Diablo Retail:"},
    {DiabloShareAction, "Diablo Shareware:"}, {ChatAction, "Chat Client/Bot:"}, {BroodwarAction, "Brood War:"},
    {War2bneAction, "Warcraft BNE:"}, {Diablo2Action, "Diablo 2:"}};
} // namespace

QString TfrmSetup::VariablesText()
{
    return QStringLiteral("<user> \t\tThe user who ISSUED a command\n"
                          "<random>\tA random user from the channel\n"
                          "<server>\tThe server which QuorlChat is using\n"
                          "<channel>\tThe current channel\n"
                          "<time>\t\tLocal time on the QuorlChat computer\n"
                          "<parameter>\tAll text appearing after a command\n"
                          "    example: \n"
                          "    Command: /squelch\n"
                          "    Response: /squelch <parameter>\n"
                          "    If a user enters the command \"/squelch Quorl\", the word\n"
                          "    \"Quorl\" will be inserted for <parameter>, and the resulting\n"
                          "    response would be \"/squelch Quorl\"");
}

QWidget *TfrmSetup::buildResponses()
{
    auto *page = new QWidget;
    cbPhrases = checkBox(QStringLiteral("Respond to phrases"), m_model.RespondPhrases);
    slPhrase = responseEditor(QStringLiteral("Phrase to Respond to:"), QStringLiteral("Edit Phrase:"), m_model.Phrases,
                              tSetupModel::ResponseSuggestions());
    cbWhispers = checkBox(QStringLiteral("Respond to Whispers"), m_model.RespondWhispers);
    slWhisper = responseEditor(QStringLiteral("Whisper to Respond to:"), QStringLiteral("Edit Whisper:"),
                               m_model.Whispers, tSetupModel::ResponseSuggestions());
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(note(reminder("respond to any phrases or whispers")));
    layout->addWidget(cbPhrases);
    layout->addWidget(slPhrase, 1);
    layout->addWidget(cbWhispers);
    layout->addWidget(slWhisper, 1);
    return page;
}

QWidget *TfrmSetup::buildUserJoin()
{
    auto *page = new QWidget;
    edJoin = new QLineEdit(m_model.JoinResponse);
    edJoin->setMaxLength(tChatSettings::StringCapacity);
    KeepStorable(edJoin);
    connect(edJoin, &QLineEdit::textEdited, this, [this](const QString &t) { m_model.JoinResponse = t; });
    auto *joinLabel = new QLabel(QStringLiteral("Response to ALL Users Joining the Channel:"));
    joinLabel->setBuddy(edJoin);
    cbUserJoin = checkBox(QStringLiteral("Respond to Users Joining the Channel"), m_model.RespondJoins);
    slUserJoin = responseEditor(QStringLiteral("User Name:"), QStringLiteral("Edit User Name:"), m_model.UserJoins,
                                tSetupModel::JoinSuggestions());
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(joinLabel);
    layout->addWidget(edJoin);
    layout->addSpacing(8);
    layout->addWidget(cbUserJoin);
    layout->addWidget(slUserJoin, 1);
    layout->addWidget(note(reminder("respond to user joins")));
    return page;
}

QWidget *TfrmSetup::buildBanning()
{
    auto *page = new QWidget;
    cbBan = checkBox(QStringLiteral("Automatically Ban These Users:"), m_model.AutoBan);
    slBan = new TDSStringListEdit(QStringLiteral("Ban These Users:"), QStringLiteral("Edit User Name:"), false);
    slBan->Bind(&m_model.Bans);
    cbNoBan = checkBox(QStringLiteral("Ban Everyone EXCEPT These Users:"), m_model.BanAllExcept);
    slNoBan = new TDSStringListEdit(QStringLiteral("Do NOT Ban These Users:"), QStringLiteral("Edit User Name:"), false);
    slNoBan->Bind(&m_model.NoBans);
    auto *grid = new QGridLayout;
    grid->addWidget(cbBan, 0, 0);
    grid->addWidget(slBan, 1, 0);
    grid->addWidget(cbNoBan, 0, 1);
    grid->addWidget(slNoBan, 1, 1);
    grid->setRowStretch(1, 1);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(note(QStringLiteral("Banning and exception banning may include full names or partial names/clan "
                                          "tags.  If ANY part of the name specified appears in a user's name, that user "
                                          "will be banned or skipped.")));
    layout->addLayout(grid, 1);
    return page;
}

QWidget *TfrmSetup::buildActions()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("User Type:")), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Action:")), 0, 1);
    for (int i = 0; i < ProductActionCount; ++i) {
        const int action = ActionRows[i].action;
        auto *box = new QComboBox;
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->lineEdit()->setMaxLength(254);
        box->addItems(tSetupModel::ActionChoices(action));
        box->setEditText(m_model.Actions[action]);
        // Product actions do not mark the profile; "&Ok" applies them.
        connect(box, &QComboBox::editTextChanged, this, [this, action](const QString &t) { m_model.Actions[action] = t; });
        cmActions[action] = box;
        auto *label = new QLabel(QString::fromLatin1(ActionRows[i].label));
        label->setBuddy(box);
        grid->addWidget(label, i + 1, 0);
        grid->addWidget(box, i + 1, 1);
    }
    grid->setColumnStretch(1, 1);
    auto *layout = new QVBoxLayout(page);
    auto *caption = new QLabel(QStringLiteral("Product Actions:"));
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    layout->addWidget(caption);
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addWidget(note(reminder("perform special actions based on product")));
    layout->addStretch(1);
    return page;
}

QWidget *TfrmSetup::buildCommands()
{
    auto *page = new QWidget;
    lstCommand = new QListWidget;
    lstCommand->addItems(m_model.CommandWords);
    edCommand = new QLineEdit;
    edCommand->setMaxLength(254);
    KeepStorable(edCommand);
    cmCommandRes = new QComboBox;
    cmCommandRes->setEditable(true);
    cmCommandRes->setInsertPolicy(QComboBox::NoInsert);
    cmCommandRes->addItems(tSetupModel::CommandActions());
    cmCommandRes->setEditText(QString());
    cmLevel = new QComboBox;
    cmLevel->addItems(tSetupModel::LevelTexts());
    cmLevel->setCurrentIndex(-1);
    btnAddCommand = new QPushButton(QStringLiteral("Add"));
    btnDeleteCommand = new QPushButton(QStringLiteral("Delete"));
    btnClearCommands = new QPushButton(QStringLiteral("Clear"));
    mVariables = new QPlainTextEdit(VariablesText());
    mVariables->setReadOnly(true);
    mVariables->setLineWrapMode(QPlainTextEdit::NoWrap);
    // A fixed pitch keeps the descriptions in one column behind their one or two tabs.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mVariables->setFont(fixed);
    mVariables->setTabStopDistance(QFontMetricsF(fixed).horizontalAdvance(QLatin1Char(' ')) * 8);

    connect(lstCommand, &QListWidget::currentRowChanged, this, &TfrmSetup::showCommand);
    connect(edCommand, &QLineEdit::textEdited, this, [this](const QString &t) {
        m_model.SetCommandWord(t);
        if (QListWidgetItem *item = lstCommand->item(m_model.CurrentCommand))
            item->setText(t);
    });
    connect(cmCommandRes, &QComboBox::editTextChanged, this, [this](const QString &t) {
        if (!m_filling)
            m_model.SetCommandAction(t);
    });
    connect(cmLevel, &QComboBox::activated, this, [this](int level) { m_model.SetCommandLevel(level); });
    connect(btnAddCommand, &QPushButton::clicked, this, [this] {
        const int i = m_model.AddCommand();
        lstCommand->addItem(m_model.CommandWords.at(i));
        lstCommand->setCurrentRow(i);
    });
    connect(btnDeleteCommand, &QPushButton::clicked, this, [this] {
        const int i = m_model.CurrentCommand;
        if (i < 0)
            return;
        m_model.DeleteCommand();
        const QSignalBlocker block(lstCommand);
        delete lstCommand->takeItem(i);
        lstCommand->setCurrentRow(-1);
        showCommand(-1);
    });
    connect(btnClearCommands, &QPushButton::clicked, this, [this] {
        if (!m_prompts.AskYesNo(this, QStringLiteral("Clear all commands?")))
            return;
        m_model.ClearCommands();
        const QSignalBlocker block(lstCommand);
        lstCommand->clear();
        showCommand(-1);
    });

    auto *listLabel = new QLabel(QStringLiteral("Available Commands:"));
    listLabel->setBuddy(lstCommand);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Command:"), edCommand);
    fields->addRow(QStringLiteral("Command Response:"), cmCommandRes);
    fields->addRow(QStringLiteral("Command Level:"), cmLevel);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnAddCommand);
    buttons->addWidget(btnDeleteCommand);
    buttons->addWidget(btnClearCommands);
    buttons->addStretch();
    auto *right = new QVBoxLayout;
    right->addLayout(fields);
    right->addLayout(buttons);
    right->addWidget(new QLabel(QStringLiteral("These variables may be used with commands:")));
    right->addWidget(mVariables, 1);
    auto *left = new QVBoxLayout;
    left->addWidget(listLabel);
    left->addWidget(lstCommand, 1);
    auto *layout = new QHBoxLayout(page);
    layout->addLayout(left, 2);
    layout->addLayout(right, 5);
    showCommand(-1);
    return page;
}

void TfrmSetup::showCommand(int index)
{
    const tSetupModel::Command c = m_model.SelectCommand(index);
    const bool any = m_model.CurrentCommand >= 0;
    const bool was = m_filling;
    m_filling = true;
    edCommand->setText(c.Word);
    cmCommandRes->setEditText(c.Action);
    cmLevel->setCurrentIndex(any ? c.Level : -1);
    for (QWidget *w : std::initializer_list<QWidget *>{edCommand, cmCommandRes, cmLevel, btnDeleteCommand})
        w->setEnabled(any);
    m_filling = was;
}

QWidget *TfrmSetup::buildTimers()
{
    auto *page = new QWidget;
    cbTimers = checkBox(QStringLiteral("Respond to Timer Events"), m_model.RespondTimers);
    lstTimers = new QTreeWidget;
    lstTimers->setHeaderLabels({QStringLiteral("Response"), QStringLiteral("Interval")});
    lstTimers->setRootIsDecorated(false);
    lstTimers->setUniformRowHeights(true);
    // The interval is drawn 60 pixels left of the row's right edge.
    lstTimers->header()->setStretchLastSection(false);
    lstTimers->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    lstTimers->header()->setSectionResizeMode(1, QHeaderView::Fixed);
    lstTimers->header()->resizeSection(1, 60);
    for (int i = 0; i < m_model.TimerTexts.size(); ++i)
        lstTimers->addTopLevelItem(new QTreeWidgetItem({m_model.TimerTexts.at(i), m_model.TimerIntervals.value(i)}));
    edTimer = new QLineEdit;
    KeepStorable(edTimer);
    seInterval = new QSpinBox;
    seInterval->setRange(0, 10000);
    seInterval->setMinimumWidth(100);
    seInterval->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    btnAddTimer = new QPushButton(QStringLiteral("Add"));
    btnDeleteTimer = new QPushButton(QStringLiteral("Delete"));
    btnClearTimers = new QPushButton(QStringLiteral("Clear"));

    const auto row = [this](int i) { return lstTimers->topLevelItem(i); };
    connect(lstTimers, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        showTimer(item ? lstTimers->indexOfTopLevelItem(item) : -1);
        if (item) {
            edTimer->setFocus();
            edTimer->selectAll();
        }
    });
    connect(edTimer, &QLineEdit::textEdited, this, [this, row](const QString &t) {
        m_model.SetTimerText(t);
        if (QTreeWidgetItem *item = row(m_model.CurrentTimer))
            item->setText(0, t);
    });
    connect(seInterval, &QSpinBox::valueChanged, this, [this, row](int v) {
        if (m_filling)
            return;
        m_model.SetTimerInterval(v);
        if (QTreeWidgetItem *item = row(m_model.CurrentTimer))
            item->setText(1, QString::number(v));
    });
    connect(btnAddTimer, &QPushButton::clicked, this, [this] {
        const int i = m_model.AddTimer();
        auto *item = new QTreeWidgetItem({m_model.TimerTexts.at(i), m_model.TimerIntervals.at(i)});
        lstTimers->addTopLevelItem(item);
        lstTimers->setCurrentItem(item);
    });
    connect(btnDeleteTimer, &QPushButton::clicked, this, [this] {
        const int i = m_model.CurrentTimer;
        if (i < 0)
            return;
        m_model.DeleteTimer();
        const QSignalBlocker block(lstTimers);
        delete lstTimers->takeTopLevelItem(i);
        lstTimers->setCurrentItem(nullptr);
        showTimer(-1);
    });
    connect(btnClearTimers, &QPushButton::clicked, this, [this] {
        if (!m_prompts.AskYesNo(this, QStringLiteral("Clear all timer responses?")))
            return;
        m_model.ClearTimers();
        const QSignalBlocker block(lstTimers);
        lstTimers->clear();
        showTimer(-1);
    });

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Edit Response:"), edTimer);
    fields->addRow(QStringLiteral("Interval (Seconds):"), seInterval);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnAddTimer);
    buttons->addWidget(btnDeleteTimer);
    buttons->addWidget(btnClearTimers);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(cbTimers);
    layout->addWidget(lstTimers, 1);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->addWidget(note(reminder("respond to timer events")));
    showTimer(-1);
    return page;
}

void TfrmSetup::showTimer(int index)
{
    const tSetupModel::Timer t = m_model.SelectTimer(index);
    const bool was = m_filling;
    m_filling = true;
    edTimer->setText(t.Text);
    seInterval->setValue(t.Interval);
    const bool any = m_model.CurrentTimer >= 0;
    for (QWidget *w : std::initializer_list<QWidget *>{edTimer, seInterval, btnDeleteTimer})
        w->setEnabled(any);
    m_filling = was;
}
