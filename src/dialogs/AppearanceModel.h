#pragma once
#include <QFont>
#include <QString>
#include <functional>
#include <optional>

#include "profile/ChatSettings.h"

struct tProfile;

// The appearance dialog's rules: the colour items and the role each stands for, the elements of
// the miniatures, and what changing a colour or a font writes. Every change goes into the live
// profile at once and is applied to the main window through `ApplyAppearance`.
class tAppearanceModel
{
public:
    static constexpr int ItemCount = 18;
    static QString ItemCaption(int item);
    static ColorRole ItemRole(int item);

    enum FontTarget { ChatFontTarget, WhisperFontTarget, UserListFontTarget };

    explicit tAppearanceModel(tProfile &profile) : m_profile(profile) {}

    std::function<void()> ApplyAppearance;

    int Item() const { return m_item; }
    void SelectItem(int item);
    QColor ItemColor() const;
    QColor RoleColor(ColorRole role) const;

    // "&Change...": marks whatever the picker answered (nothing when it was cancelled).
    void ChangeColor(const std::optional<QColor> &picked);

    // The picker's starting font: its own default at first, then the one picked last.
    QFont PickerStart() const;
    static QFont PickerDefault();
    // A cancelled pick (no font) changes nothing.
    void ChangeFont(FontTarget target, const std::optional<QFont> &picked);

private:
    tProfile &m_profile;
    int m_item = 0;
    std::optional<QFont> m_lastFont;
};
