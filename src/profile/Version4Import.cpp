#include "profile/Version4Import.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "net/Ansi.h"
#include "net/ServerAddress.h"
#include "view/ChatDefs.h"
#include "view/FindFile.h"
#include "profile/Profile.h"

namespace {
constexpr qint64 MaxListFile = 16 * 1024 * 1024;

enum class How { Merged, Appended };

bool addLines(QStringList &list, const QStringList &lines, How how)
{
    bool changed = false;
    for (const QString &line : lines) {
        if (how == How::Merged && list.contains(line, Qt::CaseInsensitive))
            continue;
        list.append(line);
        changed = true;
    }
    return changed;
}

// A list that runs beside a key list, entry by entry: extended with empty entries or cut to the key's
// length, so an imported entry meets its own companions and not those of another entry.
bool fitToKey(const QStringList &key, QStringList &companion)
{
    if (companion.size() == key.size())
        return false;
    while (companion.size() < key.size())
        companion.append(QString());
    companion.resize(key.size());
    return true;
}

bool fitCompanions(tProfile &p)
{
    bool changed = false;
    for (size_t n = 0; n < 3; ++n) {
        changed |= fitToKey(p.PhraseList, p.PhraseRes[n]);
        changed |= fitToKey(p.WhisperList, p.WhiserRes[n]);
        changed |= fitToKey(p.UserJoinList, p.UserRes[n]);
    }
    changed |= fitToKey(p.TimerList, p.IntervalList);
    changed |= fitToKey(p.AccountList, p.NumberList);
    return changed;
}

} // namespace

bool ReadListFile(const QString &path, QStringList &lines)
{
    lines.clear();
    QByteArray bytes;
    if (!QFileInfo(path).isFile() || !records::readBounded(path, MaxListFile, bytes))
        return false;
    // CR LF, LF or CR ends a line; a last line without an end still counts.
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines << ansi::fromBytes(bytes.constData() + start, i - start);
        if (bytes[i] == '\r' && i + 1 < n && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << ansi::fromBytes(bytes.constData() + start, n - start);
    return true;
}

void ImportVersion4(tProfile &p, const QString &base)
{
    struct Row { QString suffix; QStringList *list; How how; };
    std::vector<Row> rows = {
        {QStringLiteral("ban.txt"), &p.NoBanList, How::Merged},
        {QStringLiteral("userban.txt"), &p.BanList, How::Merged},
        {QStringLiteral("account.txt"), &p.AccountList, How::Appended},
        {QStringLiteral("number.txt"), &p.NumberList, How::Appended},
        {QStringLiteral("channel.txt"), &p.ChannelList, How::Merged},
        {QStringLiteral("interval.txt"), &p.IntervalList, How::Appended},
        {QStringLiteral("timer.txt"), &p.TimerList, How::Appended},
        {QStringLiteral("join.txt"), &p.UserJoinList, How::Appended},
    };
    for (int n = 0; n < 3; ++n)
        rows.push_back({QStringLiteral("userres%1.txt").arg(n + 1), &p.UserRes[size_t(n)], How::Appended});
    rows.push_back({QStringLiteral("owner.txt"), &p.OwnerList, How::Merged});
    rows.push_back({QStringLiteral("phrase.txt"), &p.PhraseList, How::Appended});
    for (int n = 0; n < 3; ++n)
        rows.push_back({QStringLiteral("res%1.txt").arg(n + 1), &p.PhraseRes[size_t(n)], How::Appended});
    rows.push_back({QStringLiteral("userdef.txt"), &p.UserDef, How::Merged});
    rows.push_back({QStringLiteral("whisper.txt"), &p.WhisperList, How::Appended});
    for (int n = 0; n < 3; ++n)
        rows.push_back({QStringLiteral("whispres%1.txt").arg(n + 1), &p.WhiserRes[size_t(n)], How::Appended});

    const QFileInfo baseInfo(base);
    const QString folder = baseInfo.path();
    const QString stem = baseInfo.fileName();

    bool changed = fitCompanions(p);
    QStringList working;
    for (const Row &r : rows) {
        // Version 4 files come from systems that ignore letter case.
        const QString path = FindIgnoringCase(folder, stem + r.suffix);
        // Whatever went wrong while reading leaves the working list empty.
        if (!ReadListFile(path, working))
            working.clear();
        changed |= addLines(*r.list, working, r.how);
    }
    changed |= fitCompanions(p);
    // The imported entries are the user's to save or to discard: the exit asks.
    if (changed)
        p.Modified = true;
}

bool ReadServerList(const QString &path, QStringList &servers)
{
    servers.clear();
    QStringList lines;
    if (!ReadListFile(path, lines))
        return false;
    QStringList found;
    for (const QString &line : lines) {
        const QString entry = line.trimmed();
        if (entry.isEmpty())
            continue;
        // The setup dialog's own check: only whether the entry is well formed, not its port.
        if (!ParseServerAddress(entry, 1).Valid())
            return false;
        found << entry;
    }
    if (found.isEmpty())
        return false;
    servers = found;
    return true;
}
