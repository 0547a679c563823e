#include "TestMain.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "FakePrompts.h"
#include "dialogs/ChannelDialogs.h"
#include "gateway/Gateway.h"
#include "profile/Profile.h"
#include "ui/ChatForm.h"
#include "ui/TabEdit.h"
#include "ui/TranscriptView.h"
#include "ui/UserListView.h"

namespace {
// A real window logged on to the stand-in gateway over a real socket; dialogs answered by the test.
struct Session
{
    gw::Server live;
    QTemporaryDir dir;
    tProfile profile;
    FakePrompts prompts;
    std::unique_ptr<TfrmChat> w;
    int id = -1;

    bool start()
    {
        if (!live.start())
            return false;
        profile.ServerList = {QStringLiteral("127.0.0.1")};
        profile.Settings.setUserName(QStringLiteral("Viewer"));
        profile.Settings.setPassword(QStringLiteral("pw"));
        profile.Settings.setConnectTimeout(2);
        profile.Settings.setLoginTimeout(2);
        w = std::make_unique<TfrmChat>(profile);
        w->SetProgramFolder(dir.path());
        w->SetPrompts(&prompts);
        w->ChatInterface().Port = live.port();
        w->bcChat().setFloodInterval(20);
        w->show();
        return QTest::qWaitForWindowActive(w.get());
    }
    bool logOn()
    {
        QTest::keyClick(w.get(), Qt::Key_F4);
        if (!QTest::qWaitFor([&] { return w->edChannel->text() == QLatin1String("Blizzard Chat 1 (1)"); }, 5000))
            return false;
        id = live.clients().value(0, -1);
        return id >= 0;
    }
    // What the client sent after its login, one line per entry.
    QStringList sent() const
    {
        const QByteArray all = live.received(id);
        const int start = all.indexOf("/join Blizzard Chat 1\r");
        return QString::fromLatin1(all.mid(start)).split(QLatin1Char('\r'), Qt::SkipEmptyParts).mid(1);
    }
    void type(const QString &text) { QTest::keyClicks(w->edEntry, text); }
};
} // namespace

class EntryWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void idleUpdateBeforeAndAfterLogOn()
    {
        Session s;
        QVERIFY(s.start());
        TfrmChat &w = *s.w;
        TChatActions &a = w.Actions();
        QCOMPARE(a.acConnect->text(), QStringLiteral("&Connect"));
        QVERIFY(!a.acConnect->isChecked());
        for (QAction *ac : {a.acAway, a.acDND, a.acText, a.acList, a.acJoin, a.acPause})
            QVERIFY2(!ac->isEnabled(), qPrintable(ac->text()));
        QVERIFY(!w.btnSend->isEnabled() && !w.btnEmote->isEnabled() && !w.btnWhisper->isEnabled());
        QVERIFY(w.edEntry->hasFocus());
        QTRY_VERIFY(a.acCut->isEnabled()); // the entry line has the focus
        w.reChat->setFocus();
        QTRY_VERIFY(!a.acCut->isEnabled());
        QVERIFY(a.acCopy->isEnabled() && a.acSelectAll->isEnabled());

        s.type(QStringLiteral("too early"));
        QTest::keyClick(w.edEntry, Qt::Key_Return); // not logged on: nothing at all
        QCOMPARE(w.edEntry->text(), QStringLiteral("too early"));

        QVERIFY(s.logOn());
        QTRY_COMPARE(a.acConnect->text(), QStringLiteral("&Disconnect"));
        QVERIFY(a.acConnect->isChecked());
        for (QAction *ac : {a.acAway, a.acDND, a.acText, a.acList, a.acJoin, a.acPause})
            QVERIFY2(ac->isEnabled(), qPrintable(ac->text()));
        QTRY_COMPARE(w.StatusText(1), QStringLiteral("Connected to: 127.0.0.1"));
        QVERIFY(w.btnSend->isEnabled());

        // Disconnecting while paused drops the held lines and the pause.
        QTest::keyClick(&w, Qt::Key_F12);
        QTRY_COMPARE(w.StatusText(1), QStringLiteral("CHAT PAUSED"));
        s.live.inject(s.id, "1005 TALK Ann 0000 \"held\"\r\n");
        QTRY_COMPARE(w.Session().PauseBuffer().size(), 1);
        QTest::keyClick(&w, Qt::Key_F4);
        QTRY_COMPARE(a.acConnect->text(), QStringLiteral("&Connect"));
        QTRY_COMPARE(w.StatusText(1), QString());
        QVERIFY(!a.acPause->isChecked() && !w.Session().Paused());
        QVERIFY(w.Session().PauseBuffer().isEmpty());
        QVERIFY(!a.acAway->isEnabled());
    }

    void pastedLinesGoOutAsLinesOfTheirOwn()
    {
        Session s;
        QVERIFY(s.start() && s.logOn());
        s.w->edEntry->lineEdit()->insert(QStringLiteral("hello\n/whois x")); // as a paste does
        QTest::keyClick(s.w->edEntry, Qt::Key_Return);
        QTRY_COMPARE(s.sent(), (QStringList{"hello", "/whois x"}));
        s.w->edEntry->lineEdit()->insert(QString(3000, QLatin1Char('x'))); // no more than a whisper carries
        QCOMPARE(s.w->edEntry->text().size(), tEntryLine::MaxTextLength);
    }

    // Ctrl+Alt+M held down (sixty auto-repeats), then pressed twice more: the macro goes out three times.
    void heldMacroKeyFiresOnce()
    {
        Session s;
        QVERIFY(s.start() && s.logOn());
        s.profile.MacroKeys = {QStringLiteral("M")};
        s.profile.MacroList = {QStringLiteral("/me macro")};
        s.w->bcChat().setFloodInterval(20);
        QWidget *target = QApplication::focusWidget();
        QVERIFY(target);
        const auto key = [&](QEvent::Type type, bool repeat) {
            QKeyEvent e(type, Qt::Key_M, Qt::ControlModifier | Qt::AltModifier, QString(), repeat);
            QApplication::sendEvent(target, &e);
        };
        for (int repeats : {60, 0, 0}) {
            key(QEvent::KeyPress, false);
            for (int i = 0; i < repeats; ++i) {
                key(QEvent::KeyRelease, true);
                key(QEvent::KeyPress, true);
            }
            key(QEvent::KeyRelease, false);
        }
        QTRY_VERIFY(s.w->bcChat().Queue().isEmpty());
        QTest::qWait(100);
        QCOMPARE(s.sent().count(QStringLiteral("/me macro")), 3);
    }

    void sendEmoteAndWhisper()
    {
        Session s;
        QVERIFY(s.start());
        QVERIFY(s.logOn());
        TfrmChat &w = *s.w;

        s.type(QStringLiteral("hello"));
        QTest::keyClick(w.edEntry, Qt::Key_Return);
        QCOMPARE(w.edEntry->text(), QString());
        QVERIFY(w.ChatText().PlainText().endsWith(QStringLiteral("<Viewer> hello")));
        s.type(QStringLiteral("/time"));
        QTest::mouseClick(w.btnSend, Qt::LeftButton);
        s.type(QStringLiteral("waves"));
        QTest::keyClick(&w, Qt::Key_T, Qt::AltModifier); // Emo&te
        QTRY_COMPARE(s.sent(), (QStringList{QStringLiteral("hello"), QStringLiteral("/time"), QStringLiteral("/me waves")}));
        QVERIFY(!w.ChatText().PlainText().contains(QStringLiteral("> /time")));

        s.type(QStringLiteral("psst"));
        QTest::mouseClick(w.btnWhisper, Qt::LeftButton); // nobody selected
        QVERIFY(w.WhisperText().PlainText().endsWith(QStringLiteral("No User Selected.")));
        QCOMPARE(w.edEntry->text(), QStringLiteral("psst"));

        s.live.inject(s.id, "1002 JOIN Ann 0000 [STAR]\r\n");
        QTRY_COMPARE(w.lstUser->model()->rowCount(), 2);
        QTest::keyClick(w.edEntry, Qt::Key_Down); // first user of the channel list
        QTest::keyClick(w.edEntry, Qt::Key_Down);
        QCOMPARE(w.lstUser->SelectedName(), QStringLiteral("Ann"));
        QTest::keyClick(w.edEntry, Qt::Key_W, Qt::AltModifier); // &Whisper, not the &Window menu
        QTRY_COMPARE(s.sent().last(), QStringLiteral("/w Ann psst"));

        QTest::keyClick(w.edEntry, Qt::Key_W, Qt::ControlModifier); // Whisper Lock
        QVERIFY(w.Actions().acLock->isChecked());
        s.type(QStringLiteral("only you"));
        QTest::keyClick(w.edEntry, Qt::Key_Return);
        s.type(QStringLiteral("grins"));
        QTest::mouseClick(w.btnEmote, Qt::LeftButton);
        QTRY_COMPARE(s.sent().mid(4), (QStringList{QStringLiteral("/w Ann only you"), QStringLiteral("/w Ann grins")}));
        QCOMPARE(w.Entry().History().first(), QStringLiteral("grins"));
        QCOMPARE(w.edEntry->history().first(), QStringLiteral("grins"));
    }

    void tabCyclesAndShiftArrowsWalkTheHistory()
    {
        Session s;
        QVERIFY(s.start());
        QVERIFY(s.logOn());
        TfrmChat &w = *s.w;
        s.live.inject(s.id, "1004 WHISPER a 0000 \"1\"\r\n1004 WHISPER b 0000 \"2\"\r\n1004 WHISPER c 0000 \"3\"\r\n");
        QTRY_COMPARE(w.Replies().Count(), 3);
        QStringList offered;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(w.edEntry, Qt::Key_Tab);
            offered << w.edEntry->text();
        }
        QCOMPARE(offered, (QStringList{QStringLiteral("/msg c "), QStringLiteral("/msg b "), QStringLiteral("/msg a "),
                                       QStringLiteral("/msg c ")}));
        QVERIFY(w.edEntry->hasFocus());
        s.type(QStringLiteral("x"));
        QTest::keyClick(w.edEntry, Qt::Key_Tab);
        QCOMPARE(w.edEntry->text(), QStringLiteral("/msg c x"));
        QTest::keyClick(w.edEntry, Qt::Key_Return);

        for (const char *t : {"one", "two"}) {
            s.type(QString::fromLatin1(t));
            QTest::keyClick(w.edEntry, Qt::Key_Return);
        }
        QTest::keyClick(w.edEntry, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(w.edEntry->text(), QStringLiteral("two"));
        w.reChat->setFocus(); // the walk works from anywhere in the window
        QTest::keyClick(w.reChat, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(w.edEntry->text(), QStringLiteral("one"));
        QTest::keyClick(w.reChat, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(w.edEntry->text(), QStringLiteral("two"));
        QTest::keyClick(w.reChat, Qt::Key_Up, Qt::ControlModifier); // any other modifier: nothing
        QCOMPARE(w.edEntry->text(), QStringLiteral("two"));
    }

    void awayWithEmptyAndLongReasons()
    {
        Session s;
        QVERIFY(s.start());
        QVERIFY(s.logOn());
        TfrmChat &w = *s.w;
        QAction *away = w.Actions().acAway;
        QTRY_VERIFY(away->isEnabled());

        s.prompts.textAnswers = {{true, QString()}};
        QTest::keyClick(w.edEntry, Qt::Key_A, Qt::ControlModifier); // Ctrl+A is Away, not select-all
        QCOMPARE(s.prompts.texts, QStringList{QStringLiteral("Away|Enter reason why you will be away:|")});
        QVERIFY(!away->isChecked() && !w.Entry().Away());

        const QString reason(300, QLatin1Char('r'));
        s.prompts.textAnswers = {{true, reason}};
        away->trigger();
        QVERIFY(away->isChecked() && w.Entry().Away());
        QCOMPARE(s.profile.Settings.AwayMessage(), reason.left(255));
        QVERIFY(s.profile.Modified);
        QTRY_VERIFY(s.sent().contains(QStringLiteral("/away ") + reason.left(255)));

        away->trigger(); // back: no prompt
        QCOMPARE(s.prompts.texts.size(), 2);
        QVERIFY(!away->isChecked());
        QTRY_COMPARE(s.sent().last(), QStringLiteral("/away"));
    }

    void joinAndListThroughTheChannelDialog()
    {
        Session s;
        QVERIFY(s.start());
        QVERIFY(s.logOn());
        TfrmChat &w = *s.w;
        QTRY_VERIFY(w.Actions().acJoin->isEnabled());
        QTest::keyClick(&w, Qt::Key_J, Qt::ControlModifier);
        auto *join = w.findChild<TfrmSelectChannel *>();
        QVERIFY(join && join->isVisible());
        join->edChannel->setText(QStringLiteral("Town Square"));
        join->btnOk->click();
        QTRY_COMPARE(w.edChannel->text(), QStringLiteral("Town Square (1)"));
        QTRY_VERIFY(!w.findChild<TfrmSelectChannel *>());
        w.Actions().acList->trigger();
        w.findChild<TfrmSelectChannel *>()->btnCancel->click(); // cancelled: nothing sent
        w.Actions().acChatUsers->trigger();
        QTRY_COMPARE(s.sent(), (QStringList{QStringLiteral("/Join Town Square"), QStringLiteral("/users")}));
        QTRY_VERIFY(w.edEntry->hasFocus());
    }
};

QC_TEST(EntryWindowTest)
#include "EntryWindowTest.moc"
