#include "ui/ChatForm.h"

#include <QAction>
#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>

#include "profile/Profile.h"
#include "ui/TabEdit.h"
#include "ui/TranscriptView.h"
#include "ui/UserListView.h"

namespace {
int selectedRow(const QAbstractItemView *v)
{
    const QModelIndexList sel = v->selectionModel() ? v->selectionModel()->selectedIndexes() : QModelIndexList();
    return sel.isEmpty() ? -1 : sel.first().row();
}

void selectRow(QAbstractItemView *v, int row)
{
    const QModelIndex i = v->model()->index(row, 0);
    if (i.isValid())
        v->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
}

// One step up or down, wrapping at both ends.
void stepRow(QAbstractItemView *v, int row, int step)
{
    const int n = v->model()->rowCount();
    if (n > 0)
        selectRow(v, ((row + step) % n + n) % n);
}
} // namespace

void TfrmChat::bindEntry()
{
    connect(edEntry, &TTabEdit::returnPressed, this, [this] {
        // Enter is the default button's: nothing while Send is disabled.
        if (btnSend->isEnabled())
            m_entry->Send();
    });
    connect(edEntry, &TTabEdit::tabPressed, this, [this] { m_entry->Tab(); });
    connect(btnSend, &QPushButton::clicked, this, [this] { m_entry->Send(); });
    connect(btnEmote, &QPushButton::clicked, this, [this] { m_entry->Emote(); });
    connect(btnWhisper, &QPushButton::clicked, this, [this] { m_entry->Whisper(); });

    // At most one of the two lists carries a selection; a click in either goes back to typing.
    for (auto [list, other] : {std::pair{lstUser, lstDef}, std::pair{lstDef, lstUser}}) {
        connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [other = other](const QItemSelection &selected) {
                    if (!selected.isEmpty())
                        other->clearSelection();
                });
        connect(list, &QAbstractItemView::clicked, this, [this] { Refocus(); });
    }
    // The main window sees the keys before any of its controls.
    qApp->installEventFilter(this);

    m_flashTime = QApplication::cursorFlashTime();
    m_blinkStop.setSingleShot(true);
    m_blinkStop.setInterval(CaretBlinkTimeout);
    connect(&m_blinkStop, &QTimer::timeout, this, [this] {
        // A steady caret: a blinking one would wake the idle program twice a second.
        if (QApplication::cursorFlashTime() > 0) {
            m_flashTime = QApplication::cursorFlashTime();
            QApplication::setCursorFlashTime(0);
        }
    });
    m_blinkStop.start();
}

void TfrmChat::userInput()
{
    if (QApplication::cursorFlashTime() == 0 && m_flashTime > 0)
        QApplication::setCursorFlashTime(m_flashTime);
    m_blinkStop.start();
}

// Alt+W is the Whisper button's and also the Window menu's: the button wins, as typing comes first;
// Alt alone, then the arrow keys, still reaches the menu.
static bool isButtonKey(const QKeyEvent *k)
{
    return (k->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier && (k->key() == Qt::Key_W || k->key() == Qt::Key_T);
}

bool TfrmChat::handleKey(QKeyEvent *k)
{
    const Qt::KeyboardModifiers mods = k->modifiers() & ~Qt::KeypadModifier;
    if (isButtonKey(k)) {
        QPushButton *b = k->key() == Qt::Key_W ? btnWhisper : btnEmote;
        if (b->isEnabled())
            b->click();
        return true;
    }
    switch (k->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const bool up = k->key() == Qt::Key_Up;
        if (mods == Qt::ShiftModifier)
            up ? m_entry->HistoryUp() : m_entry->HistoryDown();
        else if (mods == Qt::NoModifier)
            moveListSelection(up ? -1 : 1);
        return true;
    }
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (selectedRow(lstDef) < 0 && selectedRow(lstUser) >= 0) {
            lstUser->clearSelection();
            selectRow(lstDef, 0);
        } else {
            lstDef->clearSelection();
            selectRow(lstUser, 0);
        }
        return true;
    default:
        return false;
    }
}

void TfrmChat::moveListSelection(int step)
{
    const int def = selectedRow(lstDef);
    const int user = selectedRow(lstUser);
    if (def >= 0) {
        stepRow(lstDef, def, step);
    } else if (user < 0) {
        lstDef->clearSelection();
        selectRow(lstUser, 0);
    } else {
        stepRow(lstUser, user, step);
    }
}

bool TfrmChat::eventFilter(QObject *watched, QEvent *e)
{
    switch (e->type()) {
    case QEvent::ShortcutOverride: {
        auto *w = qobject_cast<QWidget *>(watched);
        if (w && w->window() == this && isButtonKey(static_cast<QKeyEvent *>(e))) {
            e->accept(); // a key press, not a shortcut
            return true;
        }
        break;
    }
    case QEvent::KeyPress: {
        auto *w = qobject_cast<QWidget *>(watched);
        if (w && w->window() == this) {
            userInput();
            // Once per press, not again for each parent it propagates to; the key goes on unchanged.
            if (w == QApplication::focusWidget() || !QApplication::focusWidget())
                macroKey(static_cast<QKeyEvent *>(e));
            // The menu bar in keyboard mode (Alt alone, then the arrow keys: the way into
            // "&Window", whose Alt+W is the Whisper button's) needs its arrow keys.
            if (!qobject_cast<QMenuBar *>(w) && handleKey(static_cast<QKeyEvent *>(e)))
                return true;
        }
        break;
    }
    case QEvent::MouseButtonPress: {
        if (auto *w = qobject_cast<QWidget *>(watched); w && w->window() == this)
            userInput();
        const auto *m = static_cast<QMouseEvent *>(e);
        if (watched == reChat->viewport() && m->button() == Qt::RightButton)
            m_menuTarget = &m_chatText;
        else if (watched == reWhisper->viewport() && m->button() == Qt::RightButton)
            m_menuTarget = &m_whisperText;
        else if (watched == pnlEntry || watched == statusBar())
            Refocus();
        break;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, e);
}

void TfrmChat::Refocus()
{
    edEntry->setFocus(Qt::OtherFocusReason);
    edEntry->setCaretToEnd();
}

bool TfrmChat::WhisperLock() const
{
    return m_actions->acLock->isChecked();
}

QString TfrmChat::SelectedUser() const
{
    return lstUser->SelectedName();
}

QString TfrmChat::SelectedDef() const
{
    return lstDef->SelectedName();
}

QString TfrmChat::EntryText() const
{
    return edEntry->text();
}

void TfrmChat::SetEntryText(const QString &text)
{
    edEntry->setText(text);
}

void TfrmChat::InsertAtCaret(const QString &text)
{
    edEntry->lineEdit()->insert(text);
}

void TfrmChat::HistoryInserted(const QString &text)
{
    edEntry->insertHistory(text);
}

void TfrmChat::WriteWhisperInfo(const QString &text)
{
    m_whisperText.WriteLine(text, bgrToColor(m_profile.Settings.Color(InfoColor)));
}

void TfrmChat::LogEvent(const QString &text)
{
    m_log.LoggedWithEvents(m_profile.Settings, text);
}

void TfrmChat::AskText(const QString &title, const QString &prompt, const QString &preset, TextAnswer done)
{
    m_prompts->AskText(title, prompt, preset, std::move(done));
}

void TfrmChat::SetDndChecked(bool on)
{
    m_actions->acDND->setChecked(on);
}
