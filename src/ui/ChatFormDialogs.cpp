#include "ui/ChatForm.h"

#include <QAction>

#include "dialogs/AppearanceDialog.h"
#include "dialogs/DialogPrompts.h"
#include "dialogs/SetupDialog.h"
#include "dialogs/UserInfoDialog.h"
#include "profile/Profile.h"
#include "ui/TabEdit.h"
#include "ui/UserListView.h"

namespace {
// What applying the setup asks of the window.
class tWindowSetupHost : public tSetupHost
{
public:
    explicit tWindowSetupHost(TfrmChat &w) : m_w(w) {}
    void SetAccount(const QString &userName, const QString &password, const QString &server) override
    {
        m_w.bcChat().UserName = userName;
        m_w.bcChat().Password = password;
        m_w.ChatInterface().Address = server;
    }
    void RepaintUserList() override
    {
        m_w.lstUser->Delegate()->IncludeIcons = m_w.Profile().Settings.IncludeIcons();
        m_w.lstUser->viewport()->update();
    }
    void ReopenLog() override { m_w.OpenSessionLog(); }

private:
    TfrmChat &m_w;
};
} // namespace

void TfrmChat::bindDialogs()
{
    m_modalPrompts = std::make_unique<TModalPrompts>();
    m_dialogPrompts = m_modalPrompts.get();
    DialogRunner = [](QDialog &d) { d.exec(); };

    m_userInfo = new TfrmUserInfo(m_profile, *m_dialogPrompts, this);
    m_userInfo->ProgramFolder = m_programFolder;
    m_userInfo->OnHelp = [this](const QString &topic) { ShowHelp(topic); };

    connect(m_actions->acSetup, &QAction::triggered, this, &TfrmChat::ShowSetup);
    connect(m_actions->acFonts, &QAction::triggered, this, &TfrmChat::ShowAppearance);
    // Brings the dialog to the front when it is up; otherwise opens it without a name.
    connect(m_actions->acUserInfo, &QAction::triggered, this, [this] {
        if (m_userInfo->isVisible()) {
            m_userInfo->raise();
            m_userInfo->activateWindow();
        } else {
            ShowUserInfo(QString());
        }
    });
}

void TfrmChat::SetDialogPrompts(TDialogPrompts *prompts)
{
    m_dialogPrompts = prompts ? prompts : m_modalPrompts.get();
    m_userInfo->SetPrompts(*m_dialogPrompts);
}

void TfrmChat::ShowSetup()
{
    tWindowSetupHost host(*this);
    {
        TfrmSetup dialog(m_profile, host, *m_dialogPrompts, this);
        dialog.OnHelp = [this](const QString &topic) { ShowHelp(topic); };
        dialog.ProgramFolder = m_programFolder;
        DialogRunner(dialog);
    }
    BuildSoundMenus();
    Refocus();
}

void TfrmChat::ShowAppearance()
{
    TfrmAppearance dialog(m_profile, *m_dialogPrompts, [this] { ApplyAppearance(); }, this);
    dialog.OnClose = [this] {
        lstDef->viewport()->update();
        lstUser->viewport()->update();
    };
    DialogRunner(dialog);
}
