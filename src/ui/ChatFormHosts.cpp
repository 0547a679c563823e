#include "ui/ChatForm.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "profile/ChatIni.h"
#include "ui/TranscriptView.h"

QString TfrmChat::StatusText(int panel) const
{
    return panel >= 0 && panel < 2 ? m_panels[panel]->text() : QString();
}

void TfrmChat::SetStatus(int panel, const QString &text)
{
    if (panel < 0 || panel > 1)
        return;
    if (panel == 0) {
        // A hint over panel 0 stays while it is shown; the progress text comes back after it.
        m_panel0 = text;
        if (m_showingHint)
            return;
    }
    m_panels[panel]->setText(text);
}

void TfrmChat::WriteChat(const QString &text, const QColor &color)
{
    m_chatText.WriteLine(text, color);
}

void TfrmChat::ShowMessage(const QString &text)
{
    if (MessageBoxHandler)
        MessageBoxHandler(text);
}

void TfrmChat::ClearChannel()
{
    m_users.Clear();
}

void TfrmChat::SetConnectChecked(bool checked)
{
    acConnect->setChecked(checked);
}

void TfrmChat::SetPauseChecked(bool checked)
{
    acPause->setChecked(checked);
}

void TfrmChat::EnableChatButtons(bool enabled)
{
    for (QPushButton *b : {btnSend, btnEmote, btnWhisper})
        b->setEnabled(enabled);
}

bool TfrmChat::WhisperPaneVisible() const
{
    return !reWhisper->isHidden();
}

void TfrmChat::SendLine(const QString &text)
{
    m_bcChat.SendLine(text);
}

void TfrmChat::SetAwayChecked(bool checked)
{
    acAway->setChecked(checked);
}
