#pragma once
#include <QString>
#include <array>

struct tProfile;

// The working table of the "Macro Keys" dialog: one text per letter A..Z.
class tMacroTable
{
public:
    static constexpr int SlotCount = 26;
    static constexpr int MaxText = 254;

    // Every row with a key fills the slot of its upper-cased first letter; a later row wins.
    explicit tMacroTable(tProfile &profile);

    int Selected() const { return m_selected; }
    void Select(int slot);
    QString Text(int slot) const;
    // The edit field changed: stored in the selected slot, and the profile counts as changed even
    // when the dialog is then cancelled.
    void SetText(const QString &text);
    // One row per slot that holds a text, in letter order.
    void Apply();

private:
    tProfile &m_profile;
    std::array<QString, SlotCount> m_slots;
    int m_selected = 0;
};
