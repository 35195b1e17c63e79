#pragma once

#include "textscan.h"

#include <QStringList>
#include <QStringView>

#include <limits>

// Splits one line of comma-separated items. Blanks (U+0001 to U+0020) around an item are
// skipped; an unquoted item ends at a comma or a blank; an item that opens with a quotation
// mark runs to the next single quotation mark (a doubled one stands for one) or, without a
// closing mark, to the end of the line; a comma that ends the line adds an empty item.
// The settings file and the word book entry lines share this rule.
QStringList SplitCommaText(QStringView line);

// The number of items SplitCommaText would give, without making them.
int CountCommaTextItems(QStringView line);

// Where one item's text lies in its line, and what its text needs besides a copy: doubled
// quotation marks made single (only in a quoted item), and a "#" that may begin an escape of
// the word book format.
struct CommaItem {
    qsizetype start = 0;
    qsizetype end = 0;
    bool doubledMarks = false;
    bool hash = false;
};

// The one reader of the rule above, for callers that take the items where they lie instead of
// as a list (a word book's hundred thousand entry lines).
class CommaTextScanner {
public:
    explicit CommaTextScanner(QStringView line)
        : m_text(line.utf16())
        , m_size(line.size())
    {}

    // Calls `visit` with the number and the place of every item, in order, and returns how
    // many there are; stops after `limit` items, when a caller only needs to know there are
    // more.
    template <class Visit> int scan(Visit &&visit, int limit = std::numeric_limits<int>::max())
    {
        int count = 0;
        skipBlanks();
        while (m_pos < m_size && count < limit) {
            visit(count++, m_text[m_pos] == u'"' ? quotedItem() : plainItem());
            skipBlanks();
            if (m_pos < m_size && m_text[m_pos] == u',') {
                if (m_pos == m_size - 1)
                    visit(count++, CommaItem{m_size, m_size});
                ++m_pos;
                skipBlanks();
            }
        }
        return count;
    }

private:
    static bool isBlank(char16_t c) { return c >= 1 && c <= 0x20; }

    void skipBlanks()
    {
        while (m_pos < m_size && isBlank(m_text[m_pos]))
            ++m_pos;
    }

    // Runs to the next single quotation mark, or to the end of the line when there is none;
    // leaves the position after the closing mark.
    CommaItem quotedItem()
    {
        CommaItem item;
        item.start = ++m_pos;
        while ((m_pos = FindUnitAtMost(m_text + m_pos, m_text + m_size, u'#') - m_text) < m_size) {
            const char16_t c = m_text[m_pos];
            if (c == u'#') {
                item.hash = true;
                ++m_pos;
            } else if (c != u'"') {
                ++m_pos;
            } else if (m_pos + 1 < m_size && m_text[m_pos + 1] == u'"') {
                item.doubledMarks = true;
                m_pos += 2;
            } else {
                item.end = m_pos++;
                return item;
            }
        }
        item.end = m_size;
        return item;
    }

    CommaItem plainItem()
    {
        CommaItem item;
        item.start = m_pos;
        while (m_pos < m_size && !isBlank(m_text[m_pos]) && m_text[m_pos] != u',') {
            item.hash = item.hash || m_text[m_pos] == u'#';
            ++m_pos;
        }
        item.end = m_pos;
        return item;
    }

    const char16_t *m_text;
    qsizetype m_size;
    qsizetype m_pos = 0;
};
