#pragma once
#include <QString>
#include <QStringList>
#include <array>
#include <memory>

#include "dialogs/StringListEdit.h"
#include "profile/Profile.h"

// What applying the setup asks of the main window, in the order it asks.
class tSetupHost
{
public:
    virtual ~tSetupHost() = default;
    // The chat interpreter's account and the connection's address.
    virtual void SetAccount(const QString &userName, const QString &password, const QString &server) = 0;
    virtual void RepaintUserList() = 0;
    // Closes the session log and opens it again from the profile ("Log File is invalid" on failure).
    virtual void ReopenLog() = 0;
};

// An editable pick list of the connection panel: its text and its choices.
struct tPickList
{
    QString Text;
    QStringList Choices;
};

// What the setup dialog edits, as the controls show it.
struct tSetupValues
{
    // The option rows in grid order; the first nine are Yes/No.
    enum OptionRow { IncludePlainTextRow, WhoisOnJoinRow, IncludeIconsRow, AutoRejoinRow, EnterLeaveRow,
                     AcceptSoundsRow, PlayLocallyRow, AutoReconnectRow, UseGameServerRow, ReciteDelayRow,
                     DoubleClickRow, ConnectTimeoutRow, LoginTimeoutRow, OptionCount };
    static constexpr int FirstNumberRow = ReciteDelayRow;

    // General Options
    tPickList UserName, Password, Channel;
    QString UniquePassword; // the masked field
    bool AllowMulti = false;
    bool MasterEvents = false;
    std::array<QString, OptionCount> Options; // "Yes"/"No", decimal text, the double-click text
    QStringList Servers;
    // Log File/Owners
    bool KeepLog = false, LogTime = false, LogEvents = false;
    QString LogFileName;
    tParallelLists Owners, Members;
    // Responses, User Join, Banning
    bool RespondPhrases = false, RespondWhispers = false, RespondJoins = false, AutoBan = false,
         BanAllExcept = false, RespondTimers = false;
    tParallelLists Phrases, Whispers, UserJoins, Bans, NoBans;
    QString JoinResponse;
    // Product Actions, in stored order
    std::array<QString, ProductActionCount> Actions;
    // Commands and Timers: private copies, edited in step by position
    QStringList CommandWords, CommandRes, CommandLevel;
    QStringList TimerTexts, TimerIntervals;
};

// The setup's working copy of the profile and its rules: which edits mark the profile modified,
// what applying copies back and in which order. The dialog binds its widgets to it.
class tSetupModel : public tSetupValues
{
public:
    enum Page { GeneralPage, LogPage, ResponsesPage, UserJoinPage, BanningPage, ActionsPage, CommandsPage,
                TimersPage, PageCount };
    static QString PageCaption(int page);
    static QString HelpTopic(int page);

    static QString OptionCaption(int row);
    static const QStringList &DoubleClickTexts();
    static const QStringList &CommandActions(); // the action tokens of the default command table
    static const QStringList &LevelTexts();     // levels 0, 1, 2
    static const QStringList &ResponseSuggestions();
    static const QStringList &JoinSuggestions();
    // The pick list choices of a product action (None, kick, ban, squelch and its extra).
    static QStringList ActionChoices(int action);
    // Decimal integer; anything else reads as 0.
    static int ReadNumber(const QString &text);

    // Filling: copies the profile; marks nothing.
    explicit tSetupModel(tProfile &profile);
    ~tSetupModel();

    tProfile &Profile;
    const bool OpenedModified;
    int CurrentCommand = -1, CurrentTimer = -1;

    // Edits that mark.
    void Mark() { Profile.Modified = true; }
    void TypeIn(tPickList &pick, const QString &text);
    // Leaving a pick list: a new, non-empty text joins the choices (a choice in another letter case is
    // not new).
    void Leave(tPickList &pick);
    // "&Ok" by Enter leaves no pick list first: each whose text was typed here learns it all the same.
    void LeaveTyped();
    void DeleteChoice(tPickList &pick, int index);
    void SetAllowMulti(bool on);
    void SetMasterEvents(bool on);
    void SetOption(int row, const QString &value);
    // Servers: each returns the index to select afterwards (-1 for none).
    // An empty address adds nothing and returns -1; so does a malformed "host:port", with the reason
    // in *error.
    int AddServer(const QString &address, QString *error = nullptr);
    int DeleteServer(int index);
    int MoveServer(int index, int step);
    void SetKeepLog(bool on);
    void SetLogTime(bool on);
    void SetLogEvents(bool on);
    // "Ch&ange...": stored into the profile at once, before any "&Ok".
    void LogFilePicked(const QString &path);

    // Commands
    struct Command { QString Word, Action; int Level; };
    Command SelectCommand(int index); // a level other than exactly 0, 1 or 2 shows as "Owners Only" (1)
    void SetCommandWord(const QString &word);
    void SetCommandAction(const QString &action);
    void SetCommandLevel(int level);
    int AddCommand();
    void DeleteCommand();
    void ClearCommands();

    // Timers
    struct Timer { QString Text; int Interval; };
    Timer SelectTimer(int index);
    void SetTimerText(const QString &text);
    void SetTimerInterval(int seconds);
    int AddTimer();
    void DeleteTimer();
    void ClearTimers(); // does not mark

    // "&Ok" or the close box: copies everything back in order, then the window refreshes.
    void Apply(tSetupHost &host);
    // "&Cancel" or Esc.
    void Cancel();

private:
    struct Snapshot;
    bool m_storedAtOnce = false; // the log file picked went into the profile already
    // What the controls showed at opening: only what differs from it was edited here.
    tSetupValues m_opened;
    // The live profile at opening, to tell whether something else changed it while the dialog stood.
    std::unique_ptr<const Snapshot> m_live;
};
