#include "ui/ProfileActions.h"

#include "profile/Profile.h"

const QString TProfileActions::Filter = QStringLiteral("Chat Files (*.ch5)");
const QString TProfileActions::Extension = QStringLiteral("ch5");

namespace {
void finish(const TProfileActions::Done &done, bool ok)
{
    if (done)
        done(ok);
}
} // namespace

TProfileActions::TProfileActions(tProfile &profile, TPrompts &prompts, tProfileHost &host, ProfileReporter &reporter,
                                 QString programFolder)
    : m_profile(profile), m_prompts(prompts), m_host(host), m_reporter(reporter), m_folder(std::move(programFolder))
{
}

void TProfileActions::ConfirmDiscard(Done done)
{
    if (!m_profile.Modified) {
        finish(done, true);
        return;
    }
    m_prompts.AskYesNoCancel(QStringLiteral("Save current chat settings?"), [this, done](TPrompts::Answer a) {
        if (a == TPrompts::Answer::Yes)
            Save(done);
        else
            finish(done, a == TPrompts::Answer::No);
    });
}

void TProfileActions::New(Done done)
{
    ConfirmDiscard([this, done](bool go) {
        if (!go) {
            finish(done, false);
            return;
        }
        m_profile.NewProfileData();
        m_host.ProfileCleared();
        m_host.WriteInfo(QStringLiteral("Chat settings cleared."));
        finish(done, true);
    });
}

void TProfileActions::Open(Done done)
{
    ConfirmDiscard([this, done](bool go) {
        if (!go) {
            finish(done, false);
            return;
        }
        m_prompts.OpenFile(QStringLiteral("Open Chat Settings File..."), Filter, m_folder, [this, done](const QString &path) {
            if (path.isEmpty()) {
                finish(done, false);
                return;
            }
            // Loaded into a copy: a load that fails half way must leave the profile in use whole,
            // or the next save would write the half-loaded one over the good file.
            tProfile loaded = m_profile;
            loaded.Modified = false;
            const bool ok = LoadProfile(loaded, path, m_reporter);
            if (ok) {
                m_profile = std::move(loaded);
                m_host.ProfileLoaded(true);
                m_profile.CurrentProfile = path;
                m_host.WriteInfo(QStringLiteral("Chat settings loaded."));
                m_profile.Modified = false;
            } else {
                m_host.WriteError(QStringLiteral("An Error occured loading chat settings."));
            }
            finish(done, ok);
        });
    });
}

void TProfileActions::saveTo(const QString &path, bool setCurrent, const Done &done)
{
    const bool ok = SaveProfile(m_profile, path, m_reporter);
    if (ok) {
        if (setCurrent)
            m_profile.CurrentProfile = path;
        m_host.WriteInfo(QStringLiteral("Chat settings saved."));
        m_profile.Modified = false;
    } else {
        m_host.WriteError(QStringLiteral("An Error occured saving chat settings."));
    }
    finish(done, ok);
}

void TProfileActions::Save(Done done)
{
    if (m_profile.CurrentProfile == QLatin1String("None")) {
        SaveAs(std::move(done));
        return;
    }
    saveTo(m_profile.CurrentProfile, false, done);
}

void TProfileActions::SaveAs(Done done)
{
    m_prompts.SaveFile(QStringLiteral("Save Chat Settings..."), Filter, Extension, m_folder, [this, done](const QString &path) {
        if (path.isEmpty()) {
            finish(done, false);
            return;
        }
        saveTo(path, true, done);
    });
}

void TProfileActions::LoadLastProfile(const QString &path)
{
    m_profile.CurrentProfile = path.isEmpty() ? QStringLiteral("None") : path;
    if (m_profile.CurrentProfile == QLatin1String("None"))
        return;
    // Modified stays as the load leaves it: an upgraded old record is a change worth saving.
    bool complete = false;
    const bool ok = LoadProfile(m_profile, m_profile.CurrentProfile, m_reporter, &complete);
    m_host.ProfileLoaded(complete);
    if (ok) {
        m_host.WriteInfo(QStringLiteral("Chat file ") + m_profile.CurrentProfile + QStringLiteral(" loaded."));
    } else {
        m_host.WriteError(QStringLiteral("An Error occured loadng chat settings."));
        m_profile.CurrentProfile = QStringLiteral("None");
    }
}
