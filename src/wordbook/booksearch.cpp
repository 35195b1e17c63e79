#include "booksearch.h"

#include "core/codecs.h"
#include "core/readfile.h"
#include "core/textlines.h"
#include "wordbookfile.h"

#include <QDir>

#include <algorithm>

namespace {

constexpr int kFields = 5;

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

// Where the text occurs in a book, found in the whole text at once instead of line by line: a
// line holds the text when the first occurrence from the line's start begins inside it. A
// text with a line break is in no line.
class Occurrences {
public:
    Occurrences(QStringView content, QStringView text)
        : m_content(content)
        , m_text(text)
        , m_next(text.contains(u'\r') || text.contains(u'\n') ? -1 : find(0))
    {}

    // Whether the text lies inside [start, end), lines being passed in order.
    bool inLine(qsizetype start, qsizetype end)
    {
        if (m_next >= 0 && m_next < start)
            m_next = find(start);
        return m_next >= 0 && m_next < end;
    }

private:
    // Looks for the first unit alone, which the processor does fast, then for the rest.
    qsizetype find(qsizetype from) const
    {
        while ((from = m_content.indexOf(m_text.front(), from)) >= 0) {
            if (m_content.sliced(from).startsWith(m_text))
                return from;
            ++from;
        }
        return -1;
    }

    QStringView m_content;
    QStringView m_text;
    qsizetype m_next;
};

// Entry lines come after the three header lines, the title first, so a file of fewer lines
// finds nothing. A line that does not hold the text cannot hold it in a field either, unless
// the text has a quotation mark, which the splitting takes out of doubled marks; such lines
// are only counted, so that the numbers are the word list's.
void searchBook(const QString &path, const QString &fileName, int field, const QString &text,
                QList<SearchHit> &exact, QList<SearchHit> &partial)
{
    const QString content = readBook(path);
    const bool filterLines = !text.contains(u'"');
    Occurrences occurrences(content, text);
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
        const qsizetype start = line.utf16() - QStringView(content).utf16();
        if (filterLines && !occurrences.inLine(start, start + line.size())) {
            number += IsEntryLine(line);
            return;
        }
        if (!ParseEntryLine(line, entry))
            return;
        ++number;
        const QString stored = storedForm(entry.fields[size_t(field)]);
        // The entry is parsed afresh for the next line that holds the text, so it is moved.
        if (stored.contains(text))
            (stored == text ? exact : partial)
                .append({stored == text, std::move(entry), title, fileName, number});
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
    exact.append(std::move(partial));
    return exact;
}
