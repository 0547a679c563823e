#pragma once
#include <QColor>
#include <QString>

class tTranscript;
class tChannelUsers;
class tReplyList;
class tSessionLog;
class tSoundPlayer;
class TBnetChat;
class TTextChat;
struct tProfile;

// What the channel event handling needs from the window around it.
class tChannelHost
{
public:
    virtual ~tChannelHost() = default;
    virtual tTranscript &ChatPane() = 0;    // reChat
    virtual tTranscript &WhisperPane() = 0; // reWhisper
    virtual bool WhisperPaneVisible() const { return true; }
    // The pane of the last open whisper window for this user, if any.
    virtual tTranscript *WhisperWindowPane(const QString &user) { Q_UNUSED(user); return nullptr; }
    virtual void SendLine(const QString &text) = 0;
    virtual void SetAwayChecked(bool checked) = 0;
    // The URL bar: caption (user + " has sent the following URL: ") and the address.
    virtual void ShowUrl(const QString &caption, const QString &address) { Q_UNUSED(caption); Q_UNUSED(address); }
    // The session's part of the information, unhandled and unique-name lines.
    virtual void WelcomeCheck(const QString &text) { Q_UNUSED(text); }
    virtual void RefusedLoginCheck(const QString &line) { Q_UNUSED(line); }
    virtual void UniqueNameReceived(const QString &name) { Q_UNUSED(name); }
    virtual QString UniqueName() const = 0;
    // Folder of the running program, ending with a separator: "Sounds" is looked for there.
    virtual QString ProgramFolder() const = 0;
};

// Where the automation layer takes over after a channel event. Every hook does nothing until the
// automation is plugged in.
class tAutomationHooks
{
public:
    virtual ~tAutomationHooks() = default;
    virtual void RespondToPhrase(const QString &user, const QString &message) { Q_UNUSED(user); Q_UNUSED(message); }
    virtual void RespondToWhisper(const QString &user, const QString &message) { Q_UNUSED(user); Q_UNUSED(message); }
    virtual void RespondToJoin(const QString &user) { Q_UNUSED(user); }
    virtual void CheckBanList(const QString &user) { Q_UNUSED(user); }
    virtual void CheckBanAllExcept(const QString &user) { Q_UNUSED(user); }
    virtual void RunProductAction(const QString &user, const QString &product) { Q_UNUSED(user); Q_UNUSED(product); }
    virtual void RunRemoteCommand(const QString &commander, const QString &text) { Q_UNUSED(commander); Q_UNUSED(text); }
    virtual void ParseAccountInfo(const QString &line) { Q_UNUSED(line); }
};

// Handles every event the interpreters raise: the channel's user list and caption, the coloured
// transcript lines, the session log, sounds, lines sent back and the hand-over to the automation.
class tChannelEvents
{
public:
    tChannelEvents(tProfile &profile, tChannelUsers &users, tReplyList &replies, tSessionLog &log,
                   tSoundPlayer &sound, tChannelHost &host);

    void SetAutomation(tAutomationHooks *hooks) { m_hooks = hooks ? hooks : &m_noHooks; }
    // Binds the handlers to the interpreters' events.
    void Bind(TBnetChat &bcChat, TTextChat &tcChat);

    void bcChatShowUser(const QString &user, const QString &flags, const QString &product);
    void bcChatJoin(const QString &user, const QString &flags, const QString &product);
    void bcChatLeave(const QString &user, const QString &flags, const QString &product);
    void bcChatUserFlags(const QString &user, const QString &flags);
    void bcChatTalk(const QString &user, const QString &text);
    void bcChatEmote(const QString &user, const QString &text);
    void bcChatWhisper(const QString &user, const QString &text);
    void bcChatWhisperSent(const QString &user, const QString &text);
    void bcChatInfo(const QString &text);
    void bcChatBroadcast(const QString &text);
    void bcChatChannel(const QString &channel);
    void bcChatChannelFull(const QString &text);
    void bcChatChanNotExist(const QString &text);
    void bcChatRestricted(const QString &text);
    void bcChatError(const QString &text);
    void bcChatUnHandled(const QString &line);
    void bcChatUniqueName(const QString &name);
    void tcChatData(const QString &line);

    // What this client said, in its own colours; commands ("/...") are not echoed.
    void EchoOwnText(const QString &text);

    // Whisper target: an open whisper window's pane, else reWhisper, or reChat while it is hidden.
    tTranscript &WhisperTarget(const QString &user);

    static constexpr int PlaySoundPrefixLength = 11; // "~playsound "

private:
    QColor color(int role) const;
    // Sound sent in a line ("~playsound " + name): plays it when found; the name for the "played:" line.
    bool soundRequest(const QString &text, QString &soundName) const;
    // Plays the sound when it is found; false for a refused name, which gets no "played:" line.
    bool playSentSound(const QString &soundName);
    void playRecordSound(const QString &path);

    tProfile &m_profile;
    tChannelUsers &m_users;
    tReplyList &m_replies;
    tSessionLog &m_log;
    tSoundPlayer &m_sound;
    tChannelHost &m_host;
    tAutomationHooks m_noHooks;
    tAutomationHooks *m_hooks = &m_noHooks;
};
