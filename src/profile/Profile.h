#pragma once
#include <QString>
#include <QStringList>
#include <array>

#include "profile/ChatSettings.h"
#include "view/ChatDefs.h"

// The eight product actions, in stored order.
enum ProductAction : int {
    ChatAction = 0, StarAction, StarShareAction, DiabloAction, DiabloShareAction, War2bneAction,
    Diablo2Action, BroodwarAction,
    ProductActionCount = 8
};

// The live profile: settings record, named lists, product actions and custom users. Created once
// in main and passed by reference to whoever needs it.
struct tProfile
{
    tChatSettings Settings;

    QStringList Favorite, UserDef, NameList, PasswordList, ServerList, HomeList, ChannelList,
        OwnerList, MemberList, AccountList, NumberList, PhraseList, WhisperList, BanList, NoBanList,
        UserJoinList, TimerList, IntervalList, CommandList, CommandRes, CommandLevel, MacroList,
        MacroKeys;
    // Index 0..2 are the lists numbered 1..3 (PhraseRes1 .. PhraseRes3 ...).
    std::array<QStringList, 3> PhraseRes, WhiserRes, UserRes;
    std::array<QString, ProductActionCount> Actions; // "None" or a line to send

    tUserList Users;

    bool Modified = false;
    QString CurrentProfile = QStringLiteral("None");

    // The start-up profile: ResetSettings, every list empty, default servers, channels, commands.
    tProfile();

    // Settings defaults plus the eight product actions set to "None".
    void ResetSettings();
    void DefaultServers();
    void DefaultChannels();
    void DefaultCommands();
    // The data part of "&New": clears Modified and resets everything but Favorite, CurrentProfile
    // and the away/DND reasons (the window does the rest: actions, panes, dialogs, appearance).
    void NewProfileData();

    // The product actions' keys in the ".ext" file, "=" included ("ChatAction=" ...), stored order.
    static const char *const ProductActionKeys[ProductActionCount];
};
