#include "automation/Macros.h"

#include "profile/Profile.h"

tMacroTable::tMacroTable(tProfile &profile) : m_profile(profile)
{
    for (int i = 0; i < profile.MacroKeys.size(); ++i) {
        const QString &key = profile.MacroKeys[i];
        if (key.isEmpty())
            continue;
        const int slot = key.at(0).toUpper().unicode() - 'A';
        if (slot >= 0 && slot < SlotCount)
            m_slots[size_t(slot)] = i < profile.MacroList.size() ? profile.MacroList[i] : QString();
    }
}

void tMacroTable::Select(int slot)
{
    if (slot >= 0 && slot < SlotCount)
        m_selected = slot;
}

QString tMacroTable::Text(int slot) const
{
    return slot >= 0 && slot < SlotCount ? m_slots[size_t(slot)] : QString();
}

void tMacroTable::SetText(const QString &text)
{
    m_slots[size_t(m_selected)] = text.left(MaxText);
    m_profile.Modified = true;
}

void tMacroTable::Apply()
{
    m_profile.MacroKeys.clear();
    m_profile.MacroList.clear();
    for (int i = 0; i < SlotCount; ++i) {
        if (m_slots[size_t(i)].isEmpty())
            continue;
        m_profile.MacroKeys.append(QString(QChar('A' + i)));
        m_profile.MacroList.append(m_slots[size_t(i)]);
    }
}
