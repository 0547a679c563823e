#pragma once
#include <QByteArray>
#include <functional>

// Cuts a byte stream into lines ended by one terminator byte. Linear in the bytes fed: each byte is
// looked at once and the unconsumed tail is kept, never rescanned. A line that grows past
// MaxLineLength without a terminator is delivered as it stands (cut at the bound) so the buffer
// stays bounded; the rest of that line, up to and including its terminator, is dropped, so the
// bytes after the cut can never pass for a line of their own.
class LineFramer
{
public:
    // Longest line handed out, terminator included; the pending tail is always shorter.
    static constexpr int MaxLineLength = 64 * 1024;

    // Called once per cut line, terminator included (absent for a line cut at the bound). The bytes
    // are valid only during the call.
    using LineSink = std::function<void(const char *data, qsizetype size)>;

    char terminator = '\r';

    // Lines are handed to the sink in order. If the sink calls clear(), the rest of this chunk is
    // dropped with the tail (the connection it came from is gone).
    void feed(const char *data, qsizetype size, const LineSink &sink);
    void clear()
    {
        m_pending.clear();
        m_skipping = false;
        ++m_generation;
    }
    qsizetype pendingSize() const { return m_pending.size(); }

private:
    // Drops bytes up to and including the next terminator while a cut line's rest is under way;
    // false when the chunk ran out first.
    bool skipCutRest(const char *&p, const char *end);

    QByteArray m_pending;
    bool m_skipping = false;
    QByteArray m_line;
    unsigned m_generation = 0;
};
