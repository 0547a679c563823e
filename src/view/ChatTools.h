#pragma once
#include <QColor>
#include <QList>
#include <QUrl>
#include <QString>
#include <functional>

struct tProfile;

// The sounds a user can send: the program folder's "Sounds" folder and its sub-folders.
struct tSoundEntry
{
    QString Caption; // the file name in lower case, extension included
    QString Path;
};
struct tSoundFolder
{
    QString Caption; // the folder name in lower case
    QList<tSoundEntry> Sounds;
};
struct tSoundTree
{
    QList<tSoundFolder> Folders;
    QList<tSoundEntry> Sounds; // those of the "Sounds" folder itself
};

// Wave files ("*.wav" in any letter case) sorted ignoring case; empty without a sounds folder.
// A folder holding more than any menu can show is cut at MaxSoundsPerFolder.
tSoundTree ListSounds(const QString &programFolder);
constexpr int MaxSoundsPerFolder = 500;
constexpr int MaxSoundFolders = 100;
// The name sent for a sound: its caption (the file name in lower case), "&" and all; the menu's
// mnemonic marks are the menu's own and never part of it.
QString SoundName(const QString &caption);

// What sounds, addresses and favourites need of the window.
struct tToolHost
{
    std::function<bool()> LoggedOn;
    std::function<void(const QString &line)> SendLine; // carriage return included
    std::function<void(const QString &path)> PlaySound;
    std::function<void(const QString &text, const QColor &color)> WriteChat;
};

// Sending sounds and addresses, and the favourite channels' commands.
class tChatTools
{
public:
    tChatTools(tProfile &profile, tToolHost host) : m_profile(profile), m_host(std::move(host)) {}

    // To the channel when `user` is empty; nothing while not logged on.
    void SendSound(const QString &user, const tSoundEntry &sound);
    void SendUrl(const QString &user, const QString &address);

    // Favourite `index` of the profile; an index no longer in the list does nothing.
    void ClickFavorite(int index);
    void JoinFavorite(int index);
    void ListFavorite(int index);
    void EditFavorite(int index, const QString &name);
    void DeleteFavorite(int index);
    // Appends the channel, or "New Channel" when it is empty, to the favourites; the channel
    // name itself is left as it is.
    void AddFavorite(const QString &currentChannel);
    QString Favorite(int index) const;

private:
    bool valid(int index) const;
    tProfile &m_profile;
    tToolHost m_host;
};

// What a click on a received address opens: http and https addresses only ("http://" put in front
// of one without a scheme); anything else another user sent (files, programs, scripts, ftp) gives
// an invalid URL.
QUrl UrlToOpen(const QString &address);
