#include "dialogs/EditorGuards.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QToolTip>
#include <QValidator>

#include <vector>

#include "net/Ansi.h"

namespace {
const char *const WheelGuarded = "qcWheelGuarded";

class WheelGuard : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() != QEvent::Wheel)
            return false;
        const auto *editor = static_cast<QWidget *>(watched);
        const QWidget *focus = QApplication::focusWidget();
        if (focus && (focus == editor || editor->isAncestorOf(focus)))
            return false;
        e->ignore(); // passed on to what holds the editor, which scrolls
        return true;
    }
};

// One character, or one surrogate pair, starting at `i`.
qsizetype pieceLength(const QString &text, qsizetype i)
{
    return text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
}

bool storable(QStringView piece)
{
    if (piece.size() == 1 && piece.at(0).unicode() < 0x80)
        return true;
    const QString p = piece.toString();
    const QString back = ansi::fromBytes(ansi::toBytes(p));
    // A letter the code page keeps as its decomposition (Vietnamese in 1258) is stored all the same.
    return back == p || back.normalized(QString::NormalizationForm_D) == p.normalized(QString::NormalizationForm_D);
}

void showNotice(QWidget *field, const QString &lost, bool masked)
{
    // A masked field does not spell out the characters of a password.
    const QString text = UnstorableNotice(masked ? QString() : lost);
    QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), text, field);
}

class StorableValidator : public QValidator
{
public:
    explicit StorableValidator(QLineEdit *edit) : QValidator(edit), m_edit(edit) {}

    State validate(QString &input, int &pos) const override
    {
        const QString lost = UnstorableCharacters(input);
        if (!lost.isEmpty()) {
            input = StorableText(input, &pos);
            showNotice(m_edit, lost, m_edit->echoMode() != QLineEdit::Normal);
        }
        return Acceptable;
    }

private:
    QLineEdit *m_edit;
};

// The position of the mnemonic's '&' in a caption; -1 when there is none ("&&" is a plain '&').
qsizetype mnemonicAt(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&'))
            continue;
        if (caption.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return i;
    }
    return -1;
}
} // namespace

void TakeWheelOnlyWhenFocused(QWidget *editor)
{
    if (!editor || editor->property(WheelGuarded).toBool())
        return;
    editor->setProperty(WheelGuarded, true);
    // A wheel turn would otherwise give the editor the focus first, and then change it.
    editor->setFocusPolicy(Qt::StrongFocus);
    editor->installEventFilter(new WheelGuard(editor));
}

QString UnstorableCharacters(const QString &text)
{
    QString lost;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = pieceLength(text, i);
        const QStringView piece = QStringView(text).mid(i, n);
        if (!storable(piece) && !lost.contains(piece))
            lost += piece;
        i += n;
    }
    return lost;
}

QString StorableText(const QString &text, int *cursor)
{
    QString kept;
    kept.reserve(text.size());
    int moved = cursor ? *cursor : 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = pieceLength(text, i);
        const QStringView piece = QStringView(text).mid(i, n);
        if (storable(piece))
            kept += piece;
        else if (cursor && i < *cursor)
            moved -= int(qMin<qsizetype>(n, *cursor - i));
        i += n;
    }
    if (cursor)
        *cursor = moved;
    return kept;
}

QString UnstorableNotice(const QString &lost)
{
    const QString what = lost.isEmpty() ? QStringLiteral("Some characters") : QLatin1Char('"') + lost + QLatin1Char('"');
    return what + QStringLiteral(" cannot be stored in this field and were left out.");
}

void KeepStorable(QLineEdit *edit)
{
    if (edit && !dynamic_cast<const StorableValidator *>(edit->validator()))
        edit->setValidator(new StorableValidator(edit));
}

void KeepStorable(QComboBox *editableBox)
{
    if (editableBox && editableBox->lineEdit())
        KeepStorable(editableBox->lineEdit());
}

void KeepStorable(QPlainTextEdit *edit)
{
    if (!edit)
        return;
    // Connected before the field's own handlers, so they only ever see storable text.
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit] {
        const QString text = edit->toPlainText();
        const QString lost = UnstorableCharacters(text);
        if (lost.isEmpty())
            return;
        int pos = edit->textCursor().position();
        const QString kept = StorableText(text, &pos);
        edit->setPlainText(kept);
        QTextCursor c = edit->textCursor();
        c.setPosition(qBound(0, pos, int(kept.size())));
        edit->setTextCursor(c);
        showNotice(edit, lost, false);
    });
}

QChar MnemonicOf(const QString &caption)
{
    const qsizetype at = mnemonicAt(caption);
    return at < 0 ? QChar() : caption.at(at + 1).toLower();
}

void MakeMnemonicsUnique(QWidget *page, const QString &reserved)
{
    if (!page)
        return;
    QString used = reserved.toLower();
    struct Holder { QWidget *widget; QString caption; };
    std::vector<Holder> clashing;
    for (QWidget *w : page->findChildren<QWidget *>()) {
        QString caption;
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            caption = b->text();
        else if (auto *l = qobject_cast<QLabel *>(w); l && l->buddy())
            caption = l->text();
        const QChar m = MnemonicOf(caption);
        if (m.isNull())
            continue;
        if (used.contains(m))
            clashing.push_back({w, caption});
        else
            used += m;
    }
    for (Holder &h : clashing) {
        QString caption = h.caption;
        caption.remove(mnemonicAt(caption), 1);
        for (qsizetype i = 0; i < caption.size(); ++i) {
            const QChar c = caption.at(i);
            if (c.isLetterOrNumber() && !used.contains(c.toLower())) {
                used += c.toLower();
                caption.insert(i, QLatin1Char('&'));
                break;
            }
        }
        if (auto *b = qobject_cast<QAbstractButton *>(h.widget))
            b->setText(caption);
        else if (auto *l = qobject_cast<QLabel *>(h.widget))
            l->setText(caption);
    }
}
