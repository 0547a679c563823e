// quorl-demo-setup <folder> [server] [channel] [name] [password]: gives a program folder a
// Chat.ini whose last profile is Demo.ch5 in the same folder, and that profile: an account on the
// given server (127.0.0.1, "Newcomer"/"demo"), the given home channel, and two of the gateway's
// simulated users in the custom list, a greeting for joining users and a timed message a minute.
// The server may be written "host:port". Files that exist already are left alone, so the user's
// own changes survive the next run, except that the profile's entries for the server's host
// follow it to the port given.
#include "net/ServerAddress.h"
#include "profile/ChatIni.h"
#include "profile/Profile.h"
#include "profile/ProfileFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <memory>

namespace {
struct StderrReporter : ProfileReporter
{
    void showMessage(const QString &text) override { QTextStream(stderr) << text << Qt::endl; }
};
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: quorl-demo-setup <folder> [server] [channel] [name] [password]" << Qt::endl;
        return 2;
    }
    const QString folder = QDir(args[1]).absolutePath() + QLatin1Char('/');
    const QString server = args.size() > 2 ? args[2] : QStringLiteral("127.0.0.1");
    const QString channel = args.size() > 3 ? args[3] : QStringLiteral("Town Square");
    const QString name = args.size() > 4 ? args[4] : QStringLiteral("Newcomer");
    const QString password = args.size() > 5 ? args[5] : QStringLiteral("demo");
    if (!QDir().mkpath(folder)) {
        QTextStream(stderr) << "cannot create " << folder << Qt::endl;
        return 1;
    }

    const QString profilePath = folder + QStringLiteral("Demo.ch5");
    if (QFile::exists(profilePath)) {
        // The demo gateway may have moved to another port since the profile was written: entries
        // for its host follow it, everything else the user changed stays.
        tProfile p;
        StderrReporter reporter;
        if (!LoadProfile(p, profilePath, reporter))
            return 1;
        const QString host = ParseServerAddress(server, 0).Host;
        const auto follow = [&](const QString &entry) {
            return ParseServerAddress(entry, 0).Host == host ? server : entry;
        };
        bool changed = false;
        if (follow(p.Settings.Server()) != p.Settings.Server()) {
            p.Settings.setServer(server);
            changed = true;
        }
        for (QString &entry : p.ServerList)
            if (follow(entry) != entry) {
                entry = server;
                changed = true;
            }
        if (changed && !SaveProfile(p, profilePath, reporter))
            return 1;
    } else {
        tProfile p;
        p.Settings.setUserName(name);
        p.Settings.setPassword(password);
        p.NameList = QStringList{name};
        p.PasswordList = QStringList{password};
        p.Settings.setServer(server);
        p.Settings.setHomeChannel(channel);
        p.ServerList = QStringList{server};
        p.Favorite = QStringList{channel};
        p.UserDef = QStringList{QStringLiteral("Ardent"), QStringLiteral("Corvin")};
        auto u = std::make_unique<tUser>();
        u->setName(QStringLiteral("Ardent"));
        u->setCustomNameColor(0x0000FF00); // green name
        u->setNotes(QStringLiteral("One of the demo gateway's simulated users"));
        p.Users.Add(std::move(u));
        // The automation shows itself: a greeting for each joining user and a timed message.
        p.Settings.setMasterEvents(true);
        p.Settings.setRespondJoins(true);
        p.Settings.setJoinResponse(QStringLiteral("Welcome to <channel>, <user>!"));
        p.Settings.setRespondTimers(true);
        p.TimerList = QStringList{QStringLiteral("It is <time> in <channel>.")};
        p.IntervalList = QStringList{QStringLiteral("59")};
        StderrReporter reporter;
        if (!SaveProfile(p, profilePath, reporter))
            return 1;
    }

    const QString iniPath = folder + QStringLiteral("Chat.ini");
    if (!QFile::exists(iniPath)) {
        tIniFile ini;
        WriteLastFile(ini, profilePath);
        WriteLayoutKeys(ini, tChatIni());
        if (!ini.Save(iniPath)) {
            QTextStream(stderr) << "cannot write " << iniPath << Qt::endl;
            return 1;
        }
    }
    return 0;
}
