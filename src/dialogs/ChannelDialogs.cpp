#include "dialogs/ChannelDialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "profile/Profile.h"

namespace {
bool lessFolded(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) < 0;
}
} // namespace

tChannelChoice::tChannelChoice(const QStringList &channels) : Channels(channels)
{
    std::stable_sort(Channels.begin(), Channels.end(), lessFolded);
}

int tChannelChoice::RowFor(const QString &name) const
{
    for (int i = 0; i < Channels.size(); ++i)
        if (Channels[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return Channels.isEmpty() ? -1 : 0;
}

int tChannelChoice::Add(const QString &name)
{
    for (int i = 0; i < Channels.size(); ++i)
        if (Channels[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    const auto at = std::upper_bound(Channels.begin(), Channels.end(), name, lessFolded);
    const int row = int(at - Channels.begin());
    Channels.insert(row, name);
    return row;
}

void tChannelChoice::Delete(int row)
{
    if (row >= 0 && row < Channels.size())
        Channels.removeAt(row);
}

int tFavoriteEdit::Delete(int row)
{
    if (row < 0 || row >= Favorites.size())
        return -1;
    Favorites.removeAt(row);
    return qMin(row, int(Favorites.size()) - 1);
}

int tFavoriteEdit::Move(int row, int step)
{
    const int to = row + step;
    if (row < 0 || row >= Favorites.size() || to < 0 || to >= Favorites.size())
        return row;
    Favorites.swapItemsAt(row, to);
    return to;
}

TfrmSelectChannel::TfrmSelectChannel(tProfile &profile, const QString &channel, QWidget *parent)
    : QDialog(parent), m_profile(profile), m_rules(profile.ChannelList), m_start(channel)
{
    setWindowTitle(QStringLiteral("Select Channel"));
    lstChannel = new QListWidget;
    lstChannel->setObjectName(QStringLiteral("lstChannel"));
    edChannel = new QLineEdit;
    edChannel->setObjectName(QStringLiteral("edChannel"));
    edChannel->setMaxLength(tChannelChoice::MaxChannelLength);
    btnAdd = new QPushButton(QStringLiteral("&Add"));
    btnAdd->setToolTip(QStringLiteral("Click to add channel to list"));
    btnDelete = new QPushButton(QStringLiteral("&Delete"));
    btnDelete->setToolTip(QStringLiteral("Click to delete this channel from the list"));
    btnClear = new QPushButton(QStringLiteral("Cl&ear"));
    btnClear->setToolTip(QStringLiteral("Click to clear the entire list"));
    btnOk = new QPushButton(QStringLiteral("&Ok"));
    btnCancel = new QPushButton(QStringLiteral("&Cancel"));
    btnHelp = new QPushButton(QStringLiteral("&Help"));
    for (QPushButton *b : {btnAdd, btnDelete, btnClear, btnCancel, btnHelp})
        b->setAutoDefault(false);

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Defined Channels:")), 0, 0);
    grid->addWidget(lstChannel, 1, 0, 4, 1);
    grid->addWidget(btnAdd, 1, 1);
    grid->addWidget(btnDelete, 2, 1);
    grid->addWidget(btnClear, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Enter a channel:")), 5, 0);
    grid->addWidget(edChannel, 6, 0, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    buttons->addWidget(btnHelp);
    grid->addLayout(buttons, 7, 0, 1, 2);
    grid->setRowStretch(4, 1);

    btnOk->setDefault(true);
    Confirm = [this](const QString &question) {
        return QMessageBox::question(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    connect(lstChannel, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { pick(lstChannel->row(item)); });
    connect(lstChannel, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        pick(lstChannel->row(item));
        accept();
    });
    connect(btnAdd, &QPushButton::clicked, this, [this] {
        m_profile.Modified = true;
        refill(m_rules.Add(edChannel->text()));
    });
    connect(btnDelete, &QPushButton::clicked, this, [this] {
        const int row = lstChannel->currentRow();
        if (row < 0 || !Confirm(QStringLiteral("Delete channel ") + m_rules.Channels[row] + QLatin1Char('?')))
            return;
        m_profile.Modified = true;
        m_rules.Delete(row);
        refill(qMin(row, int(m_rules.Channels.size()) - 1));
    });
    connect(btnClear, &QPushButton::clicked, this, [this] {
        if (lstChannel->currentRow() < 0 || !Confirm(QStringLiteral("Clear channel list?")))
            return;
        m_profile.Modified = true;
        m_rules.Clear();
        refill(-1);
    });
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnHelp, &QPushButton::clicked, this, [this] {
        if (Help)
            Help(QStringLiteral("join channel screen"));
    });
    refill(m_rules.RowFor(m_start));
    pick(lstChannel->currentRow());
    resize(340, 320);
}

QString TfrmSelectChannel::Channel() const
{
    return edChannel->text();
}

void TfrmSelectChannel::refill(int row)
{
    lstChannel->clear();
    lstChannel->addItems(m_rules.Channels);
    lstChannel->setCurrentRow(row);
}

void TfrmSelectChannel::pick(int row)
{
    if (row >= 0 && row < lstChannel->count())
        edChannel->setText(lstChannel->item(row)->text());
    edChannel->setFocus();
    edChannel->selectAll();
}

void TfrmSelectChannel::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    edChannel->setFocus();
    edChannel->selectAll();
}

void TfrmSelectChannel::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        btnHelp->click();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TfrmSelectChannel::done(int result)
{
    // The list goes back whether the choice was confirmed or not.
    m_profile.ChannelList = m_rules.Channels;
    QDialog::done(result);
}

TfrmEditFavorites::TfrmEditFavorites(tProfile &profile, QWidget *parent)
    : QDialog(parent), m_profile(profile), m_rules(profile.Favorite)
{
    setWindowTitle(QStringLiteral("Edit Favorites"));
    lstFavorites = new QListWidget;
    lstFavorites->setObjectName(QStringLiteral("lstFavorites"));
    btnNew = new QPushButton(QStringLiteral("&New Favorite"));
    btnDelete = new QPushButton(QStringLiteral("&Delete"));
    btnMoveUp = new QPushButton(QStringLiteral("Move &Up"));
    btnMoveDown = new QPushButton(QStringLiteral("Move Do&wn"));
    btnOk = new QPushButton(QStringLiteral("&Ok"));
    btnCancel = new QPushButton(QStringLiteral("&Cancel"));
    for (QPushButton *b : {btnNew, btnDelete, btnMoveUp, btnMoveDown, btnCancel})
        b->setAutoDefault(false);

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("List of favorite channels:")), 0, 0);
    grid->addWidget(lstFavorites, 1, 0, 5, 1);
    grid->addWidget(btnNew, 1, 1);
    grid->addWidget(btnDelete, 2, 1);
    grid->addWidget(btnMoveUp, 3, 1);
    grid->addWidget(btnMoveDown, 4, 1);
    grid->setRowStretch(5, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    grid->addLayout(buttons, 6, 0, 1, 2);

    btnOk->setDefault(true);
    AskNew = [this](QString &answer) {
        bool ok = false;
        answer = QInputDialog::getText(this, QStringLiteral("New Favorite Channel"), QStringLiteral("Enter a new channel name:"),
                                       QLineEdit::Normal, QString(), &ok);
        return ok;
    };
    connect(btnNew, &QPushButton::clicked, this, [this] {
        QString answer;
        if (!AskNew(answer))
            return;
        m_rules.Append(answer);
        refill(int(m_rules.Favorites.size()) - 1);
    });
    connect(btnDelete, &QPushButton::clicked, this, [this] { refill(m_rules.Delete(lstFavorites->currentRow())); });
    connect(btnMoveUp, &QPushButton::clicked, this, [this] { refill(m_rules.Move(lstFavorites->currentRow(), -1)); });
    connect(btnMoveDown, &QPushButton::clicked, this, [this] { refill(m_rules.Move(lstFavorites->currentRow(), 1)); });
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    refill(-1);
    resize(340, 280);
}

void TfrmEditFavorites::refill(int row)
{
    lstFavorites->clear();
    lstFavorites->addItems(m_rules.Favorites);
    lstFavorites->setCurrentRow(row);
}

void TfrmEditFavorites::accept()
{
    m_profile.Favorite = m_rules.Favorites;
    m_profile.Modified = true;
    QDialog::accept();
}

bool SelectChannel(QWidget *parent, tProfile &profile, QString &channel, const std::function<void(const QString &)> &help)
{
    TfrmSelectChannel dlg(profile, channel, parent);
    dlg.Help = help;
    if (dlg.exec() != QDialog::Accepted)
        return false;
    channel = dlg.Channel();
    return true;
}

bool EditFavorites(QWidget *parent, tProfile &profile)
{
    TfrmEditFavorites dlg(profile, parent);
    return dlg.exec() == QDialog::Accepted;
}
