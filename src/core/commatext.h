#pragma once

#include <QStringList>
#include <QStringView>

// Splits one line of comma-separated items. Blanks (U+0001 to U+0020) around an item are
// skipped; an unquoted item ends at a comma or a blank; an item that opens with a quotation
// mark runs to the next single quotation mark (a doubled one stands for one) or, without a
// closing mark, to the end of the line; a comma that ends the line adds an empty item.
// The settings file and the word book entry lines share this rule.
QStringList SplitCommaText(QStringView line);

// The number of items SplitCommaText would give, without making them.
int CountCommaTextItems(QStringView line);
