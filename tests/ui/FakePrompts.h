#pragma once
// Dialog answers for window tests: every question is recorded and answered from a queue at once
// (an empty queue cancels), so no real modal dialog ever opens.
#include <QStringList>
#include <deque>
#include <utility>

#include "ui/Prompts.h"

struct FakePrompts : TPrompts
{
    QStringList messages, asked, texts, dialogs;
    std::deque<Answer> answers;
    std::deque<std::pair<bool, QString>> textAnswers;
    std::deque<QString> paths; // "" = cancelled

    void Message(const QString &t) override { messages << t; }
    void AskYesNoCancel(const QString &q, AnswerFn done) override
    {
        asked << q;
        const Answer a = answers.empty() ? Answer::Cancel : answers.front();
        if (!answers.empty())
            answers.pop_front();
        done(a);
    }
    void AskText(const QString &title, const QString &prompt, const QString &preset, TextFn done) override
    {
        texts << title + QLatin1Char('|') + prompt + QLatin1Char('|') + preset;
        const auto a = textAnswers.empty() ? std::pair<bool, QString>{false, {}} : textAnswers.front();
        if (!textAnswers.empty())
            textAnswers.pop_front();
        done(a.first, a.second);
    }
    QString nextPath()
    {
        const QString p = paths.empty() ? QString() : paths.front();
        if (!paths.empty())
            paths.pop_front();
        return p;
    }
    void OpenFile(const QString &title, const QString &filter, const QString &folder, PathFn done) override
    {
        dialogs << QStringLiteral("open|") + title + QLatin1Char('|') + filter + QLatin1Char('|') + folder;
        done(nextPath());
    }
    void SaveFile(const QString &title, const QString &filter, const QString &suffix, const QString &folder,
                  PathFn done) override
    {
        dialogs << QStringLiteral("save|") + title + QLatin1Char('|') + filter + QLatin1Char('|') + suffix +
                       QLatin1Char('|') + folder;
        done(nextPath());
    }
};
