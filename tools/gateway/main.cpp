// quorl-gateway: the stand-in chat gateway as a program, for the demo and for trying the client.
#include "gateway/Gateway.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

namespace {

bool parseQuota(const QString &text, gw::Options &o)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 3)
        return false;
    int values[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toInt(&ok);
        if (!ok || values[i] < 0)
            return false;
    }
    o.quotaLines = values[0];
    o.quotaSeconds = values[1];
    o.quotaDisconnect = values[2];
    return true;
}

int fail(const QString &message)
{
    QTextStream(stderr) << "quorl-gateway: " << message << Qt::endl;
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorl-gateway"));

    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("A stand-in Battle.net chat gateway."));
    p.addHelpOption();
    const QCommandLineOption address(QStringLiteral("address"), QStringLiteral("Address to listen on (127.0.0.1)."),
                                     QStringLiteral("addr"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Port; 0 picks a free one (6112)."),
                                  QStringLiteral("port"), QStringLiteral("6112"));
    const QCommandLineOption accounts(QStringLiteral("accounts"), QStringLiteral("File of \"name password\" lines."),
                                      QStringLiteral("file"));
    const QCommandLineOption noCreate(QStringLiteral("no-create-accounts"),
                                      QStringLiteral("Refuse names that have no account."));
    const QCommandLineOption dialect(QStringLiteral("dialect"), QStringLiteral("classic or current (classic)."),
                                     QStringLiteral("dialect"), QStringLiteral("classic"));
    const QCommandLineOption quota(QStringLiteral("quota"),
                                   QStringLiteral("N,T,M: refuse from the N-th line in T seconds, close at the M-th."),
                                   QStringLiteral("N,T,M"));
    const QCommandLineOption users(QStringLiteral("users"), QStringLiteral("Number of simulated users."),
                                   QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption pace(QStringLiteral("pace"), QStringLiteral("Mean ms between simulated actions."),
                                  QStringLiteral("ms"), QStringLiteral("3000"));
    const QCommandLineOption channel(QStringLiteral("channel"), QStringLiteral("First channel (Chat)."),
                                     QStringLiteral("name"), QStringLiteral("Chat"));
    const QCommandLineOption cut(QStringLiteral("cut-long-lines"), QStringLiteral("Cut lines after 255 bytes."));
    const QCommandLineOption realm(QStringLiteral("realm"), QStringLiteral("Realm name (Battle.net)."),
                                   QStringLiteral("name"), QStringLiteral("Battle.net"));
    const QCommandLineOption numbers(QStringLiteral("account-numbers"), QStringLiteral("/whois tells account numbers."));
    const QCommandLineOption restricted(QStringLiteral("restricted"), QStringLiteral("A restricted channel (repeatable)."),
                                        QStringLiteral("name"));
    const QCommandLineOption full(QStringLiteral("full"), QStringLiteral("NAME=LIMIT: a channel with a member limit."),
                                  QStringLiteral("name=limit"));
    const QCommandLineOption missing(QStringLiteral("missing"), QStringLiteral("A channel that does not exist."),
                                     QStringLiteral("name"));
    const QCommandLineOption silent(QStringLiteral("silent"), QStringLiteral("Accept connections, never answer."));
    for (const auto *o : {&address, &port, &accounts, &noCreate, &dialect, &quota, &users, &pace, &channel, &cut,
                          &realm, &numbers, &restricted, &full, &missing, &silent})
        p.addOption(*o);
    p.process(app);

    gw::Options o;
    if (!o.address.setAddress(p.value(address)))
        return fail(QStringLiteral("not a numeric address: %1").arg(p.value(address)));
    bool ok = false;
    const uint portValue = p.value(port).toUInt(&ok);
    if (!ok || portValue > 65535)
        return fail(QStringLiteral("bad port: %1").arg(p.value(port)));
    o.port = quint16(portValue);
    o.accountsFile = p.value(accounts);
    o.createAccounts = !p.isSet(noCreate);
    const QString d = p.value(dialect).toLower();
    if (d != QLatin1String("classic") && d != QLatin1String("current"))
        return fail(QStringLiteral("dialect must be classic or current"));
    o.dialect = d == QLatin1String("current") ? gw::Dialect::Current : gw::Dialect::Classic;
    if (p.isSet(quota) && !parseQuota(p.value(quota), o))
        return fail(QStringLiteral("quota must be N,T,M"));
    o.simulatedUsers = p.value(users).toInt(&ok);
    if (!ok || o.simulatedUsers < 0 || o.simulatedUsers > 1000)
        return fail(QStringLiteral("users must be 0 to 1000"));
    o.simulatedPaceMs = p.value(pace).toInt(&ok);
    if (!ok || o.simulatedPaceMs < 100)
        return fail(QStringLiteral("pace must be at least 100 ms"));
    o.firstChannel = p.value(channel);
    o.cutLongLines = p.isSet(cut);
    o.realm = p.value(realm);
    o.showAccountNumbers = p.isSet(numbers);
    o.restrictedChannels = p.values(restricted);
    o.missingChannels = p.values(missing);
    for (const QString &f : p.values(full)) {
        const int eq = f.lastIndexOf(QLatin1Char('='));
        const int limit = eq > 0 ? f.mid(eq + 1).toInt(&ok) : -1;
        if (eq <= 0 || !ok || limit < 0)
            return fail(QStringLiteral("full channel must be NAME=LIMIT: %1").arg(f));
        o.fullChannels.insert(f.left(eq), limit);
    }
    o.silent = p.isSet(silent);

    gw::Server server(o);
    if (!server.start())
        return fail(server.errorString());
    std::printf("listening on %s:%u\n", qPrintable(server.address().toString()), unsigned(server.port()));
    std::fflush(stdout);
    return app.exec();
}
