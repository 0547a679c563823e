#include "gateway/Realm.h"

#include "gateway/Gateway.h"
#include "net/Ansi.h"

namespace gw {

namespace {
const QString VoidName = QStringLiteral("The Void");

QSet<QString> foldedSet(const QStringList &names)
{
    QSet<QString> out;
    for (const QString &n : names)
        out.insert(ansi::foldAZ(n.trimmed()));
    return out;
}
} // namespace

Realm::Realm(const Options &options) : m_opt(options)
{
    m_void.name = VoidName;
    m_void.key = ansi::foldAZ(VoidName);
    m_void.hidden = true;
    m_restricted = foldedSet(options.restrictedChannels);
    m_missing = foldedSet(options.missingChannels);
    m_staff = foldedSet(options.staffAccounts);
    for (auto it = options.fullChannels.cbegin(); it != options.fullChannels.cend(); ++it)
        m_limits.insert(ansi::foldAZ(it.key().trimmed()), qMax(0, it.value()));
}

Realm::~Realm() { clear(); }

void Realm::clear()
{
    m_byName.clear();
    m_channels.clear();
    m_void.members.clear();
    m_members.clear();
}

QString Realm::freeName(const QString &account) const
{
    QString name = account;
    for (int n = 2; m_byName.contains(ansi::foldAZ(name)); ++n)
        name = account + QLatin1Char('#') + QString::number(n);
    return name;
}

bool Realm::isOnline(const QString &account) const
{
    const QString key = ansi::foldAZ(account);
    for (const auto &[id, m] : m_members)
        if (ansi::foldAZ(m->account) == key)
            return true;
    return false;
}

Member *Realm::enter(std::unique_ptr<Member> m)
{
    Member *p = m.get();
    p->key = ansi::foldAZ(p->name);
    if (m_staff.contains(ansi::foldAZ(p->account)))
        p->baseFlags |= flag::Staff;
    m_byName.insert(p->key, p);
    m_members[p->id] = std::move(m);
    if (m_opt.firstChannel.trimmed().isEmpty() || !join(*p, m_opt.firstChannel))
        moveTo(*p, m_void);
    return p;
}

void Realm::remove(int id)
{
    auto it = m_members.find(id);
    if (it == m_members.end())
        return;
    Member &m = *it->second;
    leaveChannel(m);
    m_byName.remove(m.key);
    m_members.erase(it);
}

Member *Realm::find(const QString &name) const
{
    const QString key = ansi::foldAZ(name.trimmed());
    if (Member *m = m_byName.value(key))
        return m;
    for (const auto &[id, m] : m_members)
        if (ansi::foldAZ(m->account) == key)
            return m.get();
    return nullptr;
}

Member *Realm::byId(int id) const
{
    auto it = m_members.find(id);
    return it == m_members.end() ? nullptr : it->second.get();
}

QList<Member *> Realm::members() const
{
    QList<Member *> out;
    for (const auto &[id, m] : m_members)
        out.append(m.get());
    return out;
}

const Channel *Realm::channel(const QString &name) const
{
    auto it = m_channels.find(ansi::foldAZ(name.trimmed()));
    return it == m_channels.end() ? nullptr : it->second.get();
}

QString Realm::flags(const Member &m, const Member &viewer) const
{
    int f = m.baseFlags;
    if (m.channel && m.channel->op == &m)
        f |= flag::Operator;
    if (viewer.squelched.contains(m.key))
        f |= flag::Squelched;
    return QStringLiteral("%1").arg(f, 4, 16, QLatin1Char('0'));
}

QString Realm::entry(const Member &m, const Member &viewer) const
{
    return m.name + QLatin1Char(' ') + flags(m, viewer) + QStringLiteral(" [") + m.product
        + QLatin1Char(']');
}

void Realm::send(Member &to, const QString &line)
{
    if (to.deliver)
        to.deliver(ansi::toBytes(line));
}

void Realm::info(Member &to, const QString &text) { send(to, QStringLiteral("1018 INFO ") + quoted(text)); }

void Realm::error(Member &to, const QString &text) { send(to, QStringLiteral("1019 ERROR ") + quoted(text)); }

void Realm::broadcast(const QString &text)
{
    for (Member *m : members())
        send(*m, QStringLiteral("1006 BROADCAST ") + quoted(text));
}

Channel &Realm::channelFor(const QString &name)
{
    const QString key = ansi::foldAZ(name);
    auto &slot = m_channels[key];
    if (!slot) {
        slot = std::make_unique<Channel>();
        slot->name = name;
        slot->key = key;
    }
    return *slot;
}

bool Realm::join(Member &m, const QString &channelName)
{
    const QString name = channelName.trimmed();
    const QString key = ansi::foldAZ(name);
    if (m.channel && m.channel->key == key)
        return true;
    if (key == m_void.key) {
        moveTo(m, m_void);
        return true;
    }
    if (m_missing.contains(key)) {
        send(m, QStringLiteral("1014 CHANNELDOESNOTEXIST ") + quoted(name));
        return false;
    }
    if (m_restricted.contains(key)) {
        send(m, QStringLiteral("1015 CHANNELRESTRICTED ") + quoted(name));
        return false;
    }
    auto existing = m_channels.find(key);
    const int present = existing == m_channels.end() ? 0 : int(existing->second->members.size());
    if (m_limits.contains(key) && present >= m_limits.value(key)) {
        send(m, QStringLiteral("1013 CHANNELFULL ") + quoted(name));
        return false;
    }
    if (existing != m_channels.end()) {
        const QSet<QString> &bans = existing->second->bans;
        if (bans.contains(m.key) || bans.contains(ansi::foldAZ(m.account))) {
            error(m, QStringLiteral("You are banned from that channel."));
            return false;
        }
    }
    moveTo(m, channelFor(name));
    return true;
}

void Realm::rejoin(Member &m)
{
    Channel *c = m.channel;
    if (!c)
        return;
    if (c->hidden) {
        // Nobody sees the void, so only the joiner's own lines change.
        leaveChannel(m);
        moveTo(m, m_void);
        return;
    }
    const QString name = c->name;
    leaveChannel(m); // may destroy c
    moveTo(m, channelFor(name));
}

void Realm::toVoid(Member &m) { moveTo(m, m_void); }

void Realm::moveTo(Member &m, Channel &c)
{
    leaveChannel(m);
    // A new channel gets its first member as operator; the void has none.
    if (c.members.isEmpty() && !c.hidden)
        c.op = &m;
    c.members.append(&m);
    m.channel = &c;
    send(m, QStringLiteral("1007 CHANNEL ") + quoted(c.name));
    send(m, QStringLiteral("1001 USER ") + entry(m, m));
    if (c.hidden)
        return;
    const QList<Member *> others = c.members;
    for (Member *o : others)
        if (o != &m)
            send(m, QStringLiteral("1001 USER ") + entry(*o, m));
    for (Member *o : others)
        if (o != &m)
            send(*o, QStringLiteral("1002 JOIN ") + entry(m, *o));
}

void Realm::leaveChannel(Member &m)
{
    Channel *c = m.channel;
    if (!c)
        return;
    if (!c->hidden) {
        for (Member *o : c->members)
            if (o != &m)
                send(*o, QStringLiteral("1003 LEAVE ") + m.name + QLatin1Char(' ') + flags(m, *o));
    }
    c->members.removeOne(&m);
    m.channel = nullptr;
    if (c->heir == &m)
        c->heir = nullptr;
    if (c->op == &m) {
        c->op = c->heir;
        c->heir = nullptr;
        if (c->op)
            flagsChanged(*c->op);
    }
    if (c->members.isEmpty() && c != &m_void)
        m_channels.erase(c->key);
}

void Realm::flagsChanged(Member &m)
{
    if (!m.channel || m.channel->hidden) {
        send(m, QStringLiteral("1009 USER ") + m.name + QLatin1Char(' ') + flags(m, m));
        return;
    }
    const QList<Member *> all = m.channel->members;
    for (Member *o : all)
        send(*o, QStringLiteral("1009 USER ") + m.name + QLatin1Char(' ') + flags(m, *o));
}

void Realm::kick(Member &op, Member &target, const QString &reason)
{
    info(target, op.name + QStringLiteral(" kicked you out of the channel!"));
    const QList<Member *> all = op.channel->members;
    for (Member *o : all)
        if (o != &target)
            info(*o, withReason(target.name + QStringLiteral(" was kicked out of the channel by ") + op.name, reason));
    moveTo(target, m_void);
}

void Realm::ban(Member &op, const QString &targetName, const QString &reason)
{
    Channel &c = *op.channel;
    Member *target = find(targetName);
    const QString shown = target ? target->name : targetName;
    c.bans.insert(ansi::foldAZ(shown));
    if (target)
        c.bans.insert(ansi::foldAZ(target->account));
    const QList<Member *> all = c.members;
    if (target && target->channel == &c)
        info(*target, op.name + QStringLiteral(" banned you from the channel!"));
    for (Member *o : all)
        if (o != target)
            info(*o, withReason(shown + QStringLiteral(" was banned by ") + op.name, reason));
    if (target && target->channel == &c)
        moveTo(*target, m_void);
}

bool Realm::unban(Member &op, const QString &targetName)
{
    Channel &c = *op.channel;
    Member *target = find(targetName);
    QSet<QString> keys{ansi::foldAZ(targetName.trimmed())};
    if (target)
        keys << target->key << ansi::foldAZ(target->account);
    bool any = false;
    for (const QString &k : keys)
        any |= c.bans.remove(k);
    if (!any)
        return false;
    const QString shown = target ? target->name : targetName.trimmed();
    const QList<Member *> all = c.members;
    for (Member *o : all)
        info(*o, shown + QStringLiteral(" was unbanned by ") + op.name + QLatin1Char('.'));
    return true;
}

void Realm::talk(Member &from, const QString &text)
{
    Channel *c = from.channel;
    if (!c || c->hidden || c->members.size() < 2) {
        info(from, QStringLiteral("No one hears you."));
        return;
    }
    const QList<Member *> all = c->members;
    for (Member *o : all)
        if (o != &from && !o->squelched.contains(from.key))
            send(*o, QStringLiteral("1005 TALK ") + from.name + QLatin1Char(' ') + flags(from, *o)
                         + QLatin1Char(' ') + quoted(text));
}

void Realm::emote(Member &from, const QString &text)
{
    Channel *c = from.channel;
    const QList<Member *> all = (!c || c->hidden) ? QList<Member *>{&from} : c->members;
    for (Member *o : all)
        if (o == &from || !o->squelched.contains(from.key))
            send(*o, QStringLiteral("1023 EMOTE ") + from.name + QLatin1Char(' ') + flags(from, *o)
                         + QLatin1Char(' ') + quoted(text));
}

Realm::WhisperResult Realm::whisper(Member &from, const QString &toName, const QString &text)
{
    Member *to = find(toName);
    if (!to)
        return WhisperResult::NotOnline;
    if (to->dnd) {
        info(from, withReason(to->name + QStringLiteral(" is unavailable"), to->dndText));
        return WhisperResult::Refused;
    }
    // A squelching receiver does not hear it; the sender is not told so.
    if (!to->squelched.contains(from.key))
        send(*to, QStringLiteral("1004 WHISPER ") + from.name + QLatin1Char(' ') + flags(from, *to)
                      + QLatin1Char(' ') + quoted(text));
    send(from, QStringLiteral("1010 WHISPER ") + to->name + QLatin1Char(' ') + flags(*to, from)
                   + QLatin1Char(' ') + quoted(text));
    if (to->away)
        info(from, withReason(to->name + QStringLiteral(" is away"), to->awayText));
    if (to->onWhisper && !to->squelched.contains(from.key))
        to->onWhisper(from.name, text);
    return WhisperResult::Sent;
}

void Realm::setSquelch(Member &m, Member &target, bool on)
{
    if (on)
        m.squelched.insert(target.key);
    else
        m.squelched.remove(target.key);
    if (target.channel && target.channel == m.channel && !target.channel->hidden)
        send(m, QStringLiteral("1009 USER ") + target.name + QLatin1Char(' ') + flags(target, m));
}

} // namespace gw
