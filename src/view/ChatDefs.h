#pragma once
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// Helpers for packed little-endian records with length-prefixed strings. A stored length byte
// larger than the field's capacity is clamped, never trusted.
namespace records {
QString readString(const std::uint8_t *field, int capacity);
// Stores at most `capacity` bytes (in the code page); the unused rest of the field is zeroed so an old,
// longer value (a password, say) does not linger in the saved file.
void writeString(std::uint8_t *field, int capacity, const QString &value);
std::uint32_t readU32(const std::uint8_t *at);
void writeU32(std::uint8_t *at, std::uint32_t v);
// The whole file, when it opens, reads without error and holds at most `maxBytes` bytes; a file
// that goes on past the bound (a link to /dev/zero, say) is refused without reading it all.
bool readBounded(const QString &path, qint64 maxBytes, QByteArray &bytes);
// Path fields hold the file system's own bytes, cut to the capacity on a character boundary.
QString readPath(const std::uint8_t *field, int capacity);
void writePath(std::uint8_t *field, int capacity, const QString &value);
} // namespace records

// One custom user record: exactly the 4096 bytes stored in the ".usr" file.
struct tUserRec
{
    static constexpr int Size = 4096;
    static constexpr int NameOffset = 0, NameCapacity = 16;
    static constexpr int GreetingOffset = 17, GreetingCapacity = 240;
    static constexpr int JoinSoundOffset = 258, JoinSoundCapacity = 255;
    static constexpr int LeaveSoundOffset = 514, LeaveSoundCapacity = 255;
    static constexpr int NotesOffset = 770, NotesCapacity = 255;
    static constexpr int CustomNameColorOffset = 1026;
    static constexpr int CustomTextColorOffset = 1030;
    static constexpr int CustomWhisperColorOffset = 1034;
    static constexpr int ReservedOffset = 1038;

    std::array<std::uint8_t, Size> bytes{};
};
static_assert(sizeof(tUserRec) == tUserRec::Size, "tUserRec must be exactly one stored record");
static_assert(tUserRec::NotesOffset + 1 + tUserRec::NotesCapacity == tUserRec::CustomNameColorOffset,
              "the colours follow the notes");

// A custom user: colours, greeting, join/leave sounds and notes for one chat user.
class tUser
{
public:
    tUser(); // the defaults of a new record

    QString Name() const;
    void setName(const QString &v); // cut to 16 characters
    QString Greeting() const;
    void setGreeting(const QString &v); // cut to 240
    QString JoinSound() const;
    void setJoinSound(const QString &v); // a path, cut to 255 bytes; "None" in any case means no sound
    QString LeaveSound() const;
    void setLeaveSound(const QString &v);
    QString Notes() const;
    void setNotes(const QString &v);
    // Colours are 0x00BBGGRR.
    std::uint32_t CustomNameColor() const;
    void setCustomNameColor(std::uint32_t c);
    std::uint32_t CustomTextColor() const;
    void setCustomTextColor(std::uint32_t c);
    std::uint32_t CustomWhisperColor() const;
    void setCustomWhisperColor(std::uint32_t c);

    tUserRec Rec;
};

// The profile's custom users; owns its records. Copies are deep (dialogs edit copies).
class tUserList
{
public:
    // More custom users than anyone keeps: a ".usr" file with more records is refused unread.
    static constexpr int MaxRecords = 8192;

    tUserList() = default;
    tUserList(const tUserList &other);
    tUserList &operator=(const tUserList &other);
    tUserList(tUserList &&) = default;
    tUserList &operator=(tUserList &&) = default;

    int Count() const { return int(m_items.size()); }
    tUser *Items(int index) const; // nullptr when out of range
    int Add(std::unique_ptr<tUser> user); // appends, duplicates allowed; returns the index
    int IndexOfName(const QString &name) const; // ASCII-lower-cased byte comparison; -1 when none
    void Delete(int index); // out of range: nothing
    void Sort(); // by lower-cased name, stable
    void Clear() { m_items.clear(); }
    // The records as the ".usr" file holds them, one after another.
    QByteArray Bytes() const;
    // Writes every record atomically, readable by the owner only. An empty list leaves an empty
    // file so deleted users stay deleted.
    bool SaveToFile(const QString &path) const;
    // A missing file gives true and an empty list; a size that is not a whole number of records,
    // more than MaxRecords records, or any read error, gives false and an empty list.
    bool LoadFromFile(const QString &path);

private:
    std::vector<std::unique_ptr<tUser>> m_items;
};

// The name comparison used for custom users: ASCII lower-casing, then bytes.
QString lowerAscii(const QString &s);
