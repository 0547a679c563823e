#include "dialogs/AppearanceModel.h"

#include "profile/Profile.h"

namespace {
struct Item { const char *caption; ColorRole role; };
const Item Items[tAppearanceModel::ItemCount] = {
    {"Info Color", InfoColor},
    {"Text Color", TextColor},
    {"Emote Color", EmoteColor},
    {"Error Color", ErrorColor},
    {"Whisper Color", WhisperColor},
    {"User List Color", UserListColor},
    {"Custom User Color", CustomUserColor},
    {"Entry Color", EntryColor},
    {"Name Color", NameColor},
    {"Chat Background", ChatBackground},
    {"Whisper Background", WhisperBackground},
    {"Entry Background", EntryBackground},
    {"User List Background", UserListBackground},
    {"Custom User Background", CustomUserBackground},
    {"Your Text Color", YourTextColor},
    {"Your Name Color", YourNameColor},
    {"Highlight Color", HighlightColor},
    {"Highlight Background", HighlightBackground},
};
} // namespace

QString tAppearanceModel::ItemCaption(int item)
{
    return item >= 0 && item < ItemCount ? QString::fromLatin1(Items[item].caption) : QString();
}

ColorRole tAppearanceModel::ItemRole(int item)
{
    return item >= 0 && item < ItemCount ? Items[item].role : InfoColor;
}

void tAppearanceModel::SelectItem(int item)
{
    if (item >= 0 && item < ItemCount)
        m_item = item;
}

QColor tAppearanceModel::RoleColor(ColorRole role) const
{
    return bgrToColor(m_profile.Settings.Color(role));
}

QColor tAppearanceModel::ItemColor() const
{
    return RoleColor(ItemRole(m_item));
}

void tAppearanceModel::ChangeColor(const std::optional<QColor> &picked)
{
    m_profile.Modified = true;
    if (picked && picked->isValid())
        m_profile.Settings.setColor(ItemRole(m_item), colorToBgr(*picked));
    if (ApplyAppearance)
        ApplyAppearance();
}

QFont tAppearanceModel::PickerDefault()
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSize(8);
    return f;
}

QFont tAppearanceModel::PickerStart() const
{
    return m_lastFont ? *m_lastFont : PickerDefault();
}

void tAppearanceModel::ChangeFont(FontTarget target, const std::optional<QFont> &picked)
{
    if (!picked)
        return;
    m_lastFont = *picked;
    tChatSettings &s = m_profile.Settings;
    const std::uint32_t colour = s.Color(TextColor);
    switch (target) {
    case ChatFontTarget: {
        tFontRec rec = s.ChatFont();
        CaptureFont(*picked, colour, rec);
        s.setChatFont(rec);
        break;
    }
    case WhisperFontTarget: {
        tFontRec rec = s.WhisperFont();
        CaptureFont(*picked, colour, rec);
        s.setWhisperFont(rec);
        break;
    }
    case UserListFontTarget: {
        tFontRec rec = s.UserListFont();
        CaptureFont(*picked, colour, rec);
        s.setUserListFont(rec);
        break;
    }
    }
    if (ApplyAppearance)
        ApplyAppearance();
    m_profile.Modified = true;
}
