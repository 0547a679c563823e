#include "automation/Automation.h"

#include <limits>

#include "profile/Profile.h"

void tAutomation::TimerTimer()
{
    // Not logged on: both duties stand still, counts and recital alike.
    if (!m_host.LoggedOn())
        return;
    timedMessages();
    ReciteStep();
}

void tAutomation::timedMessages()
{
    tProfile &p = m_host.Profile();
    if (!p.Settings.RespondTimers() || !p.Settings.MasterEvents())
        return;
    if (m_timerCounts.size() != p.TimerList.size()) {
        m_timerCounts.clear();
        for (int i = 0; i < p.TimerList.size(); ++i)
            m_timerCounts.append(QStringLiteral("0"));
    }
    for (int i = 0; i < p.TimerList.size(); ++i) {
        const int count = ReadDecimal(m_timerCounts[i], 0);
        // A missing or unreadable interval means never.
        const int interval = ReadDecimal(EntryAt(p.IntervalList, i), std::numeric_limits<int>::max());
        if (count < interval) {
            m_timerCounts[i] = QString::number(count + 1);
            continue;
        }
        const QString text = Expand(p.TimerList[i], m_host.UniqueName(), QString());
        send(text, TBnetChat::OwnAutomatic);
        m_host.EchoOwnText(text);
        m_timerCounts[i] = QStringLiteral("0");
    }
}

bool tAutomation::RunMacros(QChar key, const QString &user, QString &entryText)
{
    if (!m_host.LoggedOn())
        return false;
    tProfile &p = m_host.Profile();
    bool fired = false;
    for (int i = 0; i < p.MacroKeys.size(); ++i) {
        const QString &k = p.MacroKeys[i];
        const QString macro = EntryAt(p.MacroList, i);
        if (k.isEmpty() || k.at(0).toUpper() != key || macro.isEmpty())
            continue;
        const QString text = Expand(macro, user, entryText);
        entryText.clear();
        m_host.EchoOwnText(text);
        send(text, TBnetChat::Typed);
        fired = true;
    }
    return fired;
}
