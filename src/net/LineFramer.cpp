#include "net/LineFramer.h"

#include <algorithm>
#include <cstring>

namespace {
const char *findByte(const char *from, qsizetype count, char byte)
{
    return static_cast<const char *>(std::memchr(from, static_cast<unsigned char>(byte), size_t(count)));
}
} // namespace

bool LineFramer::skipCutRest(const char *&p, const char *end)
{
    if (!m_skipping)
        return true;
    const char *t = findByte(p, end - p, terminator);
    if (!t) {
        p = end;
        return false;
    }
    p = t + 1;
    m_skipping = false;
    return true;
}

void LineFramer::feed(const char *data, qsizetype size, const LineSink &sink)
{
    const char *p = data;
    const char *const end = data + size;
    const unsigned generation = m_generation;

    if (!skipCutRest(p, end))
        return;
    // Finish the line left over from the previous chunk; only the new bytes are scanned.
    if (!m_pending.isEmpty() && p < end) {
        const qsizetype room = MaxLineLength - m_pending.size();
        const qsizetype take = std::min<qsizetype>(room, end - p);
        const char *t = findByte(p, take, terminator);
        if (!t && take < room) {
            m_pending.append(p, take);
            return;
        }
        const qsizetype n = t ? t + 1 - p : take;
        m_pending.append(p, n);
        p += n;
        // The finished line moves out of the tail's buffer, so a sink that clears us leaves its
        // bytes alone; the two buffers trade places to keep their capacity.
        m_line.swap(m_pending);
        m_pending.resize(0);
        m_skipping = !t; // set first: a sink that clears us also ends the skip
        sink(m_line.constData(), m_line.size());
        if (generation != m_generation)
            return;
    }

    // Whole lines inside the chunk go out straight from the caller's bytes, without copying.
    while (skipCutRest(p, end) && p < end) {
        const qsizetype avail = std::min<qsizetype>(MaxLineLength, end - p);
        const char *t = findByte(p, avail, terminator);
        if (!t && avail < MaxLineLength) {
            m_pending.append(p, avail);
            return;
        }
        const qsizetype n = t ? t + 1 - p : avail;
        m_skipping = !t;
        sink(p, n);
        p += n;
        if (generation != m_generation)
            return;
    }
}
