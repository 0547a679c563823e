#include "ui/ChatForm.h"

#include "dialogs/UserInfoDialog.h"

#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>
#include <algorithm>
#include <memory>

#include "automation/Automation.h"
#include "profile/Profile.h"

namespace {
// Window sizes a hand-edited Chat.ini cannot push past.
constexpr int MinWindowWidth = 240, MinWindowHeight = 180, MaxWindowSize = 16000;
} // namespace

void TfrmChat::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (!m_startedUp)
        StartUp();
}

void TfrmChat::StartUp()
{
    m_startedUp = true;
    // The profile main created is the start-up profile; what the window keeps for Chat.ini starts empty.
    TextFileName.clear();
    TextTarget.clear();
    TextLines.clear();
    IgnorePrefix.clear();
    m_profile.Modified = false;

    tIniFile ini;
    ini.Load(ChatIniPath()); // missing or unreadable: every default
    tChatIni c;
    ReadLastFile(ini, c);
    m_fileActions->LoadLastProfile(c.LastFile);
    ApplyAppearance();

    showBars();
    BuildSoundMenus();
    ReadLayout(ChatIniPath());
    ApplyPaneLayout();
    LoadToolbar();
    BuildToolbar();
    BuildFavorites();

    ReadBatchFile(ini, c);
    TextFileName = c.BatchFile;
    TextTarget = c.BatchUser;
    if (!TextFileName.isEmpty() && !ReadRecitalLines(TextFileName, TextLines)) {
        ShowMessage(QStringLiteral("Could not open text file"));
        TextFileName.clear();
        TextLines.clear();
    }
    activateWindow();
    Refocus();
}

void TfrmChat::ReadLayout(const QString &iniPath)
{
    tIniFile ini;
    ini.Load(iniPath);
    tChatIni c;
    ReadLayoutKeys(ini, c);

    const QSize size(std::clamp(c.Width, MinWindowWidth, MaxWindowSize), std::clamp(c.Height, MinWindowHeight, MaxWindowSize));
    QPoint at(c.Left, c.Top);
    // A window placed where no screen is would be out of reach.
    QRect desktop;
    for (const QScreen *s : QGuiApplication::screens())
        desktop |= s->availableVirtualGeometry();
    if (!desktop.isEmpty() && !desktop.intersects(QRect(at, size)))
        at = QPoint(tChatIni().Left, tChatIni().Top);
    setWindowState(windowState() & ~Qt::WindowMaximized);
    move(at);
    resize(size);
    if (c.Maximized)
        setWindowState(windowState() | Qt::WindowMaximized);

    m_userWidth = std::clamp(c.UserWidth, MinPaneSize, MaxWindowSize);
    m_customHeight = std::clamp(c.CustomHeight, MinPaneSize, MaxWindowSize);
    m_whisperHeight = std::clamp(c.WhisperHeight, MinPaneSize, MaxWindowSize);
    IgnorePrefix = c.IgnorePrefix;
    Switches.CustomList = c.CustomList;
    Switches.UserList = c.UserList;
    Switches.Whisper = c.Whisper;
    Switches.TextLabels = c.TextLabels;
    m_actions->acUserDef->setChecked(c.CustomList);
    m_actions->acUserList->setChecked(c.UserList);
    m_actions->acWhisperVis->setChecked(c.Whisper);
    m_actions->acTextLabel->setChecked(c.TextLabels);
    applyPaneSizes();
}

void TfrmChat::writeLayoutKeys(tIniFile &ini)
{
    tChatIni c;
    // A maximised or minimised window is written with the size it comes back to.
    const bool normal = !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    const QRect g = normal ? QRect(pos(), size()) : normalGeometry();
    c.Left = g.x();
    c.Top = g.y();
    c.Width = normal ? size().width() : g.width();
    c.Height = normal ? size().height() : g.height();
    if (!m_resizable && m_savedSize.isValid()) {
        c.Width = m_savedSize.width();
        c.Height = m_savedSize.height();
    }
    c.Maximized = windowState() & Qt::WindowMaximized;
    c.UserWidth = UserPanelWidth();
    c.CustomHeight = CustomListHeight();
    c.WhisperHeight = WhisperPaneHeight();
    c.CustomList = Switches.CustomList;
    c.UserList = Switches.UserList;
    c.Whisper = Switches.Whisper;
    c.TextLabels = Switches.TextLabels;
    WriteLayoutKeys(ini, c);
}

void TfrmChat::WriteLayout(const QString &iniPath)
{
    tIniFile ini;
    // One that is there but could not be read keeps everything it holds.
    if (!ini.LoadForUpdate(iniPath))
        return;
    writeLayoutKeys(ini);
    ini.Save(iniPath);
}

void TfrmChat::closeEvent(QCloseEvent *e)
{
    if (m_closeAllowed) {
        QMainWindow::closeEvent(e);
        return;
    }
    e->ignore();
    if (m_closing)
        return; // the question is up already
    m_closing = true;
    // The answer may come at once (then the close goes on here) or later from the dialog.
    auto inside = std::make_shared<bool>(true);
    auto accept = std::make_shared<bool>(false);
    m_fileActions->ConfirmDiscard([this, inside, accept](bool go) {
        m_closing = false;
        if (!go)
            return; // Cancel: the program goes on running
        const bool written = finishShutDown();
        m_closeAllowed = true;
        // The window stays for the report to be read; the next close ends the program.
        if (!written)
            return;
        if (*inside)
            *accept = true;
        else
            close();
    });
    *inside = false;
    if (*accept)
        QMainWindow::closeEvent(e);
}

bool TfrmChat::finishShutDown()
{
    if (m_session.AttemptPending())
        m_session.ConnectAction(); // cancels the attempt; a standing connection stays until the end
    bool written = true;
    tIniFile ini;
    // One that is there but could not be read keeps everything it holds ("Response" among it).
    if (ini.LoadForUpdate(ChatIniPath())) {
        WriteLastFile(ini, m_profile.CurrentProfile);
        tChatIni c;
        c.BatchFile = TextFileName;
        c.BatchUser = TextTarget;
        WriteBatchFile(ini, c);
        writeLayoutKeys(ini);
        if (!ini.Save(ChatIniPath())) {
            ShowMessage(QStringLiteral("Error saving file: ") + ChatIniPath());
            written = false;
        }
    }
    return SaveToolbar() && written;
}

void TfrmChat::ReleaseProfile()
{
    m_log.Close();
}

void TfrmChat::WriteInfo(const QString &text)
{
    m_chatText.WriteLine(text, bgrToColor(m_profile.Settings.Color(InfoColor)));
}

void TfrmChat::WriteError(const QString &text)
{
    m_chatText.WriteLine(text, bgrToColor(m_profile.Settings.Color(ErrorColor)));
}

void TfrmChat::ProfileLoaded(bool complete)
{
    // A load that stopped with an error leaves the connection the account and server it had.
    if (complete) {
        m_chatInterface.Address = m_profile.Settings.Server();
        ApplyProfile();
    } else {
        OpenSessionLog();
    }
    fillCustomList();
    BuildFavorites();
    showBars();
    ApplyAppearance();
    if (m_userInfo)
        m_userInfo->ProfileLoaded();
}

void TfrmChat::ProfileCleared()
{
    // The text file's lines belong to the profile that was cleared; its name stays for Chat.ini.
    TextLines.clear();
    BuildFavorites();
    showBars();
    fillCustomList();
    ApplyAppearance();
    if (m_userInfo)
        m_userInfo->ProfileCleared();
}

void TfrmChat::fillCustomList()
{
    m_defModel.setStringList(m_profile.UserDef);
}
