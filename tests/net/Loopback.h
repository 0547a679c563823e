#pragma once
// A scripted gateway on 127.0.0.1 for the net tests: accepts one client, records what it sends,
// writes what the test tells it to.
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "net/ChatInterface.h"

class LoopbackServer : public QObject
{
public:
    LoopbackServer()
    {
        server.listen(QHostAddress::LocalHost);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            peer = server.nextPendingConnection();
            connect(peer, &QTcpSocket::readyRead, this, [this] { received += peer->readAll(); });
        });
    }
    quint16 port() const { return server.serverPort(); }
    void send(const QByteArray &bytes)
    {
        peer->write(bytes);
        peer->flush();
    }
    // Points the client here and waits until both ends stand.
    bool connectClient(TChatInterface &ci)
    {
        ci.Address = QStringLiteral("127.0.0.1");
        ci.Port = port();
        return ci.Connect() && QTest::qWaitFor([&] { return ci.Connected() && peer; }, 5000);
    }

    QTcpServer server;
    QPointer<QTcpSocket> peer;
    QByteArray received;
};

// A port on which nothing listens: bound once, then released.
inline quint16 closedLoopbackPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}
