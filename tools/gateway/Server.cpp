#include "gateway/Gateway.h"

#include "gateway/Realm.h"
#include "gateway/Session.h"
#include "gateway/SimUsers.h"
#include "net/Ansi.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace gw {

namespace {
constexpr int MaxConnections = 2000;
// Received bytes of closed connections are kept for tests, within these bounds.
constexpr size_t MaxHistory = 512;
constexpr qsizetype MaxHistoryBytes = 16 * 1024 * 1024;
constexpr int CloseGraceMs = 5000;  // a graceful close that takes longer is cut off
constexpr int AcceptRetryMs = 1000;
} // namespace

Server::Server(Options o, QObject *parent) : QObject(parent), m_opt(std::move(o))
{
    m_realm = std::make_unique<Realm>(m_opt);
}

Server::~Server()
{
    m_sims.reset();
    for (auto &[id, s] : m_sessions) {
        s->disconnect();
        s->m_socket->disconnect();
        s->m_socket->abort();
        delete s;
    }
    m_sessions.clear();
    m_realm->clear();
}

bool Server::start()
{
    if (isListening())
        return true;
    m_error.clear();
    if (!m_opt.accountsFile.isEmpty() && !m_realm->accounts().load(m_opt.accountsFile, &m_error))
        return false;
    if (!m_listener) {
        m_listener = new QTcpServer(this);
        m_listener->setMaxPendingConnections(MaxConnections);
        m_listener->setListenBacklogSize(1024); // hundreds of clients may connect at once
        connect(m_listener, &QTcpServer::newConnection, this, &Server::onNewConnection);
        // Out of descriptors: accepting pauses; try again a little later instead of giving up.
        connect(m_listener, &QTcpServer::acceptError, this, [this] {
            m_listener->pauseAccepting();
            QTimer::singleShot(AcceptRetryMs, m_listener, [l = m_listener] { l->resumeAccepting(); });
        });
    }
    if (!m_listener->listen(m_opt.address, m_opt.port)) {
        m_error = m_listener->errorString();
        return false;
    }
    if (m_opt.simulatedUsers > 0) {
        m_sims = std::make_unique<SimUsers>(*m_realm, m_opt);
        m_sims->start();
    }
    return true;
}

quint16 Server::port() const { return isListening() ? m_listener->serverPort() : 0; }

QHostAddress Server::address() const { return isListening() ? m_listener->serverAddress() : QHostAddress(); }

bool Server::isListening() const { return m_listener && m_listener->isListening(); }

void Server::stop()
{
    if (m_listener)
        m_listener->close();
    dropAll();
    m_sims.reset();
}

void Server::onNewConnection()
{
    while (QTcpSocket *socket = m_listener->nextPendingConnection()) {
        if (m_sessions.size() >= size_t(MaxConnections)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        const int id = ++m_nextId;
        m_sessions[id] = new Session(id, socket, *this);
        emit clientConnected(id);
    }
}

void Server::finish(Session *s, bool abort)
{
    if (s->m_finished)
        return;
    s->m_finished = true;
    const int id = s->id();
    if (s->m_member) {
        m_realm->remove(id);
        s->m_member = nullptr;
    }
    m_sessions.erase(id);
    m_history[id] = s->m_received;
    m_historyBytes += s->m_received.size();
    while (m_history.size() > MaxHistory || m_historyBytes > MaxHistoryBytes) {
        m_historyBytes -= m_history.begin()->second.size();
        m_history.erase(m_history.begin());
    }

    QTcpSocket *socket = s->m_socket;
    if (abort || socket->state() != QAbstractSocket::ConnectedState) {
        socket->abort();
        s->deleteLater();
    } else {
        // Let what was written reach the client first; Session deletes itself on disconnected.
        socket->disconnectFromHost();
        QTimer::singleShot(CloseGraceMs, s, [s] {
            s->m_socket->abort();
            s->deleteLater();
        });
    }
    emit clientGone(id);
}

void Server::addAccount(const QString &name, const QString &password) { m_realm->accounts().add(name, password); }

QList<int> Server::clients() const
{
    QList<int> out;
    for (const auto &[id, s] : m_sessions)
        out.append(id);
    return out;
}

int Server::clientByName(const QString &name) const
{
    const Member *m = m_realm->find(name);
    return m && m_sessions.count(m->id) ? m->id : -1;
}

QString Server::clientName(int id) const
{
    const Member *m = m_realm->byId(id);
    return m ? m->name : QString();
}

QString Server::channelOf(int id) const
{
    const Member *m = m_realm->byId(id);
    return m && m->channel ? m->channel->name : QString();
}

QStringList Server::channelMembers(const QString &channel) const
{
    QStringList out;
    if (const Channel *c = m_realm->channel(channel))
        for (const Member *m : c->members)
            out.append(m->name);
    return out;
}

QStringList Server::simulatedNames() const { return m_sims ? m_sims->names() : QStringList(); }

QByteArray Server::received(int id) const
{
    auto live = m_sessions.find(id);
    if (live != m_sessions.end())
        return live->second->received();
    auto old = m_history.find(id);
    return old == m_history.end() ? QByteArray() : old->second;
}

void Server::drop(int id)
{
    auto it = m_sessions.find(id);
    if (it != m_sessions.end())
        finish(it->second, true);
}

void Server::dropAll()
{
    const QList<int> ids = clients();
    for (int id : ids)
        drop(id);
}

void Server::broadcast(const QString &text) { m_realm->broadcast(text); }

void Server::inject(int id, const QByteArray &rawLine)
{
    auto it = m_sessions.find(id);
    if (it != m_sessions.end())
        it->second->sendRaw(rawLine, true);
}

void Server::setQuota(int lines, int seconds, int disconnectAt)
{
    m_opt.quotaLines = lines;
    m_opt.quotaSeconds = seconds;
    m_opt.quotaDisconnect = disconnectAt;
}

} // namespace gw
