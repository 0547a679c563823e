#pragma once
#include <QDialog>
#include <QStringList>
#include <functional>

class QLineEdit;
class QListWidget;
class QPushButton;
struct tProfile;

// "Select Channel": the known channels, kept sorted ignoring letter case.
class tChannelChoice
{
public:
    static constexpr int MaxChannelLength = 240;
    explicit tChannelChoice(const QStringList &channels);
    // The row equal to the name ignoring case, else the first row (-1 for an empty list).
    int RowFor(const QString &name) const;
    // Adds the name unless it is listed already; returns its row.
    int Add(const QString &name);
    void Delete(int row);
    void Clear() { Channels.clear(); }

    QStringList Channels;
};

// "Edit Favorites": the favourites in their order.
class tFavoriteEdit
{
public:
    explicit tFavoriteEdit(const QStringList &favorites) : Favorites(favorites) {}
    void Append(const QString &name) { Favorites << name; }
    // Each returns the row to select afterwards.
    int Delete(int row);
    int Move(int row, int step);

    QStringList Favorites;
};

class TfrmSelectChannel : public QDialog
{
    Q_OBJECT
public:
    TfrmSelectChannel(tProfile &profile, const QString &channel, QWidget *parent = nullptr);
    QString Channel() const;
    // Asks the delete and clear questions; tests answer them.
    std::function<bool(const QString &question)> Confirm;
    std::function<void(const QString &topic)> Help;
    void done(int result) override;

    QListWidget *lstChannel;
    QLineEdit *edChannel;
    QPushButton *btnAdd, *btnDelete, *btnClear, *btnOk, *btnCancel, *btnHelp;

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    void refill(int row);
    void pick(int row);
    tProfile &m_profile;
    tChannelChoice m_rules;
    QString m_start;
};

class TfrmEditFavorites : public QDialog
{
    Q_OBJECT
public:
    TfrmEditFavorites(tProfile &profile, QWidget *parent = nullptr);
    // Answers "&New Favorite"; the real one is an input box. Null answer: cancelled.
    std::function<bool(QString &answer)> AskNew;
    tFavoriteEdit &Rules() { return m_rules; }
    void accept() override;

    QListWidget *lstFavorites;
    QPushButton *btnNew, *btnDelete, *btnMoveUp, *btnMoveDown, *btnOk, *btnCancel;

private:
    void refill(int row);
    tProfile &m_profile;
    tFavoriteEdit m_rules;
};

// Modal "Select Channel" from `channel`; true and the chosen name when confirmed.
bool SelectChannel(QWidget *parent, tProfile &profile, QString &channel,
                   const std::function<void(const QString &)> &help = {});
// Modal "Edit Favorites"; true when "&Ok" stored the list.
bool EditFavorites(QWidget *parent, tProfile &profile);
