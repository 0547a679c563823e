#pragma once
#include <QString>

// Where the help window's topic search finds `topic` in `text`: the first occurrence as a whole
// word, ignoring letter case, that starts at index `from` or later (the help window starts after
// the first character). A whole word begins and ends at a word boundary, so a topic that stands
// only inside a longer word is not found; a blank at either end of the topic is itself a boundary.
// -1 when there is none, or when the topic is empty.
qsizetype FindHelpTopic(const QString &text, const QString &topic, qsizetype from = 1);
