#include "profile/Version4Import.h"

#include <QFileInfo>

#include "net/Ansi.h"
#include "view/ChatDefs.h"
#include "profile/Profile.h"

namespace {
constexpr qint64 MaxListFile = 16 * 1024 * 1024;

enum class How { Merged, Appended };

void addLines(QStringList &list, const QStringList &lines, How how)
{
    for (const QString &line : lines) {
        if (how == How::Merged && list.contains(line, Qt::CaseInsensitive))
            continue;
        list.append(line);
    }
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

    QStringList working;
    for (const Row &r : rows) {
        // Whatever went wrong while reading leaves the working list empty.
        if (!ReadListFile(base + r.suffix, working))
            working.clear();
        addLines(*r.list, working, r.how);
    }
}
