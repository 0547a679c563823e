// The help window's inputs: the rich text reader over any bytes (second section), then the topic
// search over the text it produced for the topic of the first section and for words of the text.
#include "FuzzSupport.h"

#include "view/HelpSearch.h"
#include "view/RtfReader.h"

#include <QTextDocument>
#include <cstdio>

namespace {
// A found topic starts at or after `from` and stands there, ignoring letter case.
void search(const QString &text, const QString &topic, qsizetype from)
{
    const qsizetype at = FindHelpTopic(text, topic, from);
    QC_FUZZ_CHECK(at == -1 || (at >= from && at + topic.size() <= text.size()
                               && QStringView(text).mid(at, topic.size()).compare(topic, Qt::CaseInsensitive) == 0));
    QC_FUZZ_CHECK(!topic.isEmpty() || at == -1);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qcfuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QByteArray> parts = qcfuzz::sections(data, size);
    QTextDocument doc;
    tRtfReader::Read(parts.value(1), doc);
    const QString text = doc.toPlainText();
    const QString topic = QString::fromUtf8(parts.value(0));
    search(text, topic, 0);
    search(text, topic, 1);
    search(text, topic, text.size());
    // A few words of the text as topics: each of them has a place to be found from its own start.
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int i = 0; i < words.size() && i < 8; ++i)
        search(text, words[i], 1);
    return 0;
}
