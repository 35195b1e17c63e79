#include "utf16writer.h"

#include <QtEndian>

#include <utility>

namespace {

bool holdsQuoteOrLineBreak(QStringView text)
{
    const char16_t *const end = text.utf16() + text.size();
    for (const char16_t *c = text.utf16(); (c = FindUnitAtMost(c, end, u'"')) < end; ++c) {
        if (*c == u'"' || *c == u'\r' || *c == u'\n')
            return true;
    }
    return false;
}

} // namespace

Utf16Writer::Utf16Writer(Sink sink)
    : m_sink(std::move(sink))
    , m_buffer(std::make_unique<char16_t[]>(kBufferBytes / 2 + kSlackUnits))
{}

bool Utf16Writer::putIfPlainAcross(QStringView text)
{
    if (holdsQuoteOrLineBreak(text))
        return false;
    putAcross(text);
    return true;
}

bool Utf16Writer::finish()
{
    if (m_used > 0 && !m_refused)
        pass();
    return !m_refused;
}

// A text longer than the room left is split over as many buffers as it fills.
void Utf16Writer::putAcross(QStringView text)
{
    const char16_t *units = text.utf16();
    qsizetype left = text.size();
    while (left > 0 && !m_refused) {
        if (m_used == kBufferBytes) {
            pass();
            continue;
        }
        const qsizetype count = qMin(left, (kBufferBytes - m_used) / 2);
        putUnits(units, count);
        units += count;
        left -= count;
    }
}

void Utf16Writer::pass()
{
    m_refused = !m_sink(QByteArrayView(reinterpret_cast<const char *>(m_buffer.get()), m_used));
    m_used = 0;
}

void Utf16Writer::putUnits(const char16_t *units, qsizetype count)
{
    char *out = end();
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        std::memcpy(out, units, size_t(count) * 2);
    } else {
        for (qsizetype i = 0; i < count; ++i)
            qToLittleEndian<char16_t>(units[i], out + 2 * i);
    }
    m_used += count * 2;
}
