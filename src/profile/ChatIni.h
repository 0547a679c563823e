#pragma once
#include <QString>
#include <QStringList>
#include <vector>

// A plain INI file as users edit it by hand: "[Section]" lines, "key=value" lines, keys with
// blanks kept as they are. Section and key names match ignoring the case of A..Z, like the
// classic profile-string functions. Lines the program does not know (other sections, other keys,
// comments) survive a rewrite untouched and in place. The file holds the file system's own bytes
// (QFile::encodeName), so paths in any script come back as they were.
class tIniFile
{
public:
    // A file larger than this is treated as unreadable: Chat.ini is a few hundred bytes.
    static constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

    // Reads the file; a missing or unreadable file leaves an empty document and returns false.
    bool Load(const QString &path);
    // Load for a rewrite: false when the file is there but cannot be read (or is too large), so
    // saving would replace it by one holding only the program's keys.
    bool LoadForUpdate(const QString &path);
    // Writes every line with CR LF, all at once (a failed write leaves the old file in place).
    bool Save(const QString &path) const;

    void Parse(const QByteArray &bytes);
    QByteArray Serialize() const;

    bool Contains(const QString &section, const QString &key) const;
    QString ReadString(const QString &section, const QString &key, const QString &def) const;
    // Leading decimal digits with an optional sign; a value with none gives the default.
    int ReadInteger(const QString &section, const QString &key, int def) const;
    // Any integer other than 0 is true.
    bool ReadBool(const QString &section, const QString &key, bool def) const;

    // Replaces the first occurrence of the key, or appends it to its section (created at the end).
    // A section, key or value holding a line break would write lines of its own: it is refused
    // (false) and the file keeps what it had.
    bool WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInteger(const QString &section, const QString &key, int value);
    void WriteBool(const QString &section, const QString &key, bool value);

    QStringList Sections() const;

private:
    struct Line
    {
        QString text;    // the raw line for anything that is not a key of a known section
        QString section; // the section the line stands in (empty before the first header)
        QString key;     // non-empty for key=value lines
        QString value;
        bool header = false;
    };
    int findKey(const QString &section, const QString &key) const;
    int sectionEnd(const QString &section) const; // index after the section's last line, -1 if none

    std::vector<Line> m_lines;
};

// The settings Chat.ini keeps for the installation, with the defaults of a first start.
struct tChatIni
{
    QString LastFile = QStringLiteral("None");
    QString BatchFile;
    QString BatchUser;

    int Top = 50;
    int Left = 50;
    bool Maximized = false;
    int Width = 800;
    int Height = 600;
    int UserWidth = 162;
    int CustomHeight = 132;
    int WhisperHeight = 132;

    bool CustomList = true;
    bool UserList = true;
    bool Whisper = true;
    bool TextLabels = false;

    QString IgnorePrefix; // read only: the program never writes it
};

// "Last File"; an empty value counts as "None".
void ReadLastFile(const tIniFile &ini, tChatIni &out);
void ReadBatchFile(const tIniFile &ini, tChatIni &out);
// The "Screen", "Windows" and "Response" keys.
void ReadLayoutKeys(const tIniFile &ini, tChatIni &out);
// Everything at once (used by tests and the demo set-up).
tChatIni ReadChatIni(const tIniFile &ini);

// Only a real profile path is written, so a start that failed to load keeps the old name.
void WriteLastFile(tIniFile &ini, const QString &currentProfile);
void WriteBatchFile(tIniFile &ini, const tChatIni &in);
void WriteLayoutKeys(tIniFile &ini, const tChatIni &in);

// The folder of the running executable, ending with "/".
QString ProgramFolder();
