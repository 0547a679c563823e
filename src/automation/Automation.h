#pragma once
#include <QString>
#include <QStringList>
#include <functional>

#include "automation/AccountLookup.h"
#include "automation/AnswerLimit.h"
#include "automation/AutomationHost.h"
#include "automation/Variables.h"
#include "view/ChannelEvents.h"

// The text file being recited. The names and lines live with the window (Chat.ini keeps them).
struct tTextFile
{
    QStringList &TextLines;
    QString &TextFileName;
    QString &TextTarget;
    bool Reciting = false;
    int ReciteLine = 0;
    int ReciteTicks = 0;
};

// Responses, auto-ban, product actions, remote commands, timed messages, macros and the text file
// sender. Plugged into the channel handlers' hand-over points; sees the window only through the host.
class tAutomation : public tAutomationHooks
{
public:
    tAutomation(tAutomationHost &host, QStringList &textLines, QString &textFileName, QString &textTarget);

    // Replaces the random source (tests); null restores the real one.
    void SetRandom(std::function<int(int)> random) { m_random = std::move(random); }
    // Replaces the millisecond clock of the answer bound (tests); null restores the real one.
    void SetClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

    // Automatic responses and auto-ban.
    void RespondToPhrase(const QString &user, const QString &message) override;
    void RespondToWhisper(const QString &user, const QString &message) override;
    void RespondToJoin(const QString &user) override;
    void CheckBanList(const QString &user) override;
    void CheckBanAllExcept(const QString &user) override;
    void RunProductAction(const QString &user, const QString &product) override;
    // Commands whispered by other users; no switch governs them.
    void RunRemoteCommand(const QString &commander, const QString &text) override;
    // Information lines go on to the account lookup, when one is given.
    void SetAccountLookup(tAccountLookup *lookup) { m_accounts = lookup; }
    void ParseAccountInfo(const QString &line) override
    {
        if (m_accounts)
            m_accounts->ParseAccountInfo(line);
    }

    // The one-second tick: timed messages, then the text file step; nothing while not logged on.
    void TimerTimer();
    const QStringList &TimerCounts() const { return m_timerCounts; }
    // Ctrl+Alt+letter: fires every macro of the key. `entryText` is the entry line, emptied when a
    // macro fires. False when none fired.
    bool RunMacros(QChar key, const QString &user, QString &entryText);

    // Text file sender.
    tTextFile &TextFile() { return m_text; }
    // Reads the file into the lines; false (nothing loaded) when it cannot be read.
    bool LoadTextFile(const QString &path);
    // Starts the recital of the loaded file; false when none is loaded.
    bool StartRecital();
    void StopRecital();
    void ReciteStep();

    QString Expand(const QString &templ, const QString &user, const QString &parameter) const;

private:
    using LineClass = TBnetChat::LineClass;
    tAccountLookup *m_accounts = nullptr;
    // While one lives, what is sent answers `user`: the first send asks the answer bound, and
    // when it refuses nothing is sent or echoed until the scope ends.
    class AnswerScope
    {
    public:
        AnswerScope(tAutomation &a, const QString &user) : m_a(a)
        {
            a.m_answering = user;
            a.m_gate = Gate::Pending;
        }
        ~AnswerScope() { m_a.m_gate = Gate::Open; }
        AnswerScope(const AnswerScope &) = delete;
        AnswerScope &operator=(const AnswerScope &) = delete;

    private:
        tAutomation &m_a;
    };
    enum class Gate { Open, Pending, Muted };
    bool muted();
    void send(const QString &text, LineClass cls);
    void echo(const QString &text);
    void respond(const QString &user, const QString &message, bool on, const QStringList &phrases,
                 const std::array<QStringList, 3> &responses);
    void timedMessages();
    bool switchAction(const QString &action, const QString &p, QString &reply);
    bool listAction(const QString &action, const QString &p, QString &reply);
    void listReply(const QString &commander, const QStringList &names, const QString &title);

    tAutomationHost &m_host;
    std::function<int(int)> m_random;
    std::function<qint64()> m_clock;
    tAnswerLimit m_limit;
    QString m_answering;
    Gate m_gate = Gate::Open;
    QStringList m_timerCounts;
    tTextFile m_text;
};

// Who may give a remote command of this level entry: 0 anybody, 1 owners, 2 owners and members.
int CommandLevelOf(const QString &entry);

// The lines of a text file, CR LF or LF ended; false when it cannot be read or is absurdly large.
bool ReadRecitalLines(const QString &path, QStringList &lines);
