#include "commatext.h"

namespace {

bool isBlank(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 0x20;
}

void skipBlanks(QStringView line, qsizetype &pos)
{
    while (pos < line.size() && isBlank(line[pos]))
        ++pos;
}

// Where one item's text lies in the line; a quoted item's text may hold doubled marks.
struct ItemSpan {
    qsizetype start;
    qsizetype end;
    bool quoted;
};

// The text of a quoted item runs to the next single quotation mark, or to the end of the line
// when there is none; leaves `pos` after the closing mark.
ItemSpan quotedSpan(QStringView line, qsizetype &pos)
{
    const qsizetype start = ++pos;
    while (pos < line.size()) {
        const qsizetype mark = line.indexOf(u'"', pos);
        if (mark < 0)
            break;
        if (mark + 1 < line.size() && line[mark + 1] == u'"') {
            pos = mark + 2;
            continue;
        }
        pos = mark + 1;
        return {start, mark, true};
    }
    pos = line.size();
    return {start, pos, true};
}

ItemSpan plainSpan(QStringView line, qsizetype &pos)
{
    const qsizetype start = pos;
    while (pos < line.size() && !isBlank(line[pos]) && line[pos] != u',')
        ++pos;
    return {start, pos, false};
}

// Calls `visit` with every item of the line, in order.
template <class Visit> void scanItems(QStringView line, Visit &&visit)
{
    qsizetype pos = 0;
    skipBlanks(line, pos);
    while (pos < line.size()) {
        visit(line[pos] == u'"' ? quotedSpan(line, pos) : plainSpan(line, pos));
        skipBlanks(line, pos);
        if (pos < line.size() && line[pos] == u',') {
            if (pos == line.size() - 1)
                visit(ItemSpan{pos + 1, pos + 1, false});
            ++pos;
            skipBlanks(line, pos);
        }
    }
}

// An item's text with every doubled quotation mark of a quoted item made single; an item
// without doubled marks, as nearly all are, is copied once at its own size.
QString itemText(QStringView line, const ItemSpan &span)
{
    const QStringView text = line.sliced(span.start, span.end - span.start);
    if (!span.quoted || !text.contains(u'"'))
        return text.toString();
    return text.toString().replace(QStringLiteral("\"\""), QStringLiteral("\""));
}

} // namespace

QStringList SplitCommaText(QStringView line)
{
    QStringList items;
    items.reserve(8); // a word book entry line has six
    scanItems(line, [&](const ItemSpan &span) { items.append(itemText(line, span)); });
    return items;
}

int CountCommaTextItems(QStringView line)
{
    int count = 0;
    scanItems(line, [&count](const ItemSpan &) { ++count; });
    return count;
}
