#pragma once
#include <QAbstractListModel>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QList>
#include <vector>

// The users of the current channel in arrival order, with the icon chosen for each and the
// squelch mark; also the channel name, the user count and the caption built from them.
class tChannelUsers : public QAbstractListModel
{
    Q_OBJECT
public:
    // Images of the icon table that every window has; personal icons follow them.
    static constexpr int BuiltinIconCount = 21;
    static constexpr int MaxIconCount = 101;
    static constexpr int SquelchedIcon = 9;
    static constexpr int NoIcon = -1;

    enum Roles { IconRole = Qt::UserRole + 1, SquelchRole };

    struct Entry
    {
        QString Name;
        int Icon = NoIcon; // index into the icon table, or NoIcon
        bool Squelched = false;
        // Arrival number: increases along the list, so a row is found by binary search.
        quint64 Seq = 0;
    };

    explicit tChannelUsers(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // Entries can be dragged (onto the custom list or the entry line).
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The personal icon names: the name at position p owns image p + BuiltinIconCount. The icon table
    // then has BuiltinIconCount + names.size() images (at most MaxIconCount).
    void SetPersonalIcons(const QStringList &names);
    int IconCount() const { return m_iconCount; }

    QString CurrentChannel;
    int ChannelUserCount() const { return int(m_users.size()); }
    // CurrentChannel + " (" + count + ")", or empty after a disconnect.
    const QString &Caption() const { return m_caption; }

    // A channel was entered: the list is emptied and the caption shows the count 0.
    void EnterChannel(const QString &channel);
    // Disconnected: the list and the caption are emptied.
    void Clear();
    // Adds the user at the end and chooses the icon; returns the product used for the choice
    // (the personal-icon and special-name adjustments applied).
    QString Add(const QString &user, const QString &flags, const QString &product);
    // Removes the user's entry; false when the user is not listed.
    bool Remove(const QString &user);
    // Squelch mark from bit 0x20 and the icon from the flag bits; false when the user is not listed.
    bool SetFlags(const QString &user, const QString &flags);
    int IndexOf(const QString &user) const; // ignoring letter case; -1 when none
    const Entry &At(int row) const { return m_users[row]; }

    // Rules of the icon choice, without the table bounds check; 0 means "leave the icon as it is".
    static int ChooseIcon(const QString &product, int flags);
    // Flags are four hexadecimal digits; anything else counts as 0.
    static int ParseFlags(const QString &flags);
    QString AdjustProduct(const QString &user, const QString &product) const;

signals:
    void captionChanged(const QString &caption);

private:
    void applyIcon(Entry &e, const QString &product, int flags) const;
    void updateCaption();

    void clearUsers();
    int rowOfSeq(quint64 seq) const;

    // A QList of a relocatable type: removing a row moves the rows after it with one memmove.
    QList<Entry> m_users;
    // Case-folded name -> arrival numbers of the entries with that name, oldest first: a leave or
    // a flags change in a big channel costs no scan of the list.
    QHash<QString, std::vector<quint64>> m_byName;
    quint64 m_nextSeq = 0;
    QStringList m_personal;
    int m_iconCount = BuiltinIconCount;
    QString m_caption;
};

Q_DECLARE_TYPEINFO(tChannelUsers::Entry, Q_RELOCATABLE_TYPE);
