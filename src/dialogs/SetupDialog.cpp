#include "dialogs/SetupDialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialogs/DialogPrompts.h"
#include "dialogs/EditorGuards.h"
#include "dialogs/PropertyGrid.h"
#include "dialogs/StringListEdit.h"

namespace {
QLabel *note(const QString &text)
{
    auto *l = new QLabel(text);
    l->setWordWrap(true);
    return l;
}
} // namespace

TfrmSetup::TfrmSetup(tProfile &profile, tSetupHost &host, TDialogPrompts &prompts, QWidget *parent)
    : QDialog(parent), m_model(profile), m_host(host), m_prompts(prompts)
{
    setWindowTitle(QStringLiteral("QuorlChat Configuration"));
    m_filling = true;
    pages = new QTabWidget;
    pages->addTab(buildGeneral(), tSetupModel::PageCaption(tSetupModel::GeneralPage));
    pages->addTab(buildLog(), tSetupModel::PageCaption(tSetupModel::LogPage));
    pages->addTab(buildResponses(), tSetupModel::PageCaption(tSetupModel::ResponsesPage));
    pages->addTab(buildUserJoin(), tSetupModel::PageCaption(tSetupModel::UserJoinPage));
    pages->addTab(buildBanning(), tSetupModel::PageCaption(tSetupModel::BanningPage));
    pages->addTab(buildActions(), tSetupModel::PageCaption(tSetupModel::ActionsPage));
    pages->addTab(buildCommands(), tSetupModel::PageCaption(tSetupModel::CommandsPage));
    pages->addTab(buildTimers(), tSetupModel::PageCaption(tSetupModel::TimersPage));
    pages->setCurrentIndex(tSetupModel::GeneralPage);

    btnOk = new QPushButton(QStringLiteral("&Ok"));
    btnCancel = new QPushButton(QStringLiteral("&Cancel"));
    btnHelp = new QPushButton(QStringLiteral("&Help"));
    btnOk->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &TfrmSetup::accept);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmSetup::reject);
    connect(btnHelp, &QPushButton::clicked, this, &TfrmSetup::help);
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, btnHelp, &QPushButton::click);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    buttons->addWidget(btnHelp);
    auto *main = new QVBoxLayout(this);
    main->addWidget(pages, 1);
    main->addWidget(note(QStringLiteral("Click the \"Help\" button for a complete list of commands and variables "
                                        "for use with responses and custom commands")));
    main->addLayout(buttons);

    for (QComboBox *box : findChildren<QComboBox *>()) {
        TakeWheelOnlyWhenFocused(box);
        KeepStorable(box);
    }
    for (QAbstractSpinBox *spin : findChildren<QAbstractSpinBox *>())
        TakeWheelOnlyWhenFocused(spin);
    for (int i = 0; i < pages->count(); ++i)
        MakeMnemonicsUnique(pages->widget(i), QStringLiteral("och"));
    m_filling = false;
    resize(780, 600);
}

TfrmSetup::~TfrmSetup()
{
    // The widgets go while the working copy they write into still exists, and say nothing as they go.
    for (QObject *o : findChildren<QObject *>())
        o->blockSignals(true);
    m_done = true; // nor do the pick lists learn anything as the focus leaves them
    delete pages;
}

QComboBox *TfrmSetup::pickList(tPickList &pick)
{
    auto *box = new QComboBox;
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->lineEdit()->setMaxLength(240);
    fillPick(box, pick);
    connect(box->lineEdit(), &QLineEdit::textEdited, this, [this, &pick](const QString &text) { m_model.TypeIn(pick, text); });
    connect(box, &QComboBox::textActivated, this, [this, &pick](const QString &text) {
        if (!m_filling)
            m_model.TypeIn(pick, text);
    });
    box->installEventFilter(this); // the line edit's focus goes through the box
    m_picks.push_back({box, &pick});
    return box;
}

void TfrmSetup::fillPick(QComboBox *box, const tPickList &pick)
{
    const bool was = m_filling;
    m_filling = true;
    box->clear();
    box->addItems(pick.Choices);
    box->setEditText(pick.Text);
    m_filling = was;
}

bool TfrmSetup::eventFilter(QObject *watched, QEvent *e)
{
    // Once closed, a pick list losing the focus as the dialog goes learns nothing (nor marks).
    if (!m_done && e->type() == QEvent::FocusOut && static_cast<QFocusEvent *>(e)->reason() != Qt::PopupFocusReason) {
        for (const PickBinding &b : m_picks) {
            if (b.box != watched)
                continue;
            const int before = int(b.pick->Choices.size());
            m_model.Leave(*b.pick);
            if (b.pick->Choices.size() != before)
                fillPick(b.box, *b.pick);
        }
    }
    return QDialog::eventFilter(watched, e);
}

QWidget *TfrmSetup::buildGeneral()
{
    auto *page = new QWidget;

    auto *connection = new QGroupBox(QStringLiteral("Connection"));
    cmUserName = pickList(m_model.UserName);
    cmPassword = pickList(m_model.Password);
    cmChannel = pickList(m_model.Channel);
    edUniquePass = new QLineEdit(m_model.UniquePassword);
    edUniquePass->setEchoMode(QLineEdit::Password);
    edUniquePass->setMaxLength(tChatSettings::StringCapacity);
    KeepStorable(edUniquePass);
    connect(edUniquePass, &QLineEdit::textEdited, this, [this](const QString &t) { m_model.UniquePassword = t; });
    btnDeleteUser = new QPushButton(QStringLiteral("Delete"));
    btnDeletePassword = new QPushButton(QStringLiteral("Delete"));
    btnDeleteChannel = new QPushButton(QStringLiteral("Delete"));
    const auto deleter = [this](QPushButton *btn, QComboBox *box, tPickList &pick) {
        connect(btn, &QPushButton::clicked, this, [this, box, &pick] {
            m_model.DeleteChoice(pick, int(pick.Choices.indexOf(box->currentText())));
            fillPick(box, pick);
        });
    };
    deleter(btnDeleteUser, cmUserName, m_model.UserName);
    deleter(btnDeletePassword, cmPassword, m_model.Password);
    deleter(btnDeleteChannel, cmChannel, m_model.Channel);
    cbAllowMulti = new QCheckBox(QStringLiteral("Allow Multiple Passwords"));
    cbAllowMulti->setChecked(m_model.AllowMulti);
    connect(cbAllowMulti, &QCheckBox::clicked, this, [this](bool on) {
        m_model.SetAllowMulti(on);
        if (on)
            fillPick(cmPassword, m_model.Password);
        showPasswordFields();
    });
    auto *userLabel = new QLabel(QStringLiteral("User Name:"));
    userLabel->setBuddy(cmUserName);
    m_passLabel = new QLabel(QStringLiteral("Password:"));
    auto *channelLabel = new QLabel(QStringLiteral("Home Channel:"));
    channelLabel->setBuddy(cmChannel);
    auto *passField = new QHBoxLayout;
    passField->setContentsMargins(0, 0, 0, 0);
    passField->addWidget(cmPassword);
    passField->addWidget(edUniquePass);
    auto *cg = new QGridLayout(connection);
    cg->addWidget(userLabel, 0, 0);
    cg->addWidget(cmUserName, 0, 1);
    cg->addWidget(btnDeleteUser, 0, 2);
    cg->addWidget(m_passLabel, 1, 0);
    cg->addLayout(passField, 1, 1);
    cg->addWidget(btnDeletePassword, 1, 2);
    cg->addWidget(cbAllowMulti, 2, 1, 1, 2);
    cg->addWidget(note(QStringLiteral("Note: Allowing multiple passwords will allow others to see your password above")),
                  3, 1, 1, 2);
    cg->addWidget(channelLabel, 4, 0);
    cg->addWidget(cmChannel, 4, 1);
    cg->addWidget(btnDeleteChannel, 4, 2);
    cg->setColumnStretch(1, 1);
    showPasswordFields();

    auto *options = new QGroupBox(QStringLiteral("Options"));
    cbAllEvents = new QCheckBox(QStringLiteral("Master Event Switch"));
    cbAllEvents->setChecked(m_model.MasterEvents);
    connect(cbAllEvents, &QCheckBox::clicked, this, [this](bool on) { m_model.SetMasterEvents(on); });
    pgOptions = new TPropertyGrid;
    for (int row = 0; row < tSetupModel::OptionCount; ++row) {
        const QString caption = tSetupModel::OptionCaption(row);
        if (row < tSetupModel::FirstNumberRow)
            pgOptions->addYesNo(caption);
        else if (row == tSetupModel::DoubleClickRow)
            pgOptions->addPick(caption, tSetupModel::DoubleClickTexts());
        else if (row == tSetupModel::LoginTimeoutRow)
            pgOptions->addRange(caption, 2, 300); // a slow server's login may take minutes
        else
            pgOptions->addRange(caption, 2, 100);
        pgOptions->setValue(row, m_model.Options[row]);
    }
    connect(pgOptions, &TPropertyGrid::valueChanged, this, [this](int row, const QString &v) { m_model.SetOption(row, v); });
    auto *og = new QVBoxLayout(options);
    og->addWidget(cbAllEvents);
    og->addWidget(note(QStringLiteral("This is the master switch for ALL events and responses.  NO events or "
                                      "responses will execute if this is not checked.")));
    og->addWidget(pgOptions, 1);

    auto *server = new QGroupBox(QStringLiteral("Server"));
    lstServer = new QListWidget;
    lstServer->addItems(m_model.Servers);
    auto *serverLabel = new QLabel(QStringLiteral("Server List:"));
    serverLabel->setBuddy(lstServer);
    btnAddServer = new QPushButton(QStringLiteral("&Add"));
    btnDeleteServer = new QPushButton(QStringLiteral("&Delete"));
    btnUp = new QPushButton(QStringLiteral("Move Up"));
    btnDown = new QPushButton(QStringLiteral("Move Down"));
    const auto showServers = [this](int select) {
        lstServer->clear();
        lstServer->addItems(m_model.Servers);
        lstServer->setCurrentRow(select);
        if (select < 0)
            lstServer->clearSelection();
    };
    connect(btnAddServer, &QPushButton::clicked, this, [this, showServers] {
        const auto answer = m_prompts.AskText(this, QStringLiteral("New Server"), QStringLiteral("Enter address of new server:"));
        QString error;
        if (answer && m_model.AddServer(*answer, &error) >= 0)
            showServers(0);
        else if (!error.isEmpty())
            m_prompts.Message(this, error);
    });
    connect(btnDeleteServer, &QPushButton::clicked, this, [this, showServers] {
        const int row = lstServer->selectedItems().isEmpty() ? -1 : lstServer->currentRow();
        if (row >= 0)
            showServers(m_model.DeleteServer(row));
    });
    for (QPushButton *b : {btnUp, btnDown}) {
        const int step = b == btnUp ? -1 : 1;
        connect(b, &QPushButton::clicked, this, [this, step, showServers] {
            const int row = lstServer->selectedItems().isEmpty() ? -1 : lstServer->currentRow();
            const int to = m_model.MoveServer(row, step);
            if (to != row)
                showServers(to);
        });
    }
    auto *sg = new QGridLayout(server);
    sg->addWidget(serverLabel, 0, 0);
    sg->addWidget(lstServer, 1, 0, 5, 1);
    sg->addWidget(btnAddServer, 1, 1);
    sg->addWidget(btnDeleteServer, 2, 1);
    sg->addWidget(btnUp, 3, 1);
    sg->addWidget(btnDown, 4, 1);
    sg->setRowStretch(5, 1);

    auto *left = new QVBoxLayout;
    left->addWidget(connection);
    left->addWidget(server, 1);
    auto *layout = new QHBoxLayout(page);
    layout->addLayout(left, 1);
    layout->addWidget(options, 1);
    return page;
}

void TfrmSetup::showPasswordFields()
{
    const bool multi = m_model.AllowMulti;
    cmPassword->setVisible(multi);
    btnDeletePassword->setVisible(multi);
    edUniquePass->setVisible(!multi);
    m_passLabel->setBuddy(multi ? static_cast<QWidget *>(cmPassword) : edUniquePass);
}

QWidget *TfrmSetup::buildLog()
{
    auto *page = new QWidget;
    cbLog = new QCheckBox(QStringLiteral("Keep a log of the chat session"));
    cbLog->setChecked(m_model.KeepLog);
    pnlLog = new QWidget;
    edLogFIle = new QLineEdit(m_model.LogFileName);
    edLogFIle->setMaxLength(tChatSettings::StringCapacity);
    connect(edLogFIle, &QLineEdit::textEdited, this, [this](const QString &t) { m_model.LogFileName = t; });
    btnChange = new QPushButton(QStringLiteral("Ch&ange..."));
    connect(btnChange, &QPushButton::clicked, this, [this] {
        const QString path = m_prompts.PickFile(this, QStringLiteral("Select Log File"), QStringLiteral("Text Files (*.txt)"),
                                                QStringLiteral("txt"), ProgramFolder, true);
        if (path.isEmpty())
            return;
        m_model.LogFilePicked(path);
        edLogFIle->setText(m_model.LogFileName);
    });
    cbTime = new QCheckBox(QStringLiteral("Log time of incoming messages/events"));
    cbTime->setChecked(m_model.LogTime);
    cbEvents = new QCheckBox(QStringLiteral("Log incoming events (users joining/leaving, etc)"));
    cbEvents->setChecked(m_model.LogEvents);
    connect(cbLog, &QCheckBox::clicked, this, [this](bool on) {
        m_model.SetKeepLog(on);
        pnlLog->setVisible(on);
    });
    connect(cbTime, &QCheckBox::clicked, this, [this](bool on) { m_model.SetLogTime(on); });
    connect(cbEvents, &QCheckBox::clicked, this, [this](bool on) { m_model.SetLogEvents(on); });
    auto *logLabel = new QLabel(QStringLiteral("Log Filename:"));
    logLabel->setBuddy(edLogFIle);
    auto *lg = new QGridLayout(pnlLog);
    lg->setContentsMargins(20, 0, 0, 0);
    lg->addWidget(logLabel, 0, 0);
    lg->addWidget(edLogFIle, 0, 1);
    lg->addWidget(btnChange, 0, 2);
    lg->addWidget(cbTime, 1, 0, 1, 3);
    lg->addWidget(cbEvents, 2, 0, 1, 3);
    lg->setColumnStretch(1, 1);
    pnlLog->setVisible(m_model.KeepLog);

    slOwners = new TDSStringListEdit(QStringLiteral("Owners:"), QStringLiteral("Edit Owner Name:"), false);
    slOwners->Bind(&m_model.Owners);
    slMembers = new TDSStringListEdit(QStringLiteral("Members:"), QStringLiteral("Edit Member Name:"), false);
    slMembers->Bind(&m_model.Members);
    auto *lists = new QHBoxLayout;
    lists->addWidget(slOwners);
    lists->addWidget(slMembers);

    auto *logBox = new QGroupBox(QStringLiteral("Log File"));
    auto *lb = new QVBoxLayout(logBox);
    lb->addWidget(cbLog);
    lb->addWidget(pnlLog);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(logBox);
    layout->addLayout(lists, 1);
    return page;
}

void TfrmSetup::help()
{
    if (OnHelp)
        OnHelp(tSetupModel::HelpTopic(pages->currentIndex()));
}

void TfrmSetup::accept()
{
    if (m_done)
        return;
    m_done = true;
    m_model.LeaveTyped();
    m_model.Apply(m_host);
    QDialog::accept();
}

void TfrmSetup::reject()
{
    if (m_done)
        return;
    m_done = true;
    m_model.Cancel();
    QDialog::reject();
}

void TfrmSetup::closeEvent(QCloseEvent *e)
{
    e->accept();
    accept();
}
