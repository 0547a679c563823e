#include "ui/ChatForm.h"

#include "dialogs/Help.h"

void TfrmChat::ShowHelp(const QString &topic)
{
    if (!m_help)
        createHelpWindow();
    m_help->ShowTopic(topic);
}

void TfrmChat::ShowUserInfo(const QString &name)
{
    Q_UNUSED(name);
}

void TfrmChat::BuildSoundMenus()
{
}

void TfrmChat::SendUrlTo(const QString &user)
{
    Q_UNUSED(user);
}
