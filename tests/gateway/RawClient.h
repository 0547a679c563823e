#pragma once
// A bare TCP client for talking to the gateway byte by byte in tests.
#include "gateway/Gateway.h"

#include <QHostAddress>
#include <QList>
#include <QTcpSocket>
#include <QtTest>

class RawClient
{
public:
    explicit RawClient(quint16 port)
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, &socket, [this] { read(); });
        QObject::connect(&socket, &QTcpSocket::connected, &socket, [this] {
            socket.write(m_unsent);
            m_unsent.clear();
        });
        socket.connectToHost(QHostAddress::LocalHost, port);
    }

    QTcpSocket socket;
    QByteArray raw;          // everything received, as received
    QList<QByteArray> lines; // raw cut at CR LF

    // Bytes written before the connection stands go out as soon as it does.
    void send(const QByteArray &bytes)
    {
        if (socket.state() != QAbstractSocket::ConnectedState) {
            m_unsent += bytes;
            return;
        }
        socket.write(bytes);
        socket.flush();
    }
    // The login bytes of the client: protocol bytes, name, password, and its extra CR.
    void sendLogin(const QByteArray &name, const QByteArray &password = "pw")
    {
        send(QByteArray("\x03\x04") + name + '\r' + password + "\r\r");
    }
    bool logIn(const QByteArray &name, const QByteArray &password = "pw")
    {
        const int from = lines.size();
        sendLogin(name, password);
        return waitFor([&] { return indexOf("1001 USER ", from) >= 0; });
    }
    void say(const QByteArray &line) { send(line + '\r'); }

    int indexOf(const QByteArray &prefix, int from = 0) const
    {
        for (int i = from; i < lines.size(); ++i)
            if (lines[i].startsWith(prefix))
                return i;
        return -1;
    }
    bool has(const QByteArray &line) const { return lines.contains(line); }
    int count(const QByteArray &line) const { return int(lines.count(line)); }
    int countPrefix(const QByteArray &prefix) const
    {
        int n = 0;
        for (const QByteArray &l : lines)
            n += l.startsWith(prefix) ? 1 : 0;
        return n;
    }
    QList<QByteArray> since(int index) const { return lines.mid(index); }

    template <typename F> bool waitFor(F f, int ms = 5000) { return QTest::qWaitFor(f, ms); }
    bool waitLine(const QByteArray &line, int ms = 5000) { return waitFor([&] { return has(line); }, ms); }
    // Sends a line and waits until the answer that starts with `prefix` arrives; the new lines.
    QList<QByteArray> ask(const QByteArray &line, const QByteArray &prefix)
    {
        const int from = lines.size();
        say(line);
        waitFor([&] { return indexOf(prefix, from) >= 0; });
        return since(from);
    }
    bool waitClosed(int ms = 5000)
    {
        return waitFor([&] { return socket.state() == QAbstractSocket::UnconnectedState; }, ms);
    }

private:
    void read()
    {
        const QByteArray data = socket.readAll();
        raw += data;
        m_pending += data;
        int end;
        while ((end = int(m_pending.indexOf("\r\n"))) >= 0) {
            lines.append(m_pending.left(end));
            m_pending.remove(0, end + 2);
        }
    }
    QByteArray m_pending;
    QByteArray m_unsent;
};

// A gateway on a free loopback port, started for one test.
inline std::unique_ptr<gw::Server> startGateway(gw::Options o = {})
{
    auto s = std::make_unique<gw::Server>(std::move(o));
    if (!s->start())
        qWarning() << "gateway did not start:" << s->errorString();
    return s;
}
