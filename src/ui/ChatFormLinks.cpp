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
    // The folder is listed once for every menu; "&Refresh Sound List" and its separator stay.
    const tSoundTree tree = ListSounds(m_programFolder);
    clearSoundEntries(m_actions->mnuSounds, 2);
    FillSoundMenu(m_actions->mnuSounds, nullptr, tree);
    for (const auto &m : std::as_const(m_userSoundMenus)) {
        if (!m.first)
            continue;
        clearSoundEntries(m.first, 0);
        FillSoundMenu(m.first, m.second, tree);
    }
}

void TfrmChat::clearSoundEntries(QMenu *menu, int keep)
{
    const QList<QAction *> entries = menu->actions();
    for (qsizetype i = keep; i < entries.size(); ++i) {
        menu->removeAction(entries[i]);
        if (QMenu *sub = entries[i]->menu())
            sub->deleteLater();
        if (entries[i]->parent() == menu)
            entries[i]->deleteLater();
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
