#include "utf16writer.h"

#include <QtEndian>

#include <utility>

Utf16Writer::Utf16Writer(Sink sink)
    : m_sink(std::move(sink))
    , m_buffer(std::make_unique_for_overwrite<char[]>(kBufferBytes))
{}

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
    m_refused = !m_sink(QByteArrayView(m_buffer.get(), m_used));
    m_used = 0;
}

void Utf16Writer::putUnits(const char16_t *units, qsizetype count)
{
    char *out = m_buffer.get() + m_used;
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        std::memcpy(out, units, size_t(count) * 2);
    } else {
        for (qsizetype i = 0; i < count; ++i)
            qToLittleEndian<char16_t>(units[i], out + 2 * i);
    }
    m_used += count * 2;
}
