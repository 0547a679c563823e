#include "TestMain.h"

#include "automation/AccountLookup.h"
#include "profile/Profile.h"

class AccountLookupTest : public QObject
{
    Q_OBJECT
    tProfile profile;
    QStringList lines;
    tAccountLookup lookup{profile, [this](const QString &lead, const QString &body, const QColor &leadColor,
                                          const QColor &bodyColor) {
                              // Colour roles as letters: I(nfo) or N(ame) for each part.
                              const auto role = [this](const QColor &c) {
                                  return c == bgrToColor(profile.Settings.Color(InfoColor)) ? QLatin1Char('I') : QLatin1Char('N');
                              };
                              lines << QString(role(leadColor)) + lead + (body.isEmpty() ? QString() : QString(role(bodyColor)) + body);
                          }};

    QStringList parse(const QString &line)
    {
        lines.clear();
        lookup.ParseAccountInfo(line);
        return lines;
    }

private slots:
    void recordsAndReports()
    {
        profile.Settings.setColor(NameColor, 0x00FF00);
        const QStringList bob = {"INumbers associated with this name:", "N    #1234", "INames associated with this number:", "N    Bob"};
        QCOMPARE(parse(QStringLiteral("Bob is logged on from account #1234.")), bob);
        QCOMPARE(profile.AccountList, QStringList{"Bob"});
        QCOMPARE(profile.NumberList, QStringList{"1234"});
        QVERIFY(profile.Modified);

        profile.Modified = false;
        QCOMPARE(parse(QStringLiteral("BOB is logged on from account #1234.")), (QStringList{"INumbers associated with this name:", "N    #1234", "INames associated with this number:", "N    Bob"}));
        QVERIFY(!profile.Modified); // the same pair in other letters is not recorded again

        QCOMPARE(parse(QStringLiteral("Al is logged on from account #1234.")),
                 (QStringList{"INumbers associated with this name:", "N    #1234", "I    Other Association: NBob",
                              "INames associated with this number:", "N    Bob", "N    Al"}));
        QCOMPARE(parse(QStringLiteral("Bob is logged on from account #77.")),
                 (QStringList{"INumbers associated with this name:", "N    #1234", "I    Other Association: NAl", "N    #77",
                              "INames associated with this number:", "N    Bob", "I    Other Association: N1234"}));
        QCOMPARE(profile.AccountList, (QStringList{"Bob", "Al", "Bob"}));

        QCOMPARE(parse(QStringLiteral("Cy is logged on through a gateway.")),
                 (QStringList{"INumbers associated with this name:", "N    None"}));
        QCOMPARE(parse(QStringLiteral("Bob is logged on through a gateway.")).size(), 4); // #1234, Al with it, #77
        QVERIFY(parse(QStringLiteral("Bob has joined the channel.")).isEmpty());
        QCOMPARE(profile.AccountList.size(), 3);
        // No "#": the rest behind the first blank, less its last character.
        parse(QStringLiteral("Dee IS LOGGED ON FROM ACCOUNT 9x"));
        QCOMPARE(profile.NumberList.last(), QStringLiteral("IS LOGGED ON FROM ACCOUNT 9"));
    }

    void queries()
    {
        const QStringList names = {"bob", "Bob", "al"}, numbers = {"1", "2", "1"};
        QCOMPARE(tAccountLookup::Distinct(names), (QStringList{"bob", "al"}));
        QCOMPARE(tAccountLookup::Partners(names, numbers, QStringLiteral("BOB"), false), (QStringList{"1", "2"}));
        QCOMPARE(tAccountLookup::Partners(names, numbers, QStringLiteral("Bob"), true), QStringList{"2"});
        QCOMPARE(tAccountLookup::Partners(numbers, names, QStringLiteral("1"), true), (QStringList{"bob", "al"}));
    }
};
QC_TEST(AccountLookupTest)
#include "AccountLookupTest.moc"
