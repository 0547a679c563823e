#include "dialogs/SetupModel.h"

#include "automation/Automation.h"
#include "net/ServerAddress.h"

#include <utility>

namespace {
using Getter = bool (tChatSettings::*)() const;
using Setter = void (tChatSettings::*)(bool);
// The Yes/No rows of the option grid, in grid order.
const std::pair<Getter, Setter> FlagRows[tSetupModel::FirstNumberRow] = {
    {&tChatSettings::IncludePlainText, &tChatSettings::setIncludePlainText},
    {&tChatSettings::WhoisOnJoin, &tChatSettings::setWhoisOnJoin},
    {&tChatSettings::IncludeIcons, &tChatSettings::setIncludeIcons},
    {&tChatSettings::AutoRejoin, &tChatSettings::setAutoRejoin},
    {&tChatSettings::EnterLeaveNotify, &tChatSettings::setEnterLeaveNotify},
    {&tChatSettings::AcceptSounds, &tChatSettings::setAcceptSounds},
    {&tChatSettings::PlaySoundsLocally, &tChatSettings::setPlaySoundsLocally},
    {&tChatSettings::AutoReconnect, &tChatSettings::setAutoReconnect},
    {&tChatSettings::UseGameServer, &tChatSettings::setUseGameServer},
};

QString yesNo(bool v) { return v ? QStringLiteral("Yes") : QStringLiteral("No"); }

void setAt(QStringList &list, int index, const QString &text)
{
    while (list.size() <= index)
        list.append(QString());
    list[index] = text;
}

void removeAt(QStringList &list, int index)
{
    if (index >= 0 && index < list.size())
        list.removeAt(index);
}

tParallelLists editorLists(const QStringList &entries, const QString &newEntry)
{
    tParallelLists l;
    l.Entries = entries;
    l.NewEntry = newEntry;
    return l;
}

tParallelLists editorLists(const QStringList &entries, const std::array<QStringList, 3> &responses,
                           const QString &newEntry)
{
    tParallelLists l = editorLists(entries, newEntry);
    l.HasResponses = true;
    l.Responses = responses;
    l.NewResponse = QStringLiteral("New Response");
    return l;
}

bool sameLists(const tParallelLists &a, const tParallelLists &b)
{
    return a.Entries == b.Entries && a.Responses == b.Responses;
}
} // namespace

// What applying may change, to tell whether it changed anything.
struct tSetupModel::Snapshot
{
    std::array<std::uint8_t, tChatSettings::Size> bytes;
    std::vector<QStringList> lists;
    std::array<QString, ProductActionCount> actions;

    explicit Snapshot(const tProfile &p) : bytes(p.Settings.bytes), actions(p.Actions)
    {
        bytes[2986] = 0; // reserved, always written 0: not a change worth saving
        lists = {p.ServerList, p.NameList, p.PasswordList, p.HomeList, p.IntervalList, p.TimerList,
                 p.CommandList, p.CommandLevel, p.CommandRes, p.PhraseList, p.WhisperList, p.BanList,
                 p.UserJoinList, p.NoBanList, p.OwnerList, p.MemberList};
        for (const auto *r : {&p.PhraseRes, &p.WhiserRes, &p.UserRes})
            lists.insert(lists.end(), r->begin(), r->end());
    }
    bool operator==(const Snapshot &o) const { return bytes == o.bytes && lists == o.lists && actions == o.actions; }
};

QString tSetupModel::PageCaption(int page)
{
    static const char *const captions[PageCount] = {"General Options", "Log File/Owners", "Responses", "User Join",
                                                    "Banning", "Product Actions", "Commands", "Timers"};
    return page >= 0 && page < PageCount ? QString::fromLatin1(captions[page]) : QString();
}

QString tSetupModel::HelpTopic(int page)
{
    static const char *const topics[PageCount] = {"General Options Tab ", "Log File/Owners Tab", "Responses Tab",
                                                  "User Join Tab", "Banning Tab", "Product Action Tab",
                                                  "User Defined Commands", "Timers Tab"};
    return page >= 0 && page < PageCount ? QString::fromLatin1(topics[page]) : QStringLiteral("Chat Configuration");
}

QString tSetupModel::OptionCaption(int row)
{
    static const char *const captions[OptionCount] = {
        "Include Plain Text", "Whois on Join", "Include Chat Icons", "Auto-Rejoin when Kicked",
        "Enter/Leave Notifications", "Accept Incoming Sounds", "Play Sounds Locally when Sent", "Auto-Reconnect",
        "Use QuorlChat Server for Games", "Text File Recite Delay (Seconds)", "Double-Clicking a User Should",
        "Connection Timeout (Seconds)", "Login Timeout (Seconds)"};
    return row >= 0 && row < OptionCount ? QString::fromLatin1(captions[row]) : QString();
}

const QStringList &tSetupModel::DoubleClickTexts()
{
    static const QStringList texts = {
        QStringLiteral("Squelch user"), QStringLiteral("Copy name to entry"), QStringLiteral("Whois user"),
        QStringLiteral("Kick user"), QStringLiteral("Ban user"), QStringLiteral("Open whisper window"),
        QStringLiteral("Open User Information"), QStringLiteral("Open Account Information")};
    return texts;
}

const QStringList &tSetupModel::CommandActions()
{
    static const QStringList actions = [] {
        tProfile p;
        p.DefaultCommands();
        return p.CommandRes;
    }();
    return actions;
}

const QStringList &tSetupModel::LevelTexts()
{
    static const QStringList texts = {QStringLiteral("Any User"), QStringLiteral("Owners Only"), QStringLiteral("Members")};
    return texts;
}

const QStringList &tSetupModel::ResponseSuggestions()
{
    static const QStringList s = {QStringLiteral("/msg <user> "), QStringLiteral("/squelch <user>"),
                                  QStringLiteral("/unsquelch <user>"), QStringLiteral("/kick <user> "),
                                  QStringLiteral("/ban <user> "), QStringLiteral("/unban <user>"),
                                  QStringLiteral("/designate <user>")};
    return s;
}

const QStringList &tSetupModel::JoinSuggestions()
{
    static const QStringList s = {QStringLiteral("/msg <user> "), QStringLiteral("/squelch <user>"),
                                  QStringLiteral("/kick <user>"), QStringLiteral("/ban <user>"),
                                  QStringLiteral("/designate <user>")};
    return s;
}

QStringList tSetupModel::ActionChoices(int action)
{
    QStringList c = {QStringLiteral("None"), QStringLiteral("/kick <user>"), QStringLiteral("/ban <user>"),
                     QStringLiteral("/squelch <user>")};
    if (action == StarAction)
        c << QStringLiteral("/stats <user> STAR");
    else if (action == BroodwarAction)
        c << QStringLiteral("/stats <user> SEXP");
    return c;
}

int tSetupModel::ReadNumber(const QString &text)
{
    bool ok = false;
    const int v = text.toInt(&ok, 10);
    return ok ? v : 0;
}

tSetupModel::tSetupModel(tProfile &profile) : Profile(profile), OpenedModified(profile.Modified)
{
    const tChatSettings &s = profile.Settings;
    UserName = {s.UserName(), profile.NameList};
    // The masked password is not put into the pick list, which shows it in clear.
    Password = {s.AllowMultiPasswords() ? s.Password() : QString(), profile.PasswordList};
    Channel = {s.HomeChannel(), profile.HomeList};
    UniquePassword = s.Password();
    AllowMulti = s.AllowMultiPasswords();
    MasterEvents = s.MasterEvents();
    for (int row = 0; row < FirstNumberRow; ++row)
        Options[row] = yesNo((s.*FlagRows[row].first)());
    Options[ReciteDelayRow] = QString::number(s.ReciteDelay());
    Options[DoubleClickRow] = DoubleClickTexts().value(s.DoubleClickAction());
    Options[ConnectTimeoutRow] = QString::number(s.ConnectTimeout());
    Options[LoginTimeoutRow] = QString::number(s.LoginTimeout());
    Servers = profile.ServerList;

    KeepLog = s.KeepLog();
    LogTime = s.LogTime();
    LogEvents = s.LogEvents();
    LogFileName = s.LogFileName();
    Owners = editorLists(profile.OwnerList, QStringLiteral("New User"));
    Members = editorLists(profile.MemberList, QStringLiteral("New User"));

    RespondPhrases = s.RespondPhrases();
    RespondWhispers = s.RespondWhispers();
    RespondJoins = s.RespondJoins();
    AutoBan = s.AutoBan();
    BanAllExcept = s.BanAllExcept();
    RespondTimers = s.RespondTimers();
    Phrases = editorLists(profile.PhraseList, profile.PhraseRes, QStringLiteral("New Phrase"));
    Whispers = editorLists(profile.WhisperList, profile.WhiserRes, QStringLiteral("New Whisper"));
    UserJoins = editorLists(profile.UserJoinList, profile.UserRes, QStringLiteral("New User"));
    Bans = editorLists(profile.BanList, QStringLiteral("New"));
    NoBans = editorLists(profile.NoBanList, QStringLiteral("New"));
    JoinResponse = s.JoinResponse();
    Actions = profile.Actions;

    CommandWords = profile.CommandList;
    CommandRes = profile.CommandRes;
    CommandLevel = profile.CommandLevel;
    TimerTexts = profile.TimerList;
    TimerIntervals = profile.IntervalList;

    m_opened = *this;
    m_live = std::make_unique<const Snapshot>(profile);
}

tSetupModel::~tSetupModel() = default;

void tSetupModel::TypeIn(tPickList &pick, const QString &text)
{
    pick.Text = text;
    Mark();
}

void tSetupModel::Leave(tPickList &pick)
{
    if (pick.Text.isEmpty() || pick.Choices.contains(pick.Text, Qt::CaseInsensitive))
        return;
    pick.Choices.append(pick.Text);
    Mark();
}

void tSetupModel::LeaveTyped()
{
    for (auto [pick, was] : {std::pair{&UserName, &m_opened.UserName}, std::pair{&Password, &m_opened.Password},
                             std::pair{&Channel, &m_opened.Channel}})
        if (pick->Text != was->Text)
            Leave(*pick);
}

void tSetupModel::DeleteChoice(tPickList &pick, int index)
{
    if (index < 0 || index >= pick.Choices.size())
        return;
    pick.Choices.removeAt(index);
    Mark();
}

void tSetupModel::SetAllowMulti(bool on)
{
    AllowMulti = on;
    Mark();
}

void tSetupModel::SetMasterEvents(bool on)
{
    MasterEvents = on;
    Mark();
}

void tSetupModel::SetOption(int row, const QString &value)
{
    if (row < 0 || row >= OptionCount)
        return;
    Options[row] = value;
    Mark();
}

int tSetupModel::AddServer(const QString &address, QString *error)
{
    if (address.isEmpty())
        return -1;
    // Only whether the entry is well formed matters here, not the port it would use.
    const tServerAddress parsed = ParseServerAddress(address, 1);
    if (!parsed.Valid()) {
        if (error)
            *error = parsed.Error;
        return -1;
    }
    Servers.prepend(address);
    Mark();
    return 0;
}

int tSetupModel::DeleteServer(int index)
{
    if (index < 0 || index >= Servers.size())
        return -1;
    Servers.removeAt(index);
    Mark();
    return -1;
}

int tSetupModel::MoveServer(int index, int step)
{
    const int to = index + step;
    if (index < 0 || index >= Servers.size() || to < 0 || to >= Servers.size())
        return index;
    Servers.swapItemsAt(index, to);
    Mark();
    return to;
}

void tSetupModel::SetKeepLog(bool on)
{
    KeepLog = on;
    Mark();
}

void tSetupModel::SetLogTime(bool on)
{
    LogTime = on;
    Mark();
}

void tSetupModel::SetLogEvents(bool on)
{
    LogEvents = on;
    Mark();
}

void tSetupModel::LogFilePicked(const QString &path)
{
    if (path.isEmpty())
        return;
    const QString before = Profile.Settings.LogFileName();
    Profile.Settings.setLogFileName(path);
    LogFileName = Profile.Settings.LogFileName();
    m_storedAtOnce = m_storedAtOnce || LogFileName != before;
    Mark();
}

tSetupModel::Command tSetupModel::SelectCommand(int index)
{
    CurrentCommand = index >= 0 && index < CommandWords.size() ? index : -1;
    if (CurrentCommand < 0)
        return {QString(), QString(), 0};
    return {CommandWords.at(index), CommandRes.value(index), CommandLevelOf(CommandLevel.value(index))};
}

void tSetupModel::SetCommandWord(const QString &word)
{
    if (CurrentCommand < 0)
        return;
    CommandWords[CurrentCommand] = word;
    Mark();
}

void tSetupModel::SetCommandAction(const QString &action)
{
    if (CurrentCommand < 0)
        return;
    setAt(CommandRes, CurrentCommand, action);
    Mark();
}

void tSetupModel::SetCommandLevel(int level)
{
    if (CurrentCommand < 0 || level < 0 || level > 2)
        return;
    setAt(CommandLevel, CurrentCommand, QString::number(level));
    Mark();
}

int tSetupModel::AddCommand()
{
    const int index = int(CommandWords.size());
    CommandWords.append(QStringLiteral("New command"));
    setAt(CommandRes, index, QStringLiteral("New Command Response"));
    setAt(CommandLevel, index, QStringLiteral("1"));
    CurrentCommand = index;
    Mark();
    return index;
}

void tSetupModel::DeleteCommand()
{
    if (CurrentCommand < 0)
        return;
    removeAt(CommandWords, CurrentCommand);
    removeAt(CommandRes, CurrentCommand);
    removeAt(CommandLevel, CurrentCommand);
    CurrentCommand = -1;
    Mark();
}

void tSetupModel::ClearCommands()
{
    CommandWords.clear();
    CommandRes.clear();
    CommandLevel.clear();
    CurrentCommand = -1;
    Mark();
}

tSetupModel::Timer tSetupModel::SelectTimer(int index)
{
    CurrentTimer = index >= 0 && index < TimerTexts.size() ? index : -1;
    if (CurrentTimer < 0)
        return {QString(), 0};
    return {TimerTexts.at(index), ReadNumber(TimerIntervals.value(index))};
}

void tSetupModel::SetTimerText(const QString &text)
{
    if (CurrentTimer < 0)
        return;
    TimerTexts[CurrentTimer] = text;
    Mark();
}

void tSetupModel::SetTimerInterval(int seconds)
{
    if (CurrentTimer < 0)
        return;
    setAt(TimerIntervals, CurrentTimer, QString::number(seconds));
    Mark();
}

int tSetupModel::AddTimer()
{
    const int index = int(TimerTexts.size());
    TimerTexts.append(QStringLiteral("New Response"));
    setAt(TimerIntervals, index, QStringLiteral("60"));
    CurrentTimer = index;
    Mark();
    return index;
}

void tSetupModel::DeleteTimer()
{
    if (CurrentTimer < 0)
        return;
    removeAt(TimerTexts, CurrentTimer);
    removeAt(TimerIntervals, CurrentTimer);
    CurrentTimer = -1;
    Mark();
}

void tSetupModel::ClearTimers()
{
    TimerTexts.clear();
    TimerIntervals.clear();
    CurrentTimer = -1;
}

void tSetupModel::Apply(tSetupHost &host)
{
    tProfile &p = Profile;
    tChatSettings &s = p.Settings;
    const Snapshot before(p);
    const tSetupValues &was = m_opened;
    // Only what was edited here is copied back: a remote command applied while the dialog stood
    // ("/deleteowner", "/allevents off", "/addban") keeps its effect on everything else.
    const auto copy = [](auto &to, const auto &now, const auto &then) {
        if (!(now == then))
            to = now;
    };
    const auto flag = [](tChatSettings &st, void (tChatSettings::*set)(bool), bool now, bool then) {
        if (now != then)
            (st.*set)(now);
    };

    const QString password = AllowMulti ? Password.Text : UniquePassword;
    if (password != (was.AllowMulti ? was.Password.Text : was.UniquePassword))
        s.setPassword(password);
    if (Channel.Text != was.Channel.Text)
        s.setHomeChannel(Channel.Text);
    if (UserName.Text != was.UserName.Text)
        s.setUserName(UserName.Text);

    host.SetAccount(s.UserName(), s.Password(), s.Server());

    copy(p.ServerList, Servers, was.Servers);
    copy(p.NameList, UserName.Choices, was.UserName.Choices);
    copy(p.PasswordList, Password.Choices, was.Password.Choices);
    copy(p.HomeList, Channel.Choices, was.Channel.Choices);
    if (TimerIntervals != was.TimerIntervals || TimerTexts != was.TimerTexts) {
        p.IntervalList = TimerIntervals;
        p.TimerList = TimerTexts;
    }
    if (CommandWords != was.CommandWords || CommandLevel != was.CommandLevel || CommandRes != was.CommandRes) {
        p.CommandList = CommandWords;
        p.CommandLevel = CommandLevel;
        p.CommandRes = CommandRes;
    }

    for (int row = 0; row < FirstNumberRow; ++row)
        if (Options[row] != was.Options[row])
            (s.*FlagRows[row].second)(Options[row] == QLatin1String("Yes"));
    if (Options[ReciteDelayRow] != was.Options[ReciteDelayRow])
        s.setReciteDelay(ReadNumber(Options[ReciteDelayRow]));
    const int action = DoubleClickTexts().indexOf(Options[DoubleClickRow]);
    if (action >= 0 && Options[DoubleClickRow] != was.Options[DoubleClickRow])
        s.setDoubleClickAction(std::uint8_t(action));
    if (Options[ConnectTimeoutRow] != was.Options[ConnectTimeoutRow])
        s.setConnectTimeout(ReadNumber(Options[ConnectTimeoutRow]));
    if (Options[LoginTimeoutRow] != was.Options[LoginTimeoutRow])
        s.setLoginTimeout(ReadNumber(Options[LoginTimeoutRow]));
    flag(s, &tChatSettings::setKeepLog, KeepLog, was.KeepLog);
    flag(s, &tChatSettings::setLogTime, LogTime, was.LogTime);
    flag(s, &tChatSettings::setLogEvents, LogEvents, was.LogEvents);
    if (LogFileName != was.LogFileName)
        s.setLogFileName(LogFileName);
    flag(s, &tChatSettings::setAllowMultiPasswords, AllowMulti, was.AllowMulti);
    flag(s, &tChatSettings::setMasterEvents, MasterEvents, was.MasterEvents);
    flag(s, &tChatSettings::setRespondPhrases, RespondPhrases, was.RespondPhrases);
    flag(s, &tChatSettings::setRespondWhispers, RespondWhispers, was.RespondWhispers);
    flag(s, &tChatSettings::setRespondJoins, RespondJoins, was.RespondJoins);
    flag(s, &tChatSettings::setAutoBan, AutoBan, was.AutoBan);
    flag(s, &tChatSettings::setBanAllExcept, BanAllExcept, was.BanAllExcept);
    flag(s, &tChatSettings::setRespondTimers, RespondTimers, was.RespondTimers);

    host.RepaintUserList();

    // A list edited here goes back whole, its responses with it so they stay in step by position.
    const auto list = [](QStringList &to, std::array<QStringList, 3> *responses, const tParallelLists &now,
                         const tParallelLists &then) {
        if (sameLists(now, then))
            return;
        to = now.Entries;
        if (responses)
            *responses = now.Responses;
    };
    list(p.PhraseList, &p.PhraseRes, Phrases, was.Phrases);
    list(p.WhisperList, &p.WhiserRes, Whispers, was.Whispers);
    list(p.BanList, nullptr, Bans, was.Bans);
    list(p.UserJoinList, &p.UserRes, UserJoins, was.UserJoins);
    list(p.NoBanList, nullptr, NoBans, was.NoBans);
    list(p.OwnerList, nullptr, Owners, was.Owners);
    list(p.MemberList, nullptr, Members, was.Members);
    for (int i = 0; i < ProductActionCount; ++i)
        copy(p.Actions[size_t(i)], Actions[size_t(i)], was.Actions[size_t(i)]);
    if (JoinResponse != was.JoinResponse)
        s.setJoinResponse(JoinResponse);
    s.setReservedByte2986(0);

    // Some edits (the owner list, say) do not mark while the dialog is open; what they changed
    // must still be offered for saving when the program closes.
    if (!(Snapshot(p) == before))
        p.Modified = true;

    host.ReopenLog();
}

void tSetupModel::Cancel()
{
    // A log file picked with "Ch&ange..." is in the profile already, and so is what a remote command
    // changed meanwhile: either stays marked for saving.
    Profile.Modified = OpenedModified || m_storedAtOnce || !(Snapshot(Profile) == *m_live);
}
