#include "gateway/Session.h"

#include "gateway/Commands.h"
#include "gateway/Gateway.h"
#include "gateway/Realm.h"
#include "net/Ansi.h"

#include <QPointer>
#include <QTcpSocket>

namespace gw {

namespace {
constexpr char ChatProtocol = 0x03;
constexpr char NoEcho = 0x04;
const QByteArray LineEnd = QByteArrayLiteral("\r\n");
} // namespace

Session::Session(int id, QTcpSocket *socket, Server &server)
    : QObject(&server), m_id(id), m_socket(socket), m_server(server)
{
    m_socket->setParent(this);
    m_clock.start();
    connect(m_socket, &QTcpSocket::readyRead, this, &Session::onReadyRead);
    // Queued: a connection that ends while lines are being handed out is cleaned up afterwards,
    // never in the middle of a loop over a channel's members.
    connect(m_socket, &QTcpSocket::disconnected, this, &Session::onSocketClosed, Qt::QueuedConnection);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &Session::onSocketClosed, Qt::QueuedConnection);
}

Session::~Session() = default;

void Session::onSocketClosed()
{
    if (m_finished) {
        if (m_socket->state() == QAbstractSocket::UnconnectedState)
            deleteLater();
        return;
    }
    if (m_socket->state() != QAbstractSocket::ConnectedState)
        m_server.finish(this, true);
}

void Session::sendRaw(const QByteArray &bytes, bool always)
{
    if (m_finished || (m_server.opts().silent && !always)
        || m_socket->state() != QAbstractSocket::ConnectedState)
        return;
    m_socket->write(bytes);
    if (m_socket->bytesToWrite() > MaxBacklog && !m_overflowing) {
        m_overflowing = true;
        QPointer<Session> self(this);
        QMetaObject::invokeMethod(&m_server, [self] {
            if (self)
                self->m_server.finish(self, true);
        }, Qt::QueuedConnection);
    }
}

void Session::onReadyRead()
{
    const QByteArray data = m_socket->readAll();
    if (m_finished)
        return;
    if (m_received.size() < MaxRecorded)
        m_received.append(data.left(MaxRecorded - m_received.size()));
    if (m_server.opts().silent)
        return;
    feed(data.constData(), data.size());
}

void Session::feed(const char *p, qsizetype n)
{
    qsizetype i = 0;
    while (i < n && !m_finished) {
        const char c = p[i];
        if (m_state == State::Protocol) {
            if (c != ChatProtocol) { // not a chat client
                m_server.finish(this, true);
                return;
            }
            ++i;
            m_state = State::Echo;
            sendRaw("Username: ");
            continue;
        }
        if (m_state == State::Echo) {
            if (c == NoEcho)
                ++i;
            m_state = State::UserName;
            continue;
        }
        if (c == '\r' || c == '\n') {
            const bool skip = c == '\n' && m_afterCR;
            m_afterCR = c == '\r';
            ++i;
            if (!skip) {
                QByteArray line;
                line.swap(m_line);
                handleLine(line);
            }
            continue;
        }
        m_afterCR = false;
        qsizetype end = i;
        while (end < n && p[end] != '\r' && p[end] != '\n')
            ++end;
        qsizetype take = end - i;
        if (m_server.opts().cutLongLines)
            take = qMin(take, qMax<qsizetype>(0, CutLength - m_line.size()));
        else if (m_line.size() + take > MaxLine) {
            m_server.finish(this, true);
            return;
        }
        m_line.append(p + i, take);
        i = end;
    }
}

void Session::handleLine(const QByteArray &line)
{
    switch (m_state) {
    case State::Protocol:
    case State::Echo:
        return;
    case State::UserName:
        if (line.isEmpty()) // the blank line some clients send after the password
            return;
        m_userName = ansi::fromBytes(line);
        m_state = State::Password;
        sendRaw("Password: ");
        return;
    case State::Password:
        sendRaw(LineEnd);
        authenticate(ansi::fromBytes(line));
        return;
    case State::LoggedOn:
        break;
    }
    if (line.isEmpty())
        return;
    QPointer<Session> self(this);
    emit m_server.lineReceived(m_id, line);
    if (!self || m_finished || !m_member || quotaRefuses())
        return;
    runLine(m_server.realm(), *m_member, ansi::fromBytes(line));
}

void Session::authenticate(const QString &password)
{
    Realm &realm = m_server.realm();
    const Options &o = m_server.opts();
    if (!Accounts::validName(m_userName)) {
        refuse();
        return;
    }
    const Accounts::Account *account = realm.accounts().find(m_userName);
    if (!account && o.createAccounts)
        account = &realm.accounts().add(m_userName, password);
    if (!account || account->password != password) {
        refuse();
        return;
    }
    // Current servers refuse a second login; classic ones tell the two apart by "#2".
    if (o.dialect == Dialect::Current && realm.isOnline(account->name)) {
        refuse();
        return;
    }
    logOn(realm.freeName(m_userName), account->name, account->number);
}

void Session::refuse()
{
    const bool classic = m_server.opts().dialect == Dialect::Classic;
    sendRaw(classic ? QByteArrayLiteral("Login incorrect.\r\n") : QByteArrayLiteral("Login failed.\r\n"));
    if (++m_failures >= qMax(1, m_server.opts().loginAttempts)) {
        m_server.finish(this, false);
        return;
    }
    m_state = State::UserName;
    sendRaw("Username: ");
}

void Session::logOn(const QString &name, const QString &account, int number)
{
    Realm &realm = m_server.realm();
    const Options &o = m_server.opts();
    auto m = std::make_unique<Member>();
    m->id = m_id;
    m->name = name;
    m->account = account;
    m->accountNumber = number;
    m->deliver = [this](const QByteArray &line) { sendRaw(line + LineEnd); };
    m_state = State::LoggedOn;

    auto line = [this](const QString &text) { sendRaw(ansi::toBytes(text) + LineEnd); };
    line(QStringLiteral("2010 NAME ") + name);
    if (o.dialect == Dialect::Classic) {
        line(QStringLiteral("1018 INFO ") + Realm::quoted(QStringLiteral("Welcome to %1!").arg(o.realm)));
    } else {
        line(QStringLiteral("1019 ERROR ")
             + Realm::quoted(QStringLiteral("Hello %1, welcome to %2!").arg(name, o.realm)));
        for (const QString &motd : o.motd)
            line(QStringLiteral("1018 INFO ") + Realm::quoted(motd));
    }
    m_member = realm.enter(std::move(m));
    emit m_server.clientLoggedOn(m_id, name);
}

bool Session::quotaRefuses()
{
    const Options &o = m_server.opts();
    if (o.quotaSeconds <= 0 || (o.quotaLines <= 0 && o.quotaDisconnect <= 0)) {
        m_recent.clear();
        return false;
    }
    const qint64 now = m_clock.elapsed();
    const qint64 window = qint64(o.quotaSeconds) * 1000;
    while (!m_recent.empty() && now - m_recent.front() >= window)
        m_recent.pop_front();
    m_recent.push_back(now);
    // Only whether the count reached a limit matters, so the oldest beyond the limits can go.
    const size_t keep = size_t(qMax(o.quotaLines, o.quotaDisconnect));
    while (m_recent.size() > keep)
        m_recent.pop_front();
    const int count = int(m_recent.size());
    if (o.quotaDisconnect > 0 && count >= o.quotaDisconnect) {
        m_server.finish(this, false);
        return true;
    }
    if (o.quotaLines > 0 && count >= o.quotaLines) {
        m_server.realm().error(*m_member, QStringLiteral("Your message quota has been exceeded!"));
        return true;
    }
    return false;
}

} // namespace gw
