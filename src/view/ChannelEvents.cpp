#include "view/ChannelEvents.h"

#include <QDir>
#include <QFileInfo>

#include "net/Ansi.h"
#include "net/Interpreters.h"
#include "profile/Profile.h"
#include "view/ChannelUsers.h"
#include "view/ReplyList.h"
#include "view/SessionLog.h"
#include "view/Sound.h"
#include "view/Transcript.h"

namespace {
const QString CR = QStringLiteral("\r");

bool startsFolded(const QString &text, const char *prefix)
{
    return ansi::foldAZ(text).startsWith(QLatin1String(prefix));
}
bool containsFolded(const QString &text, const char *part)
{
    return ansi::foldAZ(text).contains(ansi::foldAZ(QLatin1String(part)));
}
bool isNoSound(const QString &sound)
{
    return sound.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0;
}
} // namespace

tChannelEvents::tChannelEvents(tProfile &profile, tChannelUsers &users, tReplyList &replies,
                               tSessionLog &log, tSoundPlayer &sound, tChannelHost &host)
    : m_profile(profile), m_users(users), m_replies(replies), m_log(log), m_sound(sound), m_host(host)
{
}

void tChannelEvents::Bind(TBnetChat &bc, TTextChat &tc)
{
    bc.OnShowUser = [this](const QString &u, const QString &f, const QString &p) { bcChatShowUser(u, f, p); };
    bc.OnJoin = [this](const QString &u, const QString &f, const QString &p) { bcChatJoin(u, f, p); };
    bc.OnLeave = [this](const QString &u, const QString &f, const QString &p) { bcChatLeave(u, f, p); };
    bc.OnUserFlags = [this](const QString &u, const QString &f) { bcChatUserFlags(u, f); };
    bc.OnTalk = [this](const QString &u, const QString &m) { bcChatTalk(u, m); };
    bc.OnEmote = [this](const QString &u, const QString &m) { bcChatEmote(u, m); };
    bc.OnWhisper = [this](const QString &u, const QString &m) { bcChatWhisper(u, m); };
    bc.OnWhisperSent = [this](const QString &u, const QString &m) { bcChatWhisperSent(u, m); };
    bc.OnInfo = [this](const QString &m) { bcChatInfo(m); };
    bc.OnBroadcast = [this](const QString &m) { bcChatBroadcast(m); };
    bc.OnChannel = [this](const QString &m) { bcChatChannel(m); };
    bc.OnChannelFull = [this](const QString &m) { bcChatChannelFull(m); };
    bc.OnChanNotExist = [this](const QString &m) { bcChatChanNotExist(m); };
    bc.OnRestricted = [this](const QString &m) { bcChatRestricted(m); };
    bc.OnError = [this](const QString &m) { bcChatError(m); };
    bc.OnUnHandled = [this](const QString &m) { bcChatUnHandled(m); };
    bc.OnUniqueName = [this](const QString &u) { bcChatUniqueName(u); };
    tc.OnData = [this](const QString &m) { tcChatData(m); };
}

QColor tChannelEvents::color(int role) const
{
    return bgrToColor(m_profile.Settings.Color(role));
}

tTranscript &tChannelEvents::WhisperTarget(const QString &user)
{
    if (tTranscript *window = m_host.WhisperWindowPane(user))
        return *window;
    return m_host.WhisperPaneVisible() ? m_host.WhisperPane() : m_host.ChatPane();
}

bool tChannelEvents::soundRequest(const QString &text, QString &soundName) const
{
    if (!m_profile.Settings.AcceptSounds() || !startsFolded(text, "~playsound "))
        return false;
    soundName = text.mid(PlaySoundPrefixLength);
    return true;
}

bool tChannelEvents::playSentSound(const QString &soundName)
{
    // A name reaching outside the sounds folder is refused, and nothing says it was played.
    if (!IsPlainSoundName(soundName))
        return false;
    const QString path = FindSound(m_host.ProgramFolder(), soundName);
    if (!path.isEmpty())
        m_sound.PlaySound(path);
    return true;
}

void tChannelEvents::playRecordSound(const QString &path)
{
    if (path.isEmpty() || isNoSound(path))
        return;
    // Sounds picked in the user dialog are stored as full paths; others are taken from the program folder.
    m_sound.PlaySound(QFileInfo(path).isAbsolute() ? path : QDir(m_host.ProgramFolder()).filePath(path));
}

void tChannelEvents::bcChatShowUser(const QString &user, const QString &flags, const QString &product)
{
    m_log.LoggedWithEvents(m_profile.Settings, QLatin1String("[User in channel] ") + user);
    m_users.Add(user, flags, product);
}

void tChannelEvents::bcChatJoin(const QString &user, const QString &flags, const QString &product)
{
    m_log.LoggedWithEvents(m_profile.Settings, QLatin1String("[User Join] ") + user);
    const QString adjusted = m_users.Add(user, flags, product);
    const tChatSettings &s = m_profile.Settings;
    if (const tUser *rec = m_profile.Users.Items(m_profile.Users.IndexOfName(user))) {
        if (!rec->Greeting().isEmpty())
            m_host.SendLine(rec->Greeting() + CR);
        playRecordSound(rec->JoinSound());
        if (!rec->Notes().isEmpty())
            m_host.ChatPane().WriteLine(QLatin1String("User notes for ") + user + QLatin1String(": "), rec->Notes(),
                                        QString(), color(InfoColor), bgrToColor(rec->CustomTextColor()), QColor());
    }
    if (s.WhoisOnJoin())
        m_host.SendLine(QLatin1String("/whois ") + user + CR);
    if (s.EnterLeaveNotify())
        m_host.ChatPane().WriteLine(QStringLiteral("User "), user, QStringLiteral(" has joined the channel."),
                                    color(InfoColor), color(NameColor), color(InfoColor));
    m_hooks->RespondToJoin(user);
    m_hooks->CheckBanList(user);
    m_hooks->CheckBanAllExcept(user);
    m_hooks->RunProductAction(user, adjusted);
}

void tChannelEvents::bcChatLeave(const QString &user, const QString &, const QString &)
{
    m_log.LoggedWithEvents(m_profile.Settings, QLatin1String("[User Leave] ") + user);
    if (m_users.IndexOf(user) < 0)
        return;
    if (const tUser *rec = m_profile.Users.Items(m_profile.Users.IndexOfName(user)))
        playRecordSound(rec->LeaveSound());
    m_users.Remove(user);
    if (m_profile.Settings.EnterLeaveNotify())
        m_host.ChatPane().WriteLine(QStringLiteral("User "), user, QStringLiteral(" has left the channel."),
                                    color(InfoColor), color(NameColor), color(InfoColor));
}

void tChannelEvents::bcChatUserFlags(const QString &user, const QString &flags)
{
    m_users.SetFlags(user, flags);
}

void tChannelEvents::bcChatChannel(const QString &channel)
{
    m_users.CurrentChannel = channel;
    m_host.ChatPane().WriteLine(QLatin1String("Joining channel ") + channel + QLatin1Char('.'), color(InfoColor));
    m_users.EnterChannel(channel);
    m_log.LoggedWithEvents(m_profile.Settings, QLatin1String("[Joining] ") + channel);
}

void tChannelEvents::bcChatTalk(const QString &user, const QString &text)
{
    m_log.Logged(m_profile.Settings, QLatin1Char('<') + user + QLatin1String("> ") + text);
    QColor nameColor = color(NameColor), textColor = color(TextColor);
    if (const tUser *rec = m_profile.Users.Items(m_profile.Users.IndexOfName(user))) {
        nameColor = bgrToColor(rec->CustomNameColor());
        textColor = bgrToColor(rec->CustomTextColor());
    }
    QString sound;
    if (soundRequest(text, sound)) {
        if (playSentSound(sound))
            m_host.ChatPane().WriteLine(user + QLatin1String(" played: ") + sound, nameColor);
    } else {
        m_host.ChatPane().WriteLine(QLatin1Char('<') + user + QLatin1String("> "), text, QString(), nameColor,
                                    textColor, QColor());
    }
    m_hooks->RespondToPhrase(user, text);
}

void tChannelEvents::bcChatEmote(const QString &user, const QString &text)
{
    m_host.ChatPane().WriteLine(QLatin1Char('<') + user + QLatin1Char(' ') + text + QLatin1Char('>'), color(EmoteColor));
    m_log.Logged(m_profile.Settings, QLatin1Char('<') + user + QLatin1String(" EMOTE> ") + text);
    m_hooks->RespondToPhrase(user, text);
}

void tChannelEvents::bcChatWhisper(const QString &user, const QString &text)
{
    m_log.Logged(m_profile.Settings, QLatin1Char('<') + user + QLatin1String(" WHISPER > ") + text);
    tTranscript &pane = WhisperTarget(user);
    m_replies.Touch(user);
    QColor nameColor = color(NameColor), textColor = color(WhisperColor);
    if (const tUser *rec = m_profile.Users.Items(m_profile.Users.IndexOfName(user))) {
        nameColor = bgrToColor(rec->CustomNameColor());
        textColor = bgrToColor(rec->CustomWhisperColor());
    }
    QString sound;
    const bool played = soundRequest(text, sound);
    if (played && playSentSound(sound))
        pane.WriteLine(user + QLatin1String(" played: ") + sound, nameColor);
    m_hooks->RunRemoteCommand(user, text);
    if (text.startsWith(QLatin1Char('/')) || played) {
        if (startsFolded(text, "/url "))
            m_host.ShowUrl(user + QLatin1String(" has sent the following URL: "), text.mid(5));
    } else {
        pane.WriteLine(QLatin1String("<FROM: ") + user + QLatin1String("> "), text, QString(), nameColor, textColor,
                       QColor());
    }
    m_hooks->RespondToWhisper(user, text);
}

void tChannelEvents::bcChatWhisperSent(const QString &user, const QString &text)
{
    m_log.LoggedWithEvents(m_profile.Settings, QLatin1String("<WHISPER TO ") + user + QLatin1String("> ") + text);
    tTranscript &pane = WhisperTarget(user);
    const QString shown = text.isEmpty() ? QStringLiteral(" ") : text;
    if (startsFolded(shown, "~playsound ") || startsFolded(shown, "/url"))
        return;
    pane.WriteLine(QLatin1String("<TO: ") + user + QLatin1String("> "), shown, QString(), color(YourNameColor),
                   color(YourTextColor), QColor());
}

void tChannelEvents::bcChatInfo(const QString &text)
{
    m_log.LoggedWithEvents(m_profile.Settings, QLatin1String("[Info] ") + text);
    m_host.WelcomeCheck(text);
    m_host.ChatPane().WriteLine(text, color(InfoColor));
    if (containsFolded(text, "YOU ARE NOW MARKED AS BEING AWAY"))
        m_host.SetAwayChecked(true);
    if (containsFolded(text, "you are no longer marked as away"))
        m_host.SetAwayChecked(false);
    if (m_profile.Settings.AutoRejoin() && containsFolded(text, "KICKED YOU OUT")) {
        const QString channel = m_users.CurrentChannel;
        m_host.SendLine(QLatin1String("/join ") + channel + CR);
        m_host.ChatPane().WriteLine(QLatin1String("Rejoining ") + channel, color(InfoColor));
    }
    m_hooks->ParseAccountInfo(text);
}

void tChannelEvents::bcChatBroadcast(const QString &text)
{
    m_host.ChatPane().WriteLine(text, color(InfoColor));
    m_log.LoggedWithEvents(m_profile.Settings, text);
}

void tChannelEvents::bcChatChannelFull(const QString &text)
{
    m_host.ChatPane().WriteLine(QStringLiteral("Channel is full."), color(ErrorColor));
    m_log.LoggedWithEvents(m_profile.Settings, text);
}

void tChannelEvents::bcChatChanNotExist(const QString &text)
{
    m_host.ChatPane().WriteLine(QStringLiteral("Channel does not exist."), color(ErrorColor));
    m_log.LoggedWithEvents(m_profile.Settings, text);
}

void tChannelEvents::bcChatRestricted(const QString &text)
{
    m_host.ChatPane().WriteLine(QStringLiteral("Channel is restricted."), color(ErrorColor));
    m_log.LoggedWithEvents(m_profile.Settings, text);
}

void tChannelEvents::bcChatError(const QString &text)
{
    m_host.ChatPane().WriteLine(text, color(ErrorColor));
    m_log.LoggedWithEvents(m_profile.Settings, QLatin1String("[Error] ") + text);
}

void tChannelEvents::bcChatUnHandled(const QString &line)
{
    m_host.RefusedLoginCheck(line);
    m_log.LoggedWithEvents(m_profile.Settings, line);
}

void tChannelEvents::bcChatUniqueName(const QString &name)
{
    m_host.UniqueNameReceived(name);
}

void tChannelEvents::tcChatData(const QString &line)
{
    m_host.ChatPane().WriteLine(line, color(WhisperColor));
}

void tChannelEvents::EchoOwnText(const QString &text)
{
    if (text.isEmpty() || text.startsWith(QLatin1Char('/')))
        return;
    // Shown as it went out: one line.
    m_host.ChatPane().WriteLine(QLatin1Char('<') + m_host.UniqueName() + QLatin1String("> "),
                                tBaseInterpreter::JoinLines(text), QString(), color(YourNameColor), color(YourTextColor), QColor());
}
