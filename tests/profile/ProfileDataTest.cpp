#include "TestMain.h"

#include "profile/Profile.h"

#include <QHostAddress>

class ProfileDataTest : public QObject
{
    Q_OBJECT
private slots:
    void startUpProfileHasTheDefaults()
    {
        tProfile p;
        QCOMPARE(p.ServerList.size(), 13);
        for (int i = 0; i < 13; ++i) {
            QHostAddress a;
            const bool dotted = a.setAddress(p.ServerList[i]) && a.protocol() == QHostAddress::IPv4Protocol;
            QVERIFY2(dotted == (i < 10), qPrintable(p.ServerList[i]));
        }
        QCOMPARE(p.Settings.Server(), QStringLiteral("useast.battle.net"));

        QCOMPARE(p.ChannelList.size(), 28);
        QCOMPARE(p.ChannelList.first(), QStringLiteral("Adventurers Wanted"));
        QCOMPARE(p.ChannelList.last(), QStringLiteral("Zerg Strategy"));
        for (int i = 1; i < p.ChannelList.size(); ++i)
            QVERIFY(p.ChannelList[i - 1].compare(p.ChannelList[i], Qt::CaseInsensitive) < 0);

        QCOMPARE(p.CommandList.size(), 21);
        QCOMPARE(p.CommandRes.size(), 21);
        QCOMPARE(p.CommandLevel, QStringList(21, QStringLiteral("1")));
        QCOMPARE(p.CommandList.indexOf(QStringLiteral("/addowner")), 10);
        QCOMPARE(p.CommandRes[10], QStringLiteral("<addowner>"));
        QCOMPARE(p.CommandList.last(), QStringLiteral("/massmessage"));
        QCOMPARE(p.CommandRes.last(), QStringLiteral("<messagemembers>"));

        for (const QString &a : p.Actions)
            QCOMPARE(a, QStringLiteral("None"));
        QVERIFY(!p.Modified);
        QCOMPARE(p.CurrentProfile, QStringLiteral("None"));
        QVERIFY(p.OwnerList.isEmpty() && p.Favorite.isEmpty() && p.Users.Count() == 0);
        QCOMPARE(QLatin1String(tProfile::ProductActionKeys[BroodwarAction]), QLatin1String("BroodwarAction="));
    }

    void newProfileResetsAllButFavouritesFileAndAwayReasons()
    {
        tProfile p;
        for (QStringList *l : {&p.Favorite, &p.UserDef, &p.NameList, &p.PasswordList, &p.HomeList,
                               &p.OwnerList, &p.MemberList, &p.AccountList, &p.NumberList, &p.PhraseList,
                               &p.WhisperList, &p.BanList, &p.NoBanList, &p.UserJoinList, &p.TimerList,
                               &p.IntervalList, &p.MacroList, &p.MacroKeys, &p.PhraseRes[0], &p.WhiserRes[1],
                               &p.UserRes[2]})
            *l << QStringLiteral("x");
        p.ServerList = QStringList{QStringLiteral("one")};
        p.ChannelList.clear();
        p.CommandList.removeLast();
        p.Actions[StarAction] = QStringLiteral("/w %user hi");
        p.Users.Add(std::make_unique<tUser>());
        p.Settings.setUserName(QStringLiteral("Someone"));
        p.Settings.setAwayMessage(QStringLiteral("lunch"));
        p.Settings.setDNDMessage(QStringLiteral("busy"));
        p.CurrentProfile = QStringLiteral("/home/me/main.ch5");
        p.Modified = true;

        p.NewProfileData();

        QCOMPARE(p.Favorite, QStringList{QStringLiteral("x")});
        QCOMPARE(p.CurrentProfile, QStringLiteral("/home/me/main.ch5"));
        QCOMPARE(p.Settings.AwayMessage(), QStringLiteral("lunch"));
        QCOMPARE(p.Settings.DNDMessage(), QStringLiteral("busy"));
        QCOMPARE(p.Settings.UserName(), QStringLiteral("Guest"));
        QVERIFY(!p.Modified);
        QCOMPARE(p.Users.Count(), 0);
        for (const QStringList *l : {&p.UserDef, &p.NameList, &p.PasswordList, &p.HomeList, &p.OwnerList,
                                     &p.MemberList, &p.AccountList, &p.NumberList, &p.PhraseList, &p.WhisperList,
                                     &p.BanList, &p.NoBanList, &p.UserJoinList, &p.TimerList, &p.IntervalList,
                                     &p.MacroList, &p.MacroKeys, &p.PhraseRes[0], &p.WhiserRes[1], &p.UserRes[2]})
            QVERIFY(l->isEmpty());
        QCOMPARE(p.ServerList.size(), 13);
        QCOMPARE(p.ChannelList.size(), 28);
        QCOMPARE(p.CommandList.size(), 21);
        QCOMPARE(p.Actions[StarAction], QStringLiteral("None"));
    }
};

QC_TEST(ProfileDataTest)
#include "ProfileDataTest.moc"
