#pragma once
// A recording host: every line sent, echoed and written, in order, as the automation produced it.
#include <QStringList>

#include "automation/Automation.h"
#include "profile/Profile.h"

struct FakeHost : tAutomationHost
{
    tProfile profile;
    QStringList sent;    // the text as given, carriage return included
    QList<LineClass> classes;
    QStringList echoed;  // what EchoOwnText received
    QStringList written; // transcript lines: "<own> text" or the text
    bool loggedOn = true;
    QString unique = QStringLiteral("Bot"), server = QStringLiteral("127.0.0.1"), channel = QStringLiteral("Lobby");
    QStringList users;
    QString ignore;
    int connectRuns = 0;

    void SendLine(const QString &text, LineClass cls) override
    {
        sent << text;
        classes << cls;
    }
    void EchoOwnText(const QString &text) override { echoed << text; }
    void WriteOwnLine(const QString &text) override { written << QLatin1String("<own> ") + text; }
    void WriteLine(const QString &text, int) override { written << text; }
    bool LoggedOn() const override { return loggedOn; }
    QString UniqueName() const override { return unique; }
    QString CurrentServer() const override { return server; }
    QString CurrentChannel() const override { return channel; }
    int ChannelUserCount() const override { return int(users.size()); }
    QString ChannelUser(int index) const override { return users.value(index); }
    QString IgnorePrefix() const override { return ignore; }
    tProfile &Profile() override { return profile; }
    void RunConnectAction() override { ++connectRuns; }
};

// The host and the automation on it, with every switch on unless a test says otherwise.
struct Rig
{
    QStringList lines;
    QString fileName, target;
    FakeHost host;
    tAutomation a{host, lines, fileName, target};
    // Each reading of the clock is a minute after the last, so no test meets the answer bound
    // unless it sets a clock of its own.
    qint64 now = 0;
    Rig()
    {
        a.SetClock([this] { return now += 60 * 1000; });
        tChatSettings &s = host.profile.Settings;
        for (auto set : {&tChatSettings::setMasterEvents, &tChatSettings::setRespondPhrases, &tChatSettings::setRespondWhispers,
                         &tChatSettings::setRespondJoins, &tChatSettings::setAutoBan, &tChatSettings::setRespondTimers})
            (s.*set)(true);
        a.SetRandom([](int) { return 0; });
    }
    // Sent lines without their carriage return (a line sent without one is marked "[raw]").
    QStringList out() const
    {
        QStringList r;
        for (const QString &l : host.sent)
            r << (l.endsWith(QLatin1Char('\r')) ? l.chopped(1) : QLatin1String("[raw]") + l);
        return r;
    }
    void clear()
    {
        host.sent.clear();
        host.classes.clear();
        host.echoed.clear();
        host.written.clear();
    }
};
