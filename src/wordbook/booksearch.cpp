#include "booksearch.h"

#include "core/codecs.h"
#include "core/commatext.h"
#include "core/readfile.h"
#include "core/textlines.h"
#include "wordbookfile.h"

#include <QDir>

#include <algorithm>

namespace {

constexpr int kFields = 5;
constexpr int kLineFields = 6;

// The field as the file stores it; only a quotation mark differs from the held text.
QString storedForm(const QString &field)
{
    return field.contains(u'"') ? QuoteFilter(field) : field;
}

// A file that cannot be read as a book (see ReadFileBounded) finds nothing.
QString readBook(const QString &path)
{
    const FileBytes file = ReadFileBounded(path, kWordBookFileLimit);
    return file.isRead() ? DecodeWordBook(file.bytes) : QString();
}

// Entry lines come after the three header lines, the title first, so a file of fewer lines
// finds nothing. A line that does not hold the text cannot hold it in a field either, unless
// the text has a quotation mark, which the splitting takes out of doubled marks; such lines
// are only counted, so that the numbers are the word list's.
void searchBook(const QString &path, const QString &fileName, int field, const QString &text,
                QList<SearchHit> &exact, QList<SearchHit> &partial)
{
    const QString content = readBook(path);
    const bool filterLines = !text.contains(u'"');
    QString title;
    int lineNumber = 0;
    int number = 0;
    WordEntry entry;
    ForEachLine(content, [&](QStringView line) {
        if (lineNumber++ < kHeaderLines) {
            if (lineNumber == 1)
                title = line.toString();
            return;
        }
        if (filterLines && !line.contains(text)) {
            number += CountCommaTextItems(line) == kLineFields;
            return;
        }
        if (!ParseEntryLine(line, entry))
            return;
        ++number;
        const QString stored = storedForm(entry.fields[size_t(field)]);
        if (stored.contains(text))
            (stored == text ? exact : partial)
                .append({stored == text, entry, title, fileName, number});
    });
}

} // namespace

QList<SearchHit> SearchBookFolder(const QString &folder, int field, const QString &text)
{
    if (text.isEmpty())
        return {};
    if (field < 0 || field >= kFields)
        field = 0;
    QList<SearchHit> exact;
    QList<SearchHit> partial;
    const QDir dir(folder);
    for (const QString &name : dir.entryList({QStringLiteral("*.utx")}, QDir::Files, QDir::Name))
        searchBook(dir.filePath(name), name, field, text, exact, partial);
    std::reverse(exact.begin(), exact.end());
    return exact + partial;
}
