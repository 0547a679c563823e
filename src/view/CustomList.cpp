#include "view/CustomList.h"

#include <QFileInfo>

#include "net/Ansi.h"
#include "view/ChatDefs.h"
#include "view/SafeFile.h"

namespace customlist {

int IndexOf(const QStringList &list, const QString &name)
{
    for (int i = 0; i < list.size(); ++i)
        if (list[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool Append(QStringList &list, const QString &name)
{
    if (name.isEmpty() || IndexOf(list, name) >= 0)
        return false;
    list.append(name);
    return true;
}

bool InsertDropped(QStringList &list, const QString &name, int target)
{
    if (name.isEmpty() || IndexOf(list, name) >= 0)
        return false;
    list.insert(qBound(0, target, int(list.size())), name);
    return true;
}

bool MoveDropped(QStringList &list, const QString &name, int start, int target)
{
    const int n = int(list.size());
    if (name.isEmpty() || start < 0 || start >= n || target < 0 || target == start)
        return false;
    target = qMin(target, n);
    list.insert(target, name);
    list.removeAt(target > start ? start : start + 1);
    return true;
}

bool Swap(QStringList &list, int row, int step)
{
    const int other = row + step;
    if (row < 0 || row >= list.size() || other < 0 || other >= list.size())
        return false;
    list.swapItemsAt(row, other);
    return true;
}

} // namespace customlist

namespace iconsfile {

// No real icons file comes near this; a larger one (or an endless device) is not read.
constexpr qint64 MaxFileSize = 1 << 20;

bool ReadForUpdate(const QString &path, QStringList &lines)
{
    lines.clear();
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return true;
    QByteArray bytes;
    // Only a regular file: a FIFO would wait for a writer.
    if (!QFileInfo(path).isFile() || !records::readBounded(path, MaxFileSize, bytes))
        return false;
    if (bytes.isEmpty())
        return true;
    lines = ansi::fromBytes(bytes).split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    for (QString &l : lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    return true;
}

QStringList Read(const QString &path)
{
    QStringList lines;
    ReadForUpdate(path, lines);
    return lines;
}

bool Write(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &l : lines)
        bytes += ansi::toBytes(l) + "\r\n";
    return safefile::WriteFile(path, bytes);
}

QList<QPair<QString, QString>> Pairs(const QStringList &lines)
{
    QList<QPair<QString, QString>> pairs;
    for (int i = 0; i + 1 < lines.size(); i += 2)
        pairs.append({lines[i], lines[i + 1]});
    return pairs;
}

void SetIcon(QStringList &lines, const QString &name, const QString &file)
{
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (i + 1 < lines.size())
            lines[i + 1] = file;
        return;
    }
    lines << name << file;
}

} // namespace iconsfile
