#include "profile/ToolbarFile.h"

#include "view/SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace toolbar {
namespace {
struct Entry
{
    const char *dialogName;
    const char *caption;
};
constexpr Entry Catalogue[EntryCount] = {
    {"- Separator -", ""},
    {"Connect", "Connect"},
    {"Setup", "Setup..."},
    {"Fonts", "Fonts..."},
    {"Join Channel", "Channel..."},
    {"Channel List", "List Users..."},
    {"User Details", "Details..."},
    {"Account Information", "Accounts"},
    {"Text Files", "Text Files..."},
    {"Away Mode", "Away Mode"},
    {"DND Mode", "DND Mode"},
    {"Whisper Lock", "Whisp Lock"},
    {"Chat Pause", "Chat Pause"},
    {"Cut", "Cut"},
    {"Copy", "Copy"},
    {"Paste", "Paste"},
    {"Undo", "Undo"},
};
} // namespace

QString DialogName(int entry)
{
    return entry >= 0 && entry < EntryCount ? QString::fromLatin1(Catalogue[entry].dialogName) : QString();
}

QString Caption(int entry)
{
    return entry >= 0 && entry < EntryCount ? QString::fromLatin1(Catalogue[entry].caption) : QString();
}

int EntryOfName(const QString &dialogName)
{
    for (int i = 0; i < EntryCount; ++i)
        if (dialogName == QLatin1String(Catalogue[i].dialogName))
            return i;
    return -1;
}

QList<qint32> DefaultDefinition()
{
    return {1, 0, 2, 3, 0, 4, 5, 0, 6, 7, 0, 8, 0, 9, 10, 11, 0, 12, 0, 13, 14, 15, 16};
}

QList<qint32> Load(const QString &path)
{
    // Only a regular file: opening a FIFO would wait for a writer and hang the start-up.
    if (!QFileInfo(path).isFile())
        return DefaultDefinition();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return DefaultDefinition();
    const QByteArray bytes = f.read(qint64(MaxEntries) * 4 + 1);
    // A partial integer at the end is a failed read; so is a file longer than any definition.
    if (bytes.size() % 4 != 0 || bytes.size() > MaxEntries * 4 || f.error() != QFileDevice::NoError)
        return DefaultDefinition();
    QList<qint32> def;
    def.reserve(bytes.size() / 4);
    for (int i = 0; i < bytes.size(); i += 4)
        def.append(qFromLittleEndian<qint32>(bytes.constData() + i));
    return def;
}

bool Save(const QString &path, const QList<qint32> &definition)
{
    QByteArray bytes(definition.size() * 4, '\0');
    for (int i = 0; i < definition.size(); ++i)
        qToLittleEndian<qint32>(definition[i], bytes.data() + i * 4);
    return safefile::WriteFile(path, bytes);
}
} // namespace toolbar
