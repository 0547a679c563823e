#pragma once
#include <QColor>
#include <QString>
#include <array>
#include <cstdint>

class QFont;

// Colour slots of the settings record's colour table (0x00BBGGRR values).
enum ColorRole : int {
    InfoColor = 0, ErrorColor = 1, NameColor = 2, TextColor = 3, YourTextColor = 4, EmoteColor = 5,
    UserListColor = 6, HighlightColor = 7, HighlightBackground = 8, WhisperColor = 9,
    ReservedColor10 = 10, WhisperBackground = 11, EntryBackground = 12, EntryColor = 13,
    YourNameColor = 14, ChatBackground = 15, UserListBackground = 16, CustomUserBackground = 17,
    CustomUserColor = 18,
    ColorSlotCount = 19
};

// A font as stored in the settings record (274 bytes, at a given offset of it).
struct tFontRec
{
    static constexpr int Size = 274;
    static constexpr int ColorOffset = 4, NameOffset = 12, NameCapacity = 255, PitchOffset = 268,
                         SizeOffset = 269, StyleOffset = 273;
    enum Style : std::uint8_t { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };
    enum Pitch : std::uint8_t { DefaultPitch = 0, VariablePitch = 1, FixedPitch = 2 };

    std::uint32_t Color = 0x00FFFF00;
    QString Name = QStringLiteral("Arial");
    std::uint8_t FontPitch = 0;
    std::int32_t FontSize = 10;
    std::uint8_t FontStyle = 0;
};

// Every Boolean (B), integer (I), string (S, capacity 255), path (P, capacity 255, the file
// system's bytes) and the Version string (V, capacity 4) of the settings record, once: the
// accessors are declared and defined from this list.
#define QC_SETTINGS_FIELDS(B, I, S, V, P) \
    B(IncludePlainText) B(EnterLeaveNotify) B(IncludeIcons) \
    S(UserName) S(Password) S(Server) S(HomeChannel) S(AwayMessage) S(DNDMessage) \
    I(ReciteDelay) \
    B(WhoisOnJoin) B(AutoRejoin) B(ShowToolbar) \
    P(LogFileName) \
    B(LogTime) B(LogEvents) B(KeepLog) \
    V(Version) \
    I(ConnectTimeout) I(LoginTimeout) \
    B(AllowMultiPasswords) B(AcceptSounds) B(RespondPhrases) B(RespondWhispers) \
    B(MasterEvents) B(AutoBan) B(BanAllExcept) B(RespondJoins) \
    S(JoinResponse) \
    B(RespondTimers) B(PlaySoundsLocally) B(AutoReconnect) B(UseGameServer) \
    B(ShowFavorites)

// The profile's settings record: exactly the 4096 bytes of the profile file. Fields are read and
// written through accessors at their fixed offsets; bytes no accessor touches survive unchanged.
class tChatSettings
{
public:
    static constexpr int Size = 4096;
    static constexpr int ChatFontOffset = 0, WhisperFontOffset = 274, UserListFontOffset = 548;
    static constexpr int ColorsOffset = 822;
    static constexpr int StringCapacity = 255, VersionCapacity = 4;
    static constexpr int ReservedFlagsOffset = 2709, ReservedFlagsCount = 4;

    std::array<std::uint8_t, Size> bytes{};

    tFontRec ChatFont() const;
    void setChatFont(const tFontRec &f);
    tFontRec WhisperFont() const;
    void setWhisperFont(const tFontRec &f);
    tFontRec UserListFont() const;
    void setUserListFont(const tFontRec &f);

    std::uint32_t Color(int slot) const;
    void setColor(int slot, std::uint32_t bgr);

    // Booleans, integers and strings, by their names in the record.
#define QC_BOOL(name) bool name() const; void set##name(bool v);
#define QC_INT(name) std::int32_t name() const; void set##name(std::int32_t v);
#define QC_STR(name) QString name() const; void set##name(const QString &v);
    QC_SETTINGS_FIELDS(QC_BOOL, QC_INT, QC_STR, QC_STR, QC_STR)
#undef QC_BOOL
#undef QC_INT
#undef QC_STR
    // 0..7; a stored value outside that range reads as the default 2 so it can index the action list.
    std::uint8_t DoubleClickAction() const; void setDoubleClickAction(std::uint8_t v);
    // Never read; kept for the stored layout. The four flags at 2709 are set by the reset and by
    // the upgrade of old records; byte 2986 is written 0 by each confirmed setup dialog.
    void setReservedFlags(bool v);
    void setReservedByte2986(std::uint8_t v);
};
static_assert(sizeof(tChatSettings) == tChatSettings::Size, "the settings record is one 4096-byte block");

// Stored colours are 0x00BBGGRR (red in the low byte).
inline QColor bgrToColor(std::uint32_t bgr) { return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF)); }
inline std::uint32_t colorToBgr(const QColor &c)
{
    return std::uint32_t(c.red()) | (std::uint32_t(c.green()) << 8) | (std::uint32_t(c.blue()) << 16);
}

// Gives every field its default; AwayMessage and DNDMessage are left as they are.
void ResetSettings(tChatSettings &s);

// Font record <-> display font (colour is carried separately by the record; Qt fonts have none).
// Pitch: default leaves the font's fixed-pitch property unset, variable sets it false, fixed sets
// it true with a monospace style hint. A stored size outside 1..MaxFontSize applies as 10 points.
void ApplyFont(const tFontRec &rec, QFont &font);
void CaptureFont(const QFont &font, std::uint32_t color, tFontRec &rec);
constexpr int MaxFontSize = 500;
