#include "view/ChatDefs.h"

#include "net/Ansi.h"
#include "view/SafeFile.h"

#include <QFile>
#include <algorithm>
#include <cstring>

namespace records {

QString readString(const std::uint8_t *field, int capacity)
{
    const int length = std::min<int>(field[0], capacity);
    return ansi::fromBytes(reinterpret_cast<const char *>(field + 1), length);
}

void writeString(std::uint8_t *field, int capacity, const QString &value)
{
    const QByteArray bytes = ansi::toBytes(value.left(capacity));
    const int length = std::min<int>(int(bytes.size()), capacity);
    field[0] = std::uint8_t(length);
    std::memcpy(field + 1, bytes.constData(), size_t(length));
    std::memset(field + 1 + length, 0, size_t(capacity - length));
}

std::uint32_t readU32(const std::uint8_t *at)
{
    return std::uint32_t(at[0]) | (std::uint32_t(at[1]) << 8) | (std::uint32_t(at[2]) << 16)
        | (std::uint32_t(at[3]) << 24);
}

void writeU32(std::uint8_t *at, std::uint32_t v)
{
    at[0] = std::uint8_t(v);
    at[1] = std::uint8_t(v >> 8);
    at[2] = std::uint8_t(v >> 16);
    at[3] = std::uint8_t(v >> 24);
}

bool readBounded(const QString &path, qint64 maxBytes, QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Sized by the file where it has one: asking for the limit would allocate all of it each time.
    QByteArray read = file.read((file.isSequential() ? maxBytes : qMin(file.size(), maxBytes)) + 1);
    if (file.error() != QFileDevice::NoError || read.size() > maxBytes)
        return false;
    bytes = std::move(read);
    return true;
}

QString readPath(const std::uint8_t *field, int capacity)
{
    const int length = std::min<int>(field[0], capacity);
    return QFile::decodeName(QByteArray(reinterpret_cast<const char *>(field + 1), length));
}

void writePath(std::uint8_t *field, int capacity, const QString &value)
{
    QString kept = value;
    QByteArray bytes = QFile::encodeName(kept);
    // Shortened a character at a time, so no character is stored in part.
    while (bytes.size() > capacity) {
        kept.chop(kept.size() >= 2 && kept.back().isLowSurrogate() ? 2 : 1);
        bytes = QFile::encodeName(kept);
    }
    field[0] = std::uint8_t(bytes.size());
    std::memcpy(field + 1, bytes.constData(), size_t(bytes.size()));
    std::memset(field + 1 + bytes.size(), 0, size_t(capacity - bytes.size()));
}

} // namespace records

namespace {
using namespace records;

constexpr std::uint32_t DefaultNameColor = 0x0000FFFF; // yellow
constexpr std::uint32_t DefaultTextColor = 0x00FFFFFF; // white
constexpr std::uint32_t DefaultWhisperColor = 0x00808080; // grey
} // namespace

tUser::tUser()
{
    setJoinSound(QStringLiteral("None"));
    setLeaveSound(QStringLiteral("None"));
    setCustomNameColor(DefaultNameColor);
    setCustomTextColor(DefaultTextColor);
    setCustomWhisperColor(DefaultWhisperColor);
}

QString tUser::Name() const { return readString(&Rec.bytes[tUserRec::NameOffset], tUserRec::NameCapacity); }
void tUser::setName(const QString &v) { writeString(&Rec.bytes[tUserRec::NameOffset], tUserRec::NameCapacity, v); }
QString tUser::Greeting() const
{
    return readString(&Rec.bytes[tUserRec::GreetingOffset], tUserRec::GreetingCapacity);
}
void tUser::setGreeting(const QString &v)
{
    writeString(&Rec.bytes[tUserRec::GreetingOffset], tUserRec::GreetingCapacity, v);
}
QString tUser::JoinSound() const
{
    return readPath(&Rec.bytes[tUserRec::JoinSoundOffset], tUserRec::JoinSoundCapacity);
}
void tUser::setJoinSound(const QString &v)
{
    writePath(&Rec.bytes[tUserRec::JoinSoundOffset], tUserRec::JoinSoundCapacity, v);
}
QString tUser::LeaveSound() const
{
    return readPath(&Rec.bytes[tUserRec::LeaveSoundOffset], tUserRec::LeaveSoundCapacity);
}
void tUser::setLeaveSound(const QString &v)
{
    writePath(&Rec.bytes[tUserRec::LeaveSoundOffset], tUserRec::LeaveSoundCapacity, v);
}
QString tUser::Notes() const { return readString(&Rec.bytes[tUserRec::NotesOffset], tUserRec::NotesCapacity); }
void tUser::setNotes(const QString &v) { writeString(&Rec.bytes[tUserRec::NotesOffset], tUserRec::NotesCapacity, v); }

std::uint32_t tUser::CustomNameColor() const { return readU32(&Rec.bytes[tUserRec::CustomNameColorOffset]); }
void tUser::setCustomNameColor(std::uint32_t c) { writeU32(&Rec.bytes[tUserRec::CustomNameColorOffset], c); }
std::uint32_t tUser::CustomTextColor() const { return readU32(&Rec.bytes[tUserRec::CustomTextColorOffset]); }
void tUser::setCustomTextColor(std::uint32_t c) { writeU32(&Rec.bytes[tUserRec::CustomTextColorOffset], c); }
std::uint32_t tUser::CustomWhisperColor() const { return readU32(&Rec.bytes[tUserRec::CustomWhisperColorOffset]); }
void tUser::setCustomWhisperColor(std::uint32_t c) { writeU32(&Rec.bytes[tUserRec::CustomWhisperColorOffset], c); }

QString lowerAscii(const QString &s)
{
    QString out = s;
    for (QChar &c : out)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    return out;
}

tUserList::tUserList(const tUserList &other)
{
    *this = other;
}

tUserList &tUserList::operator=(const tUserList &other)
{
    if (this == &other)
        return *this;
    std::vector<std::unique_ptr<tUser>> copy;
    copy.reserve(other.m_items.size());
    for (const auto &u : other.m_items)
        copy.push_back(std::make_unique<tUser>(*u));
    m_items = std::move(copy);
    return *this;
}

tUser *tUserList::Items(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_items[size_t(index)].get();
}

int tUserList::Add(std::unique_ptr<tUser> user)
{
    if (!user)
        return -1;
    m_items.push_back(std::move(user));
    return Count() - 1;
}

int tUserList::IndexOfName(const QString &name) const
{
    const QString wanted = lowerAscii(name);
    for (int i = 0; i < Count(); ++i)
        if (lowerAscii(m_items[size_t(i)]->Name()) == wanted)
            return i;
    return -1;
}

void tUserList::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    m_items.erase(m_items.begin() + index);
}

void tUserList::Sort()
{
    // By the stored bytes, as the names are kept.
    std::vector<std::pair<QByteArray, std::unique_ptr<tUser>>> keyed;
    keyed.reserve(m_items.size());
    for (auto &u : m_items)
        keyed.emplace_back(ansi::toBytes(lowerAscii(u->Name())), std::move(u));
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (size_t i = 0; i < keyed.size(); ++i)
        m_items[i] = std::move(keyed[i].second);
}

QByteArray tUserList::Bytes() const
{
    QByteArray data;
    data.reserve(qsizetype(m_items.size()) * tUserRec::Size);
    for (const auto &u : m_items)
        data.append(reinterpret_cast<const char *>(u->Rec.bytes.data()), tUserRec::Size);
    return data;
}

bool tUserList::SaveToFile(const QString &path) const
{
    return safefile::WriteFile(path, Bytes(), safefile::Access::OwnerOnly);
}

bool tUserList::LoadFromFile(const QString &path)
{
    Clear();
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    std::vector<std::unique_ptr<tUser>> loaded;
    for (;;) {
        if (loaded.size() > size_t(MaxRecords))
            return false;
        auto user = std::make_unique<tUser>();
        const qint64 got = file.read(reinterpret_cast<char *>(user->Rec.bytes.data()), tUserRec::Size);
        if (got == 0 && file.atEnd())
            break;
        if (got != tUserRec::Size)
            return false; // a partial record or a read error: nothing of the file is taken
        loaded.push_back(std::move(user));
    }
    m_items = std::move(loaded);
    return true;
}
