#pragma once
// Pretend users for the demo: they log on in-process, talk, emote, whisper the real users, leave
// and come back, one action at a time at a human pace.
#include <QObject>
#include <QRandomGenerator>
#include <QStringList>
#include <QTimer>
#include <vector>

namespace gw {

class Realm;
struct Options;

class SimUsers : public QObject
{
    Q_OBJECT
public:
    SimUsers(Realm &realm, const Options &options, QObject *parent = nullptr);
    ~SimUsers() override;

    void start(); // everyone logs on and joins the first channel; the pace timer starts
    void stop();  // everyone logs off
    // One action of one user; the timer calls it, tests may call it directly.
    void step();
    void pause() { m_timer.stop(); } // users stay, but act only when step() is called
    int nextDelayMs() const { return m_timer.isActive() ? m_timer.interval() : -1; }

    QStringList names() const;
    int actions() const { return m_actions; }
    // What the last step did, for tests and the demo's log: "talk", "emote", "whisper",
    // "leave", "return", "rejoin".
    QString lastAction() const { return m_lastAction; }

private:
    struct Sim
    {
        QString name;
        QString product;
        int id = 0;
        bool online = false;
        bool replyPending = false;
    };

    void logOn(Sim &s);
    void logOff(Sim &s);
    void answerWhisper(int index, const QString &from);
    void scheduleNext();
    int pace(int percentLow, int percentHigh);
    QString pick(const QStringList &from);

    Realm &m_realm;
    const Options &m_opt;
    std::vector<Sim> m_sims;
    QRandomGenerator m_rng;
    QTimer m_timer;
    int m_actions = 0;
    QString m_lastAction;
};

} // namespace gw
