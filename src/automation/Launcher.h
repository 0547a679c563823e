#pragma once
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "automation/GameRegistry.h"

// The launcher's six pictures, left to right.
enum class LaunchTarget { Diablo, Starcraft, Broodwar, Warcraft, Battlenet, Blizzard };

// What the launcher starts and which server it points a game at, without any window.
class tLauncher
{
public:
    static const QString ServerListKey;   // "Software\Battle.net\Configuration"
    static const QString ServerListValue; // "Server List"
    static const QString FallbackServer;  // used when the profile lists no server at all
    static const QString BattlenetSite;
    static const QString BlizzardSite;

    // `start` starts a game's program or opens a web address; its failures are not reported.
    using Starter = std::function<void(const QString &pathOrUrl, bool isProgram)>;
    // A line for the status bar.
    using Reporter = std::function<void(const QString &text)>;
    tLauncher(tGameRegistry &registry, Starter start) : m_registry(registry), m_start(std::move(start)) {}

    // A game's program from its registry value, else its default path.
    QString GamePath(LaunchTarget game) const;
    static bool IsGame(LaunchTarget t) { return t != LaunchTarget::Battlenet && t != LaunchTarget::Blizzard; }

    // The server games are pointed at: the current server while logged on, else the first of
    // the profile's servers, else the fallback.
    static QString GameServer(bool loggedOn, const QString &currentServer, const QStringList &serverList);
    // The ";"-separated list with `server` moved (or added) to the front. Entries are compared
    // whole and without regard to case, so a server that is part of a longer address
    // ("10.0.0.1" in "10.0.0.12") neither matches nor cuts that address.
    static QString ServerListWithFirst(const QString &list, const QString &server);
    // Writes the adjusted list back when the key and a non-empty list exist; otherwise nothing.
    // While the registry is busy it writes nothing and reports so instead.
    void AdjustServerList(const QString &server);

    // A picture click: remembers the target, adjusts the game's server list when asked to (a
    // non-empty `gameServer`) and starts the game or opens the site.
    void Launch(LaunchTarget t, const QString &gameServer);
    // The path or address last launched.
    QString Target;
    // Told when the server list was left alone because the registry was busy.
    Reporter Report;

private:
    tGameRegistry &m_registry;
    Starter m_start;
};

// The registry of the moment: the user's Wine prefix when it exists at the time of each call, else
// the program folder's "Registry.ini", so a prefix made after start-up is found at the next launch.
class tCurrentRegistry : public tGameRegistry
{
public:
    explicit tCurrentRegistry(QString programFolder) : m_folder(std::move(programFolder)) {}
    bool KeyExists(const QString &key) const override { return current()->KeyExists(key); }
    bool ReadString(const QString &key, const QString &name, QString &value) const override
    {
        return current()->ReadString(key, name, value);
    }
    bool WriteString(const QString &key, const QString &name, const QString &value) override
    {
        return current()->WriteString(key, name, value);
    }
    QString Busy() const override { return current()->Busy(); }

private:
    std::unique_ptr<tGameRegistry> current() const { return MakeGameRegistry(m_folder); }
    QString m_folder;
};

// True for a program that runs through Wine: ".exe", or a path with a drive letter.
bool IsWindowsProgram(const QString &path);
// The folder a program starts in: its own; for a path with a drive letter, that folder in the Wine
// `prefix`. "" when it cannot be found.
QString LaunchFolder(const QString &path, const QString &prefix);
// The command that starts a program on this system: a Windows program (".exe", or a path with a
// drive letter) through "wine", anything else by itself. Empty when the program cannot be started
// (no "wine" installed, or a native path that is not executable). `wine` is the found executable.
QStringList LaunchCommand(const QString &path, const QString &wine);
