#include "entryline.h"

#include "core/codecs.h"
#include "core/commatext.h"
#include "core/stringarena.h"
#include "core/textscan.h"

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
    return isPlainEntryLine(line) || CommaTextScanner(line).scan([](int, const CommaItem &) {},
                                                                 kLineFields + 1) == kLineFields;
}
