#include "ui/ChatForm.h"

#include "dialogs/UserInfoDialog.h"

void TfrmChat::ShowHelp(const QString &topic)
{
    Q_UNUSED(topic);
}

void TfrmChat::ShowUserInfo(const QString &name)
{
    if (!m_userInfo)
        return;
    m_userInfo->ProgramFolder = m_programFolder;
    m_userInfo->ShowUserInfo(name);
}

void TfrmChat::BuildSoundMenus()
{
}

void TfrmChat::SendUrlTo(const QString &user)
{
    Q_UNUSED(user);
}
