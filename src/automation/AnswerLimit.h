#pragma once
#include <QHash>
#include <QList>
#include <QString>

// How many automatic answers one user gets: a few within a minute, then nothing for ten minutes.
// A rate alone would let two answering clients go on at that rate; the long silence ends the loop,
// since the other side then has nothing to answer.
class tAnswerLimit
{
public:
    static constexpr int MaxAnswers = 5;
    static constexpr qint64 WindowMs = 60 * 1000;
    static constexpr qint64 SilenceMs = 10 * 60 * 1000;

    enum Verdict { Answer, Silent, Silenced };
    // One answer to the user (a folded name) at `now` ms: allowed, refused, or refused and the
    // silence just begun (to be said once).
    Verdict Admit(const QString &user, qint64 now);

    // A steady millisecond clock.
    static qint64 Now();

private:
    struct Entry
    {
        QList<qint64> answers; // the times of the last answers, oldest first
        qint64 silentUntil = 0;
    };
    // Forgets the users whose minute and silence are both over.
    void prune(qint64 now);

    static constexpr qsizetype MinPruneAt = 256;
    QHash<QString, Entry> m_users;
    qsizetype m_pruneAt = MinPruneAt;
};
