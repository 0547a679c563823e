#include "view/ChannelUsers.h"

#include "view/ChatDefs.h"

#include <algorithm>

tChannelUsers::tChannelUsers(QObject *parent) : QAbstractListModel(parent) {}

int tChannelUsers::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_users.size());
}

QVariant tChannelUsers::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= int(m_users.size()))
        return QVariant();
    const Entry &e = m_users[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return e.Name;
    case IconRole:
        return e.Icon;
    case SquelchRole:
        return e.Squelched;
    default:
        return QVariant();
    }
}

Qt::ItemFlags tChannelUsers::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags f = QAbstractListModel::flags(index);
    return index.isValid() ? f | Qt::ItemIsDragEnabled : f;
}

void tChannelUsers::SetPersonalIcons(const QStringList &names)
{
    m_personal = names.mid(0, MaxIconCount - BuiltinIconCount);
    m_iconCount = BuiltinIconCount + int(m_personal.size());
}

int tChannelUsers::ParseFlags(const QString &flags)
{
    // Hexadecimal digits and nothing else: no sign, blank or "0x" (toInt would take them).
    if (flags.isEmpty() || flags.size() > 7)
        return 0;
    int v = 0;
    for (QChar c : flags) {
        const qsizetype digit = QStringView(u"0123456789abcdef").indexOf(c, 0, Qt::CaseInsensitive);
        if (digit < 0)
            return 0;
        v = v * 16 + int(digit);
    }
    return v;
}

int tChannelUsers::ChooseIcon(const QString &product, int flags)
{
    int index = 0;
    if (product == QLatin1String("DRTL"))
        index = 2;
    else if (product == QLatin1String("STAR"))
        index = 3;
    else if (product == QLatin1String("DSHR"))
        index = 8;
    else if (product == QLatin1String("SSHR"))
        index = 5;
    else if (product == QLatin1String("CHAT"))
        index = 1;
    else if (product == QLatin1String("SEXP"))
        index = 6;
    else if (product == QLatin1String("W2BN"))
        index = 10;
    else if (product == QLatin1String("JSTR"))
        index = 11;
    if (product.startsWith(QLatin1String("D2")))
        index = 20;
    if (product.startsWith(QLatin1Char('X'))) {
        bool ok = false;
        const int n = product.mid(1).toInt(&ok);
        index = ok ? n : 0;
    }
    if (product == QLatin1String("QRLZ"))
        index = 12;
    if (flags & 0x01)
        index = 7;
    if (flags & 0x02)
        index = 4;
    return index;
}

QString tChannelUsers::AdjustProduct(const QString &user, const QString &product) const
{
    QString adjusted = product;
    const QString key = lowerAscii(user);
    for (int p = 0; p < m_personal.size(); ++p)
        if (!m_personal[p].isEmpty() && lowerAscii(m_personal[p]) == key) {
            adjusted = QLatin1Char('X') + QString::number(p + BuiltinIconCount);
            break;
        }
    if (key == QLatin1String("-quorl-"))
        adjusted = QStringLiteral("QRLZ");
    return adjusted;
}

void tChannelUsers::applyIcon(Entry &e, const QString &product, int flags) const
{
    const int index = ChooseIcon(product, flags);
    // A code from the server such as "X999" or "X-3" names no image: the icon stays.
    if (index > 0 && index < m_iconCount)
        e.Icon = index;
}

void tChannelUsers::updateCaption()
{
    m_caption = CurrentChannel + QLatin1String(" (") + QString::number(ChannelUserCount()) + QLatin1Char(')');
    emit captionChanged(m_caption);
}

void tChannelUsers::EnterChannel(const QString &channel)
{
    CurrentChannel = channel;
    clearUsers();
    updateCaption();
}

void tChannelUsers::Clear()
{
    clearUsers();
    m_caption.clear();
    emit captionChanged(m_caption);
}

QString tChannelUsers::Add(const QString &user, const QString &flags, const QString &product)
{
    Entry e;
    e.Name = user;
    const int f = ParseFlags(flags);
    // The server reports users this client has squelched with bit 0x20 when listing a channel.
    e.Squelched = (f & 0x20) != 0;
    const QString adjusted = AdjustProduct(user, product);
    applyIcon(e, adjusted, f);
    e.Seq = m_nextSeq++;
    m_byName[user.toCaseFolded()].push_back(e.Seq);
    const int row = int(m_users.size());
    beginInsertRows(QModelIndex(), row, row);
    m_users.push_back(e);
    endInsertRows();
    updateCaption();
    return adjusted;
}

void tChannelUsers::clearUsers()
{
    beginResetModel();
    m_users.clear();
    m_byName.clear();
    endResetModel();
}

int tChannelUsers::rowOfSeq(quint64 seq) const
{
    const auto it = std::lower_bound(m_users.begin(), m_users.end(), seq,
                                     [](const Entry &e, quint64 s) { return e.Seq < s; });
    return it != m_users.end() && it->Seq == seq ? int(it - m_users.begin()) : -1;
}

int tChannelUsers::IndexOf(const QString &user) const
{
    const auto it = m_byName.constFind(user.toCaseFolded());
    return it == m_byName.cend() || it->empty() ? -1 : rowOfSeq(it->front());
}

bool tChannelUsers::Remove(const QString &user)
{
    const int row = IndexOf(user);
    if (row < 0)
        return false;
    const auto named = m_byName.find(user.toCaseFolded());
    named->erase(named->begin());
    if (named->empty())
        m_byName.erase(named);
    beginRemoveRows(QModelIndex(), row, row);
    m_users.erase(m_users.begin() + row);
    endRemoveRows();
    updateCaption();
    return true;
}

bool tChannelUsers::SetFlags(const QString &user, const QString &flags)
{
    const int row = IndexOf(user);
    if (row < 0)
        return false;
    Entry &e = m_users[row];
    const int f = ParseFlags(flags);
    e.Squelched = (f & 0x20) != 0;
    applyIcon(e, QString(), f);
    const QModelIndex i = index(row);
    emit dataChanged(i, i);
    return true;
}
