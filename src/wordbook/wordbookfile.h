#pragma once

#include "entryline.h"
#include "questiontype.h"
#include "wordentry.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

// A word book (.utx): a title line, a group line, a type line, then one line per entry of six
// quoted, comma-separated fields. Stored as UTF-16 little-endian with FF FE and CR LF after
// every line.
struct WordBook {
    QString title;
    QString group;
    QuestionType type = QuestionType::Vocabulary;
    QList<WordEntry> entries;
};

// Title, group and type come before the entries.
inline constexpr int kHeaderLines = 3;

// A file's text. Files are UTF-16 little-endian, with or without FF FE. A file that is plainly
// not, because it starts with the UTF-8 byte-order mark, or because it is valid UTF-8 without a
// single zero byte (every UTF-16 line end has one), is a book written by hand in a text editor
// and is read as UTF-8 instead of being turned into garbage; one that starts with FE FF is
// UTF-16 big-endian, as some editors write it. The next write stores either as usual.
QString DecodeWordBook(const QByteArray &bytes);

struct ParsedWordBook {
    // False for a text of fewer than three lines, which is no word book.
    bool isBook = false;
    WordBook book;
    // Lines after the header that are not six-field entries; a rewrite drops them.
    int skippedLines = 0;
};
ParsedWordBook ParseWordBook(QStringView text);

// The whole file. The book must read back line for line: a line break in the title or the
// group becomes a space, and one in an entry's field "#$0D", as the remarks hold theirs.
QByteArray WordBookBytes(const WordBook &book);

struct WordBookFile {
    enum class Status { Read, Missing, Unreadable };
    Status status = Status::Missing;
    // Why the file could not be read, in Japanese: also a file that is no regular file or is
    // larger than any word book can be.
    QString error;
    ParsedWordBook parsed;
};
WordBookFile ReadWordBook(const QString &path);

// Writes the book through the program's write helper; an existing file is replaced only when
// the whole book was written. Returns the reason on failure, else the empty string.
QString WriteWordBook(const QString &path, const WordBook &book);

// A new, empty word book of the given header lines; the type is stored by its written name.
QString MakeBlankWB_Base(const QString &title, const QString &group, const QString &path,
                         const QString &type);
