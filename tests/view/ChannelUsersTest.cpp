#include "TestMain.h"

#include <QSignalSpy>

#include "view/ChannelUsers.h"
#include "view/ReplyList.h"

class ChannelUsersTest : public QObject
{
    Q_OBJECT
private slots:
    void iconRules_data()
    {
        QTest::addColumn<QString>("product");
        QTest::addColumn<QString>("flags");
        QTest::addColumn<int>("icon");
        QTest::newRow("DRTL") << "DRTL" << "0000" << 2;
        QTest::newRow("STAR") << "STAR" << "0000" << 3;
        QTest::newRow("DSHR") << "DSHR" << "0000" << 8;
        QTest::newRow("SSHR") << "SSHR" << "0000" << 5;
        QTest::newRow("CHAT") << "CHAT" << "0000" << 1;
        QTest::newRow("SEXP") << "SEXP" << "0000" << 6;
        QTest::newRow("W2BN") << "W2BN" << "0000" << 10;
        QTest::newRow("JSTR") << "JSTR" << "0000" << 11;
        QTest::newRow("D2DV") << "D2DV" << "0000" << 20;
        QTest::newRow("D2XP") << "D2XP" << "0000" << 20;
        QTest::newRow("QRLZ") << "QRLZ" << "0000" << 12;
        QTest::newRow("X7") << "X7" << "0000" << 7;
        QTest::newRow("X not a number") << "XABC" << "0000" << 0;
        QTest::newRow("unknown product") << "WAR3" << "0000" << 0;
        QTest::newRow("flag 01 over product") << "STAR" << "0001" << 7;
        QTest::newRow("flag 02 over product") << "STAR" << "0002" << 4;
        QTest::newRow("flag 02 over flag 01") << "CHAT" << "0003" << 4;
        QTest::newRow("squelch bit alone") << "CHAT" << "0020" << 1;
        QTest::newRow("malformed flags") << "CHAT" << "zz!1" << 1;
    }
    void iconRules()
    {
        QFETCH(QString, product);
        QFETCH(QString, flags);
        QFETCH(int, icon);
        QCOMPARE(tChannelUsers::ChooseIcon(product, tChannelUsers::ParseFlags(flags)), icon);
    }

    void flagsAreExactlyHexadecimalDigits()
    {
        const std::pair<const char *, int> cases[] = {
            {"0020", 0x20}, {"00aF", 0xAF}, {"0012", 0x12}, {" 020", 0}, {"+020", 0}, {"0x20", 0},
            {"-001", 0},    {"002 ", 0},    {"", 0},        {"00g0", 0},
        };
        for (const auto &[text, value] : cases)
            QVERIFY2(tChannelUsers::ParseFlags(QLatin1String(text)) == value, text);
    }

    void entriesCaptionAndArrivalOrder()
    {
        tChannelUsers u;
        QSignalSpy caption(&u, &tChannelUsers::captionChanged);
        u.EnterChannel(QStringLiteral("Chat"));
        QCOMPARE(u.Caption(), QStringLiteral("Chat (0)"));
        u.Add(QStringLiteral("Zed"), QStringLiteral("0010"), QStringLiteral("CHAT"));
        u.Add(QStringLiteral("amy"), QStringLiteral("0000"), QStringLiteral("WAR3"));
        u.Add(QStringLiteral("Bob"), QStringLiteral("0002"), QStringLiteral("STAR"));
        QCOMPARE(u.Caption(), QStringLiteral("Chat (3)"));
        QCOMPARE(u.rowCount(), 3);
        QCOMPARE(u.data(u.index(0)).toString(), QStringLiteral("Zed"));
        QCOMPARE(u.data(u.index(1)).toString(), QStringLiteral("amy"));
        QCOMPARE(u.At(0).Icon, 1);
        QCOMPARE(u.At(1).Icon, tChannelUsers::NoIcon); // an unknown product chooses nothing
        QCOMPARE(u.At(2).Icon, 4);
        QCOMPARE(u.data(u.index(2), tChannelUsers::IconRole).toInt(), 4);

        QVERIFY(u.Remove(QStringLiteral("AMY")));
        QVERIFY(!u.Remove(QStringLiteral("nobody")));
        QCOMPARE(u.ChannelUserCount(), 2);
        QCOMPARE(u.Caption(), QStringLiteral("Chat (2)"));

        u.EnterChannel(QStringLiteral("Other Place"));
        QCOMPARE(u.rowCount(), 0);
        QCOMPARE(u.Caption(), QStringLiteral("Other Place (0)"));
        u.Clear();
        QCOMPARE(u.Caption(), QString());
        QCOMPARE(caption.last().first().toString(), QString());
        QCOMPARE(u.CurrentChannel, QStringLiteral("Other Place"));
    }

    void duplicateNamesLeaveOldestFirst()
    {
        // A server may list a name twice; a leave takes the oldest entry, whatever the letter case.
        tChannelUsers u;
        u.EnterChannel(QStringLiteral("Chat"));
        for (const char *name : {"Amy", "Bob", "AMY", "Cy", "amy"})
            u.Add(QString::fromLatin1(name), QStringLiteral("0010"), QStringLiteral("CHAT"));
        QCOMPARE(u.IndexOf(QStringLiteral("aMy")), 0);
        QVERIFY(u.Remove(QStringLiteral("amy")));
        QCOMPARE(u.IndexOf(QStringLiteral("amy")), 1); // "AMY", now at row 1
        QVERIFY(u.SetFlags(QStringLiteral("Amy"), QStringLiteral("0020")));
        QVERIFY(u.At(1).Squelched && !u.At(3).Squelched);
        QVERIFY(u.Remove(QStringLiteral("AMY")));
        QVERIFY(u.Remove(QStringLiteral("Amy")));
        QVERIFY(!u.Remove(QStringLiteral("amy")));
        QCOMPARE(u.IndexOf(QStringLiteral("cy")), 1);
        u.EnterChannel(QStringLiteral("Other"));
        QCOMPARE(u.IndexOf(QStringLiteral("Bob")), -1);
    }

    void squelchMarkFollowsFlags()
    {
        tChannelUsers u;
        u.EnterChannel(QStringLiteral("Chat"));
        u.Add(QStringLiteral("Bob"), QStringLiteral("0000"), QStringLiteral("STAR"));
        u.Add(QStringLiteral("Ann"), QStringLiteral("0020"), QStringLiteral("CHAT"));
        QVERIFY(!u.At(0).Squelched);
        QVERIFY(u.At(1).Squelched); // listed by the server as squelched
        QSignalSpy changed(&u, &QAbstractItemModel::dataChanged);
        QVERIFY(u.SetFlags(QStringLiteral("bob"), QStringLiteral("0020")));
        QVERIFY(u.At(0).Squelched);
        QCOMPARE(u.At(0).Icon, 3); // no product: only the flag bits could change it
        QVERIFY(u.SetFlags(QStringLiteral("BOB"), QStringLiteral("0002")));
        QVERIFY(!u.At(0).Squelched);
        QCOMPARE(u.At(0).Icon, 4);
        QCOMPARE(changed.count(), 2);
        QVERIFY(!u.SetFlags(QStringLiteral("nobody"), QStringLiteral("0020")));
        QCOMPARE(u.data(u.index(0), tChannelUsers::SquelchRole).toBool(), false);
    }

    void personalAndSpecialIcons()
    {
        tChannelUsers u;
        // Two personal icons: images 21 and 22; a failed one keeps its slot with an empty name.
        u.SetPersonalIcons({QStringLiteral("Face"), QString(), QStringLiteral("Third")});
        QCOMPARE(u.IconCount(), 24);
        QCOMPARE(u.AdjustProduct(QStringLiteral("face"), QStringLiteral("STAR")), QStringLiteral("X21"));
        QCOMPARE(u.AdjustProduct(QStringLiteral("Third"), QStringLiteral("CHAT")), QStringLiteral("X23"));
        QCOMPARE(u.AdjustProduct(QString(), QStringLiteral("CHAT")), QStringLiteral("CHAT"));
        QCOMPARE(u.AdjustProduct(QStringLiteral("-QuorL-"), QStringLiteral("CHAT")), QStringLiteral("QRLZ"));

        u.EnterChannel(QStringLiteral("Chat"));
        QCOMPARE(u.Add(QStringLiteral("Face"), QStringLiteral("0000"), QStringLiteral("STAR")), QStringLiteral("X21"));
        QCOMPARE(u.At(0).Icon, 21);
        u.Add(QStringLiteral("-quorl-"), QStringLiteral("0000"), QStringLiteral("CHAT"));
        QCOMPARE(u.At(1).Icon, 12);
        // Codes from the server naming no image leave the icon as it is.
        u.Add(QStringLiteral("big"), QStringLiteral("0000"), QStringLiteral("X999"));
        u.Add(QStringLiteral("neg"), QStringLiteral("0000"), QStringLiteral("X-3"));
        u.Add(QStringLiteral("edge"), QStringLiteral("0000"), QStringLiteral("X24"));
        u.Add(QStringLiteral("last"), QStringLiteral("0000"), QStringLiteral("X23"));
        QCOMPARE(u.At(2).Icon, tChannelUsers::NoIcon);
        QCOMPARE(u.At(3).Icon, tChannelUsers::NoIcon);
        QCOMPARE(u.At(4).Icon, tChannelUsers::NoIcon);
        QCOMPARE(u.At(5).Icon, 23);

        QStringList many;
        for (int i = 0; i < 200; ++i)
            many << QStringLiteral("u%1").arg(i);
        u.SetPersonalIcons(many);
        QCOMPARE(u.IconCount(), tChannelUsers::MaxIconCount);
    }

    void replyListMovesTheIndexAlong()
    {
        tReplyList r;
        QCOMPARE(r.Index, -1);
        r.Touch(QStringLiteral("a"));
        r.Touch(QStringLiteral("b"));
        r.Touch(QStringLiteral("c"));
        QCOMPARE(r.Names(), QStringList({"a", "b", "c"}));
        QCOMPARE(r.Index, -1); // appending leaves it alone

        r.Index = 1; // pointing at b: b moves to the end and the index with it
        r.Touch(QStringLiteral("B"));
        QCOMPARE(r.Names(), QStringList({"a", "c", "B"}));
        QCOMPARE(r.Index, 2);

        r.Index = 2; // pointing after a's old place: back by one
        r.Touch(QStringLiteral("a"));
        QCOMPARE(r.Names(), QStringList({"c", "B", "a"}));
        QCOMPARE(r.Index, 1);

        r.Index = 0; // pointing before the moved name: unchanged
        r.Touch(QStringLiteral("b"));
        QCOMPARE(r.Names(), QStringList({"c", "a", "b"}));
        QCOMPARE(r.Index, 0);

        r.Index = 0; // the moved name at the index, first place: follows to the end
        r.Touch(QStringLiteral("C"));
        QCOMPARE(r.Names(), QStringList({"a", "b", "C"}));
        QCOMPARE(r.Index, 2);
        QCOMPARE(r.Count(), 3);
    }
};
QC_TEST(ChannelUsersTest)
#include "ChannelUsersTest.moc"
