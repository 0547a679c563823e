#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>

struct tProfile;
class tUser;

// The user information dialog's rules on the live custom user list: which record is current,
// what each edit writes, adding, deleting and clearing. It keeps no copy of the records.
class tUserInfoModel
{
public:
    enum ColorKind { NameColor, TextColor, WhisperColor };

    explicit tUserInfoModel(tProfile &profile) : m_profile(profile) {}

    int Count() const;
    int Current() const { return m_current; }
    tUser *CurrentUser() const; // nullptr while the list is empty
    QStringList Names() const;  // in list order

    // Showing on a name: sorts the list and makes the named record (else the first) current.
    // Returns the current index, -1 when the list is empty.
    int Show(const QString &name);
    // A pick in the list; marks nothing.
    void Select(int index);
    // "&New" replaced the profile.
    void Reset() { m_current = 0; }

    static QStringList GreetingSuggestions(const QString &name);

    // Each writes into the current record at once and marks the profile modified.
    void SetNotes(const QString &notes);
    void SetGreeting(const QString &greeting);
    void SetJoinSound(const QString &path);
    void SetLeaveSound(const QString &path);
    void SetColor(ColorKind kind, std::uint32_t bgr);
    std::uint32_t Color(ColorKind kind) const;

    // The record that already holds `name` as it would be stored, in any letter case; -1 when none.
    int Find(const QString &name) const;
    // An empty name, or one that Find finds, adds nothing and returns -1; otherwise the new record's
    // index (the last).
    int Add(const QString &name);
    bool Delete(); // the current record
    void Clear();

private:
    tProfile &m_profile;
    int m_current = 0;
};
