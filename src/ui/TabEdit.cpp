#include "ui/TabEdit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

TTabEdit::TTabEdit(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setDuplicatesEnabled(true);
    setCompleter(nullptr);
    setMaxVisibleItems(16);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(10);
    setFocusPolicy(Qt::StrongFocus);
    // Key events may reach the inner line edit directly; it is watched as well.
    lineEdit()->installEventFilter(this);
}

void TTabEdit::setText(const QString &text)
{
    if (currentIndex() != -1)
        setCurrentIndex(-1);
    setEditText(text);
    setCaretToEnd();
}

void TTabEdit::setCaretToEnd()
{
    lineEdit()->deselect();
    lineEdit()->setCursorPosition(int(lineEdit()->text().size()));
}

void TTabEdit::insertHistory(const QString &text)
{
    const QString current = lineEdit()->text();
    const int caret = lineEdit()->cursorPosition();
    insertItem(0, text);
    setCurrentIndex(-1);
    setEditText(current);
    lineEdit()->setCursorPosition(caret);
}

QStringList TTabEdit::history() const
{
    QStringList out;
    for (int i = 0; i < count(); ++i)
        out << itemText(i);
    return out;
}

bool TTabEdit::handleKey(QKeyEvent *k)
{
    const Qt::KeyboardModifiers mods = k->modifiers() & ~Qt::KeypadModifier;
    switch (k->key()) {
    case Qt::Key_Tab:
        if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier))
            return false; // Ctrl+Tab and Shift+Tab keep their usual meaning
        emit tabPressed();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (mods & Qt::AltModifier)
            return false;
        emit returnPressed();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (k->key() == Qt::Key_Down && mods == Qt::AltModifier)
            return false; // Alt+Down opens the drop-down list
        emit arrowPressed(k->key(), mods);
        return true;
    default:
        return false;
    }
}

bool TTabEdit::event(QEvent *e)
{
    // Tab is turned into focus movement by QWidget::event before keyPressEvent sees it.
    if (e->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent *>(e))) {
        e->accept();
        return true;
    }
    return QComboBox::event(e);
}

bool TTabEdit::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == lineEdit() && e->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent *>(e))) {
        e->accept();
        return true;
    }
    return QComboBox::eventFilter(watched, e);
}

void TTabEdit::wheelEvent(QWheelEvent *e)
{
    // The wheel would step through the history and replace what is being typed.
    e->ignore();
}
