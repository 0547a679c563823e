#include "automation/Launcher.h"

#include <QDir>
#include <QFileInfo>

#include "automation/GameRegistry.h"
#include "automation/WinePrefix.h"

const QString tLauncher::ServerListKey = QStringLiteral("Software\\Battle.net\\Configuration");
const QString tLauncher::ServerListValue = QStringLiteral("Server List");
const QString tLauncher::FallbackServer = QStringLiteral("63.240.202.120");
const QString tLauncher::BattlenetSite = QStringLiteral("https://www.battle.net/");
const QString tLauncher::BlizzardSite = QStringLiteral("https://www.blizzard.com/");

namespace {
struct GameRow
{
    const char *key;
    const char *value;
    bool isFolder; // the value is the install folder; the program name is added to it
    const char *program;
    const char *fallback;
};

const GameRow &row(LaunchTarget game)
{
    static const GameRow rows[] = {
        {"Software\\Blizzard Entertainment\\Archives", "DiabloInstall", true, "diablo.exe", "c:\\diablo\\diablo.exe"},
        {"Software\\Blizzard Entertainment\\Starcraft", "Program", false, "",
         "c:\\program files\\Starcraft\\starcraft.exe"},
        // Brood War starts through the StarCraft program.
        {"Software\\Blizzard Entertainment\\Starcraft", "Program", false, "",
         "c:\\program files\\Starcraft\\starcraft.exe"},
        {"Software\\Blizzard Entertainment\\Warcraft II BNE", "Program", false, "",
         "c:\\program files\\warcraft II Bne\\Warcraft II BNE.exe"},
    };
    return rows[std::min(int(game), 3)];
}
} // namespace

QString tLauncher::GamePath(LaunchTarget game) const
{
    const GameRow &r = row(game);
    QString value;
    if (!m_registry.ReadString(QString::fromLatin1(r.key), QString::fromLatin1(r.value), value) || value.isEmpty())
        return QString::fromLatin1(r.fallback);
    if (!r.isFolder)
        return value;
    // A folder written without its closing separator still gets one before the program's name.
    if (value.endsWith(QLatin1Char('\\')) || value.endsWith(QLatin1Char('/')))
        return value + QString::fromLatin1(r.program);
    const bool slashes = value.contains(QLatin1Char('/')) && !value.contains(QLatin1Char('\\'));
    return value + QLatin1Char(slashes ? '/' : '\\') + QString::fromLatin1(r.program);
}

QString tLauncher::GameServer(bool loggedOn, const QString &currentServer, const QStringList &serverList)
{
    if (loggedOn)
        return currentServer;
    return serverList.isEmpty() ? FallbackServer : serverList.first();
}

QString tLauncher::ServerListWithFirst(const QString &list, const QString &server)
{
    QStringList entries = list.split(QLatin1Char(';'));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries[i].compare(server, Qt::CaseInsensitive) == 0) {
            entries.removeAt(i);
            break;
        }
    }
    // A list that ended with ";" keeps no empty entry at its end.
    if (!entries.isEmpty() && entries.last().isEmpty())
        entries.removeLast();
    entries.prepend(server);
    return entries.join(QLatin1Char(';'));
}

void tLauncher::AdjustServerList(const QString &server)
{
    QString list;
    if (server.isEmpty() || !m_registry.ReadString(ServerListKey, ServerListValue, list) || list.isEmpty())
        return;
    const QString busy = m_registry.Busy();
    if (!busy.isEmpty()) {
        if (Report)
            Report(busy + QStringLiteral(": the game's server list was not changed"));
        return;
    }
    m_registry.WriteString(ServerListKey, ServerListValue, ServerListWithFirst(list, server));
}

void tLauncher::Launch(LaunchTarget t, const QString &gameServer)
{
    if (!IsGame(t)) {
        Target = t == LaunchTarget::Battlenet ? BattlenetSite : BlizzardSite;
        m_start(Target, false);
        return;
    }
    Target = GamePath(t);
    if (!gameServer.isEmpty())
        AdjustServerList(gameServer);
    m_start(Target, true);
}

bool IsWindowsProgram(const QString &path)
{
    return path.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive) || (path.size() > 2 && path[1] == QLatin1Char(':'));
}

QString LaunchFolder(const QString &path, const QString &prefix)
{
    if (path.size() > 2 && path[1] == QLatin1Char(':'))
        return wine::UnixFolder(path, prefix);
    const QFileInfo f(path);
    return f.isAbsolute() && f.dir().exists() ? f.absolutePath() : QString();
}

QStringList LaunchCommand(const QString &path, const QString &wine)
{
    if (IsWindowsProgram(path))
        return wine.isEmpty() ? QStringList() : QStringList{wine, path};
    const QFileInfo f(path);
    return f.isFile() && f.isExecutable() ? QStringList{f.absoluteFilePath()} : QStringList();
}
