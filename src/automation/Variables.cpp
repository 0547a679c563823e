#include "automation/Variables.h"

#include <QDateTime>
#include <QLocale>
#include <QRandomGenerator>

#include "net/Ansi.h"

QString FoldCase(const QString &text)
{
    return ansi::foldAZ(text);
}

qsizetype IndexOfFolded(const QString &text, const QString &part)
{
    if (part.isEmpty())
        return -1;
    return FoldCase(text).indexOf(FoldCase(part));
}

bool ContainsFolded(const QString &text, const QString &part)
{
    return IndexOfFolded(text, part) >= 0;
}

bool StartsWithFolded(const QString &text, const QString &prefix)
{
    return FoldCase(text).startsWith(FoldCase(prefix));
}

bool SameTextIgnoringCase(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

int IndexOfName(const QStringList &list, const QString &name)
{
    for (int i = 0; i < list.size(); ++i)
        if (SameTextIgnoringCase(list[i], name))
            return i;
    return -1;
}

QString EntryAt(const QStringList &list, int i)
{
    return i >= 0 && i < list.size() ? list[i] : QString();
}

int ReadDecimal(const QString &text, int fallback)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    return ok ? v : fallback;
}

namespace {
int draw(const std::function<int(int)> &random, int n)
{
    const int k = random ? random(n) : int(QRandomGenerator::global()->bounded(n));
    return k >= 0 && k < n ? k : 0;
}

// Every folded occurrence of the token becomes the value; folded is the text folded, kept so for
// the next token. The scan goes on behind the inserted value, so a value holding its own token
// cannot make the pass run forever.
void replaceToken(QString &text, QString &folded, const QString &token, const QString &value)
{
    qsizetype from = 0;
    while ((from = folded.indexOf(token, from)) >= 0) {
        text.replace(from, token.size(), value);
        folded.replace(from, token.size(), FoldCase(value));
        from += value.size();
    }
}
} // namespace

QString ExpandVariables(const QString &templ, const QString &user, const QString &parameter,
                        const tVariableSource &source)
{
    QString text = templ;
    QString folded = FoldCase(text);
    replaceToken(text, folded, QStringLiteral("<user>"), user);
    replaceToken(text, folded, QStringLiteral("<server>"), source.Server);
    // Formatting the time asks the system locale: only for a text that shows it.
    const QString time = QStringLiteral("<time>");
    if (folded.contains(time)) {
        const QDateTime now = QDateTime::currentDateTime();
        const QLocale locale = QLocale::system();
        replaceToken(text, folded, time,
                     locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                         locale.toString(now.time(), QLocale::LongFormat));
    }
    replaceToken(text, folded, QStringLiteral("<channel>"), source.Channel);
    // One draw per expansion, whether or not the template asks for it.
    QString random;
    if (source.UserCount > 0) {
        const int k = draw(source.Random, source.UserCount);
        if (source.UserAt)
            random = source.UserAt(k);
    }
    replaceToken(text, folded, QStringLiteral("<random>"), random);
    replaceToken(text, folded, QStringLiteral("<parameter>"), parameter);
    return text;
}

QString PickResponse(int position, const std::array<QStringList, 3> &responses, const std::function<int(int)> &random)
{
    const int k = draw(random, 3);
    for (int i = 0; i < 3; ++i) {
        const QString r = EntryAt(responses[size_t((k + i) % 3)], position);
        if (!r.isEmpty())
            return r;
    }
    return {};
}

bool HasIgnorePrefix(const QString &message, const QString &ignorePrefix)
{
    return !ignorePrefix.isEmpty() && StartsWithFolded(message, ignorePrefix);
}

QString SplitFirst(QString &text, QChar separator)
{
    const qsizetype at = text.indexOf(separator);
    if (at < 0) {
        QString head = text;
        text.clear();
        return head;
    }
    QString head = text.left(at);
    text = text.mid(at + 1);
    return head;
}
