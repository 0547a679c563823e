#pragma once
#include <QString>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

// Small rules the dialogs' editing fields share.

// A pick list or spin field takes wheel turns only while it has the focus; otherwise they scroll
// what holds it, so a pointer passing over a setting never changes it.
void TakeWheelOnlyWhenFocused(QWidget *editor);

// The characters of `text` the code page cannot store (each once, in order of appearance).
QString UnstorableCharacters(const QString &text);
// `text` without what the code page cannot store; *cursor, a position in `text`, is moved along.
QString StorableText(const QString &text, int *cursor = nullptr);
// What the field shows when it left characters out.
QString UnstorableNotice(const QString &lost);

// Fields kept single-byte by the profile take only what the code page can store: the rest of what
// is typed or pasted is left out, and a tip at the field says what.
void KeepStorable(QLineEdit *edit);
void KeepStorable(QComboBox *editableBox);
void KeepStorable(QPlainTextEdit *edit);

// Gives every button and buddied label under `page` a mnemonic of its own: a letter already taken
// there, or in `reserved` (the dialog's own buttons), moves to a free letter of the caption, or
// goes when none is left. The first holder of a letter keeps it.
void MakeMnemonicsUnique(QWidget *page, const QString &reserved = QString());
// The mnemonic letter of a caption, lower case; a null QChar when it has none.
QChar MnemonicOf(const QString &caption);
