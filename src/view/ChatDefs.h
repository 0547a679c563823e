#pragma once
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

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

    std::array<std::uint8_t, Size> bytes{};
};
static_assert(sizeof(tUserRec) == tUserRec::Size, "tUserRec must be exactly one stored record");

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
    void setJoinSound(const QString &v); // cut to 255
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

// The profile's custom users; owns its records.
class tUserList
{
public:
    int Count() const { return int(m_items.size()); }
    tUser *Items(int index) const; // nullptr when out of range
    int Add(std::unique_ptr<tUser> user);
    int IndexOfName(const QString &name) const; // ASCII-lower-cased byte comparison; -1 when none
    void Delete(int index);
    void Sort();
    void Clear() { m_items.clear(); }
    // Writes every record; an empty list leaves an empty file so deleted users stay deleted.
    bool SaveToFile(const QString &path) const;
    bool LoadFromFile(const QString &path); // a missing file gives true and an empty list

private:
    std::vector<std::unique_ptr<tUser>> m_items;
};

// The name comparison used for custom users: ASCII lower-casing, then bytes.
QString lowerAscii(const QString &s);
