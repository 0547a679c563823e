#include "automation/Automation.h"

#include "profile/Profile.h"

tAutomation::tAutomation(tAutomationHost &host, QStringList &textLines, QString &textFileName, QString &textTarget)
    : m_host(host), m_text{textLines, textFileName, textTarget}
{
}

QString tAutomation::Expand(const QString &templ, const QString &user, const QString &parameter) const
{
    tVariableSource source;
    source.Server = m_host.CurrentServer();
    source.Channel = m_host.CurrentChannel();
    source.UserCount = m_host.ChannelUserCount();
    source.UserAt = [this](int i) { return m_host.ChannelUser(i); };
    source.Random = m_random;
    return ExpandVariables(templ, user, parameter, source);
}

bool tAutomation::muted()
{
    if (m_gate != Gate::Pending)
        return m_gate == Gate::Muted;
    // Never an answer to our own lines: the server hands our emotes back under our name.
    const QString self = m_host.UniqueName();
    const QString user = FoldCase(m_answering);
    if (!self.isEmpty() && user == FoldCase(self)) {
        m_gate = Gate::Muted;
        return true;
    }
    const tAnswerLimit::Verdict verdict = m_limit.Admit(user, m_clock ? m_clock() : tAnswerLimit::Now());
    if (verdict == tAnswerLimit::Silenced)
        m_host.WriteLine(QLatin1String("Too many automatic answers to ") + m_answering
                             + QLatin1String(": none for ten minutes."),
                         InfoColor);
    m_gate = verdict == tAnswerLimit::Answer ? Gate::Open : Gate::Muted;
    return m_gate == Gate::Muted;
}

void tAutomation::send(const QString &text, LineClass cls)
{
    if (!muted())
        m_host.SendLine(text + QLatin1Char('\r'), cls);
}

void tAutomation::echo(const QString &text)
{
    if (!muted())
        m_host.EchoOwnText(text);
}

void tAutomation::respond(const QString &user, const QString &message, bool on, const QStringList &phrases,
                          const std::array<QStringList, 3> &responses)
{
    if (!m_host.Profile().Settings.MasterEvents() || !on || HasIgnorePrefix(message, m_host.IgnorePrefix()))
        return;
    for (int i = 0; i < phrases.size(); ++i) {
        const qsizetype at = IndexOfFolded(message, phrases[i]);
        if (at < 0)
            continue;
        // The text behind the phrase, less the one character (normally a blank) after it.
        const QString parameter = message.mid(at + phrases[i].size() + 1);
        const QString text = Expand(PickResponse(i, responses, m_random), user, parameter);
        if (!text.isEmpty()) {
            const AnswerScope answer(*this, user);
            send(text, TBnetChat::ForOthers);
            echo(text);
        }
        return;
    }
}

void tAutomation::RespondToPhrase(const QString &user, const QString &message)
{
    tProfile &p = m_host.Profile();
    respond(user, message, p.Settings.RespondPhrases(), p.PhraseList, p.PhraseRes);
}

void tAutomation::RespondToWhisper(const QString &user, const QString &message)
{
    tProfile &p = m_host.Profile();
    respond(user, message, p.Settings.RespondWhispers(), p.WhisperList, p.WhiserRes);
}

void tAutomation::RespondToJoin(const QString &user)
{
    tProfile &p = m_host.Profile();
    if (!p.Settings.MasterEvents() || !p.Settings.RespondJoins())
        return;
    const AnswerScope answer(*this, user);
    const int listed = IndexOfName(p.UserJoinList, user);
    if (listed >= 0) {
        // A listed user never gets the general greeting, even with three empty responses.
        const QString text = Expand(PickResponse(listed, p.UserRes, m_random), user, QString());
        if (!text.isEmpty()) {
            send(text, TBnetChat::ForOthers);
            echo(text);
        }
        return;
    }
    const QString greeting = p.Settings.JoinResponse();
    if (greeting.isEmpty())
        return;
    const QString text = Expand(greeting, user, QString());
    send(text, TBnetChat::ForOthers); // even when it expanded to nothing
    echo(text);
}

void tAutomation::CheckBanList(const QString &user)
{
    tProfile &p = m_host.Profile();
    if (!p.Settings.MasterEvents() || !p.Settings.AutoBan())
        return;
    // Once per matching entry.
    for (const QString &part : p.BanList)
        if (ContainsFolded(user, part))
            send(QLatin1String("/ban ") + user + QLatin1String(" AutoBan"), TBnetChat::Protect);
}

void tAutomation::CheckBanAllExcept(const QString &user)
{
    tProfile &p = m_host.Profile();
    if (!p.Settings.MasterEvents() || !p.Settings.BanAllExcept())
        return;
    for (const QString &part : p.NoBanList)
        if (ContainsFolded(user, part))
            return;
    send(QLatin1String("/ban ") + user + QLatin1String(" AutoBan"), TBnetChat::Protect);
}

void tAutomation::RunProductAction(const QString &user, const QString &product)
{
    static const char *const codes[ProductActionCount] = {"CHAT", "STAR", "SSHR", "DRTL", "DSHR", "W2BN", "D2ST", "SEXP"};
    tProfile &p = m_host.Profile();
    if (!p.Settings.MasterEvents())
        return;
    for (int i = 0; i < ProductActionCount; ++i) {
        if (product != QLatin1String(codes[i]))
            continue;
        const QString &action = p.Actions[size_t(i)];
        if (action == QLatin1String("None"))
            return;
        const QString text = Expand(action, user, QString());
        send(text, TBnetChat::Protect);
        echo(text);
        return;
    }
}
