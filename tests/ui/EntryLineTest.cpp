#include "TestMain.h"

#include "net/ChatInterface.h"
#include "profile/Profile.h"
#include "view/EntryLine.h"
#include "view/ReplyList.h"

#include <deque>

namespace {
// Records what the entry line does to its window; answers prompts from a queue.
struct FakeHost : tEntryHost
{
    bool loggedOn = true, lock = false;
    QString uniqueName = QStringLiteral("Me#2"), user, def, entry;
    QStringList sent, echoed, whisperInfo, logged, historyShown, errors;
    int refocused = 0;
    std::deque<std::pair<bool, QString>> answers; // (confirmed, text)
    QStringList prompts;
    int awayChecked = -1, dndChecked = -1;

    bool LoggedOn() const override { return loggedOn; }
    QString UniqueName() const override { return uniqueName; }
    bool WhisperLock() const override { return lock; }
    QString SelectedUser() const override { return user; }
    QString SelectedDef() const override { return def; }
    QString EntryText() const override { return entry; }
    void SetEntryText(const QString &t) override { entry = t; }
    void InsertAtCaret(const QString &t) override { entry += t; }
    void HistoryInserted(const QString &t) override { historyShown.prepend(t); }
    void Refocus() override { ++refocused; }
    void SendLine(const QString &l) override { sent << l; }
    void EchoOwnText(const QString &t) override { echoed << t; }
    void WriteWhisperInfo(const QString &t) override { whisperInfo << t; }
    void WriteError(const QString &t) override { errors << t; }
    void LogEvent(const QString &t) override { logged << t; }
    TextAnswer pending; // set when no answer is queued: the test answers later
    void AskText(const QString &title, const QString &prompt, const QString &preset, TextAnswer done) override
    {
        prompts << title + QLatin1Char('|') + prompt + QLatin1Char('|') + preset;
        if (answers.empty()) {
            pending = std::move(done);
            return;
        }
        auto a = answers.front();
        answers.pop_front();
        done(a.first, a.second);
    }
    void SetAwayChecked(bool on) override { awayChecked = on; }
    void SetDndChecked(bool on) override { dndChecked = on; }
};
} // namespace

class EntryLineTest : public QObject
{
    Q_OBJECT
    FakeHost host;
    tProfile profile;
    tReplyList replies;

private slots:
    void init()
    {
        host = FakeHost();
        profile = tProfile();
        replies = tReplyList();
    }

    void sendOnlyWhileLoggedOn()
    {
        tEntryLine e(host, profile, replies);
        host.loggedOn = false;
        host.entry = QStringLiteral("hello");
        e.Send();
        QVERIFY(host.sent.isEmpty());
        QCOMPARE(host.refocused, 0);
        QCOMPARE(host.entry, QStringLiteral("hello"));

        host.loggedOn = true;
        host.entry.clear();
        e.Send(); // empty line: only refocus
        QVERIFY(host.sent.isEmpty() && host.logged.isEmpty() && e.History().isEmpty());
        QCOMPARE(host.refocused, 1);

        host.entry = QStringLiteral("hello");
        e.Send();
        QCOMPARE(host.sent, QStringList{QStringLiteral("hello\r")});
        QCOMPARE(host.logged, QStringList{QStringLiteral("[Sent] hello")});
        QCOMPARE(host.echoed, QStringList{QStringLiteral("hello")});
        QCOMPARE(e.History(), QStringList{QStringLiteral("hello")});
        QCOMPARE(host.historyShown, e.History());
        QCOMPARE(host.entry, QString());
        QCOMPARE(host.refocused, 2);

        host.entry = QStringLiteral("/join Town Square");
        e.Send();
        QCOMPARE(host.sent.last(), QStringLiteral("/join Town Square\r"));
        QCOMPARE(host.echoed.size(), 1); // commands are not echoed
        QCOMPARE(e.History().first(), QStringLiteral("/join Town Square"));
    }

    void emoteAndWhisper()
    {
        tEntryLine e(host, profile, replies);
        e.Emote(); // empty: still sent, still in the history
        QCOMPARE(host.sent, QStringList{QStringLiteral("/me \r")});
        QCOMPARE(e.History(), QStringList{QString()});
        QVERIFY(host.echoed.isEmpty());

        host.entry = QStringLiteral("hi");
        e.Whisper(); // nobody selected
        QCOMPARE(host.whisperInfo, QStringList{QStringLiteral("No User Selected.")});
        QCOMPARE(host.sent.size(), 1);
        QCOMPARE(e.History().size(), 1);
        QCOMPARE(host.entry, QStringLiteral("hi"));

        host.user = QStringLiteral("Chan User");
        host.def = QStringLiteral("Custom");
        e.Whisper(); // both selected: the custom list wins
        QCOMPARE(host.sent.last(), QStringLiteral("/w Custom hi\r"));
        host.def.clear();
        e.Whisper(); // empty text still sends
        QCOMPARE(host.sent.last(), QStringLiteral("/w Chan User \r"));
        QCOMPARE(e.History(), (QStringList{QString(), QStringLiteral("hi"), QString()}));
        QVERIFY(host.echoed.isEmpty());
    }

    void pastedLinesGoOutOneByOneAndTooLongOnesNotAtAll()
    {
        tEntryLine e(host, profile, replies);
        host.entry = QStringLiteral("hello\r\n\n/whois x\rbye");
        e.Send();
        QCOMPARE(host.sent, (QStringList{"hello\r", "/whois x\r", "bye\r"}));
        QCOMPARE(host.logged, (QStringList{"[Sent] hello", "[Sent] /whois x", "[Sent] bye"}));
        QCOMPARE(host.echoed, (QStringList{"hello", "bye"}));
        QCOMPARE(e.History(), (QStringList{"bye", "/whois x", "hello"}));
        host.user = QStringLiteral("Bob");
        host.entry = QStringLiteral("a\nb");
        e.Emote();
        host.entry = QStringLiteral("c\r\nd\n");
        e.Whisper();
        QCOMPARE(host.sent.mid(3), (QStringList{"/me a\r", "/me b\r", "/w Bob c\r", "/w Bob d\r"}));

        // A line too long for one send goes nowhere, and nothing claims it went: the text stays.
        const QString longest(tEntryLine::MaxTextLength, QLatin1Char('x'));
        const QStringList sent = host.sent, echoed = host.echoed, history = e.History();
        host.entry = QStringLiteral("short\n") + QString(TChatInterface::MaxSendLength, QLatin1Char('x'));
        e.Send();
        host.user = QString(tEntryLine::NameRoom + 1, QLatin1Char('n'));
        host.entry = longest;
        e.Whisper();
        QCOMPARE(host.errors, QStringList(2, tEntryLine::TooLongText));
        QCOMPARE(host.entry, longest);
        QVERIFY(host.sent == sent && host.echoed == echoed && e.History() == history && host.logged.size() == 3);
        host.user = QString(tEntryLine::NameRoom, QLatin1Char('n')); // the room the entry line leaves
        e.Whisper();
        QCOMPARE(host.sent.last().size(), TChatInterface::MaxSendLength);
    }

    void whisperLockRedirectsSendAndEmote()
    {
        tEntryLine e(host, profile, replies);
        host.lock = true;
        host.entry = QStringLiteral("psst");
        e.Send();
        e.Emote();
        QVERIFY(host.sent.isEmpty());
        QCOMPARE(host.whisperInfo.size(), 2);

        host.user = QStringLiteral("Bob");
        host.entry = QStringLiteral("psst");
        e.Send();
        host.entry = QStringLiteral("again");
        e.Emote();
        QCOMPARE(host.sent, (QStringList{QStringLiteral("/w Bob psst\r"), QStringLiteral("/w Bob again\r")}));
        QVERIFY(host.echoed.isEmpty() && host.logged.isEmpty());
    }

    void tabCyclesRepliesNewestFirst()
    {
        tEntryLine e(host, profile, replies);
        e.Tab(); // empty reply list
        QCOMPARE(host.entry, QString());
        for (const char *n : {"a", "b", "c"})
            replies.Touch(QString::fromLatin1(n));

        QStringList offered;
        for (int i = 0; i < 4; ++i) {
            e.Tab();
            offered << host.entry;
        }
        QCOMPARE(offered, (QStringList{QStringLiteral("/msg c "), QStringLiteral("/msg b "),
                                       QStringLiteral("/msg a "), QStringLiteral("/msg c ")}));
        host.entry = QStringLiteral("/MSG C "); // same text in other letter case still cycles
        e.Tab();
        QCOMPARE(host.entry, QStringLiteral("/msg b "));

        host.entry += QLatin1Char('x'); // typed: Tab leaves it alone
        e.Tab();
        QCOMPARE(host.entry, QStringLiteral("/msg b x"));
        host.entry.clear();
        e.Tab(); // cleared: back to the most recent whisperer
        QCOMPARE(host.entry, QStringLiteral("/msg c "));
        e.Tab();
        QCOMPARE(host.entry, QStringLiteral("/msg b "));

        // b whispers again while its completion is shown: the index follows b to the end.
        replies.Touch(QStringLiteral("B"));
        QCOMPARE(replies.Index, 2);
        e.Tab();
        QCOMPARE(host.entry, QStringLiteral("/msg c "));
        QVERIFY(host.sent.isEmpty());
    }

    void historyWalksByText()
    {
        tEntryLine e(host, profile, replies);
        for (const char *t : {"one", "two", "three"}) {
            host.entry = QString::fromLatin1(t);
            e.Send();
        }
        QCOMPARE(e.History(), (QStringList{QStringLiteral("three"), QStringLiteral("two"), QStringLiteral("one")}));
        e.HistoryDown(); // fresh line, nothing newer
        QCOMPARE(host.entry, QString());
        QStringList walked;
        for (int i = 0; i < 4; ++i) {
            e.HistoryUp();
            walked << host.entry;
        }
        QCOMPARE(walked, (QStringList{QStringLiteral("three"), QStringLiteral("two"), QStringLiteral("one"), QString()}));
        host.entry = QStringLiteral("ONE");
        e.HistoryDown();
        QCOMPARE(host.entry, QStringLiteral("two"));
        e.HistoryDown();
        QCOMPARE(host.entry, QStringLiteral("three"));
        e.HistoryDown(); // newest: unchanged
        QCOMPARE(host.entry, QStringLiteral("three"));
        host.entry = QStringLiteral("not sent");
        e.HistoryUp();
        QCOMPARE(host.entry, QStringLiteral("three"));
    }

    void awayPromptAndReasonCut()
    {
        tEntryLine e(host, profile, replies);
        profile.Settings.setAwayMessage(QStringLiteral("lunch"));

        host.answers = {{true, QString()}}; // empty reason: nothing changes
        e.ToggleAway();
        QCOMPARE(host.prompts, QStringList{QStringLiteral("Away|Enter reason why you will be away:|lunch")});
        QVERIFY(!e.Away() && host.sent.isEmpty() && !profile.Modified);
        QCOMPARE(host.awayChecked, -1);

        host.answers = {{false, QStringLiteral("ignored")}};
        e.ToggleAway(); // cancelled: unchecked
        QCOMPARE(host.awayChecked, 0);
        QVERIFY(!e.Away() && host.sent.isEmpty());

        host.answers = {{true, QStringLiteral("lunch")}}; // same reason: not a change
        e.ToggleAway();
        QVERIFY(e.Away() && !profile.Modified);
        QCOMPARE(host.awayChecked, 1);
        QCOMPARE(host.sent, QStringList{QStringLiteral("/away lunch\r")});

        const int refocusBefore = host.refocused;
        e.ToggleAway(); // on: turns off without a prompt, no refocus
        QCOMPARE(host.sent.last(), QStringLiteral("/away\r"));
        QCOMPARE(host.prompts.size(), 3);
        QCOMPARE(host.refocused, refocusBefore);
        QCOMPARE(host.awayChecked, 0);

        const QString longReason = QString(300, QLatin1Char('z'));
        host.answers = {{true, longReason}};
        e.ToggleAway();
        QVERIFY(profile.Modified);
        QCOMPARE(profile.Settings.AwayMessage(), longReason.left(255));
        QCOMPARE(host.sent.last(), QStringLiteral("/away ") + longReason.left(255) + QLatin1Char('\r'));
    }

    void awayAnswerMayComeLater()
    {
        tEntryLine e(host, profile, replies);
        e.ToggleAway();
        QVERIFY(host.pending);
        QVERIFY(host.sent.isEmpty() && !e.Away());
        QCOMPARE(host.refocused, 0);
        host.pending(true, QStringLiteral("brb"));
        QVERIFY(e.Away());
        QCOMPARE(host.sent, QStringList{QStringLiteral("/away brb\r")});
        QCOMPARE(host.refocused, 1);
    }

    void dndUsesItsOwnTextsAndFlag()
    {
        tEntryLine e(host, profile, replies);
        host.answers = {{true, QStringLiteral("busy")}};
        e.ToggleDnd();
        QCOMPARE(host.prompts, QStringList{QStringLiteral("DND|Enter reason why you will be in DND mode:|")});
        QVERIFY(e.Dnd() && !e.Away());
        QCOMPARE(host.dndChecked, 1);
        QCOMPARE(profile.Settings.DNDMessage(), QStringLiteral("busy"));
        e.ToggleDnd();
        QCOMPARE(host.sent, (QStringList{QStringLiteral("/DND busy\r"), QStringLiteral("/DND\r")}));
        QCOMPARE(host.dndChecked, 0);
        QCOMPARE(host.awayChecked, -1);
    }

    void namesAndUserCommands()
    {
        tEntryLine e(host, profile, replies);
        e.AltN();
        QCOMPARE(host.entry, QString());
        host.entry = QStringLiteral("hi ");
        host.user = QStringLiteral("Ann");
        host.def = QStringLiteral("Dee");
        e.AltN();
        QCOMPARE(host.entry, QStringLiteral("hi AnnDee"));

        using C = tEntryLine::UserCommand;
        const std::pair<C, const char *> table[] = {
            {C::Whois, "/whois Ann"}, {C::StarcraftStats, "/stats Ann star"}, {C::BroodwarStats, "/stats Ann sexp"},
            {C::WarcraftStats, "/stats Ann w2bn"}, {C::Squelch, "/squelch Ann"}, {C::Unsquelch, "/unsquelch Ann"},
            {C::Kick, "/kick Ann"}, {C::Ban, "/ban Ann"}, {C::Designate, "/designate Ann"}};
        for (const auto &row : table) {
            host.sent.clear();
            e.SendUserCommand(row.first, QString());
            QVERIFY(host.sent.isEmpty());
            e.SendUserCommand(row.first, QStringLiteral("Ann"));
            QCOMPARE(host.sent, QStringList{QString::fromLatin1(row.second) + QLatin1Char('\r')});
        }
        const int refocusBefore = host.refocused;
        e.SendMenuLine(QStringLiteral("/rejoin"));
        QCOMPARE(host.sent.last(), QStringLiteral("/rejoin\r"));
        QCOMPARE(host.refocused, refocusBefore + 1);
    }
};

QC_TEST(EntryLineTest)
#include "EntryLineTest.moc"
