#include "TestMain.h"

#include "automation/FakeHost.h"
#include "dialogs/SetupModel.h"

// A command row's level as the remote commands obey it and as the setup dialog shows it.
class CommandLevelTest : public QObject
{
    Q_OBJECT
private slots:
    void levelOtherThanZeroOneTwoIsOwnersOnly_data()
    {
        QTest::addColumn<QStringList>("levels"); // the row under test is the last command row
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("admitted"); // of Stranger, Mem and Boss, in that order
        QTest::newRow("0") << QStringList{"0"} << "Any User" << "Stranger Mem Boss";
        QTest::newRow("1") << QStringList{"1"} << "Owners Only" << "Boss";
        QTest::newRow("2") << QStringList{"2"} << "Members" << "Mem Boss";
        QTest::newRow("missing") << QStringList{} << "Owners Only" << "Boss";
        QTest::newRow("empty") << QStringList{""} << "Owners Only" << "Boss";
        QTest::newRow("not a number") << QStringList{"x"} << "Owners Only" << "Boss";
        QTest::newRow("out of range") << QStringList{"7"} << "Owners Only" << "Boss";
        QTest::newRow("negative") << QStringList{"-1"} << "Owners Only" << "Boss";
        QTest::newRow("padded") << QStringList{" 0"} << "Owners Only" << "Boss";
        QTest::newRow("leading zero") << QStringList{"00"} << "Owners Only" << "Boss";
        QTest::newRow("signed") << QStringList{"+0"} << "Owners Only" << "Boss";
    }
    void levelOtherThanZeroOneTwoIsOwnersOnly()
    {
        QFETCH(QStringList, levels);
        QFETCH(QString, shown);
        QFETCH(QString, admitted);
        Rig r;
        tProfile &p = r.host.profile;
        p.OwnerList = {"Boss"};
        p.MemberList = {"Mem"};
        p.CommandList = {"/first", "/addowner"};
        p.CommandRes = {"<say>", "<addowner>"};
        p.CommandLevel = QStringList{"0"} + levels;
        QStringList in;
        for (const char *who : {"Stranger", "Mem", "Boss"}) {
            r.clear();
            r.a.RunRemoteCommand(QLatin1String(who), QStringLiteral("/addowner Mallory"));
            if (!r.host.sent.isEmpty())
                in << QLatin1String(who);
        }
        QCOMPARE(in.join(QLatin1Char(' ')), admitted);
        QCOMPARE(p.OwnerList.count(QStringLiteral("Mallory")), int(in.size()));

        tSetupModel model(p);
        QCOMPARE(tSetupModel::LevelTexts().value(model.SelectCommand(1).Level), shown);
    }
};
QC_TEST(CommandLevelTest)
#include "CommandLevelTest.moc"
