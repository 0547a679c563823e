#include "ui/ChatForm.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>

#include "automation/Automation.h"
#include "dialogs/ChannelDialogs.h"
#include "profile/Profile.h"
#include "ui/TabEdit.h"
#include "ui/TranscriptView.h"
#include "ui/UserListView.h"

void TfrmChat::buildActions()
{
    m_actions = new TChatActions(this, m_profile);
    m_actions->BuildMenus(menuBar());
    TChatActions &a = *m_actions;
    acConnect = a.acConnect;
    acPause = a.acPause;
    acAway = a.acAway;

    connect(a.acNew, &QAction::triggered, this, [this] { m_fileActions->New(); });
    connect(a.acOpen, &QAction::triggered, this, [this] { m_fileActions->Open(); });
    connect(a.acSave, &QAction::triggered, this, [this] { m_fileActions->Save(); });
    connect(a.acSaveAs, &QAction::triggered, this, [this] { m_fileActions->SaveAs(); });
    connect(a.acExit, &QAction::triggered, this, &QWidget::close);

    connect(acPause, &QAction::triggered, this, [this](bool checked) { m_session.SetPaused(checked); });
    for (QAction *e : {a.acCut, a.acCopy, a.acPaste, a.acSelectAll})
        connect(e, &QAction::triggered, this, [this, e] { editAction(e); });
    // The Undo tool button: undoes typing in the entry line, wherever the focus is.
    connect(a.acUndo, &QAction::triggered, this, [this] {
        edEntry->lineEdit()->undo();
        edEntry->setFocus(Qt::OtherFocusReason);
    });

    connect(acConnect, &QAction::triggered, this, [this] {
        m_session.ConnectAction();
        UpdateActions();
    });
    // Away and DND set their check marks themselves, from the answer to their prompt.
    connect(acAway, &QAction::triggered, this, [this](bool checked) {
        acAway->setChecked(!checked);
        m_entry->ToggleAway();
    });
    connect(a.acDND, &QAction::triggered, this, [this](bool checked) {
        m_actions->acDND->setChecked(!checked);
        m_entry->ToggleDnd();
    });
    bindHelpActions();
    connect(a.acJoin, &QAction::triggered, this, [this] { selectChannel(true); });
    connect(a.acList, &QAction::triggered, this, [this] { selectChannel(false); });

    const auto layoutSwitch = [this](QAction *ac, bool tPaneSwitches::*flag) {
        connect(ac, &QAction::triggered, this, [this, flag](bool checked) {
            Switches.*flag = checked;
            ApplyPaneLayout();
        });
    };
    layoutSwitch(a.acUserDef, &tPaneSwitches::CustomList);
    layoutSwitch(a.acUserList, &tPaneSwitches::UserList);
    layoutSwitch(a.acWhisperVis, &tPaneSwitches::Whisper);
    layoutSwitch(a.acTextLabel, &tPaneSwitches::TextLabels);
    connect(a.acToolbar, &QAction::triggered, this, [this](bool checked) {
        m_profile.Settings.setShowToolbar(checked);
        m_profile.Modified = true;
        showBars();
    });
    connect(a.acFavorite, &QAction::triggered, this, [this](bool checked) {
        m_profile.Settings.setShowFavorites(checked);
        m_profile.Modified = true;
        showBars();
    });

    connect(a.acChatUsers, &QAction::triggered, this, [this] { m_entry->SendMenuLine(QStringLiteral("/users")); });
    connect(a.acChatTime, &QAction::triggered, this, [this] { m_entry->SendMenuLine(QStringLiteral("/time")); });
    connect(a.acChatRejoin, &QAction::triggered, this, [this] { m_entry->SendMenuLine(QStringLiteral("/rejoin")); });
    connect(a.acChatClear, &QAction::triggered, this, [this] {
        m_menuTarget->Clear();
        Refocus();
    });
    connect(a.acChatSave, &QAction::triggered, this, &TfrmChat::saveTranscript);
    for (TTranscriptView *pane : {reChat, reWhisper}) {
        connect(pane, &QWidget::customContextMenuRequested, this, [this, pane](const QPoint &pos) {
            m_menuTarget = &pane->Transcript();
            UpdateActions();
            m_actions->mnuChat->popup(pane->viewport()->mapToGlobal(pos));
        });
    }

    // Ctrl+A is Away, Ctrl+C the window's Copy ... even while one of these has the focus.
    for (QWidget *w : std::initializer_list<QWidget *>{edEntry, edEntry->lineEdit(), reChat, reWhisper, edChannel, lstUser, lstDef})
        a.KeepShortcuts(w);

    auto *altN = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_N), this);
    connect(altN, &QShortcut::activated, this, [this] { m_entry->AltN(); });

    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        m_clipboardHasText = !QGuiApplication::clipboard()->text().isEmpty();
        UpdateActions();
    });
    m_clipboardHasText = !QGuiApplication::clipboard()->text().isEmpty();
}

void TfrmChat::showBars()
{
    m_actions->acToolbar->setChecked(m_profile.Settings.ShowToolbar());
    m_actions->acFavorite->setChecked(m_profile.Settings.ShowFavorites());
    // An empty bar would only be a blank strip under the menu.
    pnlBar->setVisible(m_profile.Settings.ShowToolbar() && !pnlBar->actions().isEmpty());
    pnlFavorites->setVisible(m_profile.Settings.ShowFavorites() && !pnlFavorites->actions().isEmpty());
}

void TfrmChat::editAction(QAction *which)
{
    QWidget *f = QApplication::focusWidget();
    QLineEdit *entry = edEntry->lineEdit();
    if (f == edEntry)
        f = entry;
    auto *line = qobject_cast<QLineEdit *>(f);
    auto *pane = qobject_cast<QPlainTextEdit *>(f);
    const TChatActions &a = *m_actions;
    if (which == a.acCut) {
        if (line == entry)
            entry->cut();
    } else if (which == a.acPaste) {
        if (line == entry)
            entry->paste();
    } else if (which == a.acCopy) {
        if (line)
            line->copy();
        else if (pane)
            pane->copy();
    } else if (which == a.acSelectAll) {
        if (line)
            line->selectAll();
        else if (pane)
            pane->selectAll();
    }
}

void TfrmChat::selectChannel(bool join)
{
    auto *dlg = new TfrmSelectChannel(m_profile, m_users.CurrentChannel, this);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->Help = [this](const QString &topic) { ShowHelp(topic); };
    connect(dlg, &QDialog::finished, this, [this, dlg, join](int result) {
        if (result == QDialog::Accepted)
            SendLine((join ? QStringLiteral("/Join ") : QStringLiteral("/who ")) + dlg->Channel() + QLatin1Char('\r'));
        // Once the dialog has gone, the main window is active again.
        QTimer::singleShot(0, this, [this] {
            activateWindow();
            Refocus();
        });
    });
    dlg->open();
}

void TfrmChat::saveTranscript()
{
    tTranscript *target = m_menuTarget;
    m_prompts->SaveFile(QStringLiteral("Save Chat File..."), QStringLiteral("Text Files (*.txt)"), QStringLiteral("txt"),
                        m_programFolder, [this, target](const QString &path) {
                            if (!path.isEmpty() && !target->SaveToFile(path))
                                ShowMessage(QStringLiteral("Unable to save file"));
                            Refocus();
                        });
}

void TfrmChat::UpdateActions()
{
    if (m_inUpdate || !m_actions)
        return;
    m_inUpdate = true;
    tActionState st;
    st.LoggedOn = m_session.LoggedOn;
    st.SoundsFolderExists = m_soundsFolderExists;
    QWidget *f = QApplication::focusWidget();
    st.EntryFocused = f && (f == edEntry || f == edEntry->lineEdit());
    st.EditFocused = f && (f == reChat || f == reWhisper || f == edChannel);
    st.ClipboardHasText = m_clipboardHasText;
    st.EntryCanUndo = edEntry->lineEdit()->isUndoAvailable();
    st.Reciting = m_automation && Automation().TextFile().Reciting;
    m_actions->Update(st);
    // The pause release while not logged on and status panel 1 belong to the session.
    m_session.IdleUpdate();
    m_inUpdate = false;
}

bool TfrmChat::event(QEvent *e)
{
    if (e->type() == QEvent::StatusTip) {
        // Hints cover panel 0 while they are shown; the progress text comes back after them.
        const QString tip = static_cast<QStatusTipEvent *>(e)->tip();
        m_showingHint = !tip.isEmpty();
        m_panels[0]->setText(m_showingHint ? tip : m_panel0);
        return true;
    }
    return QMainWindow::event(e);
}
