// The word book reader: any file is read without harm, every book it reads is written out and
// read back to the same book with no line left over, and the shelf lists the file as the
// reader sees it.
#include "fuzzinput.h"
#include "wordbook/shelf.h"
#include "wordbook/wordbookfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const ParsedWordBook parsed = ParseWordBook(DecodeWordBook(bytes));

    const std::optional<ShelfRow> row = ShelfRowOf(bytes, QStringLiteral("book.utx"));
    Require(row.has_value() == parsed.isBook, "the shelf lists exactly the books");
    if (!parsed.isBook)
        return 0;
    Require(row->title == parsed.book.title && row->group == parsed.book.group,
            "the shelf shows the book's title and group");
    Require(row->count == parsed.book.entries.size() + parsed.skippedLines,
            "the shelf counts every line after the header");

    const QByteArray written = WordBookBytes(parsed.book);
    Require(written.startsWith("\xFF\xFE"), "a book is written as UTF-16 with its mark");
    const ParsedWordBook again = ParseWordBook(DecodeWordBook(written));
    Require(again.isBook, "a written book is a book");
    Require(again.skippedLines == 0, "every written entry line reads back");
    Require(again.book.title == parsed.book.title, "the title reads back");
    Require(again.book.group == parsed.book.group, "the group reads back");
    Require(again.book.type == parsed.book.type, "the type reads back");
    Require(again.book.entries == parsed.book.entries, "the entries read back");
    return 0;
}
