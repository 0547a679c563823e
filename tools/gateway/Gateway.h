#pragma once
// A stand-in chat gateway: the plain-text chat service of the real gateways, small enough to run
// inside a test. One thread; everything is driven by socket signals and timers.
#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>

class QTcpServer;

namespace gw {

// Classic: welcome as 1018 INFO, "Login incorrect.", a second login of a name gets "#2".
// Current: welcome as 1019 ERROR plus message-of-the-day lines, "Login failed." for every refusal.
enum class Dialect { Classic, Current };

struct Options
{
    QHostAddress address = QHostAddress::LocalHost;
    quint16 port = 0; // 0: any free port
    Dialect dialect = Dialect::Classic;
    QString firstChannel = QStringLiteral("Chat");
    bool createAccounts = true; // unknown names get an account with the password they give
    QString accountsFile;       // "name password" per line; '#' or ';' starts a comment line
    QString realm = QStringLiteral("Battle.net");
    bool showAccountNumbers = false; // /whois also tells the account number
    QStringList restrictedChannels;
    QMap<QString, int> fullChannels; // name -> member limit
    QStringList missingChannels;
    int quotaLines = 0; // 0 = off: from this line within quotaSeconds lines are refused
    int quotaSeconds = 0;
    int quotaDisconnect = 0; // 0 = off: at this line within quotaSeconds the connection closes
    bool cutLongLines = false; // keep only the first 255 bytes of a longer line
    int simulatedUsers = 0;
    bool silent = false; // accept, record, never answer

    // Lines after the current dialect's welcome.
    QStringList motd = {QStringLiteral("Message of the day: keep it friendly."),
                        QStringLiteral("Type /help for a list of commands.")};
    QStringList staffAccounts;    // shown with flag 0x01
    int simulatedPaceMs = 3000;   // mean pause between two actions of the simulated users
    quint32 seed = 6112;          // simulated users act the same way on every run
    int loginAttempts = 3;        // refused logins before the connection is closed
};

class Realm;
class Session;
class SimUsers;

class Server : public QObject
{
    Q_OBJECT
public:
    explicit Server(Options o = {}, QObject *parent = nullptr);
    ~Server() override;

    bool start(); // false (see errorString) when it cannot listen or read the accounts file
    QString errorString() const { return m_error; }
    quint16 port() const;
    QHostAddress address() const;
    bool isListening() const;
    void stop(); // closes every connection and stops listening
    const Options &options() const { return m_opt; }

    void addAccount(const QString &name, const QString &password);
    QList<int> clients() const;                      // open connections, in order of arrival
    int clientByName(const QString &name) const;     // logged-on name or account; -1 when none
    QString clientName(int id) const;                // the name it logged on as; empty before
    QString channelOf(int id) const;                 // its channel; empty before login
    QStringList channelMembers(const QString &channel) const; // in arrival order
    QStringList simulatedNames() const;
    // Every byte the client sent, as sent (the first 256 KiB of each connection). Kept for a while
    // after the connection closed, so a test can look after the fact.
    QByteArray received(int id) const;

    void drop(int id);
    void dropAll();
    void broadcast(const QString &text);
    void inject(int id, const QByteArray &rawLine); // sent as given, even while silent
    void setDialect(Dialect d) { m_opt.dialect = d; }
    void setQuota(int lines, int seconds, int disconnectAt);
    void setSilent(bool silent) { m_opt.silent = silent; }

    SimUsers *simulated() const { return m_sims.get(); }

signals:
    void clientConnected(int id);
    void clientLoggedOn(int id, QString name);
    void lineReceived(int id, QByteArray line); // a command or chat line after login
    void clientGone(int id);

private:
    friend class Session;
    void onNewConnection();
    void finish(Session *s, bool abort);
    Realm &realm() { return *m_realm; }
    Options &opts() { return m_opt; }

    Options m_opt;
    QString m_error;
    QTcpServer *m_listener = nullptr;
    std::unique_ptr<Realm> m_realm;
    std::unique_ptr<SimUsers> m_sims;
    std::map<int, Session *> m_sessions;
    std::map<int, QByteArray> m_history; // received bytes of closed connections, bounded
    qsizetype m_historyBytes = 0;
    int m_nextId = 0;
};

} // namespace gw
