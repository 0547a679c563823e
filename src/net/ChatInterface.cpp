#include "net/ChatInterface.h"

#include "net/Ansi.h"
#include "net/ServerAddress.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <algorithm>
#include <cstring>
#include <utility>

namespace {
template <class Event, class... Args>
void raise(const Event &event, const Args &...args)
{
    if (event)
        event(args...);
}

bool isNumericAddress(const QString &address)
{
    return std::all_of(address.cbegin(), address.cend(), [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.');
    });
}
} // namespace

TChatInterface::TChatInterface(QObject *parent) : QObject(parent)
{
    m_sink = [this](const char *data, qsizetype size) { deliver(data, size); };
}

TChatInterface::~TChatInterface()
{
    OnDisconnect = nullptr;
    Disconnect();
}

bool TChatInterface::Connect()
{
    if (Connecting)
        return false;
    Connecting = true;
    // A socket left by an earlier attempt (one that ended in a send error, say) goes quietly.
    if (m_socket)
        releaseSocket();
    m_connected = false;
    m_framer.clear();

    // "host:port" names its own port; a plain host takes Port. A malformed port is refused at
    // once (reported as a failed connect), not dialled somewhere unintended.
    const tServerAddress server = ParseServerAddress(Address, Port);
    if (!server.Valid()) {
        failLater(QAbstractSocket::HostNotFoundError, true);
        return true;
    }
    // An address of digits and points is taken as it stands; one that does not convert counts as
    // a failed look-up: no socket, and the attempt ends by the owner's time-out.
    QHostAddress host;
    const bool numeric = isNumericAddress(server.Host);
    if (numeric && (!host.setAddress(server.Host) || host.protocol() != QAbstractSocket::IPv4Protocol))
        return true;

    auto *s = new QTcpSocket(this);
    m_socket = s;
    connect(s, &QTcpSocket::connected, this, &TChatInterface::onConnected);
    connect(s, &QTcpSocket::readyRead, this, &TChatInterface::onReadyRead);
    connect(s, &QTcpSocket::disconnected, this, &TChatInterface::onPeerClosed);
    connect(s, &QTcpSocket::errorOccurred, this, &TChatInterface::onError);

    // Qt may report an immediate failure from inside connectToHost; the owner only starts
    // listening for the outcome once Connect has returned, so such a report is held back.
    m_inConnect = true;
    if (numeric)
        s->connectToHost(host, server.Port);
    else
        s->connectToHost(server.Host, server.Port, QIODevice::ReadWrite, QAbstractSocket::IPv4Protocol);
    m_inConnect = false;
    return true;
}

void TChatInterface::CancelConnect()
{
    if (!Connecting)
        return;
    if (m_socket)
        releaseSocket();
    else
        ++m_attempt;
    Connecting = false;
}

void TChatInterface::Disconnect()
{
    m_connected = false;
    m_framer.clear();
    if (!m_socket)
        return;
    releaseSocket();
    raise(OnDisconnect);
}

bool TChatInterface::SendText(const QString &text)
{
    if (!m_connected)
        return false;
    const QByteArray bytes = ansi::toBytes(text);
    if (bytes.size() > MaxSendLength)
        return false;
    if (bytes.isEmpty())
        return true;
    if (!m_socket || m_socket->state() != QAbstractSocket::ConnectedState || m_socket->write(bytes) <= 0) {
        raise(OnSendError);
        return false;
    }
    m_socket->flush();
    return true;
}

bool TChatInterface::SendLoginScript()
{
    if (!m_connected)
        return true;
    // A copy: an event raised by a failed send may change the script.
    const QStringList script = LoginScript;
    for (const QString &line : script)
        if (!SendText(line + QLatin1Char('\r')))
            return false;
    raise(OnLogin);
    return true;
}

void TChatInterface::receiveBytes(const char *data, qsizetype size)
{
    m_framer.terminator = ReturnChar;
    m_framer.feed(data, size, m_sink);
}

void TChatInterface::onConnected()
{
    m_connected = true;
    m_peerClose = PeerClose::Open;
    raise(OnConnect);
    Connecting = false;
}

void TChatInterface::onReadyRead()
{
    // A handler that runs a modal loop may bring us back here; the outer call reads what arrives.
    if (m_reading)
        return;
    m_reading = true;
    const QPointer<QTcpSocket> s = m_socket;
    while (s && s == m_socket && s->bytesAvailable() > 0) {
        const qint64 n = s->read(m_block.data(), m_block.size());
        if (n <= 0)
            break;
        receiveBytes(m_block.data(), n);
    }
    m_reading = false;
    // A close seen meanwhile is reported after the lines that came before it.
    if (m_peerClose == PeerClose::Seen && s && s == m_socket) {
        m_peerClose = PeerClose::Reported;
        raise(OnConnectClosed);
    }
}

void TChatInterface::onPeerClosed()
{
    if (!m_connected || m_peerClose != PeerClose::Open)
        return;
    // The socket itself is closed; it stays held (and Connected stays true) until Disconnect.
    m_peerClose = PeerClose::Seen;
    if (!m_reading)
        onReadyRead();
}

void TChatInterface::onError(QAbstractSocket::SocketError error)
{
    if (m_connected) {
        // A peer close ends with the disconnected signal, which takes the close path.
        if (error != QAbstractSocket::RemoteHostClosedError)
            raise(OnSocketError);
        return;
    }
    if (m_inConnect)
        failLater(error);
    else
        connectFailed(error);
}

void TChatInterface::failLater(QAbstractSocket::SocketError error, bool reported)
{
    const unsigned attempt = m_attempt;
    QMetaObject::invokeMethod(
        this,
        [this, attempt, error, reported] {
            if (attempt == m_attempt && Connecting && !m_connected)
                connectFailed(error, reported);
        },
        Qt::QueuedConnection);
}

void TChatInterface::connectFailed(QAbstractSocket::SocketError error, bool reported)
{
    if (m_socket)
        releaseSocket();
    // An unknown host name stays silent: the attempt ends by the owner's time-out.
    if (error == QAbstractSocket::HostNotFoundError && !reported)
        return;
    Connecting = false;
    raise(OnConnectFailed);
}

void TChatInterface::deliver(const char *data, qsizetype size)
{
    const auto stripped = [this](char c) { return (NoLineFeed && c == '\n') || (NoReturn && c == '\r'); };
    // Gateway lines carry their line ends at the edges, so trim those without copying.
    while (size > 0 && stripped(data[0])) {
        ++data;
        --size;
    }
    while (size > 0 && stripped(data[size - 1]))
        --size;
    if (size == 0)
        return;
    if (!OnDataReceived)
        return;
    const bool inner = (NoLineFeed && std::memchr(data, '\n', size_t(size)))
                       || (NoReturn && std::memchr(data, '\r', size_t(size)));
    if (!inner) {
        OnDataReceived(ansi::fromBytes(data, size));
        return;
    }
    QByteArray kept;
    kept.reserve(size);
    for (qsizetype i = 0; i < size; ++i)
        if (!stripped(data[i]))
            kept.append(data[i]);
    OnDataReceived(ansi::fromBytes(kept));
}

void TChatInterface::releaseSocket()
{
    ++m_attempt;
    m_peerClose = PeerClose::Open;
    QTcpSocket *s = std::exchange(m_socket, nullptr);
    s->disconnect(this);
    if (s->state() != QAbstractSocket::UnconnectedState) {
        if (s->state() == QAbstractSocket::ConnectedState)
            s->flush();
        s->abort();
    }
    // We may be inside one of its signals.
    s->deleteLater();
}
