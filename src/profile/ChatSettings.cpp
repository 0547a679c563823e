#include "profile/ChatSettings.h"

#include "view/ChatDefs.h"

#include <QFont>
#include <QFontInfo>
#include <cstring>

using records::readString;
using records::readU32;
using records::writeString;
using records::writeU32;

namespace {

// Font record: two reserved words around the colour, then name, pitch, size and style.
constexpr int FontReserved0At = 0, FontReserved8At = 8;
static_assert(tFontRec::NameOffset + 1 + tFontRec::NameCapacity == tFontRec::PitchOffset, "");
static_assert(tFontRec::StyleOffset + 1 == tFontRec::Size, "");

// Settings record, in stored order.
constexpr int IncludePlainTextAt = 898, EnterLeaveNotifyAt = 899, IncludeIconsAt = 900;
constexpr int UserNameAt = 901, PasswordAt = 1157, ServerAt = 1413, HomeChannelAt = 1669;
constexpr int AwayMessageAt = 1925, DNDMessageAt = 2181;
constexpr int ReciteDelayAt = 2437, DoubleClickActionAt = 2441;
constexpr int WhoisOnJoinAt = 2442, AutoRejoinAt = 2443, ShowToolbarAt = 2444;
constexpr int LogFileNameAt = 2445;
constexpr int LogTimeAt = 2701, LogEventsAt = 2702, KeepLogAt = 2703;
constexpr int VersionAt = 2704;
constexpr int ConnectTimeoutAt = 2713, LoginTimeoutAt = 2717;
constexpr int AllowMultiPasswordsAt = 2721, AcceptSoundsAt = 2722, RespondPhrasesAt = 2723,
              RespondWhispersAt = 2724, MasterEventsAt = 2725, AutoBanAt = 2726,
              BanAllExceptAt = 2727, RespondJoinsAt = 2728;
constexpr int JoinResponseAt = 2729;
constexpr int RespondTimersAt = 2985, Reserved2986At = 2986, Reserved2987At = 2987;
constexpr int PlaySoundsLocallyAt = 2988, AutoReconnectAt = 2989, UseGameServerAt = 2990,
              ShowFavoritesAt = 2991;
constexpr int TailAt = 2992;

constexpr int StringField = 1 + tChatSettings::StringCapacity;
static_assert(tChatSettings::ColorsOffset + 4 * ColorSlotCount == IncludePlainTextAt, "");
static_assert(DNDMessageAt + StringField == ReciteDelayAt, "");
static_assert(LogFileNameAt + StringField == LogTimeAt, "");
static_assert(VersionAt + 1 + tChatSettings::VersionCapacity == tChatSettings::ReservedFlagsOffset, "");
static_assert(tChatSettings::ReservedFlagsOffset + tChatSettings::ReservedFlagsCount == ConnectTimeoutAt, "");
static_assert(JoinResponseAt + StringField == RespondTimersAt, "");
static_assert(tChatSettings::UserListFontOffset + tFontRec::Size == tChatSettings::ColorsOffset, "");

constexpr std::uint8_t DefaultDoubleClickAction = 2;
constexpr std::uint8_t MaxDoubleClickAction = 7;

tFontRec readFont(const std::uint8_t *at)
{
    tFontRec f;
    f.Color = readU32(at + tFontRec::ColorOffset);
    f.Name = readString(at + tFontRec::NameOffset, tFontRec::NameCapacity);
    f.FontPitch = at[tFontRec::PitchOffset];
    f.FontSize = std::int32_t(readU32(at + tFontRec::SizeOffset));
    f.FontStyle = at[tFontRec::StyleOffset];
    return f;
}

// The two reserved words are left alone.
void writeFont(std::uint8_t *at, const tFontRec &f)
{
    writeU32(at + tFontRec::ColorOffset, f.Color);
    writeString(at + tFontRec::NameOffset, tFontRec::NameCapacity, f.Name);
    at[tFontRec::PitchOffset] = f.FontPitch;
    writeU32(at + tFontRec::SizeOffset, std::uint32_t(f.FontSize));
    at[tFontRec::StyleOffset] = f.FontStyle;
}

void resetFont(std::uint8_t *at)
{
    writeU32(at + FontReserved0At, 0);
    writeU32(at + FontReserved8At, 0xFFFFFFFFu);
    writeFont(at, tFontRec{});
}

} // namespace

tFontRec tChatSettings::ChatFont() const { return readFont(&bytes[ChatFontOffset]); }
void tChatSettings::setChatFont(const tFontRec &f) { writeFont(&bytes[ChatFontOffset], f); }
tFontRec tChatSettings::WhisperFont() const { return readFont(&bytes[WhisperFontOffset]); }
void tChatSettings::setWhisperFont(const tFontRec &f) { writeFont(&bytes[WhisperFontOffset], f); }
tFontRec tChatSettings::UserListFont() const { return readFont(&bytes[UserListFontOffset]); }
void tChatSettings::setUserListFont(const tFontRec &f) { writeFont(&bytes[UserListFontOffset], f); }

std::uint32_t tChatSettings::Color(int slot) const
{
    if (slot < 0 || slot >= ColorSlotCount)
        return 0;
    return readU32(&bytes[size_t(ColorsOffset + 4 * slot)]);
}

void tChatSettings::setColor(int slot, std::uint32_t bgr)
{
    if (slot < 0 || slot >= ColorSlotCount)
        return;
    writeU32(&bytes[size_t(ColorsOffset + 4 * slot)], bgr);
}

#define QC_BOOL(name) \
    bool tChatSettings::name() const { return bytes[name##At] != 0; } \
    void tChatSettings::set##name(bool v) { bytes[name##At] = v ? 1 : 0; }
#define QC_INT(name) \
    std::int32_t tChatSettings::name() const { return std::int32_t(readU32(&bytes[name##At])); } \
    void tChatSettings::set##name(std::int32_t v) { writeU32(&bytes[name##At], std::uint32_t(v)); }
#define QC_STR_CAP(name, capacity) \
    QString tChatSettings::name() const { return readString(&bytes[name##At], capacity); } \
    void tChatSettings::set##name(const QString &v) { writeString(&bytes[name##At], capacity, v); }
#define QC_STR(name) QC_STR_CAP(name, StringCapacity)
#define QC_PATH(name) \
    QString tChatSettings::name() const { return records::readPath(&bytes[name##At], StringCapacity); } \
    void tChatSettings::set##name(const QString &v) { records::writePath(&bytes[name##At], StringCapacity, v); }

#define QC_VERSION(name) QC_STR_CAP(name, VersionCapacity)
QC_SETTINGS_FIELDS(QC_BOOL, QC_INT, QC_STR, QC_VERSION, QC_PATH)

#undef QC_BOOL
#undef QC_INT
#undef QC_STR
#undef QC_STR_CAP
#undef QC_PATH
#undef QC_VERSION

std::uint8_t tChatSettings::DoubleClickAction() const
{
    const std::uint8_t v = bytes[DoubleClickActionAt];
    return v <= MaxDoubleClickAction ? v : DefaultDoubleClickAction;
}

void tChatSettings::setDoubleClickAction(std::uint8_t v) { bytes[DoubleClickActionAt] = v; }

void tChatSettings::setReservedFlags(bool v)
{
    std::memset(&bytes[ReservedFlagsOffset], v ? 1 : 0, ReservedFlagsCount);
}

void tChatSettings::setReservedByte2986(std::uint8_t v) { bytes[Reserved2986At] = v; }

void ResetSettings(tChatSettings &s)
{
    // Everything else is rebuilt from zero; the away and DND reasons carry over.
    const QString away = s.AwayMessage(), dnd = s.DNDMessage();
    s.bytes.fill(0);
    s.setAwayMessage(away);
    s.setDNDMessage(dnd);

    resetFont(&s.bytes[tChatSettings::ChatFontOffset]);
    resetFont(&s.bytes[tChatSettings::WhisperFontOffset]);
    resetFont(&s.bytes[tChatSettings::UserListFontOffset]);

    static constexpr std::uint32_t colors[ColorSlotCount] = {
        0x00FFFF00, 0x000000FF, 0x0000FFFF, 0x00FFFFFF, 0x00FFFFFF, 0x0000FF00, 0x00FFFF00,
        0x00FFFFFF, 0x00FF0000, 0x00C0C0C0, 0x00000000, 0x00000000, 0x00000000, 0x00FFFF00,
        0x00FFFF00, 0x00000000, 0x00000000, 0x00000000, 0x00FFFF00,
    };
    for (int i = 0; i < ColorSlotCount; ++i)
        s.setColor(i, colors[i]);

    s.setIncludePlainText(false);
    s.setEnterLeaveNotify(false);
    s.setIncludeIcons(true);
    s.setUserName(QStringLiteral("Guest"));
    s.setPassword(QString());
    s.setServer(QStringLiteral("useast.battle.net"));
    s.setHomeChannel(QString());
    s.setReciteDelay(4);
    s.setDoubleClickAction(DefaultDoubleClickAction);
    s.setWhoisOnJoin(false);
    s.setAutoRejoin(true);
    s.setShowToolbar(true);
    s.setLogFileName(QString());
    s.setLogTime(false);
    s.setLogEvents(false);
    s.setKeepLog(false);
    s.setVersion(QStringLiteral("7.04"));
    s.setReservedFlags(true);
    s.setConnectTimeout(5);
    s.setLoginTimeout(20);
    s.setAllowMultiPasswords(false);
    s.setAcceptSounds(true);
    s.setRespondPhrases(false);
    s.setRespondWhispers(false);
    s.setMasterEvents(false);
    s.setAutoBan(false);
    s.setBanAllExcept(false);
    s.setRespondJoins(false);
    s.setJoinResponse(QString());
    s.setRespondTimers(false);
    s.bytes[Reserved2986At] = 0;
    s.bytes[Reserved2987At] = 1;
    s.setPlaySoundsLocally(true);
    s.setAutoReconnect(false);
    s.setUseGameServer(false);
    s.setShowFavorites(true);
    std::memset(&s.bytes[TailAt], 0, size_t(tChatSettings::Size - TailAt));
}

void ApplyFont(const tFontRec &rec, QFont &font)
{
    font.setFamily(rec.Name);
    switch (rec.FontPitch) {
    case tFontRec::FixedPitch:
        font.setFixedPitch(true);
        font.setStyleHint(QFont::Monospace);
        break;
    case tFontRec::VariablePitch:
        font.setFixedPitch(false);
        font.setStyleHint(QFont::AnyStyle);
        break;
    default:
        // Let the face decide: forget any pitch set on this font before.
        font.setFixedPitch(false);
        font.setResolveMask(font.resolveMask() & ~uint(QFont::FixedPitchResolved));
        font.setStyleHint(QFont::AnyStyle);
        break;
    }
    const int size = rec.FontSize >= 1 && rec.FontSize <= MaxFontSize ? rec.FontSize : 10;
    font.setPointSize(size);
    font.setBold(rec.FontStyle & tFontRec::Bold);
    font.setItalic(rec.FontStyle & tFontRec::Italic);
    font.setUnderline(rec.FontStyle & tFontRec::Underline);
    font.setStrikeOut(rec.FontStyle & tFontRec::StrikeOut);
}

void CaptureFont(const QFont &font, std::uint32_t color, tFontRec &rec)
{
    rec.Color = color;
    rec.Name = font.family().left(tFontRec::NameCapacity);
    if (font.resolveMask() & QFont::FixedPitchResolved)
        rec.FontPitch = font.fixedPitch() ? tFontRec::FixedPitch : tFontRec::VariablePitch;
    else if (font.styleHint() == QFont::Monospace || font.styleHint() == QFont::TypeWriter)
        rec.FontPitch = tFontRec::FixedPitch;
    else
        rec.FontPitch = tFontRec::DefaultPitch;
    int size = font.pointSize();
    if (size <= 0) // a font sized in pixels
        size = QFontInfo(font).pointSize();
    rec.FontSize = size > 0 ? size : 10;
    std::uint8_t style = 0;
    if (font.bold())
        style |= tFontRec::Bold;
    if (font.italic())
        style |= tFontRec::Italic;
    if (font.underline())
        style |= tFontRec::Underline;
    if (font.strikeOut())
        style |= tFontRec::StrikeOut;
    rec.FontStyle = style;
}
