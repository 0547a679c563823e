#include "net/Interpreters.h"

#include "net/Ansi.h"
#include "net/ChatInterface.h"

#include <QTimer>

namespace {
// Substring by 1-based position: a start before the line begins at its first character (the count
// is kept), and a substring running past the end stops there.
QStringView copy1(QStringView line, qsizetype index, qsizetype count)
{
    if (index < 1)
        index = 1;
    const qsizetype from = index - 1;
    if (from >= line.size() || count <= 0)
        return {};
    return line.mid(from, std::min(count, line.size() - from));
}

template <class Event, class... Args>
void raise(const Event &event, const Args &...args)
{
    if (event)
        event(args...);
}

// The event code: the first four characters as a decimal number, 0 when they are not one.
int eventCode(QStringView line)
{
    if (line.size() < 4)
        return 0;
    int code = 0;
    for (qsizetype i = 0; i < 4; ++i) {
        const char16_t c = line[i].unicode();
        if (c < u'0' || c > u'9')
            return 0;
        code = code * 10 + (c - u'0');
    }
    return code;
}

bool isLineEnd(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}
} // namespace

QString tBaseInterpreter::JoinLines(const QString &text)
{
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isLineEnd(text[i])) {
            out += text[i];
            continue;
        }
        if (text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        out += QLatin1Char(' ');
    }
    return out;
}

QString tBaseInterpreter::WireLine(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && isLineEnd(text[end - 1]))
        --end;
    const QString body = JoinLines(text.left(end));
    return end < text.size() ? body + QLatin1Char('\r') : body;
}

bool tBaseInterpreter::Fits(const QString &text)
{
    return ansi::toBytes(WireLine(text)).size() <= TChatInterface::MaxSendLength;
}

QString tBaseInterpreter::ParseUser(QStringView line)
{
    // The second space-delimited word after the code: from the first space of the text that
    // follows the code up to the next space.
    const QStringView rest = copy1(line, 6, line.size());
    const qsizetype first = rest.indexOf(u' ');
    if (first < 0)
        return {};
    const qsizetype next = rest.indexOf(u' ', first + 1);
    return rest.mid(first + 1, (next < 0 ? rest.size() : next) - first - 1).toString();
}

QString tBaseInterpreter::ParseMessage(QStringView line)
{
    const qsizetype quote = line.indexOf(u'"');
    if (quote < 0)
        return {};
    // Everything after the quote but the line's last character (the closing quote).
    return copy1(line, quote + 2, line.size() - quote - 2).toString();
}

QString tBaseInterpreter::ParseFlags(QStringView line)
{
    const qsizetype n = line.size();
    if (n > 0 && line[n - 1] == u']')
        return copy1(line, n - 10, 4).toString();
    return copy1(line, n - 3, 4).toString();
}

QString tBaseInterpreter::ParseUserType(QStringView line)
{
    return copy1(line, line.size() - 4, 4).toString();
}

TBnetChat::TBnetChat(QObject *parent) : tBaseInterpreter(parent), m_floodTimer(new QTimer(this))
{
    m_floodTimer->setInterval(1500);
    connect(m_floodTimer, &QTimer::timeout, this, &TBnetChat::FloodTick);
    m_floodTimer->start();
}

TBnetChat::~TBnetChat() = default;

int TBnetChat::FloodInterval() const
{
    return m_floodTimer ? m_floodTimer->interval() : 0;
}

void TBnetChat::setFloodInterval(int ms)
{
    if (!m_floodTimer)
        return;
    // A zero timer would fire on every pass of the event loop; zero stops it instead.
    if (ms <= 0) {
        m_floodTimer->stop();
        m_floodTimer->setInterval(0);
        return;
    }
    m_floodTimer->start(ms);
}

void TBnetChat::ProcessLine(const QString &line)
{
    if (line.isEmpty())
        return;
    // Whatever the handlers send in answer to a server line (greetings, whois on join, responses)
    // is said because of someone else, unless they say otherwise.
    const ClassScope scope(*this, ForOthers);
    // The extractors are pure, so each event takes only the fields it passes on.
    const QStringView v(line);
    switch (eventCode(v)) {
    case 1001:
        if (OnShowUser)
            OnShowUser(ParseUser(v), ParseFlags(v), ParseUserType(v));
        break;
    case 1002:
        if (OnJoin)
            OnJoin(ParseUser(v), ParseFlags(v), ParseUserType(v));
        break;
    case 1003:
        if (OnLeave)
            OnLeave(ParseUser(v), ParseFlags(v), ParseUserType(v));
        break;
    case 1004:
        if (OnWhisper)
            OnWhisper(ParseUser(v), ParseMessage(v));
        break;
    case 1005:
        if (OnTalk)
            OnTalk(ParseUser(v), ParseMessage(v));
        break;
    case 1006:
        if (OnBroadcast)
            OnBroadcast(ParseMessage(v));
        break;
    case 1007:
        if (OnChannel)
            OnChannel(ParseMessage(v));
        break;
    case 1009:
        if (OnUserFlags)
            OnUserFlags(ParseUser(v), ParseFlags(v));
        break;
    case 1010:
        if (OnWhisperSent)
            OnWhisperSent(ParseUser(v), ParseMessage(v));
        break;
    case 1013:
        if (OnChannelFull)
            OnChannelFull(ParseMessage(v));
        break;
    case 1014:
        if (OnChanNotExist)
            OnChanNotExist(ParseMessage(v));
        break;
    case 1015:
        if (OnRestricted)
            OnRestricted(ParseMessage(v));
        break;
    case 1018:
        if (OnInfo)
            OnInfo(ParseMessage(v));
        break;
    case 1019:
        if (OnError)
            OnError(ParseMessage(v));
        break;
    case 1023:
        if (OnEmote)
            OnEmote(ParseUser(v), ParseMessage(v));
        break;
    case 2000:
        // Carries a quoted text that nothing listens to.
        break;
    case 2010:
        if (OnUniqueName)
            OnUniqueName(ParseUser(v));
        break;
    default:
        raise(OnUnHandled, line);
        break;
    }
}

void TBnetChat::SendLine(const QString &raw)
{
    if (!ChatInterface)
        return;
    const QString text = WireLine(raw);
    if (m_readyToSend && m_queue.isEmpty()) {
        ChatInterface->SendText(text);
        m_readyToSend = false;
        return;
    }
    if (!makeRoom(m_class))
        return;
    qsizetype at = m_queue.size();
    // A line that protects the channel goes ahead of every answer to others already waiting.
    if (const qsizetype firstAnswer = m_classes.indexOf(ForOthers); m_class == Protect && firstAnswer >= 0)
        at = firstAnswer;
    m_queue.insert(at, text);
    m_classes.insert(at, m_class);
}

bool TBnetChat::makeRoom(LineClass c)
{
    if (m_queue.size() < MaxQueue)
        return true;
    // The oldest line of the lowest class present goes, unless the new line is lower still. A
    // typed or protecting line always goes in, past the bound if nothing else is left to give way.
    qsizetype victim = -1;
    for (qsizetype i = 0; i < m_classes.size(); ++i)
        if (m_classes[i] < Typed && (victim < 0 || m_classes[i] < m_classes[victim]))
            victim = i;
    if (victim < 0 && c >= Typed)
        return true;
    const bool keepNew = victim >= 0 && m_classes[victim] <= c;
    if (keepNew) {
        m_queue.removeAt(victim);
        m_classes.removeAt(victim);
    }
    if (!m_dropNoted) {
        m_dropNoted = true;
        raise(OnLinesDropped);
    }
    return keepNew;
}

void TBnetChat::FloodTick()
{
    if (!ChatInterface)
        return;
    if (!ChatInterface->Connected()) {
        m_queue.clear();
        m_classes.clear();
    }
    if (m_queue.isEmpty()) {
        m_readyToSend = true;
        m_dropNoted = false;
        return;
    }
    // Taken off first: the send may raise an event whose handler queues more.
    const QString text = m_queue.takeFirst();
    m_classes.removeFirst();
    ChatInterface->SendText(text);
}

bool TBnetChat::Login()
{
    if (!ChatInterface)
        return false;
    const QString login = QLatin1String("\x03\x04") + UserName + QLatin1Char('\r') + Password + QLatin1Char('\r');
    ChatInterface->LoginScript = QStringList{login};
    return ChatInterface->SendLoginScript();
}

void TTextChat::ProcessLine(const QString &line)
{
    if (line.isEmpty())
        return;
    raise(OnData, line);
}

void TTextChat::SendLine(const QString &text)
{
    if (ChatInterface)
        ChatInterface->SendText(WireLine(text));
}
