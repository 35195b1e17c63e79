#include "entryline.h"

#include "core/codecs.h"
#include "core/stringarena.h"
#include "core/textscan.h"

namespace {

constexpr int kLineFields = 6;

bool isBlank(char16_t c)
{
    return c >= 1 && c <= 0x20;
}

// Where one item's text lies in the line, and what its text needs besides a copy.
struct ItemSpan {
    qsizetype start = 0;
    qsizetype end = 0;
    bool doubledMarks = false; // only in a quoted item
    bool hash = false;         // may begin a "#$22"
};

class ItemScanner {
public:
    explicit ItemScanner(QStringView line)
        : m_text(line.utf16())
        , m_size(line.size())
    {}

    // Calls `visit` with the number and the span of every item, in order, and returns how many
    // items there are; stops counting after the first item past the six of an entry line.
    template <class Visit> int scan(Visit &&visit)
    {
        int count = 0;
        skipBlanks();
        while (m_pos < m_size && count <= kLineFields) {
            visit(count++, m_text[m_pos] == u'"' ? quotedSpan() : plainSpan());
            skipBlanks();
            if (m_pos < m_size && m_text[m_pos] == u',') {
                if (m_pos == m_size - 1)
                    visit(count++, ItemSpan{m_size, m_size});
                ++m_pos;
                skipBlanks();
            }
        }
        return count;
    }

private:
    void skipBlanks()
    {
        while (m_pos < m_size && isBlank(m_text[m_pos]))
            ++m_pos;
    }

    // Runs to the next single quotation mark, or to the end of the line when there is none;
    // leaves the position after the closing mark.
    ItemSpan quotedSpan()
    {
        ItemSpan span;
        span.start = ++m_pos;
        while ((m_pos = FindUnitAtMost(m_text + m_pos, m_text + m_size, u'#') - m_text) < m_size) {
            const char16_t c = m_text[m_pos];
            if (c == u'#') {
                span.hash = true;
                ++m_pos;
            } else if (c != u'"') {
                ++m_pos;
            } else if (m_pos + 1 < m_size && m_text[m_pos + 1] == u'"') {
                span.doubledMarks = true;
                m_pos += 2;
            } else {
                span.end = m_pos++;
                return span;
            }
        }
        span.end = m_size;
        return span;
    }

    ItemSpan plainSpan()
    {
        ItemSpan span;
        span.start = m_pos;
        while (m_pos < m_size && !isBlank(m_text[m_pos]) && m_text[m_pos] != u',') {
            span.hash = span.hash || m_text[m_pos] == u'#';
            ++m_pos;
        }
        span.end = m_pos;
        return span;
    }

    const char16_t *m_text;
    qsizetype m_size;
    qsizetype m_pos = 0;
};

QString fieldText(QStringView line, const ItemSpan &span, StringArena *arena)
{
    const QStringView text = line.sliced(span.start, span.end - span.start);
    if (!span.doubledMarks && !span.hash)
        return arena ? arena->make(text) : text.toString();
    QString field = text.toString();
    if (span.doubledMarks)
        field.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return span.hash ? QuoteDecoder(field) : field;
}

} // namespace

bool ParseEntryLine(QStringView line, WordEntry &entry, StringArena *arena)
{
    WordEntry parsed;
    const int items = ItemScanner(line).scan([&](int item, const ItemSpan &span) {
        if (item < kEntryFields)
            parsed.fields[size_t(item)] = fieldText(line, span, arena);
    });
    if (items != kLineFields)
        return false;
    entry = std::move(parsed);
    return true;
}

namespace {

// Six quoted items without a quotation mark inside, joined by bare commas, as every line the
// program writes: such a line is an entry line, found without the full rules.
bool isPlainEntryLine(QStringView line)
{
    const char16_t *pos = line.utf16();
    const char16_t *const end = pos + line.size();
    for (int item = 0; item < kLineFields; ++item) {
        if (item > 0 && (pos == end || *pos++ != u','))
            return false;
        if (pos == end || *pos++ != u'"')
            return false;
        while ((pos = FindUnitAtMost(pos, end, u'"')) < end && *pos != u'"')
            ++pos;
        if (pos == end)
            return false;
        ++pos;
    }
    return pos == end;
}

} // namespace

bool IsEntryLine(QStringView line)
{
    return isPlainEntryLine(line) ||
           ItemScanner(line).scan([](int, const ItemSpan &) {}) == kLineFields;
}
