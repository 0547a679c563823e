#include "ui/ChatForm.h"

#include <QAction>

#include "automation/Launcher.h"
#include "dialogs/About.h"
#include "dialogs/Help.h"
#include "dialogs/Launch.h"
#include "profile/Profile.h"
#include "profile/Version4Import.h"

void TfrmChat::bindHelpActions()
{
    TChatActions &a = *m_actions;
    connect(a.acHelpScreen, &QAction::triggered, this, [this] { ShowHelp(QStringLiteral("The Main Chat Screen")); });
    connect(a.acAbout, &QAction::triggered, this, [this] {
        // Modal while it stands, discarded when it closes.
        auto *about = new TfrmAbout(this);
        about->setAttribute(Qt::WA_DeleteOnClose);
        about->open();
    });
    connect(a.acLaunch, &QAction::triggered, this, [this] {
        if (!m_launch)
            CreatePermanentWindows();
        m_launch->ShowLauncher();
    });
    connect(a.acImport, &QAction::triggered, this, &TfrmChat::ImportVersion4Files);
    connect(a.acSeverList, &QAction::triggered, this, &TfrmChat::UpdateServerList);
}

void TfrmChat::createHelpWindow()
{
    m_help = new TfrmHelp(this);
    if (!m_help->LoadHelp(m_programFolder))
        ShowMessage(QStringLiteral("Could not open file ") + m_programFolder + TfrmHelp::FileName);
}

void TfrmChat::CreatePermanentWindows()
{
    if (!m_help)
        createHelpWindow();
    if (!m_launch) {
        const auto status = [this](const QString &text) { SetStatus(0, text); };
        m_launch = new TfrmLaunch(std::make_unique<tCurrentRegistry>(m_programFolder), TfrmLaunch::DesktopStarter(status), [this] {
            if (!m_profile.Settings.UseGameServer())
                return QString();
            return tLauncher::GameServer(m_session.LoggedOn, m_session.CurrentServer, m_profile.ServerList);
        }, this);
        m_launch->Launcher().Report = status;
    }
}

void TfrmChat::ImportVersion4Files()
{
    const QString question = QStringLiteral("Importing will combine version 4 response files\n"
                                            "with the current file.  Do you wish to continue?");
    m_prompts->AskYesNo(question, [this](TPrompts::Answer answer) {
        if (answer != TPrompts::Answer::Yes)
            return;
        m_prompts->OpenFile(QStringLiteral("Select Location of Version 4 Files..."),
                            QStringLiteral("QuorlChat 4 Files (*.cht)"), m_programFolder, [this](const QString &path) {
                                if (path.isEmpty())
                                    return;
                                ImportVersion4(m_profile, ProfileBaseName(path));
                                // The custom list pane shows UserDef, which the import may extend.
                                fillCustomList();
                                ShowMessage(QStringLiteral("Import complete."));
                            });
    });
}

void TfrmChat::UpdateServerList()
{
    m_prompts->OpenFile(QStringLiteral("Choose a Server List File..."), QStringLiteral("Server List Files (*.slf)"),
                        m_programFolder, [this](const QString &path) {
                            if (path.isEmpty())
                                return;
                            QStringList lines;
                            if (!ReadServerList(path, lines)) {
                                ShowMessage(QStringLiteral("Server List file is not valid"));
                                return;
                            }
                            m_profile.ServerList = lines;
                            m_profile.Modified = true;
                            ShowMessage(QStringLiteral("Serve List Updated"));
                        });
}
