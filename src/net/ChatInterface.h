#pragma once
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

#include "net/LineFramer.h"

class QTcpSocket;

// Connection events: callbacks bound by the owner; an unbound one is skipped.
using tChatEvent = std::function<void()>;
using tDataReceived = std::function<void(const QString &DataString)>;

// The client's one TCP connection to a chat gateway: connects without blocking, cuts received
// bytes into lines and sends text. Knows nothing of the chat protocol.
class TChatInterface : public QObject
{
    Q_OBJECT
public:
    // Longest text SendText writes; longer text is refused (false, no event, nothing sent).
    static constexpr int MaxSendLength = 2048;

    explicit TChatInterface(QObject *parent = nullptr);
    ~TChatInterface() override;

    bool NoLineFeed = true;
    bool NoReturn = true;
    char ReturnChar = '\r';
    quint16 Port = 0;
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

private:
    void onConnected();
    void onReadyRead();
    void onPeerClosed();
    void onError();
    void deliver(QByteArray line);
    void releaseSocket();

    QTcpSocket *m_socket = nullptr;
    bool m_connected = false;
    bool m_closedByPeer = false;
    LineFramer m_framer;
};
