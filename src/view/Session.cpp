#include "view/Session.h"

#include "net/Ansi.h"
#include "net/ChatInterface.h"
#include "net/Interpreters.h"
#include "net/ServerAddress.h"
#include "profile/Profile.h"

#include <QTcpSocket>

const char *const tSession::DefaultServer = "useast.battle.net";
const char *const tSession::DefaultChannel = "Blizzard Chat 1";

tSession::tSession(tProfile &profile, TChatInterface &connection, TBnetChat &bcChat, TTextChat &tcChat,
                   tSessionHost &host, QObject *parent)
    : QObject(parent), m_profile(profile), m_ci(connection), m_bc(bcChat), m_tc(tcChat), m_host(host)
{
    ServerTimer.setInterval(1000);
    connect(&ServerTimer, &QTimer::timeout, this, &tSession::ServerTimerTimer);
}

void tSession::Bind()
{
    m_ci.OnConnect = [this] { ChatInterfaceConnect(); };
    m_ci.OnConnectFailed = [this] { ChatInterfaceConnectFailed(); };
    m_ci.OnLogin = [this] { ChatInterfaceLogin(); };
    m_ci.OnDisconnect = [this] { ChatInterfaceDisconnect(); };
    m_ci.OnConnectClosed = [this] { ChatInterfaceConnectClosed(); };
    m_ci.OnSendError = [this] { ChatInterfaceSendError(); };
    m_ci.OnSocketError = [this] { ChatInterfaceSocketError(); };
    m_ci.OnDataReceived = [this](const QString &line) { ChatInterfaceDataReceived(line); };
}

QString tSession::RefusedLoginText()
{
    return QStringLiteral("Log on failed.  Please check your name and password\n"
                          "and be sure you are using a name and password\n"
                          "you have already set up with Diablo or Starcraft");
}

bool tSession::AttemptPending() const { return m_ci.Connecting || m_waitingForTick; }

void tSession::ConnectAction()
{
    if (m_ci.Connected()) {
        m_ci.Disconnect();
        m_host.ClearChannel();
    } else if (AttemptPending()) {
        m_host.SetConnectChecked(false);
        ConnectCancelled = true;
        m_ci.CancelConnect();
        scheduleStep();
    } else {
        m_host.WriteChat(QStringLiteral("Attempting to connect."), bgrToColor(m_profile.Settings.Color(InfoColor)));
        startRun();
    }
    scheduleIdle();
}

void tSession::startRun()
{
    // A run started while another waits (a lost connection with AutoReconnect, or Connect pressed
    // while a dropped login waits for its time-out) takes over from the first server.
    m_running = true;
    ConnectCancelled = false;
    LoggedOn = false;
    ConnectPhase = true;
    if (m_profile.ServerList.isEmpty())
        m_profile.ServerList.append(QString::fromLatin1(DefaultServer));
    m_index = 0;
    m_badReported.clear();
    startAttempt();
}

void tSession::startAttempt()
{
    if (m_profile.ServerList.isEmpty())
        m_profile.ServerList.append(QString::fromLatin1(DefaultServer));
    if (m_index >= m_profile.ServerList.size())
        m_index = 0;
    // The socket of a failed attempt (a send error leaves it held) is released before the next one.
    if (m_ci.Connected() || m_ci.socket() || m_ci.Connecting) {
        m_quietRelease = true;
        m_ci.CancelConnect();
        m_ci.Disconnect();
        m_ci.Connecting = false;
        m_quietRelease = false;
    }
    // Servers that fail at once (refused, say) are passed over at once, but a list of them all
    // would then be dialled in a tight loop: past one round, wait for the next tick.
    m_waitingForTick = m_attemptsSinceTick >= m_profile.ServerList.size();
    if (m_waitingForTick) {
        AttemptFailed = false;
        if (!ServerTimer.isActive())
            ServerTimer.start();
        return;
    }
    ++m_attemptsSinceTick;
    TimeoutCount = 0;
    CurrentServer = m_profile.ServerList.at(m_index);
    // A malformed entry is said once per run and passed over; a list of nothing else ends the run.
    const tServerAddress server = ParseServerAddress(CurrentServer, m_ci.Port);
    if (!server.Valid()) {
        const QColor error = bgrToColor(m_profile.Settings.Color(ErrorColor));
        if (!m_badReported.contains(m_index)) {
            m_badReported.insert(m_index);
            m_host.WriteChat(server.Error, error);
        }
        if (m_badReported.size() >= m_profile.ServerList.size()) {
            m_host.WriteChat(QStringLiteral("No server in the list can be used."), error);
            m_host.SetConnectChecked(false);
            ConnectCancelled = true;
        }
        AttemptFailed = true;
        scheduleStep();
        return;
    }
    m_host.SetStatus(0, QLatin1String("Trying Server: ") + CurrentServer);
    m_ci.Address = CurrentServer;
    // Cleared before Connect so a failure reported at once is not lost.
    AttemptFailed = false;
    ConnectPhase = true;
    ServerTimer.start();
    m_ci.Connect();
}

void tSession::scheduleStep()
{
    if (m_stepQueued)
        return;
    m_stepQueued = true;
    QMetaObject::invokeMethod(this, &tSession::step, Qt::QueuedConnection);
}

void tSession::step()
{
    m_stepQueued = false;
    if (!m_running)
        return;
    if (ConnectCancelled || LoggedOn) {
        finishRun();
    } else if (AttemptFailed) {
        ++m_index;
        if (m_index >= m_profile.ServerList.size())
            m_index = 0;
        startAttempt();
    }
    scheduleIdle();
}

void tSession::finishRun()
{
    m_running = false;
    m_waitingForTick = false;
    m_attemptsSinceTick = 0;
    ServerTimer.stop();
    m_host.SetStatus(1, QString());
    if (ConnectCancelled) {
        m_host.SetStatus(0, QString());
        LoggedOn = false;
        m_ci.Disconnect();
    } else {
        m_host.SetStatus(1, QLatin1String("Connected to: ") + CurrentServer);
    }
    ConnectPhase = false;
    m_host.FocusEntry();
}

void tSession::ChatInterfaceConnect()
{
    // Take at most one read block per event-loop turn: a flood from the server then waits in the
    // network (which slows the sender down) instead of freezing the window while it is handled.
    if (QTcpSocket *s = m_ci.socket())
        s->setReadBufferSize(TChatInterface::ReadBlockSize);
    TimeoutCount = 0;
    m_host.SetStatus(0, QLatin1String("Attempting to log on to ") + CurrentServer);
    m_bc.Login();
    // From now on the server timer measures the login.
    ConnectPhase = false;
}

void tSession::ChatInterfaceConnectFailed()
{
    // Refused or unreachable: nothing to wait for, the run moves on at once.
    AttemptFailed = true;
    scheduleStep();
}

void tSession::ChatInterfaceLogin()
{
    m_host.EnableChatButtons(true);
}

void tSession::ChatInterfaceDisconnect()
{
    // What the closed connection said is not acted on later: a held "/disconnect" would connect again.
    m_pauseBuffer.clear();
    if (m_quietRelease)
        return;
    m_host.SetStatus(0, QString());
    LoggedOn = false;
    m_host.SetConnectChecked(false);
    m_host.EnableChatButtons(false);
    scheduleIdle();
}

void tSession::ChatInterfaceConnectClosed()
{
    AttemptFailed = true;
    scheduleStep();
    m_host.WriteChat(QStringLiteral("Connection was terminated."), bgrToColor(m_profile.Settings.Color(ErrorColor)));
    ConnectAction();
    if (m_profile.Settings.AutoReconnect() && !ConnectPhase)
        ConnectAction();
}

void tSession::ChatInterfaceSendError()
{
    m_host.WriteChat(QStringLiteral("Send error:  Server may not be responding"),
                     bgrToColor(m_profile.Settings.Color(ErrorColor)));
    if (LoggedOn) {
        LoggedOn = false;
        ConnectAction();
        m_host.SetStatus(0, QString());
    } else {
        AttemptFailed = true;
        scheduleStep();
    }
    scheduleIdle();
}

void tSession::ChatInterfaceSocketError()
{
    m_host.ShowMessage(QStringLiteral("Socket Error"));
}

void tSession::ChatInterfaceDataReceived(const QString &line)
{
    if (m_paused)
        m_pauseBuffer.append(line);
    else
        process(line);
}

void tSession::process(const QString &line)
{
    m_bc.ProcessLine(line);
    if (m_profile.Settings.IncludePlainText())
        m_tc.ProcessLine(line);
}

void tSession::ServerTimerTimer()
{
    if (!m_running) {
        ServerTimer.stop();
        return;
    }
    m_attemptsSinceTick = 0;
    if (m_waitingForTick) {
        startAttempt();
        return;
    }
    ++TimeoutCount;
    const tChatSettings &s = m_profile.Settings;
    if (ConnectPhase) {
        m_host.SetStatus(1, QLatin1String("Timeout in: ") + QString::number(s.ConnectTimeout() - TimeoutCount));
        if (TimeoutCount >= s.ConnectTimeout()) {
            m_ci.Disconnect();
            m_ci.Connecting = false;
            AttemptFailed = true;
            scheduleStep();
            TimeoutCount = 0;
        }
    } else {
        m_host.SetStatus(1, QLatin1String("Timeout in: ") + QString::number(s.LoginTimeout() - TimeoutCount + 1));
        if (TimeoutCount > s.LoginTimeout()) {
            m_ci.Connecting = false;
            m_ci.Disconnect();
            AttemptFailed = true;
            scheduleStep();
            TimeoutCount = 0;
        }
    }
}

void tSession::logOn()
{
    // The welcome and the unique name both mean "logged on"; whichever comes first counts once.
    if (LoggedOn || !m_ci.Connected())
        return;
    ServerTimer.stop();
    LoggedOn = true;
    m_host.SetStatus(0, QLatin1String("Logged on to ") + CurrentServer);
    const QString home = m_profile.Settings.HomeChannel();
    m_bc.SendLine(QLatin1String("/join ") + (home.isEmpty() ? QString::fromLatin1(DefaultChannel) : home)
                  + QLatin1Char('\r'));
    // The run ends here and now, so nothing that follows (a send error, say) finds it half over.
    if (m_running)
        finishRun();
    scheduleIdle();
}

void tSession::WelcomeCheck(const QString &text)
{
    if (text.toLower().contains(QLatin1String("welcome to")))
        logOn();
}

void tSession::UniqueNameReceived(const QString &name)
{
    UniqueName = name;
    logOn();
}

void tSession::RefusedLoginCheck(const QString &line)
{
    const QString head = ansi::foldAZ(line);
    if (!head.startsWith(QLatin1String("login incorrect")) && !head.startsWith(QLatin1String("login failed")))
        return;
    m_host.ShowMessage(RefusedLoginText());
    ConnectAction();
    ConnectCancelled = true;
    ServerTimer.stop();
    scheduleStep();
    scheduleIdle();
}

void tSession::SetPaused(bool paused)
{
    if (paused == m_paused)
        return;
    m_paused = paused;
    m_host.SetPauseChecked(paused);
    // Held lines go through exactly as if they had just arrived, oldest first.
    while (!m_paused && !m_pauseBuffer.isEmpty()) {
        const QString line = m_pauseBuffer.takeFirst();
        process(line);
    }
    scheduleIdle();
}

void tSession::scheduleIdle()
{
    if (m_idleQueued)
        return;
    m_idleQueued = true;
    QMetaObject::invokeMethod(this, [this] {
        m_idleQueued = false;
        IdleUpdate();
    }, Qt::QueuedConnection);
}

void tSession::IdleUpdate()
{
    if (!LoggedOn) {
        m_pauseBuffer.clear();
        if (m_paused) {
            m_paused = false;
            m_host.SetPauseChecked(false);
        }
    }
    // During a run panel 1 carries the countdown.
    if (!m_running)
        m_host.SetStatus(1, m_paused ? QStringLiteral("CHAT PAUSED")
                            : LoggedOn ? QLatin1String("Connected to: ") + CurrentServer
                                       : QString());
    emit stateChanged();
}
