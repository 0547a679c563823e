#pragma once
#include <QColor>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>

class TChatInterface;
class TBnetChat;
class TTextChat;
struct tProfile;

// What the session needs from the window: status panels, message boxes and a few controls.
class tSessionHost
{
public:
    virtual ~tSessionHost() = default;
    // Panel 0 shows the connection progress, panel 1 the countdown and then the connection state.
    virtual void SetStatus(int panel, const QString &text) = 0;
    // One line in the chat pane in one colour.
    virtual void WriteChat(const QString &text, const QColor &color) = 0;
    virtual void ShowMessage(const QString &text) = 0;
    // Empties the channel user list and the channel caption.
    virtual void ClearChannel() = 0;
    virtual void SetConnectChecked(bool checked) = 0;
    virtual void SetPauseChecked(bool checked) = 0;
    // btnSend, btnEmote, btnWhisper.
    virtual void EnableChatButtons(bool enabled) = 0;
    virtual void FocusEntry() {}
};

// The connection's life: the connect run over the profile's servers with its time-outs, logging
// on, the home channel, refused logins, lost connections, send errors and the pause buffer.
//
// The run is a state machine driven by the socket's events and ServerTimer's ticks: exactly one
// attempt is in flight, and handlers only set AttemptFailed, LoggedOn or ConnectCancelled; the
// next step is taken on the following event-loop turn, so no handler waits inside another.
class tSession : public QObject
{
    Q_OBJECT
public:
    // Tried when the server list is empty.
    static const char *const DefaultServer;
    static const char *const DefaultChannel;

    tSession(tProfile &profile, TChatInterface &connection, TBnetChat &bcChat, TTextChat &tcChat,
             tSessionHost &host, QObject *parent = nullptr);

    // Binds the handlers to the connection's events.
    void Bind();

    bool LoggedOn = false;
    bool ConnectCancelled = false;
    bool AttemptFailed = false;
    bool ConnectPhase = false;
    int TimeoutCount = 0;
    QString CurrentServer;
    QString UniqueName;
    QTimer ServerTimer;

    bool Running() const { return m_running; }
    // A connect attempt is under way: the socket is connecting, or the run waits for the next tick
    // to try the list again. The Connect action then cancels the run.
    bool AttemptPending() const;
    int ServerIndex() const { return m_index; }

    // acConnect: disconnects, cancels a pending connect, or starts a connect run.
    void ConnectAction();

    void ChatInterfaceConnect();
    void ChatInterfaceConnectFailed();
    void ChatInterfaceLogin();
    void ChatInterfaceDisconnect();
    void ChatInterfaceConnectClosed();
    void ChatInterfaceSendError();
    void ChatInterfaceSocketError();
    void ChatInterfaceDataReceived(const QString &line);
    void ServerTimerTimer();

    // The session's parts of the information, unique-name and unhandled lines.
    void WelcomeCheck(const QString &text);
    void UniqueNameReceived(const QString &name);
    void RefusedLoginCheck(const QString &line);

    bool Paused() const { return m_paused; }
    // acPause: while paused received lines wait; resuming processes them in arrival order.
    void SetPaused(bool paused);
    const QStringList &PauseBuffer() const { return m_pauseBuffer; }

    // The idle rules: a pause is released unseen while not logged on, panel 1 shows the state.
    void IdleUpdate();

    static QString RefusedLoginText();

signals:
    // Something the window's actions show has changed (logged on, paused ...).
    void stateChanged();

private:
    void startRun();
    void startAttempt();
    void scheduleStep();
    void step();
    void finishRun();
    void logOn();
    void process(const QString &line);
    void scheduleIdle();

    tProfile &m_profile;
    TChatInterface &m_ci;
    TBnetChat &m_bc;
    TTextChat &m_tc;
    tSessionHost &m_host;

    bool m_running = false;
    int m_index = 0;
    bool m_stepQueued = false;
    // Attempts started since the last ServerTimer tick; at most one round of the list per tick.
    int m_attemptsSinceTick = 0;
    // Every server failed at once this round: the next attempt waits for the next tick.
    bool m_waitingForTick = false;
    // Indexes of malformed entries already reported in this run.
    QSet<int> m_badReported;
    bool m_idleQueued = false;
    bool m_quietRelease = false;
    bool m_paused = false;
    QStringList m_pauseBuffer;
};
