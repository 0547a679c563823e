#pragma once
#include <QString>
#include <QStringList>
#include <functional>

struct tProfile;
class tReplyList;

// What the entry line needs from the main window. Tests answer it with a recording fake.
class tEntryHost
{
public:
    virtual ~tEntryHost() = default;

    virtual bool LoggedOn() const = 0;
    virtual QString UniqueName() const = 0;
    virtual bool WhisperLock() const = 0;
    // The selected name of the channel user list / the custom user list; empty when none.
    virtual QString SelectedUser() const = 0;
    virtual QString SelectedDef() const = 0;

    virtual QString EntryText() const = 0;
    // Replaces the text and puts the caret at its end.
    virtual void SetEntryText(const QString &text) = 0;
    // Replaces the selection at the caret (inserts when nothing is selected).
    virtual void InsertAtCaret(const QString &text) = 0;
    // A line went to the top of the history: show it in the drop-down list.
    virtual void HistoryInserted(const QString &text) = 0;
    // Focus to the entry line, caret at the end, nothing selected.
    virtual void Refocus() = 0;

    // One complete line, carriage return included.
    virtual void SendLine(const QString &line) = 0;
    // "<" own name "> " text in the own colours, in the chat pane.
    virtual void EchoOwnText(const QString &text) = 0;
    // An information line in the whisper pane.
    virtual void WriteWhisperInfo(const QString &text) = 0;
    // An error line in the chat pane.
    virtual void WriteError(const QString &text) = 0;
    // A line for the session log that is written only when events are logged.
    virtual void LogEvent(const QString &text) = 0;

    // A modal one-line prompt that does not block the event loop: `done` gets (confirmed, text)
    // when the user answers, possibly before AskText returns.
    using TextAnswer = std::function<void(bool confirmed, const QString &text)>;
    virtual void AskText(const QString &title, const QString &prompt, const QString &preset, TextAnswer done) = 0;
    virtual void SetAwayChecked(bool on) = 0;
    virtual void SetDndChecked(bool on) = 0;
};

// Everything the user says from the main window: Send, Emote, Whisper (with Whisper Lock), the
// history walk, Tab reply cycling, Away and DND, name copying and the user pop-up commands. Every
// line leaves through the host's SendLine with one carriage return appended here.
// Text holding line ends (pasted) goes out as one send per non-empty line, each logged, echoed and
// put into the history as if typed on its own. When any of those lines would not fit one send,
// nothing goes out: TooLongText is written as an error and the text stays in the entry line.
class tEntryLine
{
public:
    // Longest away or DND reason kept and sent.
    static constexpr int MaxReasonLength = 255;
    // Room the entry line leaves for "/w " and a name around its text.
    static constexpr int NameRoom = 64;
    // Longest text the entry line takes: with "/w ", a name of NameRoom characters, a blank and
    // the carriage return the line still fits one send.
    static constexpr int MaxTextLength = 2048 - 1 - 3 - NameRoom - 1;
    static const QString TooLongText;

    enum class UserCommand { Whois, StarcraftStats, BroodwarStats, WarcraftStats, Squelch, Unsquelch, Kick, Ban, Designate };

    tEntryLine(tEntryHost &host, tProfile &profile, tReplyList &replies);

    void Send();
    void Emote();
    void Whisper();
    void Tab();
    void HistoryUp();
    void HistoryDown();
    void ToggleAway();
    void ToggleDnd();

    // A list's selected name into the entry line (nothing without a name).
    void CopyName(const QString &name);
    // Alt+N: the channel list's selection, then the custom list's.
    void AltN();

    static QString UserCommandLine(UserCommand command, const QString &name);
    // Nothing when `name` is empty (the list has no selection).
    void SendUserCommand(UserCommand command, const QString &name);
    // The transcript menu's fixed lines ("/users", "/time", "/rejoin"), then refocus.
    void SendMenuLine(const QString &text);

    const QStringList &History() const { return m_history; }
    bool Away() const { return m_away; }
    bool Dnd() const { return m_dnd; }
    const QString &Completion() const { return m_completion; }

private:
    void send(const QString &text);
    // False, after the error line and a refocus, when "prefix + line" is too long for any line.
    bool allFit(const QString &prefix, const QStringList &lines);
    // Each line of the entry text as "prefix + line", into the history; the entry line emptied.
    void sendPrefixed(const QString &prefix);
    void addHistory(const QString &text);
    void offerReply(int index);
    int historyIndexOf(const QString &text) const;
    void toggleMode(bool away);
    void modeAnswered(bool away, bool confirmed, const QString &text);

    tEntryHost &m_host;
    tProfile &m_profile;
    tReplyList &m_replies;
    QStringList m_history; // newest first
    QString m_completion;
    bool m_away = false;
    bool m_dnd = false;
};
