// The comma-text splitter: any line splits without harm, and items written as the settings
// file writes them (quoted, a quotation mark inside doubled, joined by commas) split back to
// the same items.
#include "core/commatext.h"
#include "fuzzinput.h"

namespace {

QString quotedLine(const QStringList &items)
{
    QStringList quoted;
    for (const QString &item : items)
        quoted.append(u'"' + QString(item).replace(u'"', QStringLiteral("\"\"")) + u'"');
    return quoted.join(u',');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString separator = input.text(1);
    const QString line = input.rest();
    // The items the splitter finds in the line, and items of any content cut at a separator.
    for (const QStringList &items : {SplitCommaText(line), line.split(separator)})
        Require(SplitCommaText(quotedLine(items)) == items, "quoted items split back");
    return 0;
}
