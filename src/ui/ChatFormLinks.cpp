#include "ui/ChatForm.h"

#include <QAction>
#include <QMenu>

#include "dialogs/UrlDialog.h"
#include "dialogs/UserInfoDialog.h"
#include "dialogs/Help.h"

void TfrmChat::ShowHelp(const QString &topic)
{
    if (!m_help)
        createHelpWindow();
    m_help->ShowTopic(topic);
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
    if (!m_soundsFolderExists)
        return;
    // "&Refresh Sound List" and its separator stay.
    const QList<QAction *> entries = m_actions->mnuSounds->actions();
    for (int i = 2; i < entries.size(); ++i) {
        m_actions->mnuSounds->removeAction(entries[i]);
        if (QMenu *sub = entries[i]->menu())
            sub->deleteLater();
        if (entries[i]->parent() == m_actions->mnuSounds)
            entries[i]->deleteLater();
    }
    FillSoundMenu(m_actions->mnuSounds, nullptr);
    for (const auto &m : std::as_const(m_userSoundMenus)) {
        if (!m.first)
            continue;
        for (QAction *a : m.first->actions()) {
            m.first->removeAction(a);
            if (QMenu *sub = a->menu())
                sub->deleteLater();
            if (a->parent() == m.first)
                a->deleteLater();
        }
        FillSoundMenu(m.first, m.second);
    }
}

void TfrmChat::SendUrlTo(const QString &user)
{
    if (user.isEmpty())
        return;
    auto *dlg = new TfrmUrl(user, this);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    connect(dlg, &QDialog::accepted, this, [this, dlg] { m_tools->SendUrl(dlg->User(), dlg->Address()); });
    dlg->open();
}
