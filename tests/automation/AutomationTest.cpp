#include "TestMain.h"

#include <QTemporaryDir>


#include "FakeHost.h"

class AutomationTest : public QObject
{
    Q_OBJECT
private slots:
    void expandVariables_data()
    {
        QTest::addColumn<QString>("templ");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("parameter");
        QTest::addColumn<QString>("channel");
        QTest::addColumn<QString>("expected");
        QTest::newRow("case-folded tokens") << "Hi <USER>, welcome to <Channel>!" << "Bob" << "" << "Clan Foo"
                                            << "Hi Bob, welcome to Clan Foo!";
        QTest::newRow("random twice, one draw") << "<random>/<RANDOM>" << "" << "" << "C" << "Ann/Ann";
        QTest::newRow("parameter is last") << "/squelch <parameter>" << "x" << "Bob <user>" << "C" << "/squelch Bob <user>";
        QTest::newRow("user value goes through later passes") << "<user>" << "<channel>" << "" << "Lobby" << "Lobby";
        QTest::newRow("unknown stays") << "<foo> <user" << "Bob" << "" << "C" << "<foo> <user";
        QTest::newRow("value holds own token") << "<channel>!<channel>" << "" << "" << "<channel>" << "<channel>!<channel>";
        QTest::newRow("server") << "<server>" << "" << "" << "C" << "127.0.0.1";
    }
    void expandVariables()
    {
        QFETCH(QString, templ);
        QFETCH(QString, user);
        QFETCH(QString, parameter);
        QFETCH(QString, channel);
        QFETCH(QString, expected);
        const QStringList users{QStringLiteral("Ann"), QStringLiteral("Bob")};
        tVariableSource src{QStringLiteral("127.0.0.1"), channel, int(users.size()), [&](int i) { return users.at(i); }, nullptr};
        int draws = 0;
        src.Random = [&](int n) { ++draws; return n - 2; };
        QCOMPARE(ExpandVariables(templ, user, parameter, src), expected);
        QCOMPARE(draws, 1); // drawn whether or not the template asks
        src.UserCount = 0;
        QCOMPARE(ExpandVariables(QStringLiteral("a<random>b"), user, parameter, src), QStringLiteral("ab"));
    }

    // The time is formatted only for a text that shows it, also when a value brought the token in.
    void expandTime()
    {
        const tVariableSource src{QStringLiteral("s"), QStringLiteral("c"), 0, nullptr, nullptr};
        const QString date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
        for (const auto &[templ, user] : {std::pair{"at <TIME>.", ""}, std::pair{"at <user>.", "<time>"}}) {
            const QString out = ExpandVariables(QLatin1String(templ), QLatin1String(user), QString(), src);
            QVERIFY2(out.startsWith(QStringLiteral("at ") + date + QLatin1Char(' ')) && out.endsWith(QLatin1Char('.'))
                         && !out.contains(QStringLiteral("time"), Qt::CaseInsensitive),
                     qPrintable(out));
        }
    }

    void helpers()
    {
        const std::array<QStringList, 3> res{QStringList{"", "x"}, QStringList{"Hello"}, QStringList{""}};
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(PickResponse(0, res, [k](int) { return k; }), QStringLiteral("Hello"));
            QCOMPARE(PickResponse(1, res, [k](int) { return k; }), QStringLiteral("x")); // past two lists' ends
            QCOMPARE(PickResponse(5, res, [k](int) { return k; }), QString());
        }
        QVERIFY(HasIgnorePrefix("!hello", "!") && HasIgnorePrefix("!HELLO", "!i") == false);
        QVERIFY(HasIgnorePrefix("Xy there", "xY") && !HasIgnorePrefix("hello!", "!") && !HasIgnorePrefix("!a", ""));
        QVERIFY(!HasIgnorePrefix("É", "é")); // only A..Z fold
        const QList<std::array<const char *, 3>> splits{{"a~b~c", "a", "b~c"}, {"abc", "abc", ""}, {"~b", "", "b"}, {"a~", "a", ""}};
        for (const auto &s : splits) {
            QString text = QLatin1String(s[0]);
            QCOMPARE(SplitFirst(text, QLatin1Char('~')), QLatin1String(s[1]));
            QCOMPARE(text, QLatin1String(s[2]));
        }
    }

    void phraseAndWhisperResponses()
    {
        Rig r;
        tProfile &p = r.host.profile;
        p.PhraseList = {"bot", "hello bot", "hello", "hi"};
        p.PhraseRes = {QStringList{"R0 <parameter>", "R1", "R2 [<parameter>] <user>", "R3"}, QStringList{}, QStringList{}};
        r.host.ignore = QStringLiteral("!");
        r.a.RespondToPhrase("Ann", "hello bot");           // first entry in list order answers
        r.a.RespondToPhrase("Ann", "Well HELLO there bot"); // 'bot' is first in the list
        r.a.RespondToPhrase("Ann", "Well HELLO there you");
        r.a.RespondToPhrase("Ann", "hello");
        r.a.RespondToPhrase("Ann", "this");                // inside a word
        r.a.RespondToPhrase("Ann", "!hello bot");          // ignore prefix
        QCOMPARE(r.out(), (QStringList{"R0 ", "R0 ", "R2 [there you] Ann", "R2 [] Ann", "R3"}));
        QCOMPARE(r.host.echoed, r.out());
        QVERIFY(std::all_of(r.host.classes.begin(), r.host.classes.end(), [](auto c) { return c == TBnetChat::ForOthers; }));

        // Whisper responses use their own list; a list of responses shorter than the phrases sends nothing.
        r.clear();
        p.WhisperList = {"help", "info"};
        p.WhiserRes = {QStringList{"/msg <user> Ask an op"}, QStringList{}, QStringList{}};
        r.a.RespondToWhisper("Ann", "info please");
        r.a.RespondToWhisper("Ann", "help me");
        QCOMPARE(r.out(), QStringList{"/msg Ann Ask an op"});
        QCOMPARE(r.host.echoed, QStringList{"/msg Ann Ask an op"}); // the window's echo skips commands

        // Each switch, and the master switch above them.
        r.clear();
        p.Settings.setRespondWhispers(false);
        r.a.RespondToWhisper("Ann", "help");
        p.Settings.setRespondWhispers(true);
        p.Settings.setMasterEvents(false);
        p.Settings.setBanAllExcept(true);
        p.Settings.setJoinResponse("Hi");
        p.Actions[ChatAction] = "/kick <user>";
        r.a.RespondToPhrase("Ann", "hello");
        r.a.RespondToWhisper("Ann", "help");
        r.a.RespondToJoin("Ann");
        r.a.CheckBanList("Ann");
        r.a.CheckBanAllExcept("Ann");
        r.a.RunProductAction("Ann", "CHAT");
        r.a.TimerTimer();
        QVERIFY(r.host.sent.isEmpty());
    }

    void joinsBansAndProducts()
    {
        Rig r;
        tProfile &p = r.host.profile;
        p.Settings.setJoinResponse("Welcome <user> to <channel>");
        p.UserJoinList = {"bob", "Quiet", "Cut"};
        p.UserRes = {QStringList{"Hey <user>", "", "x"}, QStringList{"", ""}, QStringList{"", ""}};
        p.BanList = {"[clan]", "", "b"};
        p.NoBanList = {"friend"};
        p.Settings.setBanAllExcept(true);
        p.Actions = {"/kick <user>", "None", "", "none", "None", "None", "None", "None"};
        for (const char *u : {"Bob", "quiet", "cut", "Ann"})
            r.a.RespondToJoin(QLatin1String(u));
        for (const char *u : {"Bob[clan]", "friend[clan]", "Al"}) {
            r.a.CheckBanList(QLatin1String(u));
            r.a.CheckBanAllExcept(QLatin1String(u));
        }
        for (const char *code : {"CHAT", "chat", "STAR", "SSHR", "DRTL"})
            r.a.RunProductAction("Ann", QLatin1String(code));
        p.Settings.setJoinResponse("<random>"); // expands to nothing: still sent
        r.a.RespondToJoin("Eve");
        QCOMPARE(r.out(), (QStringList{"Hey Bob", "x", "Welcome Ann to Lobby",
                                       "/ban Bob[clan] AutoBan", "/ban Bob[clan] AutoBan", "/ban Bob[clan] AutoBan",
                                       "/ban friend[clan] AutoBan", "/ban Al AutoBan", "/kick Ann", "", "none", ""}));
        QCOMPARE(r.host.echoed, (QStringList{"Hey Bob", "x", "Welcome Ann to Lobby", "/kick Ann", "", "none", ""}));
    }

    void remoteCommands()
    {
        Rig r;
        tProfile &p = r.host.profile;
        p.Settings.setMasterEvents(false);
        p.OwnerList = {"Boss"};
        p.MemberList = {"Mem"};
        p.CommandList << "/hush" << "/open" << "/x" << "/mem";
        p.CommandRes << "Hello <user>~~/squelch <parameter>" << "<SAY>" << "<addban>" << "<ADDBAN>";
        p.CommandLevel << "1" << "0" << "0"; // /mem has no level: owners only
        struct Case { const char *who, *text; QStringList out; };
        const QList<Case> cases{
            {"Stranger", "/join Lobby", {}},
            {"Mem", "/join Lobby", {}},
            {"boss", "/allevents on", {"/w boss All Events: on"}},
            {"Boss", "/allevents maybe", {}},
            {"Boss", "/addowner Mem", {"/w Boss Adding Owner: Mem"}},
            {"Mem", "/addowner", {"/w Mem Adding Owner: "}},
            {"Mem", "/deleteowner mem", {"/w Mem Deleting Owner: mem"}},
            {"Mem", "/deleteowner mem", {}}, // no longer an owner
            {"Boss", "/deleteowner mem", {"/w Boss That user is not an owner."}},
            {"Boss", "/joinxLobby", {"/join Lobby", "/w Boss Joining Channel Lobby"}},
            {"Boss", "/hush Al", {"Hello Boss", "/squelch Al"}},
            {"Anyone", "/open /kick me", {"/kick me", "/w Anyone Saying /kick me"}},
            {"Anyone", "/x y", {"/w Anyone Adding User Ban: y"}},
            {"Anyone", "/members", {}},                                   // "/mem" comes later and wins
            {"Boss", "/members", {"/w Boss Adding User Ban: ers"}},
            {"Boss", "/disconnect", {"/w Boss Disconnecting"}},
            {"Boss", "/massmessage hi", {"/m Boss Sending Mass Mail.", "/m Boss hi", "/m Mem hi", "/w Boss Mass Mail Sent."}},
        };
        for (const Case &c : cases) {
            r.clear();
            p.Modified = false;
            r.a.RunRemoteCommand(QLatin1String(c.who), QLatin1String(c.text));
            QVERIFY2(r.out() == c.out, c.text);
            QCOMPARE(r.host.written.contains(QLatin1String("Command from ") + c.who + ' ' + c.text), !c.out.isEmpty() || QByteArray(c.text) == "/allevents maybe");
        }
        QVERIFY(p.Settings.MasterEvents());
        QCOMPARE(p.OwnerList, (QStringList{"Boss", ""}));
        QCOMPARE(p.BanList, (QStringList{"y", "ers"}));
        QCOMPARE(r.host.connectRuns, 1);
        r.clear();
        r.a.RunRemoteCommand("Boss", "/hush Al");
        QCOMPARE(r.host.echoed, (QStringList{"Hello Boss", "/squelch Al"}));
        r.a.RunRemoteCommand("Anyone", "/open /kick me");
        QVERIFY(r.host.written.contains("<own> /kick me"));

        r.clear();
        p.OwnerList = {"Boss"};
        r.a.RunRemoteCommand("Boss", "/owners");
        QCOMPARE(r.out(), QStringList{"/w Boss Owner List: Boss"});
    }

    // Lines that could each be answered, from the users in turn at a steady pace: how many answers
    // go back (none to our own name), and the transcript's notes of a user silenced for ten minutes.
    void answersAreBoundedPerUser_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("from");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("stepMs");
        QTest::addColumn<int>("answers");
        QTest::addColumn<QStringList>("notes");
        const QString note = QStringLiteral("Too many automatic answers to %1: none for ten minutes.");
        QTest::newRow("own emote, other case") << "phrase" << QStringList{"bOT"} << 20 << 2500 << 0 << QStringList{};
        QTest::newRow("own remote command") << "command" << QStringList{"Bot"} << 3 << 2500 << 0 << QStringList{};
        QTest::newRow("whisper loop") << "whisper" << QStringList{"Ann"} << 240 << 2500 << 5 << QStringList{note.arg("Ann")};
        QTest::newRow("join flood") << "join" << QStringList{"Ann"} << 60 << 1000 << 5 << QStringList{note.arg("Ann")};
        QTest::newRow("command loop") << "command" << QStringList{"Boss"} << 60 << 1000 << 5 << QStringList{note.arg("Boss")};
        QTest::newRow("per user, any case") << "phrase" << QStringList{"Ann", "Bob", "ANN"} << 60 << 1000 << 10
                                            << QStringList{note.arg("ANN"), note.arg("Bob")};
        QTest::newRow("four a minute") << "phrase" << QStringList{"Ann"} << 30 << 15000 << 30 << QStringList{};
        // A phrase loop is cut, and cut again when it starts again after the ten minutes.
        QTest::newRow("after the silence") << "phrase" << QStringList{"Ann"} << 300 << 2500 << 10
                                           << QStringList{note.arg("Ann"), note.arg("Ann")};
    }
    void answersAreBoundedPerUser()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, from);
        QFETCH(int, lines);
        QFETCH(int, stepMs);
        Rig r;
        qint64 now = 1000;
        r.a.SetClock([&now] { return now; });
        tProfile &p = r.host.profile;
        p.PhraseList = p.WhisperList = {"wave"};
        p.PhraseRes[0] = QStringList{"/me waves back at <user>"};
        p.WhiserRes[0] = QStringList{"/w <user> I wave hello"};
        p.Settings.setJoinResponse("Hi <user>");
        p.OwnerList = {"Boss", "Bot"};
        p.CommandList = {"/addban"};
        p.CommandRes = {"<addban>"};
        p.CommandLevel = {"1"};
        for (int i = 0; i < lines; ++i, now += stepMs) {
            const QString user = from.at(i % from.size());
            if (kind == "phrase")
                r.a.RespondToPhrase(user, "I wave hello");
            else if (kind == "whisper")
                r.a.RespondToWhisper(user, "I wave hello");
            else if (kind == "join")
                r.a.RespondToJoin(user);
            else
                r.a.RunRemoteCommand(user, "/addban x" + QString::number(i));
        }
        QTEST(int(r.host.sent.size()), "answers");
        QTEST(r.host.written.filter("automatic answers"), "notes");
        if (kind == "command") // a silenced owner's commands are still carried out
            QCOMPARE(p.BanList.size(), lines);
        // Channel protection is never held back, not even for a silenced user.
        r.clear();
        p.BanList = {from.first()};
        r.a.CheckBanList(from.first());
        QCOMPARE(r.host.sent.size(), 1);
    }

    // Pieces that expand to nothing and blank mass-message names send nothing at all.
    void emptyPiecesSendNothing()
    {
        Rig r;
        tProfile &p = r.host.profile;
        p.OwnerList = {" ", "Boss"};
        p.CommandList = {"/c", "/mass"};
        p.CommandRes = {"<random>~y", "<messagemembers>"};
        p.CommandLevel = {"1", "1"};
        r.a.RunRemoteCommand("Boss", "/c");
        r.a.RunRemoteCommand("Boss", "/mass hi");
        QCOMPARE(r.out(), (QStringList{"y", "/m Boss Sending Mass Mail.", "/m Boss hi", "/w Boss Mass Mail Sent."}));
    }

    void timedMessages()
    {
        Rig r;
        tProfile &p = r.host.profile;
        p.TimerList = {"Welcome to <channel>!", "every tick", "never", "missing interval"};
        p.IntervalList = {"5", "0", "abc"};
        QStringList expected;
        for (int tick = 1; tick <= 12; ++tick) {
            r.a.TimerTimer();
            if (tick % 6 == 0)
                expected << "Welcome to Lobby!";
            expected << "every tick";
        }
        QCOMPARE(r.out(), expected);
        QCOMPARE(r.host.classes.first(), TBnetChat::OwnAutomatic);

        // Counts stand still while logged off or switched off; a new message restarts them all.
        r.clear();
        for (int i = 0; i < 3; ++i)
            r.a.TimerTimer(); // counts 3
        r.host.loggedOn = false;
        r.a.TimerTimer();
        r.host.loggedOn = true;
        p.Settings.setRespondTimers(false);
        r.a.TimerTimer();
        p.Settings.setRespondTimers(true);
        r.a.TimerTimer();
        r.a.TimerTimer();
        QCOMPARE(r.out().count("Welcome to Lobby!"), 0);
        r.a.TimerTimer(); // the sixth enabled tick since the last send
        QCOMPARE(r.out().count("Welcome to Lobby!"), 1);
        p.TimerList << "added";
        p.IntervalList << "1";
        r.a.TimerTimer();
        QCOMPARE(r.a.TimerCounts(), (QStringList{"1", "0", "1", "1", "1"}));
    }

    void macros()
    {
        Rig r;
        tProfile &p = r.host.profile;
        p.MacroKeys = {"a", "A", "", "B", "C"};
        p.MacroList = {"/kick <user> <parameter>", "then [<parameter>]", "no key", ""};
        QString entry = QStringLiteral("flooding");
        QVERIFY(r.a.RunMacros(QLatin1Char('A'), "Bob", entry));
        QCOMPARE(entry, QString());
        QCOMPARE(r.out(), (QStringList{"/kick Bob flooding", "then []"}));
        QCOMPARE(r.host.echoed, r.out());
        entry = "x";
        QVERIFY(!r.a.RunMacros(QLatin1Char('B'), "", entry)); // empty text
        QVERIFY(!r.a.RunMacros(QLatin1Char('C'), "", entry)); // past the end of the texts
        r.host.loggedOn = false;
        QVERIFY(!r.a.RunMacros(QLatin1Char('A'), "", entry));
        QCOMPARE(entry, QStringLiteral("x"));
    }

    void recital()
    {
        Rig r;
        r.host.profile.Settings.setReciteDelay(2);
        r.host.profile.TimerList.clear();
        QTemporaryDir dir;
        const QString path = dir.filePath("t.txt");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("one\r\n\r\n/char 13\r\n/me waves\n/REPEAT\r\n");
        f.close();
        QVERIFY(!r.a.StartRecital()); // nothing loaded
        QVERIFY(!r.a.LoadTextFile(dir.filePath("missing.txt")));
        QVERIFY(r.fileName.isEmpty() && r.lines.isEmpty());
        QVERIFY(r.a.LoadTextFile(path));
        QCOMPARE(r.lines.size(), 5);
        QVERIFY(r.a.StartRecital());
        QCOMPARE(r.host.written, QStringList{"Executing text file: " + path});
        for (int tick = 0; tick < 14; ++tick)
            r.a.TimerTimer();
        // Every second tick: one, empty, CR alone, /me, repeat (nothing), one, empty.
        QCOMPARE(r.host.sent, (QStringList{"one\r", "\r", "\r", "/me waves\r", "one\r", "\r"}));
        QCOMPARE(r.host.written.mid(1), (QStringList{"<own> one", "<own>  ", "<own> one", "<own>  "}));

        // Stopped and started again: goes on where it stood; with a target the lines are whispers.
        r.clear();
        r.a.StopRecital();
        QCOMPARE(r.host.written, QStringList{"Text file: " + path + " stopped."});
        r.a.TimerTimer();
        r.a.TimerTimer();
        QVERIFY(r.out().isEmpty());
        r.target = "Bob";
        r.a.StartRecital();
        r.a.TimerTimer();
        r.a.TimerTimer();
        QCOMPARE(r.out(), QStringList{"/w Bob /char 13"});
        QCOMPARE(r.host.written.size(), 2); // "Executing" only: whispers are not shown as own lines
        r.clear();
        r.lines = QStringList{"last"};
        r.a.TextFile().ReciteLine = 1;
        r.a.TimerTimer();
        r.a.TimerTimer();
        QCOMPARE(r.host.written, QStringList{"Text file: " + path + " done."});
        QVERIFY(!r.a.TextFile().Reciting && r.a.TextFile().ReciteLine == 0);
    }
};
QC_TEST(AutomationTest)
#include "AutomationTest.moc"
