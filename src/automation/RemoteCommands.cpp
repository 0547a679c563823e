#include "automation/Automation.h"

#include "profile/Profile.h"

namespace {
// Built-in actions that switch a profile flag with "on" or "off".
struct SwitchAction
{
    const char *token;
    const char *reply;
    void (tChatSettings::*set)(bool);
};
const SwitchAction switchActions[] = {
    {"<allevents>", "All Events: ", &tChatSettings::setMasterEvents},
    {"<userjoin>", "User Join Response: ", &tChatSettings::setRespondJoins},
    {"<ban>", "User Ban List: ", &tChatSettings::setAutoBan},
    {"<noban>", "User Ban Exception List: ", &tChatSettings::setBanAllExcept},
    {"<phrase>", "Phrase Response: ", &tChatSettings::setRespondPhrases},
    {"<whisper>", "Whisper Response: ", &tChatSettings::setRespondWhispers},
    {"<timers>", "Timer Response: ", &tChatSettings::setRespondTimers},
};

// Built-in actions that add a name to a list or delete it from one.
struct ListAction
{
    const char *token;
    bool add;
    QStringList tProfile::*list;
    const char *reply;
    const char *notListed;
};
const ListAction listActions[] = {
    {"<addowner>", true, &tProfile::OwnerList, "Adding Owner: ", nullptr},
    {"<deleteowner>", false, &tProfile::OwnerList, "Deleting Owner: ", "That user is not an owner."},
    {"<addmember>", true, &tProfile::MemberList, "Adding Member: ", nullptr},
    {"<deletemember>", false, &tProfile::MemberList, "Deleting Member: ", "That user is not a member."},
    {"<addban>", true, &tProfile::BanList, "Adding User Ban: ", nullptr},
    {"<deleteban>", false, &tProfile::BanList, "Deleting Ban User: ", "That user is not on the ban list."},
    {"<addnoban>", true, &tProfile::NoBanList, "Adding User Exception: ", nullptr},
    {"<deletenoban>", false, &tProfile::NoBanList, "Deleting Ban Exception: ", "That user is not on the No Ban list."},
};

constexpr int MaxWhisperLine = 254;
} // namespace

int CommandLevelOf(const QString &entry)
{
    // A short, older or hand-edited list must not open a command to everybody.
    if (entry == QLatin1String("0") || entry == QLatin1String("2"))
        return entry.at(0).digitValue();
    return 1;
}

bool tAutomation::switchAction(const QString &action, const QString &p, QString &reply)
{
    for (const SwitchAction &a : switchActions) {
        if (action != QLatin1String(a.token))
            continue;
        const QString word = FoldCase(p);
        if (word == QLatin1String("on") || word == QLatin1String("off")) {
            tProfile &profile = m_host.Profile();
            (profile.Settings.*a.set)(word == QLatin1String("on"));
            profile.Modified = true;
            reply = QLatin1String(a.reply) + word;
        }
        return true;
    }
    return false;
}

bool tAutomation::listAction(const QString &action, const QString &p, QString &reply)
{
    for (const ListAction &a : listActions) {
        if (action != QLatin1String(a.token))
            continue;
        tProfile &profile = m_host.Profile();
        QStringList &list = profile.*a.list;
        if (a.add) {
            list.append(p);
            profile.Modified = true;
            reply = QLatin1String(a.reply) + p;
        } else if (const int at = IndexOfName(list, p); at >= 0) {
            list.removeAt(at);
            profile.Modified = true;
            reply = QLatin1String(a.reply) + p;
        } else {
            reply = QLatin1String(a.notListed);
        }
        return true;
    }
    return false;
}

void tAutomation::listReply(const QString &commander, const QStringList &names, const QString &title)
{
    const QString continuation = QLatin1String("/w ") + commander + QLatin1Char(' ');
    QString line = QLatin1String("/w ") + commander + title;
    for (int i = 0; i < names.size(); ++i) {
        if (line.size() + names[i].size() + 2 > MaxWhisperLine) {
            send(line, TBnetChat::ForOthers);
            line = continuation;
        }
        line += names[i];
        if (i + 1 < names.size())
            line += QLatin1String("; ");
    }
    if (line != continuation)
        send(line, TBnetChat::ForOthers);
}

void tAutomation::RunRemoteCommand(const QString &commander, const QString &text)
{
    tProfile &profile = m_host.Profile();
    // The last matching row wins.
    int row = -1;
    for (int i = 0; i < profile.CommandList.size(); ++i)
        if (StartsWithFolded(text, profile.CommandList[i]))
            row = i;
    if (row < 0)
        return;
    const QString p = text.mid(profile.CommandList[row].size() + 1);

    const int level = CommandLevelOf(EntryAt(profile.CommandLevel, row));
    const bool owner = IndexOfName(profile.OwnerList, commander) >= 0;
    const bool member = IndexOfName(profile.MemberList, commander) >= 0;
    if ((level == 1 && !owner) || (level == 2 && !owner && !member))
        return;

    const AnswerScope answer(*this, commander);
    const QString response = EntryAt(profile.CommandRes, row);
    const QString action = FoldCase(response);
    QString reply;
    if (switchAction(action, p, reply) || listAction(action, p, reply)) {
    } else if (action == QLatin1String("<say>")) {
        send(p, TBnetChat::ForOthers);
        reply = QLatin1String("Saying ") + p;
        if (!muted())
            m_host.WriteOwnLine(p);
    } else if (action == QLatin1String("<join>")) {
        send(QLatin1String("/join ") + p, TBnetChat::ForOthers);
        reply = QLatin1String("Joining Channel ") + p;
    } else if (action == QLatin1String("<disconnect>")) {
        m_host.RunConnectAction();
        reply = QStringLiteral("Disconnecting");
    } else if (action == QLatin1String("<owners>")) {
        listReply(commander, profile.OwnerList, QStringLiteral(" Owner List: "));
    } else if (action == QLatin1String("<members>")) {
        listReply(commander, profile.MemberList, QStringLiteral(" Member List: "));
    } else if (action == QLatin1String("<messagemembers>")) {
        send(QLatin1String("/m ") + commander + QLatin1String(" Sending Mass Mail."), TBnetChat::ForOthers);
        for (const QStringList *list : {&profile.OwnerList, &profile.MemberList})
            for (const QString &name : *list)
                if (!name.trimmed().isEmpty()) // the server would take the text's first word as the name
                    send(QLatin1String("/m ") + name + QLatin1Char(' ') + p, TBnetChat::ForOthers);
        reply = QStringLiteral("Mass Mail Sent.");
    } else {
        // A custom response: one line per "~"-separated piece; an empty one says nothing.
        QString rest = response;
        do {
            const QString line = Expand(SplitFirst(rest, QLatin1Char('~')), commander, p);
            if (line.isEmpty())
                continue;
            send(line, TBnetChat::ForOthers);
            echo(line);
        } while (!rest.isEmpty());
    }
    if (!reply.isEmpty())
        send(QLatin1String("/w ") + commander + QLatin1Char(' ') + reply, TBnetChat::ForOthers);
    m_host.WriteLine(QLatin1String("Command from ") + commander + QLatin1Char(' ') + text, InfoColor);
}
