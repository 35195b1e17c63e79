#include "booksearch.h"

#include "core/codecs.h"
#include "core/readfile.h"
#include "core/stringarena.h"
#include "core/textlines.h"
#include "entryline.h"
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

// The hit that `line`, an entry line, gives when its field holds the text.
class BookHits {
public:
    BookHits(const QString &fileName, int field, const QString &text, QList<SearchHit> &exact,
             QList<SearchHit> &partial)
        : m_fileName(fileName)
        , m_field(size_t(field))
        , m_text(text)
        , m_exact(exact)
        , m_partial(partial)
    {}

    QString title;
    // The entry lines passed so far, as the word list numbers them.
    int number = 0;

    void countLines(QStringView lines) { number += int(CountEntryLines(lines)); }

    void takeLine(QStringView line)
    {
        if (!ParseEntryLine(line, m_entry, &m_arena))
            return;
        ++number;
        const QString stored = storedForm(m_entry.fields[m_field]);
        // The entry is parsed afresh for the next line that holds the text, so it is moved.
        if (stored.contains(m_text))
            (stored == m_text ? m_exact : m_partial)
                .append({stored == m_text, std::move(m_entry), title, m_fileName, number});
    }

private:
    const QString &m_fileName;
    size_t m_field;
    const QString &m_text;
    QList<SearchHit> &m_exact;
    QList<SearchHit> &m_partial;
    WordEntry m_entry;
    StringArena m_arena;
};

// Where the entry lines start, after the three header lines, the title first; the end when
// the text has fewer lines.
const char16_t *skipHeader(const char16_t *pos, const char16_t *end, QString &title)
{
    for (int line = 0; line < kHeaderLines && pos < end; ++line) {
        const char16_t *const lineEnd = FindLineEnd(pos, end);
        if (line == 0)
            title = QStringView(pos, lineEnd).toString();
        pos = SkipLineEnd(lineEnd, end);
    }
    return pos;
}

// Where the line holding `at` starts, looking back no further than `from`.
const char16_t *lineStartOf(const char16_t *at, const char16_t *from)
{
    while (at > from && at[-1] != u'\r' && at[-1] != u'\n')
        --at;
    return at;
}

// The first occurrence of `text` from `from` on: the first unit alone is looked for, which
// the processor does fast, then the rest.
const char16_t *findText(const char16_t *from, const char16_t *end, QStringView text)
{
    const QStringView rest(from, end);
    qsizetype at = 0;
    while ((at = rest.indexOf(text.front(), at)) >= 0) {
        if (rest.sliced(at).startsWith(text))
            return from + at;
        ++at;
    }
    return nullptr;
}

// A line that does not hold the text cannot hold it in a field either, unless the text has a
// quotation mark, which the splitting takes out of doubled marks: so the lines between two
// occurrences are only counted, in one pass, and only the lines holding the text are split. A
// text with a line break is in no line.
void searchLines(const char16_t *pos, const char16_t *end, const QString &text, BookHits &hits)
{
    if (text.contains(u'\r') || text.contains(u'\n'))
        return;
    if (text.contains(u'"')) {
        ForEachLine(QStringView(pos, end), [&hits](QStringView line) { hits.takeLine(line); });
        return;
    }
    while (const char16_t *const found = findText(pos, end, text)) {
        const char16_t *const lineStart = lineStartOf(found, pos);
        hits.countLines(QStringView(pos, lineStart));
        const char16_t *const lineEnd = FindLineEnd(found, end);
        hits.takeLine(QStringView(lineStart, lineEnd));
        pos = SkipLineEnd(lineEnd, end);
    }
}

void searchBook(const QString &path, const QString &fileName, int field, const QString &text,
                QList<SearchHit> &exact, QList<SearchHit> &partial)
{
    const QString content = readBook(path);
    const char16_t *const begin = QStringView(content).utf16();
    const char16_t *const end = begin + content.size();
    BookHits hits(fileName, field, text, exact, partial);
    const char16_t *const body = skipHeader(begin, end, hits.title);
    searchLines(body, end, text, hits);
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
