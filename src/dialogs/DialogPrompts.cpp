#include "dialogs/DialogPrompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>

void TModalPrompts::Message(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok, parent);
    box.exec();
}

bool TModalPrompts::AskYesNo(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> TModalPrompts::AskText(QWidget *parent, const QString &title, const QString &prompt)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString TModalPrompts::PickFile(QWidget *parent, const QString &title, const QString &filter, const QString &suffix,
                                const QString &folder, bool confirmCreate)
{
    QFileDialog dlg(parent, title, folder, filter);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(confirmCreate ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setDefaultSuffix(suffix);
    while (dlg.exec() == QDialog::Accepted) {
        const QStringList files = dlg.selectedFiles();
        if (files.isEmpty())
            return QString();
        const QString path = files.first();
        if (!confirmCreate || QFileInfo::exists(path))
            return path;
        if (AskYesNo(parent, path + QStringLiteral("\nThis file does not exist.\nDo you want to create it?")))
            return path;
    }
    return QString();
}

std::optional<QColor> TModalPrompts::PickColor(QWidget *parent, const QColor &initial)
{
    const QColor c = QColorDialog::getColor(initial, parent);
    if (!c.isValid())
        return std::nullopt;
    return c;
}

std::optional<QFont> TModalPrompts::PickFont(QWidget *parent, const QFont &initial)
{
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, initial, parent);
    if (!ok)
        return std::nullopt;
    return f;
}
