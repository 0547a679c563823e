#pragma once
#include <QAbstractSocket>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

#include "net/LineFramer.h"

class QTcpSocket;

// Connection events: callbacks bound by the owner; an unbound one is skipped.
using tChatEvent = std::function<void()>;
using tDataReceived = std::function<void(const QString &DataString)>;

// The client's one TCP connection to a chat gateway: connects without blocking, cuts received
// bytes into lines and sends text. Knows nothing of the chat protocol.
// Do not delete it from inside one of its own events; use deleteLater().
class TChatInterface : public QObject
{
    Q_OBJECT
public:
    // Longest text SendText writes; longer text is refused (false, no event, nothing sent).
    static constexpr int MaxSendLength = 2048;
    // Most bytes taken from the socket per read.
    static constexpr int ReadBlockSize = 16384;

    explicit TChatInterface(QObject *parent = nullptr);
    ~TChatInterface() override;

    bool NoLineFeed = true;
    bool NoReturn = true;
    char ReturnChar = '\r';
    // The port of an Address that names none.
    quint16 Port = 0;
    // A host name or dotted IPv4 address, optionally with ":port".
    QString Address;
    QStringList LoginScript;

    // True from the connect notification until Disconnect.
    bool Connected() const { return m_connected; }
    // True from the start of a connect attempt until it completes, is cancelled or the owner clears it.
    bool Connecting = false;

    tChatEvent OnConnect;
    tChatEvent OnDisconnect;
    tChatEvent OnSendError;
    tDataReceived OnDataReceived;
    tChatEvent OnLogin;
    tChatEvent OnSocketError;
    tChatEvent OnConnectClosed;
    // The connect attempt failed at the peer (refused, unreachable, reset before it stood).
    // Raised instead of OnConnect; Connecting is cleared and the socket released first.
    tChatEvent OnConnectFailed;

    bool Connect();
    void CancelConnect();
    void Disconnect();
    bool SendText(const QString &text);
    bool SendLoginScript();

    // The socket in use, or none; exposed for tests that need to poke at it.
    QTcpSocket *socket() const { return m_socket; }

    // Cuts received bytes into lines and raises OnDataReceived for each; the socket's read path
    // ends here. Public so framing can be driven (and measured) without a socket.
    void receiveBytes(const char *data, qsizetype size);

private:
    void onConnected();
    void onReadyRead();
    void onPeerClosed();
    void onError(QAbstractSocket::SocketError error);
    // reported: the failure is always raised, even one that a look-up would leave to the time-out.
    void connectFailed(QAbstractSocket::SocketError error, bool reported = false);
    void failLater(QAbstractSocket::SocketError error, bool reported = false);
    void deliver(const char *data, qsizetype size);
    void releaseSocket();

    QTcpSocket *m_socket = nullptr;
    bool m_connected = false;
    enum class PeerClose { Open, Seen, Reported };
    PeerClose m_peerClose = PeerClose::Open;
    bool m_inConnect = false;
    bool m_reading = false;
    // Bumped whenever the socket goes, so a failure report queued for an old attempt is dropped.
    unsigned m_attempt = 0;
    LineFramer m_framer;
    LineFramer::LineSink m_sink;
    std::array<char, ReadBlockSize> m_block{};
};
