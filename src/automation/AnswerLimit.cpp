#include "automation/AnswerLimit.h"

#include <QElapsedTimer>
#include <algorithm>

qint64 tAnswerLimit::Now()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

tAnswerLimit::Verdict tAnswerLimit::Admit(const QString &user, qint64 now)
{
    if (m_users.size() > m_pruneAt)
        prune(now);
    Entry &e = m_users[user];
    if (now < e.silentUntil)
        return Silent;
    while (!e.answers.isEmpty() && now - e.answers.first() >= WindowMs)
        e.answers.removeFirst();
    if (e.answers.size() >= MaxAnswers) {
        e.answers.clear();
        e.silentUntil = now + SilenceMs;
        return Silenced;
    }
    e.answers.append(now);
    return Answer;
}

void tAnswerLimit::prune(qint64 now)
{
    for (auto it = m_users.begin(); it != m_users.end();) {
        const Entry &e = it.value();
        const bool quiet = now >= e.silentUntil && (e.answers.isEmpty() || now - e.answers.last() >= WindowMs);
        it = quiet ? m_users.erase(it) : std::next(it);
    }
    // The next pass waits until the table has doubled, so a crowd of live users costs no quadratic time.
    m_pruneAt = std::max<qsizetype>(MinPruneAt, 2 * m_users.size());
}
