#include "ui/Prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

TWidgetPrompts::TWidgetPrompts(QWidget *parent) : QObject(parent), m_parent(parent) {}

void TWidgetPrompts::Message(const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok, m_parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void TWidgetPrompts::AskYesNoCancel(const QString &question, AnswerFn done)
{
    auto *box = new QMessageBox(QMessageBox::Question, QApplication::applicationName(), question,
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_parent);
    box->setDefaultButton(QMessageBox::Yes);
    box->setEscapeButton(QMessageBox::Cancel);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [box, done = std::move(done)](int) {
        const auto b = box->standardButton(box->clickedButton());
        done(b == QMessageBox::Yes ? Answer::Yes : b == QMessageBox::No ? Answer::No : Answer::Cancel);
    });
    box->open();
}

void TWidgetPrompts::AskYesNo(const QString &question, AnswerFn done)
{
    auto *box = new QMessageBox(QMessageBox::Question, QApplication::applicationName(), question,
                                QMessageBox::Yes | QMessageBox::No, m_parent);
    box->setDefaultButton(QMessageBox::Yes);
    box->setEscapeButton(QMessageBox::No);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [box, done = std::move(done)](int) {
        done(box->standardButton(box->clickedButton()) == QMessageBox::Yes ? Answer::Yes : Answer::No);
    });
    box->open();
}

void TWidgetPrompts::AskText(const QString &title, const QString &prompt, const QString &preset, TextFn done)
{
    auto *dlg = new QInputDialog(m_parent);
    dlg->setWindowTitle(title);
    dlg->setLabelText(prompt);
    dlg->setTextValue(preset);
    dlg->setTextEchoMode(QLineEdit::Normal);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    connect(dlg, &QDialog::finished, this, [dlg, done = std::move(done)](int result) {
        done(result == QDialog::Accepted, dlg->textValue());
    });
    dlg->open();
}

void TWidgetPrompts::OpenFile(const QString &title, const QString &filter, const QString &folder, PathFn done)
{
    auto *dlg = new QFileDialog(m_parent, title, folder, filter);
    dlg->setAcceptMode(QFileDialog::AcceptOpen);
    dlg->setFileMode(QFileDialog::ExistingFile);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    connect(dlg, &QDialog::finished, this, [dlg, done = std::move(done)](int result) {
        const QStringList files = dlg->selectedFiles();
        done(result == QDialog::Accepted && !files.isEmpty() ? files.first() : QString());
    });
    dlg->open();
}

void TWidgetPrompts::SaveFile(const QString &title, const QString &filter, const QString &suffix, const QString &folder,
                              PathFn done)
{
    auto *dlg = new QFileDialog(m_parent, title, folder, filter);
    dlg->setAcceptMode(QFileDialog::AcceptSave);
    dlg->setFileMode(QFileDialog::AnyFile);
    dlg->setDefaultSuffix(suffix);
    dlg->setOption(QFileDialog::DontConfirmOverwrite, false);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    connect(dlg, &QDialog::finished, this, [dlg, done = std::move(done)](int result) {
        const QStringList files = dlg->selectedFiles();
        done(result == QDialog::Accepted && !files.isEmpty() ? files.first() : QString());
    });
    dlg->open();
}
