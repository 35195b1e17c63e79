#include "commatext.h"

namespace {

// An item's text with every doubled quotation mark of a quoted item made single; an item
// without doubled marks, as nearly all are, is copied once at its own size.
QString itemText(QStringView line, const CommaItem &item)
{
    QString text = line.sliced(item.start, item.end - item.start).toString();
    if (item.doubledMarks)
        text.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return text;
}

} // namespace

QStringList SplitCommaText(QStringView line)
{
    QStringList items;
    items.reserve(8); // a word book entry line has six
    CommaTextScanner(line).scan(
        [&](int, const CommaItem &item) { items.append(itemText(line, item)); });
    return items;
}

int CountCommaTextItems(QStringView line)
{
    return CommaTextScanner(line).scan([](int, const CommaItem &) {});
}
