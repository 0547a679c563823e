#include "TestMain.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include "FakePrompts.h"
#include "automation/Automation.h"
#include "dialogs/TextFiles.h"
#include "gateway/RawClient.h"
#include "profile/Profile.h"
#include "ui/ChatForm.h"
#include "ui/TabEdit.h"
#include "ui/UserListView.h"

namespace {
// A real window logged on to the stand-in gateway, with other users as bare clients.
struct Rig
{
    gw::Server live;
    QTemporaryDir dir;
    tProfile profile;
    FakePrompts prompts;
    std::unique_ptr<TfrmChat> w;
    std::vector<std::unique_ptr<RawClient>> others;
    int id = -1;

    bool start()
    {
        if (!live.start())
            return false;
        profile.ServerList = {QStringLiteral("127.0.0.1")};
        profile.Settings.setUserName(QStringLiteral("Viewer"));
        profile.Settings.setPassword(QStringLiteral("pw"));
        w = std::make_unique<TfrmChat>(profile);
        w->SetProgramFolder(dir.path());
        w->SetPrompts(&prompts);
        w->ChatInterface().Port = live.port();
        w->bcChat().setFloodInterval(20);
        w->Timer().stop(); // ticked by hand
        w->show();
        if (!QTest::qWaitForWindowActive(w.get()))
            return false;
        QTest::keyClick(w.get(), Qt::Key_F4);
        if (!QTest::qWaitFor([&] { return w->Session().LoggedOn && w->ChannelUsers().ChannelUserCount() == 1; }, 5000))
            return false;
        id = live.clients().value(0, -1);
        return id >= 0;
    }
    // Another user logged on and in the client's channel (as the gateway says); null when that failed.
    RawClient *join(const QByteArray &name)
    {
        others.push_back(std::make_unique<RawClient>(live.port()));
        RawClient &c = *others.back();
        if (!c.logIn(name))
            return nullptr;
        const int from = c.lines.size();
        c.say("/join Blizzard Chat 1");
        return c.waitFor([&] { return c.indexOf("1007 CHANNEL \"Blizzard Chat 1\"", from) >= 0; }) ? &c : nullptr;
    }
    // Every line the client sent after joining its channel, empty lines (a bare CR) kept.
    QStringList sent() const
    {
        const QByteArray all = live.received(id);
        const QByteArray mark = "/join Blizzard Chat 1\r";
        QStringList lines = QString::fromLatin1(all.mid(all.indexOf(mark) + mark.size())).split(QLatin1Char('\r'));
        lines.removeLast(); // behind the last CR
        return lines;
    }
    // Waits until the client has sent `n` more lines than `from`, and a moment for any stray one.
    QStringList sentSince(int from, int n)
    {
        if (QTest::qWaitFor([&] { return sent().size() >= from + n; }, 5000))
            QTest::qWait(100);
        return sent().mid(from);
    }
    QString chat() const { return w->ChatText().PlainText(); }
    // Lets the event loop wait once, so the window's idle update runs as it does for a user.
    static void idle()
    {
        QEventLoop loop;
        QTimer::singleShot(30, &loop, &QEventLoop::quit);
        loop.exec();
    }
};
} // namespace

class AutomationWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void ownersCommandAClientOverTheGateway()
    {
        Rig r;
        tProfile &p = r.profile;
        for (int i = 0; i < 30; ++i)
            p.OwnerList << QStringLiteral("Boss%1").arg(i, 8, 10, QLatin1Char('0'));
        p.CommandList << QStringLiteral("/two");
        p.CommandRes << QStringLiteral("Line one <user>~/me two <parameter> <random>");
        p.CommandLevel << QStringLiteral("1");
        p.BanList = {QStringLiteral("bad")};
        p.NoBanList = {QStringLiteral("bad")};
        QVERIFY(r.start());
        TfrmChat &w = *r.w;
        const QByteArray bossName = p.OwnerList.first().toLatin1();
        RawClient *bossClient = r.join(bossName), *strangerClient = r.join("Stranger");
        QVERIFY(bossClient && strangerClient);
        QTRY_VERIFY(w.ChannelUsers().IndexOf(QStringLiteral("Stranger")) >= 0);
        RawClient &boss = *bossClient, &stranger = *strangerClient;

        // Without the level: nothing sent, nothing noted.
        int from = r.sent().size();
        stranger.say("/w Viewer /join Elsewhere");
        stranger.say("/w Viewer ping");
        QTRY_VERIFY(w.WhisperText().PlainText().contains(QStringLiteral("ping")));
        QCOMPARE(r.sentSince(from, 0), QStringList());
        QVERIFY(!r.chat().contains(QStringLiteral("Command from")));

        // The master switch from off to on by whisper; the check mark follows.
        QVERIFY(!p.Settings.MasterEvents() && !w.Actions().acMaster->isChecked());
        from = r.sent().size();
        boss.say("/w Viewer /allevents on");
        QCOMPARE(r.sentSince(from, 1), QStringList{"/w " + bossName + " All Events: on"});
        r.idle();
        QVERIFY(w.Actions().acMaster->isChecked());
        QVERIFY(r.chat().contains("Command from " + bossName + " /allevents on"));

        // The owner list in whispers of at most 254 characters, every name once.
        from = r.sent().size();
        boss.say("/w Viewer /owners");
        const QStringList owners = r.sentSince(from, 2);
        QStringList names;
        for (const QString &l : owners) {
            QVERIFY(l.size() <= 254);
            const QString lead = "/w " + bossName + (names.isEmpty() ? " Owner List: " : " ");
            QVERIFY(l.startsWith(lead));
            names += l.mid(lead.size()).split(QStringLiteral("; "), Qt::SkipEmptyParts);
        }
        QCOMPARE(names, p.OwnerList);

        // A custom response of two lines; the chat line is echoed, the command is not.
        from = r.sent().size();
        boss.say("/w Viewer /two hi");
        const QStringList two = r.sentSince(from, 2);
        QCOMPARE(two.value(0), "Line one " + bossName);
        // <random> is a name the channel lists.
        QVERIFY2(two.value(1).startsWith("/me two hi ") && w.ChannelUsers().IndexOf(two.value(1).mid(11)) >= 0,
                 qPrintable(two.value(1)));
        QVERIFY(r.chat().contains("<Viewer> Line one " + bossName));

        // Both ban switches on: a joining user matched by both lists is banned once, one matched by neither once.
        boss.say("/w Viewer /ban on");
        boss.say("/w Viewer /noban on");
        QTRY_VERIFY(p.Settings.AutoBan() && p.Settings.BanAllExcept());
        from = r.sentSince(0, 0).size();
        QVERIFY(r.join("Badguy") && r.join("Plain"));
        QCOMPARE(r.sentSince(from, 2), (QStringList{"/ban Badguy AutoBan", "/ban Plain AutoBan"}));

        // A timed message at interval 2 goes out on every third tick.
        QCOMPARE(w.Timer().interval(), 1000);
        p.TimerList = {QStringLiteral("Timed in <channel>")};
        p.IntervalList = {QStringLiteral("2")};
        p.Settings.setRespondTimers(true);
        from = r.sent().size();
        QList<int> sentAt;
        for (int tick = 1; tick <= 9; ++tick) {
            w.Automation().TimerTimer();
            if (r.sentSince(from, 0).size() > sentAt.size())
                sentAt << tick;
        }
        QCOMPARE(sentAt, (QList<int>{3, 6, 9}));
        QCOMPARE(r.sent().mid(from), QStringList(3, QStringLiteral("Timed in Blizzard Chat 1")));
        p.Settings.setRespondTimers(false);

        // A recited file with a raw carriage return and a repeat, started from Ctrl+T and stopped by it.
        const QString path = r.dir.filePath(QStringLiteral("recite.txt"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("hello all\r\n/char 13\r\n/repeat\r\n");
        f.close();
        p.Settings.setReciteDelay(2);
        r.prompts.paths.push_back(path);
        QTest::keyClick(&w, Qt::Key_T, Qt::ControlModifier);
        TfrmText *dialog = nullptr;
        QTRY_VERIFY((dialog = w.findChild<TfrmText *>()) != nullptr);
        QTest::mouseClick(dialog->btnExecute, Qt::LeftButton);
        QTRY_VERIFY(!w.findChild<TfrmText *>());
        r.idle();
        QVERIFY(w.Actions().acText->isChecked());
        from = r.sent().size();
        for (int tick = 0; tick < 10; ++tick)
            w.Automation().TimerTimer();
        QCOMPARE(r.sentSince(from, 4), (QStringList{"hello all", "", "hello all", ""}));
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_T, Qt::ControlModifier);
        QVERIFY2(r.chat().endsWith("Text file: " + path + " stopped."), qPrintable(r.chat().right(300)));
        r.idle();
        QVERIFY(!w.Actions().acText->isChecked());

        // A macro on Ctrl+Alt+letter, exactly: the selected name and the entry line go into it.
        p.MacroKeys = {QStringLiteral("A")};
        p.MacroList = {QStringLiteral("/kick <user> <parameter>")};
        w.lstUser->setCurrentIndex(w.lstUser->model()->index(w.ChannelUsers().IndexOf(QStringLiteral("Stranger")), 0));
        w.Refocus();
        QTest::keyClicks(w.edEntry, QStringLiteral("flooding"));
        from = r.sent().size();
        // As a keyboard sends them: no text with Ctrl+Alt.
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_A, QString(), Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
        QCOMPARE(w.edEntry->text(), QStringLiteral("flooding"));
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_A, QString(), Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(w.edEntry->text(), QString());
        QCOMPARE(r.sentSince(from, 1), QStringList{"/kick Stranger flooding"});

        // "/disconnect" ends the session from inside the whisper handler.
        boss.say("/w Viewer /disconnect");
        QTRY_VERIFY(!w.Session().LoggedOn);
        QVERIFY(!w.acConnect->isChecked());
    }
};
QC_TEST(AutomationWindowTest)
#include "AutomationWindowTest.moc"
