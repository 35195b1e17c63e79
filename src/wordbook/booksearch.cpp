#include "booksearch.h"

#include "core/codecs.h"
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

void searchBook(const QString &path, const QString &fileName, int field, const QString &text,
                QList<SearchHit> &exact, QList<SearchHit> &partial)
{
    const WordBookFile file = ReadWordBook(path);
    if (file.status != WordBookFile::Status::Read || !file.parsed.isBook)
        return;
    const WordBook &book = file.parsed.book;
    for (qsizetype i = 0; i < book.entries.size(); ++i) {
        const WordEntry &entry = book.entries[i];
        const QString stored = storedForm(entry.fields[size_t(field)]);
        if (!stored.contains(text))
            continue;
        SearchHit hit{stored == text, entry, book.title, fileName, int(i + 1)};
        (hit.exact ? exact : partial).append(std::move(hit));
    }
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
