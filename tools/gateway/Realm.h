#pragma once
// Who is logged on and which channel each user is in, and the lines every move produces.
#include "gateway/Accounts.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <functional>
#include <map>
#include <memory>

namespace gw {

struct Options;
struct Channel;

namespace flag {
constexpr int Staff = 0x01;
constexpr int Operator = 0x02;
constexpr int Admin = 0x08;
constexpr int NoUdp = 0x10;
constexpr int Squelched = 0x20;
} // namespace flag

struct Member
{
    int id = 0;       // connection id; simulated users are negative
    QString account;  // the account's name as stored
    QString name;     // the name shown to everyone ("Bob" or, for a second login, "Bob#2")
    QString key;      // name with A..Z folded
    QString product = QStringLiteral("CHAT");
    int accountNumber = 0;
    int baseFlags = flag::NoUdp;
    Channel *channel = nullptr;
    bool away = false;
    bool dnd = false;
    QString awayText;
    QString dndText;
    QSet<QString> squelched; // folded names this user does not want to hear
    // Must not change the realm: it runs inside loops over channel members.
    std::function<void(const QByteArray &line)> deliver;
    // Called after a whisper reached this user (simulated users answer it later).
    std::function<void(const QString &from, const QString &text)> onWhisper;
};

struct Channel
{
    QString name;
    QString key;
    QList<Member *> members; // in order of arrival
    Member *op = nullptr;
    Member *heir = nullptr;
    QSet<QString> bans; // folded names
    bool hidden = false; // the void: nobody sees anybody
};

class Realm
{
public:
    explicit Realm(const Options &options);
    ~Realm();
    Realm(const Realm &) = delete;
    Realm &operator=(const Realm &) = delete;

    Accounts &accounts() { return m_accounts; }
    const Options &options() const { return m_opt; }

    // The name a new login of this account is shown with: the account's name, or with "#2",
    // "#3" ... while that name is taken.
    QString freeName(const QString &account) const;
    bool isOnline(const QString &account) const;

    // Registers a logged-on user and puts it into the first channel (the void when refused).
    Member *enter(std::unique_ptr<Member> m);
    // Takes the user out of its channel (the others see it leave) and forgets it.
    void remove(int id);
    void clear(); // forgets everyone without sending anything

    Member *find(const QString &name) const; // shown name, then account name
    Member *byId(int id) const;
    QList<Member *> members() const;
    const Channel *channel(const QString &name) const;
    int channelCount() const { return int(m_channels.size()); }

    // Channel moves. join() refuses restricted, missing, full and banning channels with the
    // matching line and returns false.
    bool join(Member &m, const QString &channel);
    void rejoin(Member &m);
    void toVoid(Member &m);
    void kick(Member &op, Member &target, const QString &reason);
    void ban(Member &op, const QString &target, const QString &reason);
    bool unban(Member &op, const QString &target);

    void talk(Member &from, const QString &text);
    void emote(Member &from, const QString &text);
    enum class WhisperResult { Sent, NotOnline, Refused };
    WhisperResult whisper(Member &from, const QString &to, const QString &text);
    void setSquelch(Member &m, Member &target, bool on);

    // One server line to one user; the line end is added.
    void send(Member &to, const QString &line);
    void info(Member &to, const QString &text);
    void error(Member &to, const QString &text);
    void broadcast(const QString &text);

    QString flags(const Member &m, const Member &viewer) const;
    static QString quoted(const QString &text) { return QLatin1Char('"') + text + QLatin1Char('"'); }
    // "Bob is away." or "Bob is away (out for lunch)."
    static QString withReason(const QString &text, const QString &reason)
    {
        return reason.isEmpty() ? text + QLatin1Char('.') : text + QStringLiteral(" (") + reason + QStringLiteral(").");
    }

private:
    void moveTo(Member &m, Channel &c);
    void leaveChannel(Member &m);
    Channel &channelFor(const QString &name);
    QString entry(const Member &m, const Member &viewer) const;
    void flagsChanged(Member &m);

    const Options &m_opt;
    Accounts m_accounts;
    std::map<int, std::unique_ptr<Member>> m_members;
    QHash<QString, Member *> m_byName;
    std::map<QString, std::unique_ptr<Channel>> m_channels;
    Channel m_void;
    QSet<QString> m_restricted, m_missing, m_staff;
    QHash<QString, int> m_limits;
};

} // namespace gw
