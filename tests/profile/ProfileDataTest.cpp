#include "TestMain.h"

#include "ProfileTestUtil.h"
#include "profile/Profile.h"

#include <QHostAddress>
#include <algorithm>

using profiletest::everyList;

namespace {
// The default servers, channels, commands and actions, and every other list but Favorite empty.
void checkDefaultLists(tProfile &p)
{
    QCOMPARE(p.ServerList.size(), 13);
    for (int i = 0; i < 13; ++i) {
        QHostAddress a;
        const bool dotted = a.setAddress(p.ServerList[i]) && a.protocol() == QHostAddress::IPv4Protocol;
        QVERIFY2(dotted == (i < 10), qPrintable(p.ServerList[i]));
    }
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
    const QStringList *filled[] = {&p.Favorite, &p.ServerList, &p.ChannelList, &p.CommandList,
                                   &p.CommandRes, &p.CommandLevel};
    for (const QStringList *l : everyList(p))
        if (std::find(std::begin(filled), std::end(filled), l) == std::end(filled))
            QVERIFY(l->isEmpty());
    QCOMPARE(p.Users.Count(), 0);
    QCOMPARE(p.Settings.UserName(), QStringLiteral("Guest"));
    QCOMPARE(p.Settings.Server(), QStringLiteral("useast.battle.net"));
    QVERIFY(!p.Modified);
}
} // namespace

class ProfileDataTest : public QObject
{
    Q_OBJECT
private slots:
    void startUpProfileHasTheDefaults()
    {
        tProfile p;
        checkDefaultLists(p);
        QVERIFY(p.Favorite.isEmpty());
        QCOMPARE(p.CurrentProfile, QStringLiteral("None"));
        QCOMPARE(QLatin1String(tProfile::ProductActionKeys[BroodwarAction]), QLatin1String("BroodwarAction="));
    }

    void newProfileResetsAllButFavouritesFileAndAwayReasons()
    {
        tProfile p;
        for (QStringList *l : everyList(p))
            *l = QStringList{QStringLiteral("x")};
        p.Actions[StarAction] = QStringLiteral("/w %user hi");
        p.Users.Add(std::make_unique<tUser>());
        p.Settings.setUserName(QStringLiteral("Someone"));
        p.Settings.setAwayMessage(QStringLiteral("lunch"));
        p.Settings.setDNDMessage(QStringLiteral("busy"));
        p.CurrentProfile = QStringLiteral("/home/me/main.ch5");
        p.Modified = true;

        p.NewProfileData();

        checkDefaultLists(p);
        QCOMPARE(p.Favorite, QStringList{QStringLiteral("x")});
        QCOMPARE(p.CurrentProfile, QStringLiteral("/home/me/main.ch5"));
        QCOMPARE(p.Settings.AwayMessage(), QStringLiteral("lunch"));
        QCOMPARE(p.Settings.DNDMessage(), QStringLiteral("busy"));
    }
};

QC_TEST(ProfileDataTest)
#include "ProfileDataTest.moc"
