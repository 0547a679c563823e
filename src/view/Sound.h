#pragma once
#include <QObject>
#include <QPointer>
#include <QString>

class QSoundEffect;

// Plays a sound file without waiting for it; failures are silent.
class tSoundPlayer
{
public:
    virtual ~tSoundPlayer() = default;
    virtual void PlaySound(const QString &path) = 0;
};

// The real player: one QSoundEffect per sound, released when it ends or fails. A sound that starts
// while another plays replaces it, as the system's asynchronous wave playing does.
class tQtSoundPlayer : public QObject, public tSoundPlayer
{
    Q_OBJECT
public:
    static constexpr int LoadGraceMs = 3000;
    static constexpr int LongestSoundMs = 120000;

    explicit tQtSoundPlayer(QObject *parent = nullptr) : QObject(parent) {}
    void PlaySound(const QString &path) override;

private:
    QPointer<QSoundEffect> m_current;
};

// Whether a sound name another user sent may be looked for at all: a plain file name, no path.
bool IsPlainSoundName(const QString &soundName);

// Finds a sound sent by another user: the file named soundName in the program folder's "Sounds"
// folder, then in each of its sub-folders, folder and file names compared ignoring letter case.
// Empty when none exists, and for a name that is not a plain file name (a remote user must not be
// able to make the client open files outside the sounds folder).
QString FindSound(const QString &programFolder, const QString &soundName);

// The program folder's "Sounds" folder (any letter case), or empty when there is none.
QString SoundsFolder(const QString &programFolder);
