#include "ui/ChatForm.h"

void TfrmChat::ShowHelp(const QString &topic)
{
    Q_UNUSED(topic);
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
