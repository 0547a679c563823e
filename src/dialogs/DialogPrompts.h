#pragma once
#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

class QWidget;

// The questions, input boxes and pickers the settings dialogs ask. The dialogs are modal, so these
// answer at once; tests replace them with recorded answers.
class TDialogPrompts
{
public:
    virtual ~TDialogPrompts() = default;
    virtual void Message(QWidget *parent, const QString &text) = 0;
    // Yes / No; true for Yes.
    virtual bool AskYesNo(QWidget *parent, const QString &question) = 0;
    // Empty optional when cancelled.
    virtual std::optional<QString> AskText(QWidget *parent, const QString &title, const QString &prompt) = 0;
    // `filter` in Qt's form ("Text Files (*.txt)"); a file that does not exist is confirmed before it
    // is accepted when `confirmCreate` is set. Empty when cancelled.
    virtual QString PickFile(QWidget *parent, const QString &title, const QString &filter, const QString &suffix,
                             const QString &folder, bool confirmCreate) = 0;
    virtual std::optional<QColor> PickColor(QWidget *parent, const QColor &initial) = 0;
    virtual std::optional<QFont> PickFont(QWidget *parent, const QFont &initial) = 0;
};

// The standard dialogs.
class TModalPrompts : public TDialogPrompts
{
public:
    void Message(QWidget *parent, const QString &text) override;
    bool AskYesNo(QWidget *parent, const QString &question) override;
    std::optional<QString> AskText(QWidget *parent, const QString &title, const QString &prompt) override;
    QString PickFile(QWidget *parent, const QString &title, const QString &filter, const QString &suffix,
                     const QString &folder, bool confirmCreate) override;
    std::optional<QColor> PickColor(QWidget *parent, const QColor &initial) override;
    std::optional<QFont> PickFont(QWidget *parent, const QFont &initial) override;
};
