#include "TestMain.h"

#include "automation/FakeHost.h"
#include "dialogs/SetupModel.h"

// A command level other than exactly 0, 1 or 2 admits owners only, and the setup dialog shows it so.
class CommandLevelTest : public QObject
{
    Q_OBJECT
private slots:
    void levelOtherThanZeroOneTwoIsOwnersOnly_data()
    {
        QTest::addColumn<QStringList>("levels"); // of "/first" and "/addowner"
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("admitted");
        QTest::newRow("0") << QStringList{"0", "0"} << "Any User" << "Stranger Mem Boss";
        QTest::newRow("1") << QStringList{"0", "1"} << "Owners Only" << "Boss";
        QTest::newRow("2") << QStringList{"0", "2"} << "Members" << "Mem Boss";
        QTest::newRow("missing") << QStringList{"0"} << "Owners Only" << "Boss";
        for (const char *bad : {"", "x", "7", "-1", " 0", "00", "+0"})
            QTest::newRow(qPrintable(QStringLiteral("\"%1\"").arg(bad)))
                << QStringList{"0", bad} << "Owners Only" << "Boss";
    }
    void levelOtherThanZeroOneTwoIsOwnersOnly()
    {
        QFETCH(QStringList, levels);
        QFETCH(QString, shown);
        Rig r;
        tProfile &p = r.host.profile;
        p.OwnerList = {"Boss"};
        p.MemberList = {"Mem"};
        p.CommandList = {"/first", "/addowner"};
        p.CommandRes = {"<say>", "<addowner>"};
        p.CommandLevel = levels;
        QStringList in;
        for (const QString who : {"Stranger", "Mem", "Boss"}) {
            r.clear();
            r.a.RunRemoteCommand(who, QStringLiteral("/addowner Mallory"));
            if (!r.host.sent.isEmpty())
                in << who;
        }
        QTEST(in.join(QLatin1Char(' ')), "admitted");
        QCOMPARE(p.OwnerList.count(QStringLiteral("Mallory")), in.size());
        QCOMPARE(tSetupModel::LevelTexts().value(tSetupModel(p).SelectCommand(1).Level), shown);
    }
};
QC_TEST(CommandLevelTest)
#include "CommandLevelTest.moc"
