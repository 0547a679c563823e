#pragma once
#include <QString>
#include <QStringList>
#include <memory>

// The few machine-wide string values the launcher reads and writes: the installed games' paths and
// their "Server List". Keys are paths below the machine root with "\" between their parts
// ("Software\Battle.net\Configuration"); key and value names compare without regard to case.
class tGameRegistry
{
public:
    virtual ~tGameRegistry() = default;
    // True when the key exists; the launcher never creates one.
    virtual bool KeyExists(const QString &key) const = 0;
    // False when the key is missing or the value is not a string; a missing value reads as "".
    virtual bool ReadString(const QString &key, const QString &name, QString &value) const = 0;
    // Writes a string value into an existing key; false when the key is missing or the write fails.
    virtual bool WriteString(const QString &key, const QString &name, const QString &value) = 0;
    // Why a write now would be lost or undo another program's changes; "" when nothing stands in the way.
    virtual QString Busy() const { return QString(); }
};

// The machine part of a Wine prefix: its "system.reg" text file, read and written directly (while
// Wine is not running; a running wineserver keeps its own copy and writes it back when it ends).
// Games are 32-bit programs, so in a 64-bit prefix a key is looked for under
// "Software\Wow6432Node" first, as Windows redirects them.
class tWineRegistry : public tGameRegistry
{
public:
    // `prefix`: the prefix folder (the one holding system.reg and drive_c).
    explicit tWineRegistry(QString prefix);
    // The user's prefix: WINEPREFIX when set, else ~/.wine.
    static QString DefaultPrefix();
    // True when the prefix has a registry this class can use.
    static bool Exists(const QString &prefix);

    bool KeyExists(const QString &key) const override;
    bool ReadString(const QString &key, const QString &name, QString &value) const override;
    bool WriteString(const QString &key, const QString &name, const QString &value) override;
    // A running wineserver holds the registry in memory and writes it back over the file.
    QString Busy() const override;

    // A registry file larger than this is not read (real ones are a few megabytes).
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

private:
    bool load(QStringList &lines) const;
    // Index of the key's header line, or -1.
    qsizetype findKey(const QStringList &lines, const QString &key) const;
    QString m_file;
};

// Where no Wine prefix exists: an INI file beside the program, one section per key:
//   [Software\Blizzard Entertainment\Starcraft]
//   Program=C:\Program Files\Starcraft\starcraft.exe
class tIniRegistry : public tGameRegistry
{
public:
    explicit tIniRegistry(QString path);
    bool KeyExists(const QString &key) const override;
    bool ReadString(const QString &key, const QString &name, QString &value) const override;
    bool WriteString(const QString &key, const QString &name, const QString &value) override;

private:
    QString m_path;
};

// The user's Wine prefix when it exists, else the program folder's "Registry.ini".
std::unique_ptr<tGameRegistry> MakeGameRegistry(const QString &programFolder);
