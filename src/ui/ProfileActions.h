#pragma once
#include <QString>
#include <functional>

#include "profile/ProfileFiles.h"
#include "ui/Prompts.h"

struct tProfile;

// What the file actions need from the main window.
class tProfileHost
{
public:
    virtual ~tProfileHost() = default;
    // A line in the chat pane, in InfoColor or ErrorColor.
    virtual void WriteInfo(const QString &text) = 0;
    virtual void WriteError(const QString &text) = 0;
    // A load replaced the profile (at start-up also a failed one: what it read stays): fonts and colours
    // go to the panes and the session log is reopened; the account and server go to the
    // connection only when the record and the lists loaded (`complete`).
    virtual void ProfileLoaded(bool complete) = 0;
    // "&New" replaced it: switches, custom list pane and appearance follow.
    virtual void ProfileCleared() = 0;
};

// "&New", "&Open Chat File...", "&Save Chat Settings", "Save &As..." and the question asked before
// the live profile is replaced or the program ends. Dialogs answer through TPrompts, so each
// operation may finish after it returns; `done` then says whether it went through.
class TProfileActions
{
public:
    using Done = std::function<void(bool ok)>;

    static const QString Filter;    // "Chat Files (*.ch5)"
    static const QString Extension; // "ch5"

    TProfileActions(tProfile &profile, TPrompts &prompts, tProfileHost &host, ProfileReporter &reporter,
                    QString programFolder);

    void New(Done done = {});
    void Open(Done done = {});
    void Save(Done done = {});
    void SaveAs(Done done = {});

    // While the profile has unsaved changes: "Save current chat settings?". `done(true)` lets the
    // caller go on: after No, or after Yes once the save succeeded. Cancel, a cancelled save
    // dialog or a failed save give `done(false)`, so no change is lost without the user's word.
    void ConfirmDiscard(Done done);

    // Start-up: loads the profile Chat.ini names ("None" loads nothing).
    void LoadLastProfile(const QString &path);

private:
    void saveTo(const QString &path, bool setCurrent, const Done &done);

    tProfile &m_profile;
    TPrompts &m_prompts;
    tProfileHost &m_host;
    ProfileReporter &m_reporter;
    QString m_folder;
};
