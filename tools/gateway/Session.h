#pragma once
// One client connection: cuts its bytes into lines, runs the login, then hands its lines on.
#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <deque>

class QTcpSocket;

namespace gw {

class Server;
struct Member;

class Session : public QObject
{
    Q_OBJECT
public:
    // Bytes recorded for received(); more than this is not kept.
    static constexpr qsizetype MaxRecorded = 256 * 1024;
    // An unterminated line longer than this closes the connection: no client sends one.
    static constexpr qsizetype MaxLine = 64 * 1024;
    // A client that does not read what it is sent is dropped before its backlog eats memory.
    static constexpr qint64 MaxBacklog = 4 * 1024 * 1024;
    static constexpr qsizetype CutLength = 255;

    Session(int id, QTcpSocket *socket, Server &server);
    ~Session() override;

    int id() const { return m_id; }
    const QByteArray &received() const { return m_received; }
    Member *member() const { return m_member; }
    bool isFinished() const { return m_finished; }
    QTcpSocket *socket() const { return m_socket; }

    // Bytes as given; nothing is sent while the server is silent unless `always`.
    void sendRaw(const QByteArray &bytes, bool always = false);

private:
    friend class Server;
    enum class State { Protocol, Echo, UserName, Password, LoggedOn };

    void onReadyRead();
    void onSocketClosed();
    void feed(const char *data, qsizetype size);
    void handleLine(const QByteArray &line);
    void authenticate(const QString &password);
    void refuse();
    void logOn(const QString &name, const QString &account, int number);
    bool quotaRefuses();

    const int m_id;
    QTcpSocket *const m_socket;
    Server &m_server;
    State m_state = State::Protocol;
    QByteArray m_line;
    bool m_afterCR = false; // an LF right after a CR ends nothing
    QByteArray m_received;
    QString m_userName;
    int m_failures = 0;
    Member *m_member = nullptr;
    std::deque<qint64> m_recent; // times of the lines inside the quota window
    QElapsedTimer m_clock;
    bool m_finished = false;
    bool m_overflowing = false;
};

} // namespace gw
