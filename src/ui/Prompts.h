#pragma once
#include <QObject>
#include <QString>
#include <functional>

class QWidget;

// Message boxes, input prompts and file dialogs of the main window. Every question answers through
// a callback, so the event loop (sockets, timers) keeps running while the user thinks; tests
// replace the whole interface and answer at once.
class TPrompts
{
public:
    enum class Answer { Yes, No, Cancel };
    using AnswerFn = std::function<void(Answer)>;
    using TextFn = std::function<void(bool confirmed, const QString &text)>;
    // The chosen path, empty when the dialog was cancelled.
    using PathFn = std::function<void(const QString &path)>;

    virtual ~TPrompts() = default;
    virtual void Message(const QString &text) = 0;
    virtual void AskYesNoCancel(const QString &question, AnswerFn done) = 0;
    // A question with Yes and No only; by default the three-button one, Cancel counting as No.
    virtual void AskYesNo(const QString &question, AnswerFn done)
    {
        AskYesNoCancel(question, [done = std::move(done)](Answer a) { done(a == Answer::Yes ? Answer::Yes : Answer::No); });
    }
    virtual void AskText(const QString &title, const QString &prompt, const QString &preset, TextFn done) = 0;
    // `filter` in Qt's form, e.g. "Chat Files (*.ch5)"; the file must exist.
    virtual void OpenFile(const QString &title, const QString &filter, const QString &folder, PathFn done) = 0;
    // Asks before an existing file is overwritten; `suffix` is added to a name typed without one.
    virtual void SaveFile(const QString &title, const QString &filter, const QString &suffix, const QString &folder,
                          PathFn done) = 0;
};

// The real dialogs: window-modal, opened without a nested event loop.
class TWidgetPrompts : public QObject, public TPrompts
{
    Q_OBJECT
public:
    explicit TWidgetPrompts(QWidget *parent);

    void Message(const QString &text) override;
    void AskYesNoCancel(const QString &question, AnswerFn done) override;
    void AskYesNo(const QString &question, AnswerFn done) override;
    void AskText(const QString &title, const QString &prompt, const QString &preset, TextFn done) override;
    void OpenFile(const QString &title, const QString &filter, const QString &folder, PathFn done) override;
    void SaveFile(const QString &title, const QString &filter, const QString &suffix, const QString &folder,
                  PathFn done) override;

private:
    QWidget *m_parent;
};
