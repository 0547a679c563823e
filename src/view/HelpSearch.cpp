#include "view/HelpSearch.h"

namespace {
bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// A boundary lies between two characters unless both belong to a word.
bool boundaryAt(const QString &text, qsizetype pos)
{
    if (pos <= 0 || pos >= text.size())
        return true;
    return !isWordChar(text[pos - 1]) || !isWordChar(text[pos]);
}
} // namespace

qsizetype FindHelpTopic(const QString &text, const QString &topic, qsizetype from)
{
    if (topic.isEmpty())
        return -1;
    qsizetype pos = std::max<qsizetype>(from, 0);
    while ((pos = text.indexOf(topic, pos, Qt::CaseInsensitive)) >= 0) {
        if (boundaryAt(text, pos) && boundaryAt(text, pos + topic.size()))
            return pos;
        ++pos;
    }
    return -1;
}
