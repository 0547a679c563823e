#include "TestMain.h"

#include "Loopback.h"
#include "net/Interpreters.h"

namespace {
// Binds every interpreter event to a log entry "Name(arg|arg|arg)".
void record(tBaseInterpreter &in, QStringList &log)
{
    const auto one = [&log](const char *name) {
        return [&log, name](const QString &a) { log << QStringLiteral("%1(%2)").arg(QLatin1String(name), a); };
    };
    const auto two = [&log](const char *name) {
        return [&log, name](const QString &a, const QString &b) {
            log << QStringLiteral("%1(%2|%3)").arg(QLatin1String(name), a, b);
        };
    };
    const auto three = [&log](const char *name) {
        return [&log, name](const QString &a, const QString &b, const QString &c) {
            log << QStringLiteral("%1(%2|%3|%4)").arg(QLatin1String(name), a, b, c);
        };
    };
    in.OnShowUser = three("ShowUser");
    in.OnJoin = three("Join");
    in.OnLeave = three("Leave");
    in.OnWhisper = two("Whisper");
    in.OnTalk = two("Talk");
    in.OnBroadcast = one("Broadcast");
    in.OnChannel = one("Channel");
    in.OnUserFlags = two("UserFlags");
    in.OnWhisperSent = two("WhisperSent");
    in.OnChannelFull = one("ChannelFull");
    in.OnChanNotExist = one("ChanNotExist");
    in.OnRestricted = one("Restricted");
    in.OnInfo = one("Info");
    in.OnError = one("Error");
    in.OnEmote = two("Emote");
    in.OnUniqueName = one("UniqueName");
    in.OnUnHandled = one("UnHandled");
    in.OnData = one("Data");
}
} // namespace

class InterpretersTest : public QObject
{
    Q_OBJECT
private slots:
    void eventPerCode_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("event");
        const auto row = [](const char *line, const char *event) {
            QTest::newRow(line) << QString::fromLatin1(line) << QString::fromLatin1(event);
        };
        row("1001 USER Ann 0010 [CHAT]", "ShowUser(Ann|0010|CHAT)");
        row("1002 JOIN Bob#2 0000 [SEXP]", "Join(Bob#2|0000|SEXP)");
        row("1003 LEAVE Cy 0012", "Leave(Cy|0012| 001)");
        row("1004 WHISPER Ann 0010 \"psst \"you\"\"", "Whisper(Ann|psst \"you\")");
        row("1005 TALK Ann 0010 \"hello there\"", "Talk(Ann|hello there)");
        row("1006 BROADCAST \"Server going down\"", "Broadcast(Server going down)");
        row("1007 CHANNEL \"Public Chat 1\"", "Channel(Public Chat 1)");
        row("1009 USER Ann 0012", "UserFlags(Ann|0012)");
        row("1010 WHISPER Bob 0010 \"sent\"", "WhisperSent(Bob|sent)");
        row("1013 CHANNELFULL \"Full\"", "ChannelFull(Full)");
        row("1014 CHANNELDOESNOTEXIST \"Nope\"", "ChanNotExist(Nope)");
        row("1015 CHANNELRESTRICTED \"Op\"", "Restricted(Op)");
        row("1018 INFO \"Welcome to Battle.net!\"", "Info(Welcome to Battle.net!)");
        row("1019 ERROR \"That user is not logged on.\"", "Error(That user is not logged on.)");
        row("1023 EMOTE Ann 0010 \"waves\"", "Emote(Ann|waves)");
        row("2010 NAME Ann#3", "UniqueName(Ann#3)");
        row("1008 SOMETHING \"x\"", "UnHandled(1008 SOMETHING \"x\")");
        row("Login incorrect.", "UnHandled(Login incorrect.)");
        row("10a5 TALK Ann 0010 \"x\"", "UnHandled(10a5 TALK Ann 0010 \"x\")");
        row(" 1005 TALK", "UnHandled( 1005 TALK)");
        row("100", "UnHandled(100)");
        row("2000 NULL \"nothing\"", "");
        // Short lines still give their event; the fields just come out short or empty.
        row("1005", "Talk(|)");
        row("1001 USER", "ShowUser(|USER| USE)");
    }
    void eventPerCode()
    {
        QFETCH(QString, line);
        QFETCH(QString, event);
        TBnetChat bc;
        QStringList log;
        record(bc, log);
        bc.ProcessLine(line);
        QCOMPARE(log, event.isEmpty() ? QStringList{} : QStringList{event});

        // Unbound events are skipped; empty lines are ignored.
        TBnetChat quiet;
        quiet.ProcessLine(line);
        bc.ProcessLine(QString());
        QCOMPARE(log.size(), event.isEmpty() ? 0 : 1);
    }

    void extractorCorners()
    {
        using B = tBaseInterpreter;
        for (const char *s : {"", "1", "1005", "1005 ", "\"", "]"}) {
            const QString line = QLatin1String(s);
            QCOMPARE(B::ParseUser(line), QString());
            QVERIFY(B::ParseMessage(line).isEmpty());
        }
        QCOMPARE(B::ParseUser(u"1005 TALK  Ann 0010"), QString());
        QCOMPARE(B::ParseUser(u"1005 TALK Ann"), QStringLiteral("Ann"));
        QCOMPARE(B::ParseUser(u"12 a b c"), QStringLiteral("c"));
        QCOMPARE(B::ParseMessage(u"1005 TALK Ann 0010 no quote"), QString());
        QCOMPARE(B::ParseMessage(u"1005 \"open"), QStringLiteral("ope"));
        QCOMPARE(B::ParseMessage(u"1005 x \"\""), QString());
        QCOMPARE(B::ParseMessage(u"1005 x \""), QString());
        // Positions that start before the line begin at its first character and keep their count.
        QCOMPARE(B::ParseFlags(u"ab]"), QStringLiteral("ab]"));
        QCOMPARE(B::ParseFlags(u"abcdefg]"), QStringLiteral("abcd"));
        QCOMPARE(B::ParseFlags(u"ab"), QStringLiteral("ab"));
        QCOMPARE(B::ParseFlags(u"0010 [CHAT]"), QStringLiteral("0010"));
        QCOMPARE(B::ParseFlags(u"x 0010"), QStringLiteral("0010"));
        QCOMPARE(B::ParseUserType(u"ab"), QStringLiteral("ab"));
        QCOMPARE(B::ParseUserType(u"abcde"), QStringLiteral("abcd"));
        QCOMPARE(B::ParseUserType(u""), QString());
    }

    void randomShortLinesStayInBounds()
    {
        // Lines built from the characters the extractors look at, at every short length.
        const QString alphabet = QStringLiteral("10\" ][aZ");
        QRandomGenerator rng(6112);
        TBnetChat bc;
        QStringList seen;
        record(bc, seen); // every slot bound, so every field is extracted
        int nonEmpty = 0;
        for (int i = 0; i < 20000; ++i) {
            QString line;
            const int n = int(rng.bounded(24));
            for (int k = 0; k < n; ++k)
                line += alphabet[int(rng.bounded(alphabet.size()))];
            if (i % 3 == 0)
                line.prepend(QStringLiteral("100") + QChar(u'0' + int(rng.bounded(10))));
            const QString user = tBaseInterpreter::ParseUser(line);
            QVERIFY(!user.contains(QLatin1Char(' ')));
            QVERIFY(tBaseInterpreter::ParseMessage(line).size() <= std::max<qsizetype>(0, line.size() - 2));
            QVERIFY(tBaseInterpreter::ParseFlags(line).size() <= 4);
            QVERIFY(tBaseInterpreter::ParseUserType(line).size() <= 4);
            bc.ProcessLine(line);
            nonEmpty += line.isEmpty() ? 0 : 1;
        }
        // One event per line that is not empty.
        QCOMPARE(seen.size(), nonEmpty);
    }

    void boundedQueue()
    {
        LoopbackServer gw;
        TChatInterface ci;
        TBnetChat bc;
        bc.setFloodInterval(3600 * 1000);
        bc.ChatInterface = &ci;
        QVERIFY(gw.connectClient(ci));
        int notes = 0;
        bc.OnLinesDropped = [&] { ++notes; };
        const auto send = [&](TBnetChat::LineClass c, const QString &text) {
            TBnetChat::ClassScope scope(bc, c);
            bc.SendLine(text);
        };
        bc.SendLine(QStringLiteral("first\r")); // goes out at once
        // A line sent in answer to a server line is said for someone else.
        bc.OnTalk = [&](const QString &user, const QString &) { bc.SendLine("/whois " + user); };
        bc.ProcessLine(QStringLiteral("1005 TALK Ann 0010 \"hi\""));
        QCOMPARE(bc.QueueClasses(), QList<TBnetChat::LineClass>{TBnetChat::ForOthers});
        bc.FloodTick();
        send(TBnetChat::ForOthers, QStringLiteral("greet0"));
        send(TBnetChat::OwnAutomatic, QStringLiteral("timed"));
        for (int i = 1; i < TBnetChat::MaxQueue - 1; ++i)
            send(TBnetChat::ForOthers, QStringLiteral("greet%1").arg(i));
        QCOMPARE(bc.Queue().size(), TBnetChat::MaxQueue);
        QCOMPARE(notes, 0);
        // Full: a typed line pushes out the oldest line made for others; so does an own automatic one.
        bc.SendLine(QStringLiteral("typed"));
        send(TBnetChat::OwnAutomatic, QStringLiteral("timed2"));
        QCOMPARE(bc.Queue().size(), TBnetChat::MaxQueue);
        QCOMPARE(bc.Queue().first(), QStringLiteral("timed"));
        QCOMPARE(bc.Queue().mid(bc.Queue().size() - 2), (QStringList{"typed", "timed2"}));
        QCOMPARE(notes, 1); // noted once per overflow
        // Only typed and own lines left: a line for others is the one dropped; typed lines still go in.
        for (int i = 0; i < TBnetChat::MaxQueue; ++i)
            bc.SendLine(QStringLiteral("t%1").arg(i));
        QVERIFY(!bc.Queue().join(QString()).contains(QStringLiteral("greet")));
        send(TBnetChat::ForOthers, QStringLiteral("late"));
        QVERIFY(!bc.Queue().contains(QStringLiteral("late")));
        QCOMPARE(bc.Queue().count(QStringLiteral("typed")), 1);
        QCOMPARE(bc.Queue().size(), TBnetChat::MaxQueue + 1); // "timed" and "timed2" gave way, "typed" stays
        QCOMPARE(notes, 1);
        // Once the queue has emptied, the next overflow is noted again.
        while (!bc.ReadyToSend())
            bc.FloodTick();
        for (int i = 0; i <= TBnetChat::MaxQueue + 1; ++i)
            send(TBnetChat::ForOthers, QStringLiteral("x"));
        QCOMPARE(notes, 2);
        QCOMPARE(bc.Queue().size(), TBnetChat::MaxQueue);
    }

    // Queued lines as "class:text" (F for others, A own automatic, T typed, P protect; "F*100": a
    // hundred lines f0..f99), then one more line sent: the head of the queue and its size.
    void protectLinesGoFirstAndStay_data()
    {
        QTest::addColumn<QString>("queued");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QString>("head");
        QTest::addColumn<int>("size");
        QTest::newRow("ahead of answers") << "T:t F:f1 F:f2" << "P:ban" << "t ban f1 f2" << 4;
        QTest::newRow("behind own lines before the answers") << "A:a F:f1 A:a2" << "P:ban" << "a ban f1 a2" << 4;
        QTest::newRow("in their own order") << "F:f1 P:ban1" << "P:ban2" << "ban1 ban2 f1" << 3;
        QTest::newRow("into a queue full of answers") << "F*100" << "P:ban" << "ban f1 f2" << TBnetChat::MaxQueue;
        QTest::newRow("past the bound of typed lines") << "T*100" << "P:ban" << "t0 t1" << TBnetChat::MaxQueue + 1;
        QTest::newRow("not pushed out by typed lines") << "P:ban F*99" << "T:t" << "ban f1 f2" << TBnetChat::MaxQueue;
    }
    void protectLinesGoFirstAndStay()
    {
        QFETCH(QString, queued);
        QFETCH(QString, sent);
        QFETCH(QString, head);
        LoopbackServer gw;
        TChatInterface ci;
        TBnetChat bc;
        bc.setFloodInterval(3600 * 1000);
        bc.ChatInterface = &ci;
        QVERIFY(gw.connectClient(ci));
        bc.SendLine(QStringLiteral("first\r")); // goes out at once; the rest waits
        for (const QString &token : (queued + ' ' + sent).split(' ')) {
            const TBnetChat::ClassScope scope(bc, TBnetChat::LineClass(QStringLiteral("FATP").indexOf(token[0])));
            const int n = token[1] == '*' ? token.mid(2).toInt() : 1;
            for (int i = 0; i < n; ++i)
                bc.SendLine(token[1] == '*' ? token[0].toLower() + QString::number(i) : token.mid(2));
        }
        QCOMPARE(bc.Queue().mid(0, head.count(' ') + 1), head.split(' '));
        QTEST(int(bc.Queue().size()), "size");
    }

    void floodQueue()
    {
        LoopbackServer gw;
        TChatInterface ci;
        TBnetChat bc;
        QCOMPARE(bc.FloodInterval(), 1500);
        bc.setFloodInterval(3600 * 1000); // stepped by hand below
        bc.ChatInterface = &ci;
        QVERIFY(gw.connectClient(ci));

        bc.SendLine(QStringLiteral("one\r"));
        bc.SendLine(QStringLiteral("two\r"));
        bc.SendLine(QStringLiteral("three\r"));
        QTRY_COMPARE(gw.received, QByteArray("one\r"));
        QVERIFY(!bc.ReadyToSend());
        QCOMPARE(bc.Queue(), (QStringList{"two\r", "three\r"}));
        bc.FloodTick();
        QTRY_COMPARE(gw.received, QByteArray("one\rtwo\r"));
        bc.FloodTick();
        QTRY_COMPARE(gw.received, QByteArray("one\rtwo\rthree\r"));
        QVERIFY(!bc.ReadyToSend());
        bc.FloodTick();
        QVERIFY(bc.ReadyToSend());
        bc.SendLine(QStringLiteral("four\r"));
        QTRY_COMPARE(gw.received, QByteArray("one\rtwo\rthree\rfour\r"));
        QVERIFY(bc.Queue().isEmpty());

        // Lines waiting when the connection goes are dropped by the next tick.
        bc.SendLine(QStringLiteral("lost\r"));
        ci.Disconnect();
        bc.FloodTick();
        QVERIFY(bc.Queue().isEmpty());
        QVERIFY(bc.ReadyToSend());

        // The real timer drains the queue by itself.
        QVERIFY(gw.connectClient(ci));
        bc.setFloodInterval(20);
        QCOMPARE(bc.FloodInterval(), 20);
        gw.received.clear();
        for (const char *s : {"a\r", "b\r", "c\r"})
            bc.SendLine(QLatin1String(s));
        QTRY_COMPARE(gw.received, QByteArray("a\rb\rc\r"));
        QTRY_VERIFY(bc.ReadyToSend());

        // A zero interval stops the timer instead of spinning.
        bc.setFloodInterval(0);
        QCOMPARE(bc.FloodInterval(), 0);
    }

    void noLineEndGoesOutInsideALine()
    {
        LoopbackServer gw;
        TChatInterface ci;
        TBnetChat bc;
        TTextChat tc;
        bc.setFloodInterval(3600 * 1000);
        bc.ChatInterface = &ci;
        tc.ChatInterface = &ci;
        QVERIFY(gw.connectClient(ci));
        bc.SendLine(QStringLiteral("hello\n/whois x\r"));
        bc.SendLine(QStringLiteral("a\r\nb\rc\r\n"));
        QCOMPARE(bc.Queue(), QStringList{"a b c\r"});
        bc.FloodTick();
        tc.SendLine(QStringLiteral("greeting\nline\r"));
        QTRY_COMPARE(gw.received, QByteArray("hello /whois x\ra b c\rgreeting line\r"));
    }

    void loginBytesAndUnboundConnection()
    {
        LoopbackServer gw;
        TChatInterface ci;
        TBnetChat bc;
        QVERIFY(!bc.Login());
        bc.SendLine(QStringLiteral("dropped\r"));
        QVERIFY(bc.Queue().isEmpty());

        bc.ChatInterface = &ci;
        bc.UserName = QStringLiteral("Ann");
        bc.Password = QString::fromLatin1("p\xe4ss");
        bool loggedIn = false;
        ci.OnLogin = [&] { loggedIn = true; };
        ci.OnConnect = [&] { QVERIFY(bc.Login()); };
        QVERIFY(gw.connectClient(ci));
        QVERIFY(loggedIn);
        QTRY_COMPARE(gw.received, QByteArray("\x03\x04" "Ann\rp\xe4ss\r\r"));
        QCOMPARE(ci.LoginScript.size(), 1);
    }

    void textChatPassesLinesThrough()
    {
        LoopbackServer gw;
        TChatInterface ci;
        TTextChat tc;
        QStringList log;
        record(tc, log);
        tc.ProcessLine(QStringLiteral("1005 TALK Ann 0010 \"hi\""));
        tc.ProcessLine(QString());
        QCOMPARE(log, QStringList{"Data(1005 TALK Ann 0010 \"hi\")"});
        tc.SendLine(QStringLiteral("nobody\r"));
        tc.ChatInterface = &ci;
        QVERIFY(gw.connectClient(ci));
        tc.SendLine(QStringLiteral("x\r"));
        tc.SendLine(QStringLiteral("y\r"));
        QTRY_COMPARE(gw.received, QByteArray("x\ry\r"));
    }
};
QC_TEST(InterpretersTest)
#include "InterpretersTest.moc"
