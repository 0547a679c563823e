#include "view/EntryLine.h"

#include "net/ChatInterface.h"
#include "net/Interpreters.h"
#include "profile/Profile.h"
#include "view/ReplyList.h"

static_assert(tEntryLine::MaxTextLength + 3 + tEntryLine::NameRoom + 1 + 1 == TChatInterface::MaxSendLength,
              "a whisper of the longest entry text to a name of NameRoom characters fits one send");

const QString tEntryLine::TooLongText = QStringLiteral("Not sent: the line is too long.");

namespace {
// The non-empty lines of what was typed or pasted; one empty text when there is none.
QStringList entryLines(const QString &text)
{
    QString joined = text;
    joined.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = joined.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.isEmpty())
        lines << QString();
    return lines;
}
} // namespace

tEntryLine::tEntryLine(tEntryHost &host, tProfile &profile, tReplyList &replies)
    : m_host(host), m_profile(profile), m_replies(replies)
{
}

void tEntryLine::send(const QString &text)
{
    m_host.SendLine(text + QLatin1Char('\r'));
}

bool tEntryLine::allFit(const QString &prefix, const QStringList &lines)
{
    for (const QString &line : lines) {
        if (!tBaseInterpreter::Fits(prefix + line + QLatin1Char('\r'))) {
            m_host.WriteError(TooLongText);
            m_host.Refocus();
            return false;
        }
    }
    return true;
}

void tEntryLine::addHistory(const QString &text)
{
    m_history.prepend(text);
    m_host.HistoryInserted(text);
}

void tEntryLine::sendPrefixed(const QString &prefix)
{
    const QStringList lines = entryLines(m_host.EntryText());
    if (!allFit(prefix, lines))
        return;
    for (const QString &text : lines) {
        addHistory(text);
        send(prefix + text);
    }
    m_host.SetEntryText(QString());
    m_host.Refocus();
}

void tEntryLine::Send()
{
    if (!m_host.LoggedOn())
        return;
    if (m_host.WhisperLock()) {
        Whisper();
        return;
    }
    const QStringList lines = entryLines(m_host.EntryText());
    if (lines.first().isEmpty()) {
        m_host.Refocus();
        return;
    }
    if (!allFit(QString(), lines))
        return;
    for (const QString &text : lines) {
        m_host.LogEvent(QStringLiteral("[Sent] ") + text);
        send(text);
        addHistory(text);
        // Commands are not echoed: the server's answer shows them.
        if (!text.startsWith(QLatin1Char('/')))
            m_host.EchoOwnText(text);
    }
    m_host.SetEntryText(QString());
    m_host.Refocus();
}

void tEntryLine::Emote()
{
    if (m_host.WhisperLock()) {
        Whisper();
        return;
    }
    sendPrefixed(QStringLiteral("/me "));
}

void tEntryLine::Whisper()
{
    const QString def = m_host.SelectedDef();
    const QString user = m_host.SelectedUser();
    if (def.isEmpty() && user.isEmpty()) {
        m_host.WriteWhisperInfo(QStringLiteral("No User Selected."));
        m_host.Refocus();
        return;
    }
    sendPrefixed(QStringLiteral("/w ") + (def.isEmpty() ? user : def) + QLatin1Char(' '));
}

void tEntryLine::offerReply(int index)
{
    m_replies.Index = index;
    m_completion = QStringLiteral("/msg ") + m_replies.Names().at(index) + QLatin1Char(' ');
    m_host.SetEntryText(m_completion);
}

void tEntryLine::Tab()
{
    const int count = m_replies.Count();
    if (count == 0)
        return;
    const int last = count - 1;
    if (m_replies.Index < 0 || m_replies.Index > last)
        m_replies.Index = last;
    const QString text = m_host.EntryText();
    if (!m_completion.isEmpty() && m_completion.compare(text, Qt::CaseInsensitive) == 0)
        offerReply(m_replies.Index == 0 ? last : m_replies.Index - 1);
    else if (text.isEmpty())
        offerReply(last);
}

int tEntryLine::historyIndexOf(const QString &text) const
{
    for (int i = 0; i < m_history.size(); ++i)
        if (m_history[i].compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void tEntryLine::HistoryUp()
{
    const int older = historyIndexOf(m_host.EntryText()) + 1;
    m_host.SetEntryText(older < m_history.size() ? m_history[older] : QString());
}

void tEntryLine::HistoryDown()
{
    const int newer = historyIndexOf(m_host.EntryText()) - 1;
    if (newer >= 0)
        m_host.SetEntryText(m_history[newer]);
}

void tEntryLine::toggleMode(bool away)
{
    bool &flag = away ? m_away : m_dnd;
    if (flag) {
        away ? m_host.SetAwayChecked(false) : m_host.SetDndChecked(false);
        flag = false;
        send(away ? QStringLiteral("/away") : QStringLiteral("/DND"));
        return;
    }
    const tChatSettings &s = m_profile.Settings;
    m_host.AskText(away ? QStringLiteral("Away") : QStringLiteral("DND"),
                   away ? QStringLiteral("Enter reason why you will be away:")
                        : QStringLiteral("Enter reason why you will be in DND mode:"),
                   away ? s.AwayMessage() : s.DNDMessage(),
                   [this, away](bool confirmed, const QString &text) { modeAnswered(away, confirmed, text); });
}

void tEntryLine::modeAnswered(bool away, bool confirmed, const QString &text)
{
    auto setChecked = [&](bool on) { away ? m_host.SetAwayChecked(on) : m_host.SetDndChecked(on); };
    tChatSettings &s = m_profile.Settings;
    if (!confirmed) {
        setChecked(false);
    } else if (!text.isEmpty()) {
        (away ? m_away : m_dnd) = true;
        setChecked(true);
        // Kept as it goes out: a pasted line end is a blank.
        const QString joined = tBaseInterpreter::JoinLines(text);
        if (joined != (away ? s.AwayMessage() : s.DNDMessage()))
            m_profile.Modified = true;
        const QString reason = joined.left(MaxReasonLength);
        away ? s.setAwayMessage(reason) : s.setDNDMessage(reason);
        send((away ? QStringLiteral("/away ") : QStringLiteral("/DND ")) + reason);
    }
    m_host.Refocus();
}

void tEntryLine::ToggleAway()
{
    toggleMode(true);
}

void tEntryLine::ToggleDnd()
{
    toggleMode(false);
}

void tEntryLine::CopyName(const QString &name)
{
    if (!name.isEmpty())
        m_host.InsertAtCaret(name);
}

void tEntryLine::AltN()
{
    CopyName(m_host.SelectedUser());
    CopyName(m_host.SelectedDef());
}

QString tEntryLine::UserCommandLine(UserCommand command, const QString &name)
{
    switch (command) {
    case UserCommand::Whois: return QStringLiteral("/whois ") + name;
    case UserCommand::StarcraftStats: return QStringLiteral("/stats ") + name + QStringLiteral(" star");
    case UserCommand::BroodwarStats: return QStringLiteral("/stats ") + name + QStringLiteral(" sexp");
    case UserCommand::WarcraftStats: return QStringLiteral("/stats ") + name + QStringLiteral(" w2bn");
    case UserCommand::Squelch: return QStringLiteral("/squelch ") + name;
    case UserCommand::Unsquelch: return QStringLiteral("/unsquelch ") + name;
    case UserCommand::Kick: return QStringLiteral("/kick ") + name;
    case UserCommand::Ban: return QStringLiteral("/ban ") + name;
    case UserCommand::Designate: return QStringLiteral("/designate ") + name;
    }
    return QString();
}

void tEntryLine::SendUserCommand(UserCommand command, const QString &name)
{
    if (!name.isEmpty())
        send(UserCommandLine(command, name));
}

void tEntryLine::SendMenuLine(const QString &text)
{
    send(text);
    m_host.Refocus();
}
