#include "profile/ProfileFiles.h"

#include "net/Ansi.h"
#include "profile/Profile.h"
#include "view/SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

const QString ExtSuffix = QStringLiteral(".ext");
const QString UsrSuffix = QStringLiteral(".usr");
const QString Favourite704 = QStringLiteral("Open Tech Support");
// Far beyond any real list file (a profile's lists are a few kilobytes): larger ones are unreadable.
constexpr qint64 MaxListFileSize = 16 * 1024 * 1024;

// Every list of the ".ext" file with its key, in the writer's order.
template <class Profile, class List = std::conditional_t<std::is_const_v<Profile>, const QStringList, QStringList>>
std::vector<std::pair<QString, List *>> extLists(Profile &p)
{
    std::vector<std::pair<QString, List *>> t = {
        {QStringLiteral("Favorite="), &p.Favorite},       {QStringLiteral("UserDef="), &p.UserDef},
        {QStringLiteral("NameList="), &p.NameList},       {QStringLiteral("PasswordList="), &p.PasswordList},
        {QStringLiteral("ServerList="), &p.ServerList},   {QStringLiteral("HomeList="), &p.HomeList},
        {QStringLiteral("ChannelList="), &p.ChannelList}, {QStringLiteral("OwnerList="), &p.OwnerList},
        {QStringLiteral("MemberList="), &p.MemberList},   {QStringLiteral("AccountList="), &p.AccountList},
        {QStringLiteral("NumberList="), &p.NumberList},   {QStringLiteral("PhraseList="), &p.PhraseList},
        {QStringLiteral("WhisperList="), &p.WhisperList}, {QStringLiteral("BanList="), &p.BanList},
        {QStringLiteral("NoBanList="), &p.NoBanList},     {QStringLiteral("UserJoinList="), &p.UserJoinList},
        {QStringLiteral("TimerList="), &p.TimerList},     {QStringLiteral("IntervalList="), &p.IntervalList},
        {QStringLiteral("CommandList="), &p.CommandList}, {QStringLiteral("CommandRes="), &p.CommandRes},
        {QStringLiteral("CommandLevel="), &p.CommandLevel}, {QStringLiteral("MacroList="), &p.MacroList},
        {QStringLiteral("MacroKeys="), &p.MacroKeys},
    };
    for (int n = 0; n < 3; ++n) {
        const QString digit = QString::number(n + 1);
        t.emplace_back(QStringLiteral("WhiserRes") + digit + QLatin1Char('='), &p.WhiserRes[size_t(n)]);
        t.emplace_back(QStringLiteral("PhraseRes") + digit + QLatin1Char('='), &p.PhraseRes[size_t(n)]);
        t.emplace_back(QStringLiteral("UserRes") + digit + QLatin1Char('='), &p.UserRes[size_t(n)]);
    }
    return t;
}

// The older layout: one file per list, in the order they are read.
struct OldFile
{
    const char *suffix;
    QStringList tProfile::*list;
};
const OldFile OldListFiles[] = {
    {".ujn", &tProfile::UserJoinList}, {".tim", &tProfile::TimerList}, {".int", &tProfile::IntervalList},
    {".ban", &tProfile::BanList},      {".own", &tProfile::OwnerList}, {".mem", &tProfile::MemberList},
    {".nbn", &tProfile::NoBanList},    {".phr", &tProfile::PhraseList}, {".whi", &tProfile::WhisperList},
    {".cus", &tProfile::UserDef},      {".nam", &tProfile::NameList},  {".pwd", &tProfile::PasswordList},
    {".act", &tProfile::AccountList},  {".num", &tProfile::NumberList},
};

QStringList oldLayoutSuffixes()
{
    QStringList s;
    for (const char *kind : {".pr", ".wr", ".ur"})
        for (int n = 1; n <= 3; ++n)
            s << QLatin1String(kind) + QString::number(n);
    s << QStringLiteral(".cm") << QStringLiteral(".cmd") << QStringLiteral(".pro");
    for (const OldFile &f : OldListFiles)
        s << QLatin1String(f.suffix);
    s << QStringLiteral(".srv") << QStringLiteral(".chn") << QStringLiteral(".cls");
    return s;
}

// Calls line(data, size) for every line; "\r", "\n" and "\r\n" each end one.
template <class Line>
void forEachLine(const QByteArray &text, Line line)
{
    const char *data = text.constData();
    const qsizetype size = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if (data[i] != '\r' && data[i] != '\n')
            continue;
        line(data + start, i - start);
        if (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        line(data + start, size - start);
}

QStringList splitLines(const QByteArray &text)
{
    QStringList lines;
    forEachLine(text, [&lines](const char *data, qsizetype size) { lines << ansi::fromBytes(data, size); });
    return lines;
}

// An element is one line: a line break inside it would start a line of its own (a new key).
QByteArray oneLine(const QString &value)
{
    QByteArray bytes = ansi::toBytes(value);
    bytes.replace('\r', ' ');
    bytes.replace('\n', ' ');
    return bytes;
}

bool anyCompanionExists(const QString &base)
{
    if (QFile::exists(base + ExtSuffix) || QFile::exists(base + UsrSuffix))
        return true;
    for (const QString &suffix : oldLayoutSuffixes())
        if (QFile::exists(base + suffix))
            return true;
    return false;
}

// Companion files saved under the whole-path rule are still found when the new base has none.
QString loadBase(const QString &path)
{
    const QString base = ProfileBaseName(path);
    const QString legacy = LegacyProfileBaseName(path);
    if (base == legacy || anyCompanionExists(base) || !anyCompanionExists(legacy))
        return base;
    return legacy;
}

bool readRecord(const QString &path, tChatSettings &settings)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    tChatSettings record;
    if (file.read(reinterpret_cast<char *>(record.bytes.data()), tChatSettings::Size) != tChatSettings::Size)
        return false;
    settings = record;
    return true;
}

// Returns whether the record predates the favourites bar (its default favourite is added later).
bool upgradeRecord(tProfile &p)
{
    const QByteArray version = ansi::toBytes(p.Settings.Version());
    if (version < QByteArray("6.02")) {
        p.Settings.setReservedFlags(true);
        p.Modified = true;
    }
    if (version < QByteArray("6.03")) {
        p.Settings.setConnectTimeout(5);
        p.Settings.setLoginTimeout(20);
        p.Settings.setAcceptSounds(true);
        p.Settings.setPlaySoundsLocally(true);
    }
    const bool before704 = version < QByteArray("7.04");
    if (before704)
        p.Settings.setShowFavorites(true);
    p.Settings.setVersion(QStringLiteral("7.04"));
    return before704;
}

void resetListsForLoad(tProfile &p)
{
    for (int n = 0; n < 3; ++n) {
        p.PhraseRes[size_t(n)].clear();
        p.WhiserRes[size_t(n)].clear();
        p.UserRes[size_t(n)].clear();
    }
    p.DefaultCommands();
    p.Actions.fill(QStringLiteral("None"));
    for (QStringList *list : {&p.UserJoinList, &p.TimerList, &p.IntervalList, &p.BanList, &p.OwnerList,
                              &p.MemberList, &p.NoBanList, &p.PhraseList, &p.WhisperList, &p.UserDef,
                              &p.NameList, &p.PasswordList, &p.AccountList, &p.NumberList,
                              &p.MacroList, &p.MacroKeys})
        list->clear();
}

// Reads the file into the list when it exists; false only when it exists but cannot be read.
bool loadListIfPresent(const QString &path, QStringList &list)
{
    if (!QFile::exists(path))
        return true;
    QStringList lines;
    if (!ReadTextLines(path, lines))
        return false;
    list = lines;
    return true;
}

bool loadOlderLayout(tProfile &p, const QString &base)
{
    for (int n = 0; n < 3; ++n) {
        const QString digit = QString::number(n + 1);
        if (!loadListIfPresent(base + QStringLiteral(".pr") + digit, p.PhraseRes[size_t(n)])
            || !loadListIfPresent(base + QStringLiteral(".wr") + digit, p.WhiserRes[size_t(n)])
            || !loadListIfPresent(base + QStringLiteral(".ur") + digit, p.UserRes[size_t(n)]))
            return false;
    }

    // Commands come in groups of three lines; an unreadable file keeps the default table.
    const QString commands = base + QStringLiteral(".cm");
    QStringList lines;
    if (QFile::exists(commands) && ReadTextLines(commands, lines)) {
        p.CommandList.clear();
        p.CommandRes.clear();
        p.CommandLevel.clear();
        for (qsizetype i = 0; i < lines.size(); i += 3) {
            p.CommandList << lines[i];
            if (i + 1 >= lines.size())
                break;
            p.CommandRes << lines[i + 1];
            if (i + 2 >= lines.size())
                break;
            p.CommandLevel << lines[i + 2];
        }
    }

    const QString products = base + QStringLiteral(".pro");
    if (QFile::exists(products)) {
        if (!ReadTextLines(products, lines) || lines.size() < ProductActionCount)
            return false;
        for (int i = 0; i < ProductActionCount; ++i)
            p.Actions[size_t(i)] = lines[i];
    }

    for (const OldFile &f : OldListFiles)
        if (!loadListIfPresent(base + QLatin1String(f.suffix), p.*f.list))
            return false;

    const QString servers = base + QStringLiteral(".srv");
    if (!QFile::exists(servers))
        p.DefaultServers();
    else if (!loadListIfPresent(servers, p.ServerList))
        return false;
    p.HomeList.clear();
    if (!loadListIfPresent(base + QStringLiteral(".chn"), p.HomeList))
        return false;
    const QString channels = base + QStringLiteral(".cls");
    if (!QFile::exists(channels))
        p.DefaultChannels();
    else if (!loadListIfPresent(channels, p.ChannelList))
        return false;
    return true;
}

// Record and lists; stops at the first failure.
bool loadRecordAndLists(tProfile &p, const QString &path, const QString &base)
{
    if (!readRecord(path, p.Settings))
        return false;
    const bool before704 = upgradeRecord(p);
    resetListsForLoad(p);

    const QString ext = base + ExtSuffix;
    if (QFile::exists(ext)) {
        QByteArray text;
        if (!records::readBounded(ext, MaxListFileSize, text))
            return false;
        ReadExtText(p, text);
    } else if (!loadOlderLayout(p, base)) {
        return false;
    }

    if (before704)
        p.Favorite << Favourite704;
    return true;
}

} // namespace

QString ProfileBaseName(const QString &path)
{
    QString base = path;
    base.remove(QLatin1Char('*'));
    qsizetype nameStart = base.lastIndexOf(QLatin1Char('/')) + 1;
#ifdef Q_OS_WIN
    nameStart = std::max(nameStart, base.lastIndexOf(QLatin1Char('\\')) + 1);
#endif
    // ".hidden.ch5" is named ".hidden"; cutting at its first dot would leave only the folder.
    const qsizetype dot = base.indexOf(QLatin1Char('.'), nameStart + 1);
    if (nameStart < base.size() && dot >= 0)
        base.truncate(dot);
    return base;
}

QString LegacyProfileBaseName(const QString &path)
{
    QString base = path;
    base.remove(QLatin1Char('*'));
    const qsizetype dot = base.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        base.truncate(dot);
    return base;
}

bool ReadTextLines(const QString &path, QStringList &lines)
{
    QByteArray text;
    if (!records::readBounded(path, MaxListFileSize, text))
        return false;
    lines = splitLines(text);
    return true;
}

QByteArray WriteExtText(const tProfile &profile)
{
    QByteArray out;
    const auto writeLine = [&out](const QByteArray &key, const QString &value) {
        out += key;
        out += oneLine(value);
        out += "\r\n";
    };
    for (const auto &[key, list] : extLists(profile)) {
        const QByteArray keyBytes = key.toLatin1(); // the keys are ASCII
        for (const QString &element : *list)
            writeLine(keyBytes, element);
    }
    for (int i = 0; i < ProductActionCount; ++i)
        writeLine(QByteArray(tProfile::ProductActionKeys[i]), profile.Actions[size_t(i)]);
    return out;
}

void ReadExtText(tProfile &profile, const QByteArray &text)
{
    for (QStringList *list : {&profile.CommandList, &profile.CommandRes, &profile.CommandLevel,
                              &profile.ServerList, &profile.HomeList, &profile.ChannelList})
        list->clear();

    // Every key is ASCII and ends with its only "=", so a line's key is its bytes up to the first
    // "=". Keys are matched on the bytes, so only the values of known keys are ever decoded.
    struct Target {
        QStringList *list = nullptr;
        QString *action = nullptr;
    };
    std::unordered_map<std::string, Target> targets;
    for (const auto &[key, list] : extLists(profile))
        targets.emplace(ansi::foldAZ(key).toStdString(), Target{list, nullptr});
    for (int i = 0; i < ProductActionCount; ++i)
        targets.emplace(ansi::foldAZ(QLatin1String(tProfile::ProductActionKeys[i])).toStdString(),
                        Target{nullptr, &profile.Actions[size_t(i)]});

    std::string key;
    forEachLine(text, [&](const char *data, qsizetype size) {
        const char *eq = static_cast<const char *>(std::memchr(data, '=', size_t(size)));
        if (!eq)
            return;
        key.assign(data, eq + 1);
        for (char &c : key)
            c = char(ansi::foldAZ(char16_t(uchar(c))));
        const auto found = targets.find(key);
        if (found == targets.end())
            return;
        const QString value = ansi::fromBytes(eq + 1, data + size - (eq + 1));
        if (found->second.list)
            found->second.list->append(value);
        else
            *found->second.action = value;
    });
}

void DeleteOldFiles(const QString &path)
{
    const QString base = ProfileBaseName(path);
    const QFileInfo profileFile(path);
    for (const QString &suffix : oldLayoutSuffixes()) {
        // A profile saved as "name.own" is itself named like an older list file. Comparing resolves
        // both paths, so only files that are there are compared.
        const QFileInfo old(base + suffix);
        if (old.exists() && old != profileFile)
            QFile::remove(old.filePath());
    }
}

bool LoadProfile(tProfile &profile, const QString &path, ProfileReporter &reporter, bool *recordAndLists)
{
    const QString base = loadBase(path);
    bool ok = true;
    if (!loadRecordAndLists(profile, path, base)) {
        reporter.showMessage(QStringLiteral("Error loading file: ") + path);
        ok = false;
    }
    if (recordAndLists)
        *recordAndLists = ok;
    if (!profile.Users.LoadFromFile(base + UsrSuffix)) {
        reporter.showMessage(QStringLiteral("Could not load user settings file"));
        ok = false;
    }
    return ok;
}

bool SaveProfile(tProfile &profile, const QString &path, ProfileReporter &reporter)
{
    const QString base = ProfileBaseName(path);
    const QString ext = base + ExtSuffix, usr = base + UsrSuffix;
    const QString target = QFileInfo(path).absoluteFilePath();
    // A profile named like its own list or user file would be overwritten by it.
    if (target == QFileInfo(ext).absoluteFilePath() || target == QFileInfo(usr).absoluteFilePath()) {
        reporter.showMessage(QStringLiteral("Error saving file: ") + path);
        return false;
    }

    // All three go to temporaries first: a new record must never stand beside old lists or users.
    const QByteArray record(reinterpret_cast<const char *>(profile.Settings.bytes.data()), tChatSettings::Size);
    safefile::tPendingFile recordFile(path, safefile::Access::OwnerOnly);
    safefile::tPendingFile extFile(ext, safefile::Access::OwnerOnly);
    safefile::tPendingFile usrFile(usr, safefile::Access::OwnerOnly);
    if (!recordFile.Write(record) || !extFile.Write(WriteExtText(profile))) {
        reporter.showMessage(QStringLiteral("Error saving file: ") + path);
        return false;
    }
    if (!usrFile.Write(profile.Users.Bytes())) {
        reporter.showMessage(QStringLiteral("Could not save user settings file"));
        return false;
    }
    if (!recordFile.Commit() || !extFile.Commit()) {
        reporter.showMessage(QStringLiteral("Error saving file: ") + path);
        return false;
    }
    if (!usrFile.Commit()) {
        reporter.showMessage(QStringLiteral("Could not save user settings file"));
        return false;
    }
    // Only now: with the ".ext" in place the older files are never read again.
    DeleteOldFiles(path);
    return true;
}
