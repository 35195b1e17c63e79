#include "entryline.h"

#include "core/codecs.h"
#include "core/commatext.h"
#include "core/stringarena.h"
#include "core/textlines.h"

namespace {

constexpr int kLineFields = 6;

QString fieldText(QStringView line, const CommaItem &item, StringArena *arena)
{
    const QStringView text = line.sliced(item.start, item.end - item.start);
    if (!item.doubledMarks && !item.hash)
        return arena ? arena->make(text) : text.toString();
    QString field = text.toString();
    if (item.doubledMarks)
        field.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return item.hash ? QuoteDecoder(field) : field;
}

} // namespace

bool ParseEntryLine(QStringView line, WordEntry &entry, StringArena *arena)
{
    WordEntry parsed;
    // Counting stops at the first item past an entry line's six.
    const int items = CommaTextScanner(line).scan(
        [&](int number, const CommaItem &item) {
            if (number < kEntryFields)
                parsed.fields[size_t(number)] = fieldText(line, item, arena);
        },
        kLineFields + 1);
    if (items != kLineFields)
        return false;
    entry = std::move(parsed);
    return true;
}

namespace {

bool isFullEntryLine(QStringView line)
{
    return CommaTextScanner(line).scan([](int, const CommaItem &) {}, kLineFields + 1) ==
           kLineFields;
}

// Six quoted items without a quotation mark or a line break inside, joined by bare commas, as
// every line the program writes: such a line is an entry line, found without the full rules.
// Returns where the line ends (its line break or `end`), or null for any other line.
const char16_t *plainEntryLineEnd(const char16_t *pos, const char16_t *end)
{
    for (int item = 0; item < kLineFields; ++item) {
        if (item > 0 && (pos == end || *pos++ != u','))
            return nullptr;
        if (pos == end || *pos++ != u'"')
            return nullptr;
        while ((pos = FindUnitAtMost(pos, end, u'"')) < end && *pos != u'"') {
            if (*pos == u'\r' || *pos == u'\n')
                return nullptr;
            ++pos;
        }
        if (pos == end)
            return nullptr;
        ++pos;
    }
    return pos == end || *pos == u'\r' || *pos == u'\n' ? pos : nullptr;
}

} // namespace

qsizetype CountEntryLines(QStringView text)
{
    const char16_t *const end = text.utf16() + text.size();
    qsizetype count = 0;
    for (const char16_t *start = text.utf16(); start < end;) {
        const char16_t *lineEnd = plainEntryLineEnd(start, end);
        if (lineEnd) {
            ++count;
        } else {
            lineEnd = FindLineEnd(start, end);
            count += isFullEntryLine(QStringView(start, lineEnd));
        }
        start = SkipLineEnd(lineEnd, end);
    }
    return count;
}
