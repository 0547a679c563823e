#include "profile/Profile.h"

#include <algorithm>

const char *const tProfile::ProductActionKeys[ProductActionCount] = {
    "ChatAction=", "StarAction=", "StarShareAction=", "DiabloAction=", "DiabloShareAction=",
    "War2bneAction=", "Diablo2Action=", "BroodwarAction=",
};

tProfile::tProfile()
{
    ResetSettings();
    DefaultServers();
    DefaultChannels();
    DefaultCommands();
}

void tProfile::ResetSettings()
{
    ::ResetSettings(Settings);
    Actions.fill(QStringLiteral("None"));
}

void tProfile::DefaultServers()
{
    // Chat gateways only ever listed here as data; the rotation tries them in this order.
    ServerList = QStringList{
        QStringLiteral("63.240.202.120"), QStringLiteral("63.240.202.121"),
        QStringLiteral("63.240.202.122"), QStringLiteral("63.240.202.126"),
        QStringLiteral("63.240.202.127"), QStringLiteral("63.241.83.107"),
        QStringLiteral("63.241.83.108"), QStringLiteral("63.241.83.109"),
        QStringLiteral("213.248.106.200"), QStringLiteral("213.248.106.201"),
        QStringLiteral("useast.battle.net"), QStringLiteral("uswest.battle.net"),
        QStringLiteral("europe.battle.net"),
    };
}

void tProfile::DefaultChannels()
{
    ChannelList = QStringList{
        QStringLiteral("Adventurers Wanted"), QStringLiteral("Beginners Only"),
        QStringLiteral("Blizzard Chat 1"), QStringLiteral("Blizzard Chat 2"),
        QStringLiteral("Blizzard Tech Support"), QStringLiteral("Bounty Hunters"),
        QStringLiteral("Clan Recruitment"), QStringLiteral("Classic Games"),
        QStringLiteral("Custom Maps"), QStringLiteral("Free For All"),
        QStringLiteral("Guild Members"), QStringLiteral("Guild Recruitment"),
        QStringLiteral("Human Strategy"), QStringLiteral("Iron Man Challenges"),
        QStringLiteral("Ladder Challenges"), QStringLiteral("One Vs One"),
        QStringLiteral("Open Tech Support"), QStringLiteral("Opponents Wanted"),
        QStringLiteral("Orc Strategy"), QStringLiteral("Protoss Strategy"),
        QStringLiteral("Scenario Games"), QStringLiteral("Starcraft Newbies"),
        QStringLiteral("Terran Strategy"), QStringLiteral("The Void"),
        QStringLiteral("Town Square"), QStringLiteral("Trading Post"),
        QStringLiteral("War2 Ladder Challenges"), QStringLiteral("Zerg Strategy"),
    };
    std::stable_sort(ChannelList.begin(), ChannelList.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
}

void tProfile::DefaultCommands()
{
    static const char *const rows[][2] = {
        {"/join", "<join>"},
        {"/disconnect", "<disconnect>"},
        {"/allevents", "<allevents>"},
        {"/say", "<say>"},
        {"/userjoin", "<userjoin>"},
        {"/ban", "<ban>"},
        {"/noban", "<noban>"},
        {"/phrase", "<phrase>"},
        {"/whisper", "<whisper>"},
        {"/timers", "<timers>"},
        {"/addowner", "<addowner>"},
        {"/deleteowner", "<deleteowner>"},
        {"/addmember", "<addmember>"},
        {"/deletemember", "<deletemember>"},
        {"/addban", "<addban>"},
        {"/deleteban", "<deleteban>"},
        {"/addnoban", "<addnoban>"},
        {"/deletenoban", "<deletenoban>"},
        {"/owners", "<owners>"},
        {"/members", "<members>"},
        {"/massmessage", "<messagemembers>"},
    };
    CommandList.clear();
    CommandRes.clear();
    CommandLevel.clear();
    for (const auto &row : rows) {
        CommandList.append(QLatin1String(row[0]));
        CommandRes.append(QLatin1String(row[1]));
    }
    // Every default command is for owners only.
    for (qsizetype i = 0; i < CommandRes.size(); ++i)
        CommandLevel.append(QStringLiteral("1"));
}

void tProfile::NewProfileData()
{
    Modified = false;
    ResetSettings();
    Users.Clear();
    for (QStringList *list : {&NameList, &PasswordList, &HomeList, &UserJoinList, &TimerList,
                              &IntervalList, &BanList, &OwnerList, &MemberList, &NoBanList,
                              &PhraseList, &WhisperList, &UserDef, &AccountList, &NumberList,
                              &MacroList, &MacroKeys})
        list->clear();
    DefaultCommands();
    for (int n = 0; n < 3; ++n) {
        PhraseRes[size_t(n)].clear();
        WhiserRes[size_t(n)].clear();
        UserRes[size_t(n)].clear();
    }
    DefaultServers();
    DefaultChannels();
}
