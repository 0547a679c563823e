#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>
#include <array>
#include <sys/stat.h>

#include "profile/Profile.h"

namespace profiletest {
inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

inline bool writeBytes(const QString &path, const QByteArray &data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

// The file's permission bits (0600 for owner-only), -1 when it does not exist.
inline int modeOf(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}
// Every list of a profile, each once, listed here independently of the code under test.
inline std::array<QStringList *, 32> everyList(tProfile &p)
{
    return {&p.Favorite, &p.UserDef, &p.NameList, &p.PasswordList, &p.ServerList, &p.HomeList,
            &p.ChannelList, &p.OwnerList, &p.MemberList, &p.AccountList, &p.NumberList, &p.PhraseList,
            &p.WhisperList, &p.BanList, &p.NoBanList, &p.UserJoinList, &p.TimerList, &p.IntervalList,
            &p.CommandList, &p.CommandRes, &p.CommandLevel, &p.MacroList, &p.MacroKeys, &p.PhraseRes[0],
            &p.PhraseRes[1], &p.PhraseRes[2], &p.WhiserRes[0], &p.WhiserRes[1], &p.WhiserRes[2],
            &p.UserRes[0], &p.UserRes[1], &p.UserRes[2]};
}
} // namespace profiletest
