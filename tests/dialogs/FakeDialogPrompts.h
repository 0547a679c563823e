#pragma once
// Answers for the settings dialogs: every question is recorded and answered from a queue at once
// (an empty queue says No / cancels), so no real dialog ever opens.
#include <QStringList>
#include <deque>

#include "dialogs/DialogPrompts.h"

struct FakeDialogPrompts : TDialogPrompts
{
    QStringList asked;
    std::deque<bool> yes;
    std::deque<std::optional<QString>> texts;
    std::deque<QString> files;
    std::deque<std::optional<QColor>> colours;
    std::deque<std::optional<QFont>> fonts;
    QList<QFont> fontStarts;

    template <class T> static T next(std::deque<T> &q, T none)
    {
        if (q.empty())
            return none;
        T v = q.front();
        q.pop_front();
        return v;
    }
    void Message(QWidget *, const QString &t) override { asked << QStringLiteral("message|") + t; }
    bool AskYesNo(QWidget *, const QString &q) override
    {
        asked << q;
        return next(yes, false);
    }
    std::optional<QString> AskText(QWidget *, const QString &title, const QString &prompt) override
    {
        asked << title + QLatin1Char('|') + prompt;
        return next(texts, std::optional<QString>());
    }
    QString PickFile(QWidget *, const QString &title, const QString &filter, const QString &suffix, const QString &,
                     bool create) override
    {
        asked << title + QLatin1Char('|') + filter + QLatin1Char('|') + suffix + (create ? "|create" : "");
        return next(files, QString());
    }
    std::optional<QColor> PickColor(QWidget *, const QColor &) override { return next(colours, std::optional<QColor>()); }
    std::optional<QFont> PickFont(QWidget *, const QFont &start) override
    {
        fontStarts << start;
        return next(fonts, std::optional<QFont>());
    }
};
