#pragma once

#include "textscan.h"

#include <QByteArrayView>
#include <QStringView>
#include <QSysInfo>

#include <cstring>
#include <functional>
#include <memory>

// Writes text as UTF-16 little-endian through a buffer of a fixed size: each time it is full,
// its bytes go to the sink, so a large text is never held whole. The buffer is small enough to
// stay in the processor's cache between filling it and the sink reading it.
class Utf16Writer {
public:
    // Takes the next bytes; false when it wants no more (a write failed).
    using Sink = std::function<bool(QByteArrayView bytes)>;

    explicit Utf16Writer(Sink sink);

    // Inline, as a book is written in millions of pieces of a few units, most of which fit in
    // the room left.
    void put(QStringView text)
    {
        const qsizetype bytes = text.size() * 2;
        if (bytes == 0) // an empty text may have no data, which memcpy must not be given
            return;
        if (QSysInfo::ByteOrder == QSysInfo::LittleEndian && bytes <= kBufferBytes - m_used) {
            std::memcpy(end(), text.utf16(), size_t(bytes));
            m_used += bytes;
        } else {
            putAcross(text);
        }
    }
    void put(char16_t unit) { put(QStringView(&unit, 1)); }
    // Puts `text` unless it holds a quotation mark or a line break, which the caller escapes
    // first; tells whether it did. The check is made on the copy in the buffer.
    bool putIfPlain(QStringView text)
    {
        const qsizetype bytes = text.size() * 2;
        if (bytes == 0)
            return true;
        if (QSysInfo::ByteOrder != QSysInfo::LittleEndian || bytes > kBufferBytes - m_used)
            return putIfPlainAcross(text);
        std::memcpy(end(), text.utf16(), size_t(bytes));
        if (HasQuoteOrLineBreakInBlocks(m_buffer.get() + m_used / 2, text.size()))
            return false;
        m_used += bytes;
        return true;
    }
    // Gives the sink what is left in the buffer; false when the sink refused any bytes.
    bool finish();

private:
    // A few hundred kilobytes: few calls of the sink, and well within the cache.
    static constexpr qsizetype kBufferBytes = 256 * 1024;
    // Past the buffer, for the check of a copy to read whole blocks of eight units.
    static constexpr qsizetype kSlackUnits = 8;

    char *end() { return reinterpret_cast<char *>(m_buffer.get()) + m_used; }

    void putAcross(QStringView text);
    bool putIfPlainAcross(QStringView text);
    void pass();
    void putUnits(const char16_t *units, qsizetype count);

    Sink m_sink;
    std::unique_ptr<char16_t[]> m_buffer;
    qsizetype m_used = 0; // bytes
    bool m_refused = false;
};
