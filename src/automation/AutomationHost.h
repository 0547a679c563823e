#pragma once
#include <QString>
#include <QStringList>

#include "net/Interpreters.h"

struct tProfile;

// All the automation needs from the window around it.
class tAutomationHost
{
public:
    using LineClass = TBnetChat::LineClass;
    virtual ~tAutomationHost() = default;
    // One line through the window's send path, carriage return included by the caller.
    virtual void SendLine(const QString &text, LineClass cls) = 0;
    // The client's own chat text, as the window shows it; commands ("/...") are not echoed.
    virtual void EchoOwnText(const QString &text) = 0;
    // "<" + UniqueName + "> " + text in the own colours, whatever the text begins with.
    virtual void WriteOwnLine(const QString &text) = 0;
    // A line of the main transcript in one colour role of the profile.
    virtual void WriteLine(const QString &text, int colorRole) = 0;
    virtual bool LoggedOn() const = 0;
    virtual QString UniqueName() const = 0;
    virtual QString CurrentServer() const = 0;
    virtual QString CurrentChannel() const = 0;
    // The users listed, by position: <random> asks only for the one it draws.
    virtual int ChannelUserCount() const = 0;
    virtual QString ChannelUser(int index) const = 0;
    virtual QString IgnorePrefix() const = 0;
    virtual tProfile &Profile() = 0;
    // The Connect action (a disconnect while logged on), its check mark cleared.
    virtual void RunConnectAction() = 0;
};
