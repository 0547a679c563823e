#pragma once
#include "automation/AccountLookup.h"
#include "view/ChannelEvents.h"

// Stands between the channel events and the automation: every hook goes on to the automation (when
// one is plugged in), and each information line also to the account lookup.
class TAccountHooks : public tAutomationHooks
{
public:
    explicit TAccountHooks(tAccountLookup &lookup) : m_lookup(lookup) {}
    tAutomationHooks *Automation = nullptr;

    void RespondToPhrase(const QString &u, const QString &m) override { if (Automation) Automation->RespondToPhrase(u, m); }
    void RespondToWhisper(const QString &u, const QString &m) override { if (Automation) Automation->RespondToWhisper(u, m); }
    void RespondToJoin(const QString &u) override { if (Automation) Automation->RespondToJoin(u); }
    void CheckBanList(const QString &u) override { if (Automation) Automation->CheckBanList(u); }
    void CheckBanAllExcept(const QString &u) override { if (Automation) Automation->CheckBanAllExcept(u); }
    void RunProductAction(const QString &u, const QString &p) override { if (Automation) Automation->RunProductAction(u, p); }
    void RunRemoteCommand(const QString &c, const QString &t) override { if (Automation) Automation->RunRemoteCommand(c, t); }
    void ParseAccountInfo(const QString &line) override
    {
        if (Automation)
            Automation->ParseAccountInfo(line);
        m_lookup.ParseAccountInfo(line);
    }

private:
    tAccountLookup &m_lookup;
};
