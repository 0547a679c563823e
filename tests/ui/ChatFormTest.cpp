#include "TestMain.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextDocument>

#include "gateway/Gateway.h"
#include "profile/Profile.h"
#include "ui/ChatForm.h"
#include "ui/UserListView.h"

namespace {
struct Recorder : tSoundPlayer
{
    QStringList played;
    void PlaySound(const QString &path) override { played << path; }
};

// A window wired to a stand-in gateway on a free loopback port, message boxes intercepted.
struct Window
{
    tProfile profile;
    std::unique_ptr<TfrmChat> w;
    QStringList boxes;
    Recorder sound;

    explicit Window(quint16 port)
    {
        profile.ServerList = {QStringLiteral("127.0.0.1")};
        profile.Settings.setUserName(QStringLiteral("Viewer"));
        profile.Settings.setPassword(QStringLiteral("pw"));
        profile.Settings.setConnectTimeout(1);
        profile.Settings.setLoginTimeout(1);
        w = std::make_unique<TfrmChat>(profile);
        w->ChatInterface().Port = port;
        w->MessageBoxHandler = [this](const QString &t) { boxes << t; };
        w->SetSoundPlayer(&sound);
    }
    QStringList chatLines() const
    {
        const QString t = w->ChatText().PlainText();
        return t.isEmpty() ? QStringList() : t.split('\n');
    }
};
} // namespace

class ChatFormTest : public QObject
{
    Q_OBJECT
private slots:
    void connectLogOnWatchAndDisconnect()
    {
        gw::Server live;
        QVERIFY(live.start());
        Window f(live.port());
        TfrmChat &w = *f.w;
        QCOMPARE(w.windowTitle(), QStringLiteral("QuorlChat Version 7"));
        QCOMPARE(w.acConnect->shortcut(), QKeySequence(Qt::Key_F4));
        QCOMPARE(w.acPause->shortcut(), QKeySequence(Qt::Key_F12));
        QVERIFY(!w.btnSend->isEnabled());
        QVERIFY(!w.acPause->isEnabled());

        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_F4);
        QTRY_COMPARE(w.edChannel->text(), QStringLiteral("Blizzard Chat 1 (1)"));
        QCOMPARE(w.StatusText(0), QStringLiteral("Logged on to 127.0.0.1"));
        QTRY_COMPARE(w.StatusText(1), QStringLiteral("Connected to: 127.0.0.1"));
        QVERIFY(w.acConnect->isChecked());
        QCOMPARE(w.acConnect->text(), QStringLiteral("&Disconnect"));
        QVERIFY(w.btnSend->isEnabled() && w.btnEmote->isEnabled() && w.btnWhisper->isEnabled());
        QVERIFY(w.acPause->isEnabled());
        QCOMPARE(w.lstUser->model()->rowCount(), 1);
        QCOMPARE(w.lstUser->model()->index(0, 0).data().toString(), QStringLiteral("Viewer"));
        QVERIFY(f.chatLines().contains(QStringLiteral("Joining channel Blizzard Chat 1.")));

        const int id = live.clients().first();
        live.inject(id, "1002 JOIN Ann 0000 [STAR]\r\n1005 TALK Ann 0000 \"hello viewer\"\r\n"
                        "1004 WHISPER Ann 0000 \"just you\"\r\n");
        QTRY_COMPARE(w.edChannel->text(), QStringLiteral("Blizzard Chat 1 (2)"));
        QTRY_VERIFY(f.chatLines().contains(QStringLiteral("<Ann> hello viewer")));
        QTRY_COMPARE(w.WhisperText().PlainText(), QStringLiteral("<FROM: Ann> just you"));
        QCOMPARE(w.Replies().Names(), QStringList{QStringLiteral("Ann")});

        QTest::keyClick(&w, Qt::Key_F4);
        QVERIFY(!w.ChatInterface().Connected());
        QCOMPARE(w.edChannel->text(), QString());
        QCOMPARE(w.lstUser->model()->rowCount(), 0);
        QTRY_VERIFY(!w.acConnect->isChecked());
        QCOMPARE(w.acConnect->text(), QStringLiteral("&Connect"));
        QVERIFY(!w.btnSend->isEnabled());
        QCOMPARE(w.StatusText(0), QString());
        QTRY_COMPARE(w.StatusText(1), QString());
        QVERIFY(f.boxes.isEmpty());
    }

    void refusedLoginShowsTheMessageBox()
    {
        gw::Options o;
        o.createAccounts = false;
        gw::Server live(o);
        QVERIFY(live.start());
        Window f(live.port());
        f.w->acConnect->trigger();
        QTRY_COMPARE(f.boxes, QStringList{tSession::RefusedLoginText()});
        QTRY_VERIFY(!f.w->Session().Running());
        QVERIFY(!f.w->ChatInterface().Connected());
    }

    void pauseFromTheActionHoldsAndReleases()
    {
        gw::Server live;
        QVERIFY(live.start());
        Window f(live.port());
        TfrmChat &w = *f.w;
        w.acConnect->trigger();
        QTRY_COMPARE(w.edChannel->text(), QStringLiteral("Blizzard Chat 1 (1)"));
        QTRY_VERIFY(w.acPause->isEnabled());
        w.acPause->trigger();
        QVERIFY(w.acPause->isChecked());
        QTRY_COMPARE(w.StatusText(1), QStringLiteral("CHAT PAUSED"));
        w.ChatText().Clear();
        const int id = live.clients().first();
        live.inject(id, "1005 TALK Ann 0000 \"held one\"\r\n1005 TALK Ann 0000 \"held two\"\r\n");
        QTRY_COMPARE(w.Session().PauseBuffer().size(), 2);
        QVERIFY(f.chatLines().isEmpty());
        w.acPause->trigger();
        QVERIFY(!w.acPause->isChecked());
        QCOMPARE(f.chatLines(), QStringList({"<Ann> held one", "<Ann> held two"}));
        QTRY_COMPARE(w.StatusText(1), QStringLiteral("Connected to: 127.0.0.1"));
    }

    void sessionLogFailureIsAMessageBox()
    {
        Window f(6112);
        f.profile.Settings.setKeepLog(true);
        f.profile.Settings.setLogFileName(QStringLiteral("/proc/no/such/dir/chat.log"));
        f.w->OpenSessionLog();
        QCOMPARE(f.boxes, QStringList{QStringLiteral("Log File is invalid")});
    }
};
QC_TEST(ChatFormTest)
#include "ChatFormTest.moc"
