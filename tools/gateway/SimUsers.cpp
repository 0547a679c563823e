#include "gateway/SimUsers.h"

#include "gateway/Gateway.h"
#include "gateway/Realm.h"

namespace gw {

namespace {
const QStringList Names = {
    QStringLiteral("Ardent"),  QStringLiteral("Brisk"),   QStringLiteral("Corvin"), QStringLiteral("Delphine"),
    QStringLiteral("Ember"),   QStringLiteral("Fennick"), QStringLiteral("Galen"),  QStringLiteral("Harrow"),
    QStringLiteral("Isolde"),  QStringLiteral("Jasper"),  QStringLiteral("Kestrel"), QStringLiteral("Lumen"),
    QStringLiteral("Morrow"),  QStringLiteral("Nyssa"),   QStringLiteral("Orrin"),  QStringLiteral("Perrin"),
};
const QStringList Products = {
    QStringLiteral("STAR"), QStringLiteral("SEXP"), QStringLiteral("W2BN"), QStringLiteral("D2DV"),
    QStringLiteral("CHAT"), QStringLiteral("D2XP"), QStringLiteral("WAR3"), QStringLiteral("DRTL"),
};
const QStringList Talk = {
    QStringLiteral("hi all"),
    QStringLiteral("anyone up for a game later?"),
    QStringLiteral("lag is terrible tonight"),
    QStringLiteral("gg everyone"),
    QStringLiteral("brb, getting coffee"),
    QStringLiteral("what map are you playing these days?"),
    QStringLiteral("lol"),
    QStringLiteral("does anyone know a good tank rush counter?"),
    QStringLiteral("back"),
    QStringLiteral("this channel is quiet today"),
    QStringLiteral("I finally beat the last mission \"on hard\""),
    QStringLiteral("see you all tomorrow"),
};
const QStringList Emotes = {
    QStringLiteral("waves"),
    QStringLiteral("yawns"),
    QStringLiteral("is looking for a team"),
    QStringLiteral("laughs"),
    QStringLiteral("stretches"),
};
const QStringList Whispers = {
    QStringLiteral("hey, want to join a game?"),
    QStringLiteral("nice to see you here"),
    QStringLiteral("are you the one with the chat bot?"),
};
const QStringList Replies = {
    QStringLiteral("sorry, busy right now"),
    QStringLiteral("hehe, thanks"),
    QStringLiteral("sure, later maybe"),
};
} // namespace

SimUsers::SimUsers(Realm &realm, const Options &options, QObject *parent)
    : QObject(parent), m_realm(realm), m_opt(options), m_rng(options.seed)
{
    const int n = qMax(0, options.simulatedUsers);
    m_sims.resize(size_t(n));
    for (int i = 0; i < n; ++i) {
        Sim &s = m_sims[size_t(i)];
        const int round = i / int(Names.size());
        s.name = Names[i % Names.size()] + (round ? QString::number(round + 1) : QString());
        s.product = Products[i % Products.size()];
        s.id = -(i + 1);
    }
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        step();
        scheduleNext();
    });
}

SimUsers::~SimUsers() { stop(); }

QStringList SimUsers::names() const
{
    QStringList out;
    for (const Sim &s : m_sims)
        out.append(s.name);
    return out;
}

int SimUsers::pace(int percentLow, int percentHigh)
{
    const int percent = int(m_rng.bounded(percentLow, percentHigh + 1));
    return int(qint64(qMax(1, m_opt.simulatedPaceMs)) * percent / 100);
}

QString SimUsers::pick(const QStringList &from) { return from[int(m_rng.bounded(int(from.size())))]; }

void SimUsers::start()
{
    for (Sim &s : m_sims)
        logOn(s);
    scheduleNext();
}

void SimUsers::stop()
{
    m_timer.stop();
    for (Sim &s : m_sims)
        logOff(s);
}

void SimUsers::scheduleNext()
{
    if (!m_sims.empty())
        m_timer.start(pace(50, 150));
}

void SimUsers::logOn(Sim &s)
{
    if (s.online)
        return;
    auto m = std::make_unique<Member>();
    m->id = s.id;
    m->account = s.name;
    m->name = m_realm.freeName(s.name);
    m->product = s.product;
    m->accountNumber = 900 + int(&s - m_sims.data());
    const int index = int(&s - m_sims.data());
    m->onWhisper = [this, index](const QString &from, const QString &) { answerWhisper(index, from); };
    s.online = true;
    m_realm.enter(std::move(m));
}

void SimUsers::logOff(Sim &s)
{
    if (!s.online)
        return;
    m_realm.remove(s.id);
    s.online = false;
    s.replyPending = false;
}

void SimUsers::answerWhisper(int index, const QString &from)
{
    Sim &s = m_sims[size_t(index)];
    // One answer at a time, however much they are whispered: they never flood.
    if (s.replyPending)
        return;
    s.replyPending = true;
    const QString text = pick(Replies);
    QTimer::singleShot(pace(30, 60), this, [this, index, from, text] {
        Sim &s = m_sims[size_t(index)];
        if (!s.replyPending)
            return;
        s.replyPending = false;
        if (Member *me = m_realm.byId(s.id))
            m_realm.whisper(*me, from, text);
    });
}

void SimUsers::step()
{
    if (m_sims.empty())
        return;
    ++m_actions;
    Sim &s = m_sims[size_t(m_rng.bounded(int(m_sims.size())))];
    if (!s.online) {
        logOn(s);
        m_lastAction = QStringLiteral("return");
        return;
    }
    Member *me = m_realm.byId(s.id);
    if (!me)
        return;
    if (!me->channel || me->channel->hidden) { // kicked or banned: try the first channel again
        m_realm.join(*me, m_opt.firstChannel);
        m_lastAction = QStringLiteral("rejoin");
        return;
    }
    QList<Member *> people;
    for (Member *m : m_realm.members())
        if (m->id > 0)
            people.append(m);
    const int roll = int(m_rng.bounded(100));
    if (roll < 70 || (roll < 82 && people.isEmpty())) {
        if (roll < 50 || roll >= 70) {
            m_realm.talk(*me, pick(Talk));
            m_lastAction = QStringLiteral("talk");
        } else {
            m_realm.emote(*me, pick(Emotes));
            m_lastAction = QStringLiteral("emote");
        }
    } else if (roll < 82) {
        Member *to = people[int(m_rng.bounded(int(people.size())))];
        m_realm.whisper(*me, to->name, pick(Whispers));
        m_lastAction = QStringLiteral("whisper");
    } else {
        logOff(s);
        m_lastAction = QStringLiteral("leave");
    }
}

} // namespace gw
