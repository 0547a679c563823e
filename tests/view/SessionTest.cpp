#include "TestMain.h"
#include "ViewTestSupport.h"

#include <QTcpSocket>

#include "gateway/Gateway.h"
#include "net/ChatInterface.h"
#include "net/Interpreters.h"
#include "profile/Profile.h"
#include "view/ChannelUsers.h"
#include "view/ReplyList.h"
#include "view/Session.h"
#include "view/SessionLog.h"

using namespace viewtest;

namespace {

// A whole client without a window: connection, interpreters, session and channel handling, with
// the window's part recorded.
struct Client : tSessionHost, tChannelHost
{
    tProfile profile;
    TChatInterface ci;
    TBnetChat bc;
    TTextChat tc;
    tTranscript chat{QStringLiteral("reChat")};
    tTranscript whisper{QStringLiteral("reWhisper")};
    tChannelUsers users;
    tReplyList replies;
    tSessionLog log;
    RecordingSound sound;
    tSession session{profile, ci, bc, tc, *this};
    tChannelEvents events{profile, users, replies, log, sound, *this};

    QString panel[2];
    QStringList status; // "0:text" / "1:text", every change in order
    QStringList messages;
    int attempts = 0; // "Trying Server: " shown, repeats included
    bool connectChecked = false, pauseChecked = false, buttons = false;

    explicit Client(quint16 port)
    {
        ci.Port = port;
        bc.ChatInterface = &ci;
        tc.ChatInterface = &ci;
        bc.UserName = QStringLiteral("Tester");
        bc.Password = QStringLiteral("secret");
        profile.ServerList = {QStringLiteral("127.0.0.1")};
        profile.Settings.setConnectTimeout(1);
        profile.Settings.setLoginTimeout(1);
        session.Bind();
        events.Bind(bc, tc);
    }

    // tSessionHost
    void SetStatus(int p, const QString &text) override
    {
        if (p == 0 && text.startsWith(QLatin1String("Trying Server: ")))
            ++attempts;
        if (panel[p] != text)
            status << QString::number(p) + QLatin1Char(':') + text;
        panel[p] = text;
    }
    void WriteChat(const QString &text, const QColor &color) override { chat.WriteLine(text, color); }
    void ShowMessage(const QString &text) override { messages << text; }
    void ClearChannel() override { users.Clear(); }
    void SetConnectChecked(bool c) override { connectChecked = c; }
    void SetPauseChecked(bool c) override { pauseChecked = c; }
    void EnableChatButtons(bool e) override { buttons = e; }
    // tChannelHost
    tTranscript &ChatPane() override { return chat; }
    tTranscript &WhisperPane() override { return whisper; }
    void SendLine(const QString &text) override { bc.SendLine(text); }
    void SetAwayChecked(bool) override {}
    void WelcomeCheck(const QString &text) override { session.WelcomeCheck(text); }
    void RefusedLoginCheck(const QString &line) override { session.RefusedLoginCheck(line); }
    void UniqueNameReceived(const QString &name) override { session.UniqueNameReceived(name); }
    QString UniqueName() const override { return session.UniqueName; }
    QString ProgramFolder() const override { return QString(); }

    QStringList plainLines() const { return chat.PlainText().isEmpty() ? QStringList() : chat.PlainText().split('\n'); }
};

gw::Options options(gw::Dialect d = gw::Dialect::Classic)
{
    gw::Options o;
    o.dialect = d;
    return o;
}

// A server on 127.0.0.3 and the given port that accepts connections and never answers.
gw::Options silentOn(quint16 port)
{
    gw::Options o = options();
    o.address = QHostAddress(QStringLiteral("127.0.0.3"));
    o.port = port;
    o.silent = true;
    return o;
}

int firstClient(const gw::Server &server)
{
    const QList<int> ids = server.clients();
    return ids.isEmpty() ? -1 : ids.first();
}

} // namespace

class SessionTest : public QObject
{
    Q_OBJECT
private slots:
    void serverRotationInOrder()
    {
        gw::Server live(options());
        QVERIFY(live.start());
        // 127.0.0.2 on that port: nobody listens, the connection is refused.
        gw::Server silent(silentOn(live.port()));
        QVERIFY2(silent.start(), qPrintable(silent.errorString()));

        int silentId = -1;
        connect(&silent, &gw::Server::clientConnected, this, [&](int id) { silentId = id; });
        Client c(live.port());
        c.profile.ServerList = {QStringLiteral("127.0.0.2"), QStringLiteral("127.0.0.3"), QStringLiteral("127.0.0.1")};
        c.session.ConnectAction();
        QVERIFY(c.session.Running());
        QTRY_VERIFY_WITH_TIMEOUT(c.session.LoggedOn, 10000);
        QTRY_VERIFY(!c.session.Running());
        QCOMPARE(c.status, QStringList({"0:Trying Server: 127.0.0.2",
                                        // refused: passed over before the first tick, no countdown
                                        "0:Trying Server: 127.0.0.3", "0:Attempting to log on to 127.0.0.3",
                                        "1:Timeout in: 1", "1:Timeout in: 0", "0:",
                                        "0:Trying Server: 127.0.0.1", "0:Attempting to log on to 127.0.0.1",
                                        "0:Logged on to 127.0.0.1", "1:", "1:Connected to: 127.0.0.1"}));
        QCOMPARE(c.session.CurrentServer, QStringLiteral("127.0.0.1"));
        QCOMPARE(c.plainLines().first(), QStringLiteral("Attempting to connect."));
        QVERIFY(c.buttons);
        QVERIFY(c.messages.isEmpty());
        // The silent server got the login and then lost the connection.
        QVERIFY(silent.received(silentId).startsWith("\x03\x04Tester\r"));
        QTRY_VERIFY(silent.clients().isEmpty());
    }

    void unresolvableHostAfterConnectTimeout()
    {
        gw::Server live(options());
        QVERIFY(live.start());
        Client c(live.port());
        c.profile.ServerList = {QStringLiteral("nosuch.invalid"), QStringLiteral("127.0.0.1")};
        c.session.ConnectAction();
        QTRY_VERIFY_WITH_TIMEOUT(c.session.LoggedOn, 10000);
        QCOMPARE(c.status.mid(0, 3), QStringList({"0:Trying Server: nosuch.invalid", "1:Timeout in: 0",
                                                  "0:Trying Server: 127.0.0.1"}));
        QVERIFY(!c.ci.Connecting);
    }

    void loginBytesHomeChannelAndUniqueName()
    {
        gw::Server live(options());
        QVERIFY(live.start());
        Client c(live.port());
        c.profile.Settings.setHomeChannel(QStringLiteral("Town Square"));
        c.session.ConnectAction();
        QTRY_VERIFY(c.session.LoggedOn);
        QTRY_COMPARE(c.users.CurrentChannel, QStringLiteral("Town Square"));
        const QByteArray sent = live.received(firstClient(live));
        QVERIFY2(sent.startsWith(QByteArray("\x03\x04Tester\rsecret\r\r/join Town Square\r")), sent.constData());
        QCOMPARE(sent.count("/join"), 1);
        QCOMPARE(c.session.UniqueName, QStringLiteral("Tester"));
        QCOMPARE(c.users.Caption(), QStringLiteral("Town Square (1)"));
        QCOMPARE(c.users.At(0).Name, QStringLiteral("Tester"));
        const QStringList shown = c.plainLines();
        QVERIFY(shown.contains(QStringLiteral("Welcome to Battle.net!")));
        QVERIFY(shown.contains(QStringLiteral("Joining channel Town Square.")));
        QVERIFY(!shown.join('\n').contains(QStringLiteral("Username"))); // prompts are never shown
    }

    void emptyHomeChannelJoinsTheDefault()
    {
        gw::Server live(options());
        QVERIFY(live.start());
        Client c(live.port());
        c.session.ConnectAction();
        QTRY_COMPARE(c.users.CurrentChannel, QStringLiteral("Blizzard Chat 1"));
        QVERIFY(live.received(firstClient(live)).contains("/join Blizzard Chat 1\r"));
    }

    void welcomeInAnyLetterCase()
    {
        gw::Options o = options();
        o.silent = true;
        gw::Server quiet(o);
        QVERIFY(quiet.start());
        Client c(quiet.port());
        c.profile.Settings.setLoginTimeout(30);
        c.session.ConnectAction();
        QTRY_COMPARE(c.panel[0], QStringLiteral("Attempting to log on to 127.0.0.1"));
        const int id = firstClient(quiet);
        quiet.inject(id, "Username: Password: \r\n1018 INFO \"You are welcome\"\r\n");
        QTRY_COMPARE(c.plainLines().size(), 2);
        QVERIFY(!c.session.LoggedOn);
        quiet.inject(id, "1018 INFO \"wElCoMe To the Test Realm\"\r\n");
        QTRY_VERIFY(c.session.LoggedOn);
        QTRY_VERIFY(quiet.received(id).contains("/join Blizzard Chat 1\r"));
        QCOMPARE(c.panel[0], QStringLiteral("Logged on to 127.0.0.1"));
        QCOMPARE(c.plainLines().last(), QStringLiteral("wElCoMe To the Test Realm"));
    }

    void currentServersLogOnByTheUniqueName()
    {
        gw::Server live(options(gw::Dialect::Current));
        QVERIFY(live.start());
        Client c(live.port());
        c.profile.Settings.setLoginTimeout(2);
        c.session.ConnectAction();
        QTRY_COMPARE(c.users.CurrentChannel, QStringLiteral("Blizzard Chat 1"));
        QCOMPARE(c.status.count(QStringLiteral("0:Logged on to 127.0.0.1")), 1);
        QCOMPARE(live.received(firstClient(live)).count("/join"), 1);
        const QStringList shown = c.plainLines();
        QVERIFY(shown.contains(QStringLiteral("Hello Tester, welcome to Battle.net!")));
        QVERIFY(!shown.join('\n').contains(QStringLiteral("Password")));
        QVERIFY(c.messages.isEmpty());
    }

    void refusedLoginStopsTheRun_data()
    {
        QTest::addColumn<int>("dialect");
        QTest::newRow("classic: Login incorrect.") << int(gw::Dialect::Classic);
        QTest::newRow("current: Login failed.") << int(gw::Dialect::Current);
    }
    void refusedLoginStopsTheRun()
    {
        QFETCH(int, dialect);
        gw::Options o = options(gw::Dialect(dialect));
        o.createAccounts = false;
        gw::Server live(o);
        QVERIFY(live.start());
        live.addAccount(QStringLiteral("Tester"), QStringLiteral("other"));
        Client c(live.port());
        c.profile.ServerList = {QStringLiteral("127.0.0.1"), QStringLiteral("127.0.0.4")};
        c.session.ConnectAction();
        QTRY_COMPARE(c.messages, QStringList{tSession::RefusedLoginText()});
        QTRY_VERIFY(!c.session.Running());
        QVERIFY(!c.session.LoggedOn);
        QVERIFY(!c.ci.Connected());
        QVERIFY(!c.status.contains(QStringLiteral("0:Trying Server: 127.0.0.4")));
        QCOMPARE(c.panel[0], QString());
        QCOMPARE(c.panel[1], QString());
        QVERIFY(!c.buttons);
    }

    void refusedLoginOnlyAtTheStartOfTheLine()
    {
        gw::Server live(options());
        QVERIFY(live.start());
        Client c(live.port());
        c.session.RefusedLoginCheck(QStringLiteral("Your login incorrect"));
        QVERIFY(c.messages.isEmpty());
        c.session.RefusedLoginCheck(QStringLiteral("login INCORRECT."));
        QCOMPARE(c.messages.size(), 1);
        QCOMPARE(tSession::RefusedLoginText(),
                 QStringLiteral("Log on failed.  Please check your name and password\nand be sure you are using a name "
                                "and password\nyou have already set up with Diablo or Starcraft"));
    }

    void lostConnection_data()
    {
        QTest::addColumn<bool>("autoReconnect");
        QTest::newRow("stays disconnected") << false;
        QTest::newRow("reconnects") << true;
    }
    void lostConnection()
    {
        QFETCH(bool, autoReconnect);
        gw::Server live(options());
        QVERIFY(live.start());
        Client c(live.port());
        c.profile.Settings.setAutoReconnect(autoReconnect);
        c.session.ConnectAction();
        // The gateway's first channel is not the home channel: wait for the home one.
        QTRY_COMPARE(c.users.CurrentChannel, QStringLiteral("Blizzard Chat 1"));
        QTRY_COMPARE(c.users.ChannelUserCount(), 1);
        c.chat.Clear();
        live.dropAll();
        QTRY_VERIFY(c.plainLines().contains(QStringLiteral("Connection was terminated.")));
        QCOMPARE(lines(c.chat).first(), "[" + hex(c.profile.Settings, ErrorColor) + "]Connection was terminated.");
        QCOMPARE(c.messages, QStringList());
        if (!autoReconnect) {
            QTRY_VERIFY(!c.ci.Connected());
            QVERIFY(!c.session.LoggedOn);
            QVERIFY(!c.session.Running());
            QCOMPARE(c.users.Caption(), QString());
            QCOMPARE(c.users.ChannelUserCount(), 0);
            QCOMPARE(c.plainLines(), QStringList{QStringLiteral("Connection was terminated.")});
            QTRY_COMPARE(c.panel[1], QString());
            QCOMPARE(c.panel[0], QString());
        } else {
            QCOMPARE(c.plainLines().mid(0, 2), QStringList({"Connection was terminated.", "Attempting to connect."}));
            QTRY_VERIFY(c.session.LoggedOn);
            QTRY_COMPARE(c.users.ChannelUserCount(), 1);
            QCOMPARE(live.clients().size(), 1);
        }
    }

    void sendErrorWhileLoggedOn()
    {
        gw::Server live(options());
        QVERIFY(live.start());
        Client c(live.port());
        c.profile.Settings.setAutoReconnect(true); // no reconnect after a send error all the same
        c.session.ConnectAction();
        QTRY_COMPARE(c.users.ChannelUserCount(), 1);
        // The socket goes away under the connection: the next write fails.
        c.chat.Clear();
        QTcpSocket *s = c.ci.socket();
        s->blockSignals(true);
        s->abort();
        QVERIFY(!c.ci.SendText(QStringLiteral("hello\r")));
        QCOMPARE(c.plainLines().last(), QStringLiteral("Send error:  Server may not be responding"));
        QVERIFY(!c.session.LoggedOn);
        QVERIFY(!c.ci.Connected());
        QCOMPARE(c.panel[0], QString());
        QCOMPARE(c.users.Caption(), QString());
        QTest::qWait(200);
        QVERIFY2(!c.session.Running(), qPrintable(c.plainLines().join('|') + " // " + c.status.join('|')));
        QVERIFY(!c.plainLines().contains(QStringLiteral("Attempting to connect.")));
    }

    void pauseHoldsLinesInOrder()
    {
        gw::Server live(options());
        QVERIFY(live.start());
        Client c(live.port());
        c.session.ConnectAction();
        QTRY_COMPARE(c.users.CurrentChannel, QStringLiteral("Blizzard Chat 1"));
        QTRY_COMPARE(c.panel[1], QStringLiteral("Connected to: 127.0.0.1"));
        const int id = firstClient(live);
        c.session.SetPaused(true);
        QVERIFY(c.pauseChecked);
        QTRY_COMPARE(c.panel[1], QStringLiteral("CHAT PAUSED"));
        c.chat.Clear();
        live.inject(id, "1005 TALK Ann 0000 \"one\"\r\n1005 TALK Ann 0000 \"two\"\r\n1023 EMOTE Ann 0000 \"three\"\r\n");
        QTRY_COMPARE(c.session.PauseBuffer().size(), 3);
        QVERIFY(c.plainLines().isEmpty());
        c.session.SetPaused(false);
        live.inject(id, "1005 TALK Ann 0000 \"four\"\r\n");
        QTRY_COMPARE(c.plainLines(), QStringList({"<Ann> one", "<Ann> two", "<Ann three>", "<Ann> four"}));
        QVERIFY(c.session.PauseBuffer().isEmpty());
        QTRY_COMPARE(c.panel[1], QStringLiteral("Connected to: 127.0.0.1"));

        // Logging out while paused discards the held lines unseen.
        c.session.SetPaused(true);
        live.inject(id, "1005 TALK Ann 0000 \"never\"\r\n");
        QTRY_COMPARE(c.session.PauseBuffer().size(), 1);
        c.session.ConnectAction();
        QVERIFY(!c.ci.Connected());
        QTRY_VERIFY(!c.session.Paused());
        QVERIFY(c.session.PauseBuffer().isEmpty());
        QVERIFY(!c.pauseChecked);
        QCOMPARE(c.panel[1], QString());
        QVERIFY(!c.plainLines().contains(QStringLiteral("<Ann> never")));
    }

    // Lines held while paused die with their connection: a second held "/disconnect" starts no new
    // connect run, and a line held before the user disconnected is not shown.
    void heldLinesDieWithTheirConnection_data()
    {
        QTest::addColumn<QByteArray>("held");
        QTest::addColumn<bool>("userDisconnects");
        const QByteArray disconnect = "1004 WHISPER Boss 0000 \"/disconnect\"\r\n", talk = "1005 TALK Ann 0000 \"never\"\r\n";
        QTest::newRow("two held disconnects") << disconnect + disconnect + talk << false;
        QTest::newRow("released right after a disconnect") << talk << true;
    }
    void heldLinesDieWithTheirConnection()
    {
        QFETCH(QByteArray, held);
        QFETCH(bool, userDisconnects);
        struct Hooks : tAutomationHooks
        {
            tSession *session = nullptr;
            void RunRemoteCommand(const QString &, const QString &text) override
            {
                if (text == QLatin1String("/disconnect"))
                    session->ConnectAction();
            }
        } hooks;
        gw::Server live(options());
        QVERIFY(live.start());
        Client c(live.port());
        hooks.session = &c.session;
        c.events.SetAutomation(&hooks);
        c.session.ConnectAction();
        QTRY_COMPARE(c.users.ChannelUserCount(), 1); // logged on and in the channel
        c.session.SetPaused(true);
        live.inject(firstClient(live), held);
        QTRY_VERIFY_WITH_TIMEOUT(c.session.PauseBuffer().join(QLatin1Char('\n')).contains(QLatin1String("never")), 15000);
        c.chat.Clear();
        if (userDisconnects)
            c.session.ConnectAction();
        c.session.SetPaused(false);
        QTest::qWait(200);
        QVERIFY(!c.ci.Connected() && !c.ci.Connecting && !c.session.Running());
        QVERIFY(!c.plainLines().join(QLatin1Char('\n')).contains(QLatin1String("never")));
    }

    void everyServerRefusingDoesNotSpin()
    {
        // A port nobody listens on: both loopback addresses refuse at once.
        quint16 port = 0;
        {
            gw::Server probe(options());
            QVERIFY(probe.start());
            port = probe.port();
        }
        Client c(port);
        c.profile.ServerList = {QStringLiteral("127.0.0.1"), QStringLiteral("127.0.0.2")};
        c.session.ConnectAction();
        QTest::qWait(1500);
        // One round at once, then at most one round per ServerTimer tick.
        QVERIFY2(c.attempts >= 2 && c.attempts <= 6, qPrintable(QString::number(c.attempts)));
        QVERIFY(c.session.Running());
        QVERIFY(c.messages.isEmpty());
        QCOMPARE(c.plainLines(), QStringList{QStringLiteral("Attempting to connect.")});

        // The run goes on: a server that comes up is found at the next round.
        gw::Options o = options();
        o.port = port;
        gw::Server live(o);
        QVERIFY(live.start());
        QTRY_VERIFY_WITH_TIMEOUT(c.session.LoggedOn, 5000);
    }

    void serversWithPorts()
    {
        gw::Server live(options());
        QVERIFY(live.start());
        // The connection's own port is closed: only the entry's port reaches the gateway.
        Client c(live.port() == 1 ? 2 : 1);
        const QString good = QStringLiteral("127.0.0.1:%1").arg(live.port());
        c.profile.ServerList = {QStringLiteral("127.0.0.1:x"), good};
        c.session.ConnectAction();
        QTRY_VERIFY_WITH_TIMEOUT(c.session.LoggedOn, 5000);
        QCOMPARE(c.session.CurrentServer, good);
        QCOMPARE(c.plainLines().mid(0, 2),
                 QStringList({"Attempting to connect.",
                              "Server \"127.0.0.1:x\" has an invalid port: write host:port with a port from 1 to 65535."}));
        QCOMPARE(c.attempts, 1); // the malformed entry is never dialled

        // A list of nothing usable ends the run instead of retrying it every second.
        Client bad(live.port());
        bad.profile.ServerList = {QStringLiteral("127.0.0.1:0"), QStringLiteral(":6112")};
        bad.session.ConnectAction();
        QTRY_VERIFY(!bad.session.Running());
        QCOMPARE(bad.plainLines().size(), 4);
        QCOMPARE(bad.plainLines().last(), QStringLiteral("No server in the list can be used."));
        QVERIFY(!bad.session.LoggedOn);
        QVERIFY(live.clients().size() == 1);
    }

    void connectWhileWaitingBetweenRoundsCancels()
    {
        quint16 port = 0;
        {
            gw::Server probe(options());
            QVERIFY(probe.start());
            port = probe.port();
        }
        Client c(port);
        c.session.ConnectAction();
        QTRY_VERIFY(c.attempts >= 1 && !c.ci.Connecting); // refused; waiting for the next tick
        QVERIFY(c.session.AttemptPending()); // closing the window now must cancel the run too
        c.session.ConnectAction();
        QTRY_VERIFY(!c.session.Running());
        QVERIFY(!c.session.AttemptPending());
        QTest::qWait(1200);
        QCOMPARE(c.attempts, 1);
        QCOMPARE(c.panel[0], QString());
        QCOMPARE(c.panel[1], QString());
        QCOMPARE(c.plainLines(), QStringList{QStringLiteral("Attempting to connect.")});
    }

    void connectWhileConnectingCancels()
    {
        Client c(6112);
        c.profile.ServerList.clear();
        c.session.ConnectAction();
        QCOMPARE(c.profile.ServerList, QStringList{QString::fromLatin1(tSession::DefaultServer)});
        QVERIFY(c.ci.Connecting);
        c.session.ConnectAction();
        QTRY_VERIFY(!c.session.Running());
        QVERIFY(!c.ci.Connecting);
        QCOMPARE(c.panel[0], QString());
        QCOMPARE(c.panel[1], QString());
        QVERIFY(!c.connectChecked);
        QVERIFY(c.messages.isEmpty());
    }

    void connectDuringLoginDropsAndTheRunMovesOn()
    {
        gw::Server live(options());
        QVERIFY(live.start());
        gw::Server silent(silentOn(live.port()));
        QVERIFY(silent.start());
        Client c(live.port());
        c.profile.ServerList = {QStringLiteral("127.0.0.3"), QStringLiteral("127.0.0.1")};
        c.session.ConnectAction();
        QTRY_COMPARE(c.panel[0], QStringLiteral("Attempting to log on to 127.0.0.3"));
        c.session.ConnectAction(); // the connection stands: dropped, the run waits for the time-out
        QVERIFY(!c.ci.Connected());
        QVERIFY(c.session.Running());
        QTRY_VERIFY_WITH_TIMEOUT(c.session.LoggedOn, 10000);
        QCOMPARE(c.session.CurrentServer, QStringLiteral("127.0.0.1"));
    }
};
QC_TEST(SessionTest)
#include "SessionTest.moc"
