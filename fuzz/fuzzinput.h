#pragma once

#include <QString>
#include <QStringView>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <utility>

// Ends the run when a property does not hold; libFuzzer then saves the input as a crash.
inline void Require(bool holds, const char *property)
{
    if (holds)
        return;
    std::fprintf(stderr, "property violated: %s\n", property);
    std::abort();
}

// Reads the entities that QString::toHtmlEscaped writes back into characters; false on a stray
// '&'.
inline bool UnescapeHtml(QStringView s, QString &out)
{
    static const std::pair<QStringView, QChar> entities[] = {
        {u"&amp;", u'&'}, {u"&lt;", u'<'}, {u"&gt;", u'>'}, {u"&quot;", u'"'}, {u"&#39;", u'\''}};
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] != u'&') {
            out += s[i];
            continue;
        }
        const auto entity =
            std::find_if(std::begin(entities), std::end(entities),
                         [&](const auto &e) { return s.mid(i).startsWith(e.first); });
        if (entity == std::end(entities))
            return false;
        out += entity->second;
        i += entity->first.size() - 1;
    }
    return true;
}

// Hands out a fuzz input piece by piece. Text is read as UTF-16 code units (two bytes each,
// little-endian), so lone surrogates come in as they may in a real QString.
class FuzzInput {
public:
    FuzzInput(const uint8_t *data, size_t size)
        : m_data(data)
        , m_size(size)
    {}

    // The next byte, 0 when the input is used up.
    uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }

    // The next four bytes as an int, zero bytes past the end.
    int integer()
    {
        uint32_t bits = 0;
        for (int i = 0; i < 4; ++i)
            bits = bits << 8 | byte();
        return int(bits);
    }

    // Up to `units` code units; fewer when the input ends first.
    QString text(size_t units)
    {
        const size_t count = std::min(units, (m_size - m_pos) / 2);
        QString s;
        s.reserve(qsizetype(count));
        for (size_t i = 0; i < count; ++i, m_pos += 2)
            s += QChar(char16_t(m_data[m_pos] | m_data[m_pos + 1] << 8));
        return s;
    }

    // Everything left, as code units.
    QString rest() { return text(m_size); }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};
