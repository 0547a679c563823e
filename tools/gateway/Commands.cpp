#include "gateway/Commands.h"

#include "gateway/Gateway.h"
#include "gateway/Realm.h"
#include "net/Ansi.h"

#include <QDateTime>
#include <QHash>
#include <QLocale>

namespace gw {

namespace {

// Reads blank-separated words off the front of a command's arguments.
class Args
{
public:
    explicit Args(const QString &text) : m_text(text) {}
    QString word()
    {
        skipBlanks();
        const int start = m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != QLatin1Char(' '))
            ++m_pos;
        return m_text.mid(start, m_pos - start);
    }
    QString rest()
    {
        skipBlanks();
        return m_text.mid(m_pos);
    }

private:
    void skipBlanks()
    {
        while (m_pos < m_text.size() && m_text[m_pos] == QLatin1Char(' '))
            ++m_pos;
    }
    QString m_text;
    int m_pos = 0;
};

using Handler = void (*)(Realm &, Member &, Args &);

bool isOperator(const Member &m) { return m.channel && !m.channel->hidden && m.channel->op == &m; }

bool requireOperator(Realm &r, Member &m)
{
    if (isOperator(m))
        return true;
    r.error(m, QStringLiteral("You are not a channel operator."));
    return false;
}

// A name argument that must be given; reports `ask` when it is missing.
bool needWord(Realm &r, Member &m, const QString &word, const char *ask)
{
    if (!word.isEmpty())
        return true;
    r.error(m, QLatin1String(ask));
    return false;
}

// Someone else in the operator's own channel, or an error.
Member *channelMate(Realm &r, Member &m, const QString &name)
{
    Member *t = r.find(name);
    if (!t || t->channel != m.channel) {
        r.error(m, QStringLiteral("That user is not in this channel."));
        return nullptr;
    }
    return t;
}

void cmdJoin(Realm &r, Member &m, Args &a)
{
    const QString channel = a.rest().trimmed();
    if (needWord(r, m, channel, "What channel do you want to join?"))
        r.join(m, channel);
}

void cmdRejoin(Realm &r, Member &m, Args &) { r.rejoin(m); }

void cmdWho(Realm &r, Member &m, Args &a)
{
    QString name = a.rest().trimmed();
    if (name.isEmpty() && m.channel && !m.channel->hidden)
        name = m.channel->name;
    const Channel *c = name.isEmpty() ? nullptr : r.channel(name);
    if (!c) {
        r.error(m, QStringLiteral("That channel does not exist."));
        return;
    }
    r.info(m, QStringLiteral("Users in channel %1:").arg(c->name));
    const QList<Member *> all = c->members;
    auto shown = [c](const Member *u) { return c->op == u ? QLatin1Char('[') + u->name + QLatin1Char(']') : u->name; };
    for (int i = 0; i < all.size(); i += 2)
        r.info(m, i + 1 < all.size() ? shown(all[i]) + QStringLiteral(", ") + shown(all[i + 1]) : shown(all[i]));
}

void cmdWhois(Realm &r, Member &m, Args &a)
{
    const QString name = a.word();
    if (!needWord(r, m, name, "Who do you want to find?"))
        return;
    Member *t = r.find(name);
    if (!t) {
        r.error(m, QStringLiteral("That user is not logged on."));
        return;
    }
    const QString where = t->channel ? t->channel->name : QString();
    r.info(m, QStringLiteral("%1 is using %2 in channel %3.").arg(t->name, productName(t->product), where));
    if (r.options().showAccountNumbers)
        r.info(m, QStringLiteral("%1 is logged on from account #%2.").arg(t->name).arg(t->accountNumber));
    if (t->away)
        r.info(m, Realm::withReason(t->name + QStringLiteral(" is away"), t->awayText));
    if (t->dnd)
        r.info(m, Realm::withReason(t->name + QStringLiteral(" is refusing messages"), t->dndText));
}

void cmdWhoami(Realm &r, Member &m, Args &)
{
    const QString where = m.channel ? m.channel->name : QString();
    r.info(m, QStringLiteral("You are %1, using %2 in channel %3.").arg(m.name, productName(m.product), where));
}

void cmdWhisper(Realm &r, Member &m, Args &a)
{
    const QString to = a.word();
    const QString text = a.rest();
    if (!needWord(r, m, to, "Who do you want to whisper?") || !needWord(r, m, text, "What do you want to say?"))
        return;
    if (r.whisper(m, to, text) == Realm::WhisperResult::NotOnline)
        r.error(m, QStringLiteral("That user is not logged on."));
}

void cmdEmote(Realm &r, Member &m, Args &a)
{
    const QString text = a.rest();
    if (needWord(r, m, text, "What do you want to emote?"))
        r.emote(m, text);
}

void cmdAway(Realm &r, Member &m, Args &a)
{
    const QString reason = a.rest().trimmed();
    if (m.away && reason.isEmpty()) {
        m.away = false;
        m.awayText.clear();
        r.info(m, QStringLiteral("You are no longer marked as away."));
        return;
    }
    m.away = true;
    m.awayText = reason;
    r.info(m, QStringLiteral("You are now marked as being away."));
}

void cmdDnd(Realm &r, Member &m, Args &a)
{
    const QString reason = a.rest().trimmed();
    if (m.dnd && reason.isEmpty()) {
        m.dnd = false;
        m.dndText.clear();
        r.info(m, QStringLiteral("Do Not Disturb mode cancelled."));
        return;
    }
    m.dnd = true;
    m.dndText = reason;
    r.info(m, QStringLiteral("Do Not Disturb mode engaged."));
}

void cmdUsers(Realm &r, Member &m, Args &)
{
    r.info(m, QStringLiteral("There are currently %1 users in chat, in %2 channels.")
                  .arg(r.members().size())
                  .arg(r.channelCount()));
}

void cmdTime(Realm &r, Member &m, Args &)
{
    const QLocale c = QLocale::c();
    const QString format = QStringLiteral("ddd MMM d h:mm AP");
    r.info(m, QStringLiteral("%1 time: %2").arg(r.options().realm, c.toString(QDateTime::currentDateTimeUtc(), format)));
    r.info(m, QStringLiteral("Your local time: %1").arg(c.toString(QDateTime::currentDateTime(), format)));
}

bool isGameProduct(const QString &p)
{
    static const QStringList games = {QStringLiteral("STAR"), QStringLiteral("SEXP"), QStringLiteral("SSHR"),
                                      QStringLiteral("JSTR"), QStringLiteral("W2BN"), QStringLiteral("DRTL"),
                                      QStringLiteral("DSHR"), QStringLiteral("D2DV"), QStringLiteral("D2XP"),
                                      QStringLiteral("WAR3"), QStringLiteral("W3XP")};
    return games.contains(p);
}

void cmdStats(Realm &r, Member &m, Args &a)
{
    QString name = a.word();
    QString product = a.word().toUpper();
    if (name.isEmpty())
        name = m.name;
    const Member *online = r.find(name);
    const Accounts::Account *account = r.accounts().find(name);
    if (!online && !account) {
        r.error(m, QStringLiteral("Unknown user."));
        return;
    }
    if (product.isEmpty())
        product = online && isGameProduct(online->product) ? online->product : QStringLiteral("STAR");
    if (!isGameProduct(product)) {
        r.error(m, QStringLiteral("Invalid product."));
        return;
    }
    // Nobody plays games on this server, so every record is empty.
    const QString shown = online ? online->name : account->name;
    r.info(m, QStringLiteral("%1's record:").arg(shown));
    r.info(m, QStringLiteral("Normal games: 0-0-0"));
    r.info(m, QStringLiteral("Ladder games: 0-0-0 (rank 0)"));
}

void cmdSquelch(Realm &r, Member &m, Args &a)
{
    const QString name = a.word();
    if (!needWord(r, m, name, "Who do you want to squelch?"))
        return;
    Member *t = r.find(name);
    if (!t) {
        r.error(m, QStringLiteral("That user is not logged on."));
        return;
    }
    if (t == &m) {
        r.error(m, QStringLiteral("You can't squelch yourself."));
        return;
    }
    r.setSquelch(m, *t, true);
    r.info(m, t->name + QStringLiteral(" has been squelched."));
}

void cmdUnsquelch(Realm &r, Member &m, Args &a)
{
    const QString name = a.word();
    if (!needWord(r, m, name, "Who do you want to unsquelch?"))
        return;
    Member *t = r.find(name);
    const QString key = t ? t->key : ansi::foldAZ(name);
    if (!m.squelched.contains(key)) {
        r.error(m, QStringLiteral("That user is not squelched."));
        return;
    }
    if (t)
        r.setSquelch(m, *t, false);
    else
        m.squelched.remove(key);
    r.info(m, (t ? t->name : name) + QStringLiteral(" has been unsquelched."));
}

void cmdKick(Realm &r, Member &m, Args &a)
{
    if (!requireOperator(r, m))
        return;
    const QString name = a.word();
    const QString reason = a.rest().trimmed();
    if (!needWord(r, m, name, "Who do you want to kick?"))
        return;
    Member *t = channelMate(r, m, name);
    if (!t)
        return;
    if (t == &m) {
        r.error(m, QStringLiteral("You can't kick yourself."));
        return;
    }
    r.kick(m, *t, reason);
}

void cmdBan(Realm &r, Member &m, Args &a)
{
    if (!requireOperator(r, m))
        return;
    const QString name = a.word();
    const QString reason = a.rest().trimmed();
    if (!needWord(r, m, name, "Who do you want to ban?"))
        return;
    if (r.find(name) == &m) {
        r.error(m, QStringLiteral("You can't ban yourself."));
        return;
    }
    r.ban(m, name, reason);
}

void cmdUnban(Realm &r, Member &m, Args &a)
{
    if (!requireOperator(r, m))
        return;
    const QString name = a.word();
    if (needWord(r, m, name, "Who do you want to unban?") && !r.unban(m, name))
        r.error(m, QStringLiteral("That user is not banned."));
}

void cmdDesignate(Realm &r, Member &m, Args &a)
{
    if (!requireOperator(r, m))
        return;
    const QString name = a.word();
    if (!needWord(r, m, name, "Who do you want to designate?"))
        return;
    Member *t = channelMate(r, m, name);
    if (!t)
        return;
    if (t == &m) {
        r.error(m, QStringLiteral("You are already the channel operator."));
        return;
    }
    m.channel->heir = t;
    r.info(m, t->name + QStringLiteral(" is your new designated heir."));
}

void cmdHelp(Realm &r, Member &m, Args &)
{
    static const char *const lines[] = {
        "Chat commands:",
        "/join (/j) <channel>, /rejoin, /who <channel>, /whois (/whereis) <user>, /whoami",
        "/whisper (/w, /msg, /m) <user> <text>, /emote (/me) <text>",
        "/away [message], /dnd [message], /users, /time, /stats [user] [product]",
        "/squelch (/ignore) <user>, /unsquelch (/unignore) <user>",
        "Channel operators: /kick <user> [reason], /ban <user> [reason], /unban <user>, /designate <user>",
    };
    for (const char *line : lines)
        r.info(m, QLatin1String(line));
}

const QHash<QString, Handler> &commandTable()
{
    static const QHash<QString, Handler> table = {
        {QStringLiteral("join"), cmdJoin},         {QStringLiteral("j"), cmdJoin},
        {QStringLiteral("channel"), cmdJoin},      {QStringLiteral("rejoin"), cmdRejoin},
        {QStringLiteral("who"), cmdWho},           {QStringLiteral("whois"), cmdWhois},
        {QStringLiteral("whereis"), cmdWhois},     {QStringLiteral("where"), cmdWhois},
        {QStringLiteral("whoami"), cmdWhoami},     {QStringLiteral("w"), cmdWhisper},
        {QStringLiteral("msg"), cmdWhisper},       {QStringLiteral("m"), cmdWhisper},
        {QStringLiteral("whisper"), cmdWhisper},   {QStringLiteral("me"), cmdEmote},
        {QStringLiteral("emote"), cmdEmote},       {QStringLiteral("away"), cmdAway},
        {QStringLiteral("dnd"), cmdDnd},           {QStringLiteral("users"), cmdUsers},
        {QStringLiteral("time"), cmdTime},         {QStringLiteral("stats"), cmdStats},
        {QStringLiteral("squelch"), cmdSquelch},   {QStringLiteral("ignore"), cmdSquelch},
        {QStringLiteral("unsquelch"), cmdUnsquelch}, {QStringLiteral("unignore"), cmdUnsquelch},
        {QStringLiteral("kick"), cmdKick},         {QStringLiteral("ban"), cmdBan},
        {QStringLiteral("unban"), cmdUnban},       {QStringLiteral("designate"), cmdDesignate},
        {QStringLiteral("help"), cmdHelp},         {QStringLiteral("?"), cmdHelp},
    };
    return table;
}

} // namespace

QString productName(const QString &code)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("CHAT"), QStringLiteral("a Chat Client")},
        {QStringLiteral("STAR"), QStringLiteral("Starcraft")},
        {QStringLiteral("SEXP"), QStringLiteral("Starcraft Broodwar")},
        {QStringLiteral("SSHR"), QStringLiteral("Starcraft Shareware")},
        {QStringLiteral("JSTR"), QStringLiteral("Starcraft Japanese")},
        {QStringLiteral("W2BN"), QStringLiteral("Warcraft II BNE")},
        {QStringLiteral("DRTL"), QStringLiteral("Diablo")},
        {QStringLiteral("DSHR"), QStringLiteral("Diablo Shareware")},
        {QStringLiteral("D2DV"), QStringLiteral("Diablo II")},
        {QStringLiteral("D2XP"), QStringLiteral("Diablo II Lord of Destruction")},
        {QStringLiteral("WAR3"), QStringLiteral("Warcraft III")},
        {QStringLiteral("W3XP"), QStringLiteral("Warcraft III The Frozen Throne")},
    };
    return names.value(code, code);
}

void runLine(Realm &realm, Member &m, const QString &line)
{
    if (!line.startsWith(QLatin1Char('/'))) {
        realm.talk(m, line);
        return;
    }
    Args args(line.mid(1));
    const QString word = ansi::foldAZ(args.word());
    const Handler h = commandTable().value(word);
    if (h)
        h(realm, m, args);
    else
        realm.error(m, QStringLiteral("Unknown command."));
}

} // namespace gw
