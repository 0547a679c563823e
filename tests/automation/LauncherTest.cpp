#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FakeRegistry.h"
#include "automation/GameRegistry.h"
#include "automation/Launcher.h"
#include "automation/WinePrefix.h"

namespace {
const QString ConfigKey = QStringLiteral("software\\battle.net\\configuration");
}

class LauncherTest : public QObject
{
    Q_OBJECT
    FakeRegistry reg;
    QStringList started;
    tLauncher make()
    {
        return tLauncher(reg, [this](const QString &t, bool program) {
            started << (program ? QStringLiteral("run ") : QStringLiteral("open ")) + t;
        });
    }

private slots:
    void init()
    {
        reg = FakeRegistry();
        started.clear();
    }

    void serverListWithFirst_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("result");
        QTest::newRow("listed in the middle") << "a;b;c" << "b" << "b;a;c";
        QTest::newRow("not listed") << "a;b;c" << "d" << "d;a;b;c";
        QTest::newRow("listed last") << "a;b;c" << "c" << "c;a;b";
        QTest::newRow("already first") << "a;b;c" << "a" << "a;b;c";
        QTest::newRow("other letter case") << "useast.battle.net;b" << "USEast.Battle.net" << "USEast.Battle.net;b";
        // Part of a longer address is not that address.
        QTest::newRow("prefix of another entry") << "10.0.0.12;10.0.0.1;x" << "10.0.0.1" << "10.0.0.1;10.0.0.12;x";
        QTest::newRow("trailing separator") << "a;b;" << "b" << "b;a";
    }
    void serverListWithFirst()
    {
        QFETCH(QString, list);
        QFETCH(QString, server);
        QFETCH(QString, result);
        QCOMPARE(tLauncher::ServerListWithFirst(list, server), result);
    }

    void gameServerChoice()
    {
        QCOMPARE(tLauncher::GameServer(true, "cur", {"a", "b"}), QStringLiteral("cur"));
        QCOMPARE(tLauncher::GameServer(false, "cur", {"a", "b"}), QStringLiteral("a"));
        QCOMPARE(tLauncher::GameServer(false, "cur", {}), tLauncher::FallbackServer);
    }

    void gamePaths()
    {
        tLauncher l = make();
        QCOMPARE(l.GamePath(LaunchTarget::Diablo), QStringLiteral("c:\\diablo\\diablo.exe"));
        QCOMPARE(l.GamePath(LaunchTarget::Warcraft), QStringLiteral("c:\\program files\\warcraft II Bne\\Warcraft II BNE.exe"));
        reg.keys["software\\blizzard entertainment\\archives"]["diabloinstall"] = "D:\\Games\\Diablo\\";
        reg.keys["software\\blizzard entertainment\\starcraft"]["program"] = "E:\\SC\\StarCraft.exe";
        reg.keys["software\\blizzard entertainment\\warcraft ii bne"]["program"] = "";
        QCOMPARE(l.GamePath(LaunchTarget::Diablo), QStringLiteral("D:\\Games\\Diablo\\diablo.exe"));
        QCOMPARE(l.GamePath(LaunchTarget::Starcraft), QStringLiteral("E:\\SC\\StarCraft.exe"));
        QCOMPARE(l.GamePath(LaunchTarget::Broodwar), QStringLiteral("E:\\SC\\StarCraft.exe"));
        QCOMPARE(l.GamePath(LaunchTarget::Warcraft), QStringLiteral("c:\\program files\\warcraft II Bne\\Warcraft II BNE.exe"));
        reg.nonStrings << "software\\blizzard entertainment\\starcraft|program";
        QCOMPARE(l.GamePath(LaunchTarget::Starcraft), QStringLiteral("c:\\program files\\Starcraft\\starcraft.exe"));
    }

    void launchAdjustsOnlyWhenAsked()
    {
        tLauncher l = make();
        reg.keys[ConfigKey]["server list"] = "a;b;c";
        l.Launch(LaunchTarget::Starcraft, QString()); // UseGameServer off
        QCOMPARE(reg.writes, 0);
        l.Launch(LaunchTarget::Battlenet, "d"); // sites never touch the list
        QCOMPARE(reg.writes, 0);
        l.Launch(LaunchTarget::Broodwar, "b");
        QCOMPARE(reg.keys[ConfigKey]["server list"], QStringLiteral("b;a;c"));
        l.Launch(LaunchTarget::Diablo, "d");
        QCOMPARE(reg.keys[ConfigKey]["server list"], QStringLiteral("d;b;a;c"));
        QCOMPARE(started, QStringList({"run c:\\program files\\Starcraft\\starcraft.exe", "open " + tLauncher::BattlenetSite,
                                       "run c:\\program files\\Starcraft\\starcraft.exe", "run c:\\diablo\\diablo.exe"}));
        QCOMPARE(l.Target, QStringLiteral("c:\\diablo\\diablo.exe"));

        // An empty or missing list is not created.
        reg.keys[ConfigKey]["server list"] = "";
        reg.writes = 0;
        l.Launch(LaunchTarget::Diablo, "d");
        reg.keys.remove(ConfigKey);
        l.Launch(LaunchTarget::Diablo, "d");
        QCOMPARE(reg.writes, 0);
    }

    void diabloFolderGetsSeparator()
    {
        for (const auto &[folder, path] : {std::pair{"D:\\Diablo", "D:\\Diablo\\diablo.exe"}, std::pair{"C:", "C:\\diablo.exe"},
                                           std::pair{"/opt/diablo", "/opt/diablo/diablo.exe"}}) {
            reg.keys["software\\blizzard entertainment\\archives"]["diabloinstall"] = folder;
            QCOMPARE(make().GamePath(LaunchTarget::Diablo), QLatin1String(path));
        }
    }

    // A Windows path starts in its folder inside the prefix, found ignoring case as Wine does.
    void launchFolder_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("folder"); // below the scratch folder; "-" for none
        QTest::newRow("other case") << "c:\\GAMES\\diablo ii\\Diablo II.exe" << "prefix/drive_c/Games/Diablo II";
        QTest::newRow("forward slashes, dots") << "C:/Games/./x/../Diablo II/d.exe" << "prefix/drive_c/Games/Diablo II";
        QTest::newRow("no such folder") << "C:\\Missing\\d.exe" << "-";
        QTest::newRow("no drive") << "starcraft.exe" << "-";
        QTest::newRow("native program") << "tools/run.sh" << "tools";
    }
    void launchFolder()
    {
        QFETCH(QString, path);
        QFETCH(QString, folder);
        QTemporaryDir dir;
        for (const char *sub : {"prefix/drive_c/Games/Diablo II", "prefix/drive_c/Games/x", "prefix/dosdevices", "tools"})
            QVERIFY(QDir(dir.path()).mkpath(sub));
        QVERIFY(QFile::link("../drive_c", dir.filePath("prefix/dosdevices/c:")));
        const QString real = QDir(dir.path()).canonicalPath() + '/';
        QCOMPARE(LaunchFolder(path.startsWith("tools") ? real + path : path, dir.filePath("prefix")), folder == "-" ? QString() : real + folder);
    }

    // A wineserver holds a lock in the folder named after its prefix's device and inode.
    void wineServerRunning()
    {
        QTemporaryDir dir;
        const QString prefix = dir.filePath("prefix"), root = dir.filePath("root");
        QList<int> fds;
        const auto closeAll = qScopeGuard([&] { for (int fd : fds) ::close(fd); });
        const auto lock = [&](const QString &of, bool hold) {
            struct stat st;
            struct flock fl = {};
            fl.l_type = F_WRLCK;
            fl.l_len = 1;
            QVERIFY(QDir().mkpath(of) && ::stat(QFile::encodeName(of).constData(), &st) == 0);
            const QString server = QStringLiteral("%1/server-%2-%3").arg(root).arg(qulonglong(st.st_dev), 0, 16).arg(qulonglong(st.st_ino), 0, 16);
            QVERIFY(QDir().mkpath(server));
            fds << ::open(QFile::encodeName(server + "/lock").constData(), O_CREAT | O_RDWR, 0600);
            QVERIFY(fds.last() >= 0 && (!hold || ::fcntl(fds.last(), F_SETLK, &fl) == 0));
        };
        lock(prefix, false); // a server that has ended
        QVERIFY(!wine::ServerRunning(prefix, root));
        lock(dir.filePath("other"), true); // another prefix's server
        QVERIFY(!wine::ServerRunning(prefix, root));
        lock(prefix, true);
        QVERIFY(wine::ServerRunning(prefix, root));
    }

    // While Wine runs it keeps the registry and would write it back: the list is left alone, said so.
    void busyRegistryIsNotWritten()
    {
        tLauncher l = make();
        QStringList reports;
        l.Report = [&](const QString &t) { reports << t; };
        reg.keys[ConfigKey]["server list"] = "a;b;c";
        reg.busy = "Wine is running";
        l.Launch(LaunchTarget::Starcraft, "b");
        QCOMPARE(reg.writes, 0);
        QCOMPARE(reports, QStringList{"Wine is running: the game's server list was not changed"});
        QCOMPARE(started, QStringList{"run c:\\program files\\Starcraft\\starcraft.exe"});
        reg.busy.clear();
        l.Launch(LaunchTarget::Starcraft, "b");
        QCOMPARE(reg.keys[ConfigKey]["server list"], QStringLiteral("b;a;c"));
    }

    // The prefix is looked for at each launch: one made after start-up is used from then on.
    void prefixFoundAtLaunch()
    {
        QTemporaryDir dir;
        const QByteArray oldPrefix = qgetenv("WINEPREFIX");
        const bool hadPrefix = qEnvironmentVariableIsSet("WINEPREFIX");
        const auto restore = qScopeGuard([&] { hadPrefix ? qputenv("WINEPREFIX", oldPrefix) : qunsetenv("WINEPREFIX"); });
        qputenv("WINEPREFIX", QFile::encodeName(dir.filePath("prefix")));
        const auto put = [&](const QString &name, const QByteArray &bytes) {
            QFile f(dir.filePath(name));
            return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
        };
        QVERIFY(put("Registry.ini", "[Software\\Blizzard Entertainment\\Archives]\r\nDiabloInstall=C:\\Ini\\\r\n"));
        tCurrentRegistry current(dir.path() + '/');
        tLauncher l(current, [](const QString &, bool) {});
        QCOMPARE(l.GamePath(LaunchTarget::Diablo), QStringLiteral("C:\\Ini\\diablo.exe"));
        QVERIFY(QDir(dir.path()).mkpath("prefix"));
        QVERIFY(put("prefix/system.reg", "WINE REGISTRY Version 2\n\n[Software\\\\Blizzard Entertainment\\\\Archives] 1\n"
                                         "\"DiabloInstall\"=\"C:\\\\Wine\\\\\"\n"));
        QCOMPARE(l.GamePath(LaunchTarget::Diablo), QStringLiteral("C:\\Wine\\diablo.exe"));
    }

    void launchCommand()
    {
        QCOMPARE(LaunchCommand("c:\\diablo\\diablo.exe", "/usr/bin/wine"), QStringList({"/usr/bin/wine", "c:\\diablo\\diablo.exe"}));
        QCOMPARE(LaunchCommand("/opt/x/GAME.EXE", "/usr/bin/wine"), QStringList({"/usr/bin/wine", "/opt/x/GAME.EXE"}));
        QVERIFY(LaunchCommand("c:\\diablo\\diablo.exe", "").isEmpty());
        QCOMPARE(LaunchCommand("/bin/sh", ""), QStringList{"/bin/sh"});
        QVERIFY(LaunchCommand("/nonexistent/tool", "/usr/bin/wine").isEmpty());
    }

    // A scratch prefix whose system.reg is written as Wine writes it.
    void wineRegistry()
    {
        QTemporaryDir prefix;
        const QByteArray reg = "WINE REGISTRY Version 2\n"
                               ";; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
                               "[Software\\\\Battle.net\\\\Configuration] 1600000000\n#time=1d6\n"
                               "\"Server List\"=\"a;b;c\"\n\"Other\"=dword:00000001\n\n"
                               "[Software\\\\Blizzard Entertainment\\\\Starcraft] 1600000000\n"
                               "\"Program\"=\"C:\\\\Native\\\\StarCraft.exe\"\n\n"
                               "[Software\\\\Wow6432Node\\\\Blizzard Entertainment\\\\Starcraft] 1600000000\n"
                               "\"Program\"=\"C:\\\\Program Files (x86)\\\\St\\x00e4rCraft\\\\\\\"q\\\".exe\"\n"
                               "\"InstallPath\"=str(2):\"%ProgramFiles%\\\\SC\"\n";
        QFile f(prefix.filePath("system.reg"));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(reg) == reg.size());
        f.close();
        QVERIFY(tWineRegistry::Exists(prefix.path()));
        tWineRegistry r(prefix.path());
        QString v;
        QVERIFY(r.ReadString("Software\\Blizzard Entertainment\\StarCraft", "PROGRAM", v));
        QCOMPARE(v, QStringLiteral("C:\\Program Files (x86)\\St\u00e4rCraft\\\"q\".exe"));
        QVERIFY(r.ReadString("Software\\Blizzard Entertainment\\Starcraft", "InstallPath", v));
        QCOMPARE(v, QStringLiteral("%ProgramFiles%\\SC"));
        QVERIFY(!r.ReadString("Software\\Battle.net\\Configuration", "Other", v)); // a number
        QVERIFY(r.ReadString("Software\\Battle.net\\Configuration", "Missing", v) && v.isEmpty());
        QVERIFY(!r.ReadString("Software\\Nothing", "x", v));
        QVERIFY(!r.KeyExists("Software\\Nothing") && r.KeyExists("software\\battle.net\\configuration"));

        QVERIFY(r.WriteString("Software\\Battle.net\\Configuration", "Server List", "b;a;c"));
        QVERIFY(r.WriteString("Software\\Battle.net\\Configuration", "New", "x\\\"\u00e9"));
        QVERIFY(!r.WriteString("Software\\Nothing", "x", "y"));
        QVERIFY(r.ReadString("Software\\Battle.net\\Configuration", "server list", v));
        QCOMPARE(v, QStringLiteral("b;a;c"));
        QVERIFY(r.ReadString("Software\\Battle.net\\Configuration", "New", v));
        QCOMPARE(v, QStringLiteral("x\\\"\u00e9"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray after = f.readAll();
        QVERIFY(after.contains("\"Other\"=dword:00000001\n\"New\"=\"x\\\\\\\"\\x00e9\"\n\n[Software\\\\Blizzard"));
        QCOMPARE(after.count('\n'), reg.count('\n') + 1);
    }

    void iniRegistry()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Registry.ini");
        tIniRegistry r(path);
        QString v;
        QVERIFY(!r.ReadString(tLauncher::ServerListKey, tLauncher::ServerListValue, v)); // no file
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Software\\Battle.net\\Configuration]\r\nServer List=a;b\r\n");
        f.close();
        QVERIFY(r.ReadString("software\\battle.net\\configuration", "Server List", v));
        QCOMPARE(v, QStringLiteral("a;b"));
        QVERIFY(r.WriteString(tLauncher::ServerListKey, tLauncher::ServerListValue, "b;a"));
        QVERIFY(!r.WriteString("Software\\Other", "x", "y"));
        // A line break cannot be stored: the write fails instead of claiming success.
        QVERIFY(!r.WriteString(tLauncher::ServerListKey, tLauncher::ServerListValue, "c\nd"));
        QVERIFY(tIniRegistry(path).ReadString(tLauncher::ServerListKey, tLauncher::ServerListValue, v));
        QCOMPARE(v, QStringLiteral("b;a"));
    }
};

QC_TEST(LauncherTest)
#include "LauncherTest.moc"
