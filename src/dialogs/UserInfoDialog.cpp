#include "dialogs/UserInfoDialog.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "dialogs/ColorSwatch.h"
#include "dialogs/DialogPrompts.h"
#include "dialogs/EditorGuards.h"
#include "profile/ChatSettings.h"
#include "view/ChatDefs.h"

namespace {
// Notes are stored with the line ends the record files have always used.
QString notesToStore(const QString &shown)
{
    QString s = shown;
    return s.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

QString notesToShow(const QString &stored)
{
    QString s = stored;
    return s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}
} // namespace

TfrmUserInfo::TfrmUserInfo(tProfile &profile, TDialogPrompts &prompts, QWidget *parent)
    : QDialog(parent), m_model(profile), m_prompts(&prompts)
{
    setWindowTitle(QStringLiteral("User Information"));
    setModal(false);

    auto *selected = new QGroupBox(QStringLiteral("Selected User:"));
    cmUser = new QComboBox;
    cmUser->setMinimumContentsLength(16);
    btnAdd = new QPushButton(QStringLiteral("&Add"));
    btnDelete = new QPushButton(QStringLiteral("&Delete"));
    btnClear = new QPushButton(QStringLiteral("&Clear"));
    auto *userLabel = new QLabel(QStringLiteral("User Name:"));
    userLabel->setBuddy(cmUser);
    auto *sg = new QHBoxLayout(selected);
    sg->addWidget(userLabel);
    sg->addWidget(cmUser, 1);
    sg->addWidget(btnAdd);
    sg->addWidget(btnDelete);
    sg->addWidget(btnClear);

    m_panels = new QWidget;
    mNotes = new QPlainTextEdit;
    mNotes->setTabChangesFocus(true);
    KeepStorable(mNotes);
    edJoinSound = new QLineEdit;
    edLeaveSound = new QLineEdit;
    edJoinSound->setReadOnly(true);
    edLeaveSound->setReadOnly(true);
    btnBrowseJoin = new QPushButton(QStringLiteral("Change..."));
    btnNoJoin = new QPushButton(QStringLiteral("None"));
    btnBrowseLeave = new QPushButton(QStringLiteral("Change..."));
    btnNoLeave = new QPushButton(QStringLiteral("None"));
    edGreeting = new QComboBox;
    edGreeting->setEditable(true);
    edGreeting->setInsertPolicy(QComboBox::NoInsert);
    edGreeting->lineEdit()->setMaxLength(tUserRec::GreetingCapacity);
    KeepStorable(edGreeting);
    pnlNameColor = new TColorSwatch;
    pnlTextColor = new TColorSwatch;
    pnlWhisperColor = new TColorSwatch;

    auto *sounds = new QGridLayout;
    const auto soundRow = [sounds](int row, const QString &caption, QLineEdit *ed, QPushButton *change, QPushButton *none) {
        auto *label = new QLabel(caption);
        label->setBuddy(ed);
        sounds->addWidget(label, row, 0);
        sounds->addWidget(ed, row, 1);
        sounds->addWidget(change, row, 2);
        sounds->addWidget(none, row, 3);
    };
    soundRow(0, QStringLiteral("User Join Sound:"), edJoinSound, btnBrowseJoin, btnNoJoin);
    soundRow(1, QStringLiteral("User Leave Sound:"), edLeaveSound, btnBrowseLeave, btnNoLeave);
    auto *greetLabel = new QLabel(QStringLiteral("Greeting/Action:"));
    greetLabel->setBuddy(edGreeting);
    sounds->addWidget(greetLabel, 2, 0);
    sounds->addWidget(edGreeting, 2, 1, 1, 3);
    sounds->setColumnStretch(1, 1);

    auto *colours = new QHBoxLayout;
    const auto swatch = [colours](const QString &caption, TColorSwatch *s) {
        auto *label = new QLabel(caption);
        label->setBuddy(s);
        colours->addWidget(label);
        colours->addWidget(s);
        colours->addSpacing(12);
    };
    swatch(QStringLiteral("Name Color:"), pnlNameColor);
    swatch(QStringLiteral("Text Color:"), pnlTextColor);
    swatch(QStringLiteral("Whisper Color:"), pnlWhisperColor);
    colours->addStretch();

    auto *notesLabel = new QLabel(QStringLiteral("Notes:"));
    notesLabel->setBuddy(mNotes);
    auto *pv = new QVBoxLayout(m_panels);
    pv->setContentsMargins(0, 0, 0, 0);
    pv->addWidget(notesLabel);
    pv->addWidget(mNotes, 1);
    pv->addLayout(sounds);
    pv->addLayout(colours);

    btnClose = new QPushButton(QStringLiteral("E&xit"));
    btnHelp = new QPushButton(QStringLiteral("&Help"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClose);
    buttons->addWidget(btnHelp);
    auto *main = new QVBoxLayout(this);
    main->addWidget(selected);
    main->addWidget(m_panels, 1);
    main->addLayout(buttons);
    resize(560, 420);
    // Enter belongs to the field that has it: no button is pressed by it, least of all "&Add".
    for (QPushButton *b : findChildren<QPushButton *>())
        b->setAutoDefault(false);

    connect(cmUser, &QComboBox::activated, this, &TfrmUserInfo::selectRecord);
    connect(btnAdd, &QPushButton::clicked, this, &TfrmUserInfo::add);
    connect(btnDelete, &QPushButton::clicked, this, &TfrmUserInfo::remove);
    connect(btnClear, &QPushButton::clicked, this, &TfrmUserInfo::clear);
    connect(mNotes, &QPlainTextEdit::textChanged, this, [this] {
        if (m_filling)
            return;
        QString text = mNotes->toPlainText();
        if (notesToStore(text).size() > tUserRec::NotesCapacity) {
            // Keep the field to what the record can hold, so what is shown is what is stored.
            while (notesToStore(text).size() > tUserRec::NotesCapacity)
                text.chop(1);
            m_filling = true;
            mNotes->setPlainText(text);
            mNotes->moveCursor(QTextCursor::End);
            m_filling = false;
        }
        m_model.SetNotes(notesToStore(text));
    });
    connect(edGreeting, &QComboBox::editTextChanged, this, [this](const QString &text) {
        if (!m_filling)
            m_model.SetGreeting(text);
    });
    connect(btnBrowseJoin, &QPushButton::clicked, this, [this] { pickSound(true); });
    connect(btnBrowseLeave, &QPushButton::clicked, this, [this] { pickSound(false); });
    connect(btnNoJoin, &QPushButton::clicked, this, [this] {
        edJoinSound->setText(QStringLiteral("None"));
        m_model.SetJoinSound(QStringLiteral("None"));
    });
    connect(btnNoLeave, &QPushButton::clicked, this, [this] {
        edLeaveSound->setText(QStringLiteral("None"));
        m_model.SetLeaveSound(QStringLiteral("None"));
    });
    connect(pnlNameColor, &TColorSwatch::clicked, this, [this] { pickColor(tUserInfoModel::NameColor, pnlNameColor); });
    connect(pnlTextColor, &TColorSwatch::clicked, this, [this] { pickColor(tUserInfoModel::TextColor, pnlTextColor); });
    connect(pnlWhisperColor, &TColorSwatch::clicked, this,
            [this] { pickColor(tUserInfoModel::WhisperColor, pnlWhisperColor); });
    connect(btnClose, &QPushButton::clicked, this, &QWidget::hide);
    connect(btnHelp, &QPushButton::clicked, this, [this] {
        if (OnHelp)
            OnHelp(QStringLiteral("User Information Screen  "));
    });
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, btnHelp, &QPushButton::click);

    fillNames();
    selectRecord(0);
}

TfrmUserInfo::~TfrmUserInfo()
{
    // The fields must not write into the records while they are destroyed.
    for (QObject *o : findChildren<QObject *>())
        o->blockSignals(true);
}

void TfrmUserInfo::ShowUserInfo(const QString &name)
{
    show();
    raise();
    activateWindow();
    const int index = m_model.Show(name);
    fillNames();
    selectRecord(index < 0 ? 0 : index);
}

void TfrmUserInfo::ProfileCleared()
{
    m_model.Reset();
    cmUser->clear();
    selectRecord(0);
    hide();
}

void TfrmUserInfo::ProfileLoaded()
{
    m_model.Reset();
    fillNames();
    selectRecord(0);
}

void TfrmUserInfo::fillNames()
{
    m_filling = true;
    cmUser->clear();
    cmUser->addItems(m_model.Names());
    m_filling = false;
}

void TfrmUserInfo::selectRecord(int index)
{
    if (m_model.Count() == 0)
        index = -1;
    cmUser->setCurrentIndex(index);
    m_model.Select(index < 0 ? 0 : index);
    m_filling = true;
    const QString text = edGreeting->currentText();
    edGreeting->clear();
    if (const tUser *u = m_model.CurrentUser())
        edGreeting->addItems(tUserInfoModel::GreetingSuggestions(u->Name()));
    edGreeting->setEditText(text);
    m_filling = false;
    showRecord();
}

void TfrmUserInfo::showRecord()
{
    m_filling = true;
    const tUser *u = m_model.CurrentUser();
    mNotes->clear();
    if (u && !u->Notes().isEmpty())
        mNotes->setPlainText(notesToShow(u->Notes()));
    edJoinSound->setText(u ? u->JoinSound() : QStringLiteral("None"));
    edLeaveSound->setText(u ? u->LeaveSound() : QStringLiteral("None"));
    edGreeting->setEditText(u ? u->Greeting() : QString());
    pnlNameColor->setColor(bgrToColor(m_model.Color(tUserInfoModel::NameColor)));
    pnlTextColor->setColor(bgrToColor(m_model.Color(tUserInfoModel::TextColor)));
    pnlWhisperColor->setColor(bgrToColor(m_model.Color(tUserInfoModel::WhisperColor)));
    enablePanels(u != nullptr);
    m_filling = false;
}

void TfrmUserInfo::enablePanels(bool on)
{
    m_panels->setEnabled(on);
    cmUser->setEnabled(on);
    btnDelete->setEnabled(on);
}

void TfrmUserInfo::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && m_model.Count() > 0)
        enablePanels(true);
    QDialog::changeEvent(e);
}

void TfrmUserInfo::add()
{
    const auto name = m_prompts->AskText(this, QStringLiteral("New Entry"), QStringLiteral("Enter the name of the new user:"));
    if (!name || name->isEmpty())
        return;
    const QString lost = UnstorableCharacters(*name);
    if (!lost.isEmpty()) {
        m_prompts->Message(this, QStringLiteral("A user name cannot hold \"%1\": the profile cannot store it.").arg(lost));
        return;
    }
    const int existing = m_model.Find(*name);
    if (existing >= 0) {
        selectRecord(existing); // the user is there already, perhaps in another letter case
        return;
    }
    const int index = m_model.Add(*name);
    cmUser->addItem(m_model.CurrentUser()->Name());
    selectRecord(index);
}

void TfrmUserInfo::remove()
{
    const tUser *u = m_model.CurrentUser();
    if (!u || cmUser->currentIndex() < 0)
        return;
    if (!m_prompts->AskYesNo(this, QStringLiteral("Are you sure you want to delete ") + u->Name() + QLatin1Char('?')))
        return;
    const int index = m_model.Current();
    m_model.Delete();
    cmUser->removeItem(index);
    selectRecord(0);
}

void TfrmUserInfo::clear()
{
    if (!m_prompts->AskYesNo(this, QStringLiteral("Are you sure you want to ALL user information?")))
        return;
    m_model.Clear();
    cmUser->clear();
    selectRecord(0);
}

void TfrmUserInfo::pickSound(bool join)
{
    const QString path = m_prompts->PickFile(this, QStringLiteral("Select Sound..."), QStringLiteral("Sound Files (*.wav)"),
                                             QStringLiteral("wav"), ProgramFolder, false);
    if (path.isEmpty())
        return;
    if (join) {
        m_model.SetJoinSound(path);
        edJoinSound->setText(m_model.CurrentUser() ? m_model.CurrentUser()->JoinSound() : path);
    } else {
        m_model.SetLeaveSound(path);
        edLeaveSound->setText(m_model.CurrentUser() ? m_model.CurrentUser()->LeaveSound() : path);
    }
}

void TfrmUserInfo::pickColor(tUserInfoModel::ColorKind kind, TColorSwatch *swatch)
{
    if (!m_model.CurrentUser())
        return;
    const auto picked = m_prompts->PickColor(this, swatch->color());
    if (!picked)
        return;
    swatch->setColor(*picked);
    m_model.SetColor(kind, colorToBgr(*picked));
}
