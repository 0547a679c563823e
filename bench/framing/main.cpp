// Received bytes -> lines -> TBnetChat::ProcessLine -> a do-nothing handler, in ns per line, for
// reads carrying 1, 10, 100 and 1000 lines, and for reads cut at a fixed size regardless of lines.
// The baseline cuts the same bytes the naive way (append, scan from the start, erase the front).
//
//   bench_framing [lines-per-run]   (default 20000, rounded to a multiple of 1000)
#include "net/Ansi.h"
#include "net/ChatInterface.h"
#include "net/Interpreters.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
const char *const kMix[] = {
    "1001 USER Arthas 0010 [CHAT]",
    "1001 USER Kerrigan 0000 [SEXP]",
    "1002 JOIN Zeratul#2 0000 [W2BN]",
    "1003 LEAVE Zeratul#2 0000",
    "1005 TALK Arthas 0010 \"anyone up for a game of melee on lost temple?\"",
    "1005 TALK Kerrigan 0000 \"gl hf\"",
    "1004 WHISPER Tassadar 0010 \"meet me in Op Khala, I have the map pack\"",
    "1005 TALK Raynor 0000 \"brb\"",
    "1023 EMOTE Raynor 0000 \"looks around for a bar\"",
    "1018 INFO \"No one hears you.\"",
    "1005 TALK Fenix 0000 \"the quick brown fox jumps over the lazy dog, twice, to be sure\"",
    "1009 USER Arthas 0012",
    "1010 WHISPER Tassadar 0010 \"on my way\"",
    "1019 ERROR \"That user is not logged on.\"",
    "1007 CHANNEL \"Public Chat 1\"",
    "1002 JOIN Artanis 0010 [STAR]",
};

struct Dispatch
{
    TBnetChat bc;
    quint64 events = 0;
    qsizetype chars = 0;
    Dispatch()
    {
        bc.setFloodInterval(0);
        const auto one = [this](const QString &a) { ++events, chars += a.size(); };
        const auto two = [this](const QString &a, const QString &b) { ++events, chars += a.size() + b.size(); };
        const auto three = [this](const QString &a, const QString &b, const QString &c) {
            ++events, chars += a.size() + b.size() + c.size();
        };
        bc.OnShowUser = three, bc.OnJoin = three, bc.OnLeave = three;
        bc.OnTalk = two, bc.OnWhisper = two, bc.OnWhisperSent = two, bc.OnEmote = two, bc.OnUserFlags = two;
        bc.OnInfo = one, bc.OnError = one, bc.OnChannel = one, bc.OnBroadcast = one, bc.OnUnHandled = one;
        bc.OnChannelFull = one, bc.OnChanNotExist = one, bc.OnRestricted = one, bc.OnUniqueName = one;
    }
};

struct Stream
{
    QByteArray bytes;
    std::vector<qsizetype> cuts; // read boundaries, first 0, last bytes.size()
};

Stream makeStream(int lines, int linesPerRead, int bytesPerRead, int longText)
{
    Stream s;
    s.cuts.push_back(0);
    const QByteArray talk = "1005 TALK Fenix 0000 \"" + QByteArray(longText, 'x') + '"';
    for (int i = 0; i < lines; ++i) {
        s.bytes += longText > 0 ? talk.constData() : kMix[i % std::size(kMix)];
        s.bytes += "\r\n";
        if (linesPerRead > 0 && (i + 1) % linesPerRead == 0)
            s.cuts.push_back(s.bytes.size());
    }
    if (bytesPerRead > 0)
        for (qsizetype at = bytesPerRead; at < s.bytes.size(); at += bytesPerRead)
            s.cuts.push_back(at);
    if (s.cuts.back() != s.bytes.size())
        s.cuts.push_back(s.bytes.size());
    return s;
}

double runFramed(const Stream &s, Dispatch &d)
{
    TChatInterface ci;
    ci.OnDataReceived = [&d](const QString &line) { d.bc.ProcessLine(line); };
    QElapsedTimer t;
    t.start();
    for (size_t i = 1; i < s.cuts.size(); ++i)
        ci.receiveBytes(s.bytes.constData() + s.cuts[i - 1], s.cuts[i] - s.cuts[i - 1]);
    return double(t.nsecsElapsed());
}

double runNaive(const Stream &s, Dispatch &d)
{
    QByteArray buffer;
    QElapsedTimer t;
    t.start();
    for (size_t i = 1; i < s.cuts.size(); ++i) {
        buffer.append(s.bytes.constData() + s.cuts[i - 1], s.cuts[i] - s.cuts[i - 1]);
        for (;;) {
            const qsizetype at = buffer.indexOf('\r');
            if (at < 0)
                break;
            QByteArray line = buffer.left(at + 1);
            buffer.remove(0, at + 1);
            line.truncate(std::remove(line.begin(), line.end(), '\n') - line.begin());
            line.truncate(std::remove(line.begin(), line.end(), '\r') - line.begin());
            if (!line.isEmpty())
                d.bc.ProcessLine(ansi::fromBytes(line));
        }
    }
    return double(t.nsecsElapsed());
}

// Best of several runs, in ns per line.
template <class Run>
double best(Run run, const Stream &s, int lines, Dispatch &d, int rounds)
{
    double ns = 1e300;
    for (int r = 0; r < rounds; ++r)
        ns = std::min(ns, run(s, d) / lines);
    return ns;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int lines = argc > 1 ? std::max(1000, atoi(argv[1]) / 1000 * 1000) : 20000;
    // Short runs, many of them: the best one is the one the rest of the machine left alone.
    const int rounds = 60;
    Dispatch d;

    std::printf("%d lines per run, best of %d runs, ns per line\n", lines, rounds);
    std::printf("%-22s %10s %10s\n", "read carries", "framed", "naive");
    struct Case { const char *name; int linesPerRead; int bytesPerRead; int longText; int lines; };
    // The last row: long lines trickling in, where scanning from the start again costs most.
    const Case cases[] = {{"1 line", 1, 0, 0, lines},        {"10 lines", 10, 0, 0, lines},
                          {"100 lines", 100, 0, 0, lines},   {"1000 lines", 1000, 0, 0, lines},
                          {"1460 bytes", 0, 1460, 0, lines}, {"16384 bytes", 0, 16384, 0, lines},
                          {"536 B of 32 KiB lines", 0, 536, 32768, lines / 100}};
    for (const Case &c : cases) {
        const Stream s = makeStream(c.lines, c.linesPerRead, c.bytesPerRead, c.longText);
        best(runFramed, s, c.lines, d, 1); // warm-up
        const double framed = best(runFramed, s, c.lines, d, rounds);
        const double naive = best(runNaive, s, c.lines, d, rounds);
        std::printf("%-22s %10.1f %10.1f\n", c.name, framed, naive);
    }
    // Keeps the handlers' work observable.
    std::printf("(%llu events, %lld characters)\n", static_cast<unsigned long long>(d.events),
                static_cast<long long>(d.chars));
    return 0;
}
