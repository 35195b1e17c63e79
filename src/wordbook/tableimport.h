#pragma once

#include "wordentry.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <limits>
#include <optional>

// Vocabulary lists from spreadsheets and flashcard programs: a text table, tab- or
// comma-separated, turned into word book entries.

// How much of a table is read. A vocabulary list of a hundred thousand words is a few
// megabytes; what lies beyond these bounds is left out and the user is told so.
inline constexpr qint64 kLargestTableFile = 32 * 1024 * 1024;
inline constexpr int kMostTableColumns = 20;
inline constexpr int kMostTableRows = 100'000;

// A table file's text, and how many of its characters could not be decoded and are U+FFFD.
struct TableText {
    QString text;
    int replaced = 0;
};

// The text of a table file: UTF-8 with or without its byte-order mark, without a fault, or
// UTF-16 with its byte-order mark, whose lone surrogates become U+FFFD. Anything else (a
// Shift_JIS or Windows-1251 export, say) has no text here, and the user is asked which
// encoding it is.
std::optional<TableText> DecodeTableFile(const QByteArray &bytes);

// The encodings offered when the file is not Unicode: the name the converter knows and what
// the user reads.
struct OtherEncoding {
    const char *name;
    const char16_t *caption;
};
inline constexpr OtherEncoding kOtherEncodings[] = {
    {"Shift_JIS", u"シフトJIS（Windows の日本語）"},
    {"EUC-JP", u"EUC-JP"},
    {"windows-1251", u"Windows-1251（Windows のロシア語）"},
    {"KOI8-R", u"KOI8-R"},
};
// The file's text in encoding `name`; bytes that are not of that encoding become U+FFFD.
TableText DecodeTableFileAs(const QByteArray &bytes, const char *name);

// The separator of the table: a tab when the first line has one, else a semicolon when the
// first line has more of them than commas outside quotes (spreadsheets in some locales), else
// a comma.
QChar GuessSeparator(QStringView text);

struct Table {
    QList<QStringList> rows;
    // The most fields a row had, those left out included.
    int widest = 0;
    // Rows after the last one read were left out.
    bool cut = false;
};
// The first `mostRows` rows of the table as spreadsheets write it (RFC 4180): fields between
// separators, a field in double quotes may hold separators, line breaks and doubled quotes.
// Lines end with CR LF, LF or CR; empty lines give no row. Fields past kMostTableColumns, and
// the rest of a field after its first `fieldUnits` code units, are skipped as they are read.
Table ParseTable(QStringView text, QChar separator, int mostRows = kMostTableRows,
                 qsizetype fieldUnits = std::numeric_limits<qsizetype>::max());

// Which column of the table fills each field of an entry; -1 leaves the field empty.
using ColumnMap = std::array<int, kEntryFields>;

// A first guess: from a header row's captions when they name the fields (in Japanese or in
// English), else by position: Russian and Japanese for two columns, and for more the order
// of an exported book (Russian, cue, kana, Japanese, remarks).
ColumnMap GuessColumns(const QStringList &firstRow, int columnCount);
// True when the first row's captions name at least two fields.
bool LooksLikeHeader(const QStringList &firstRow);

struct ImportedEntries {
    QList<WordEntry> entries;
    // Rows left out because their Russian or their Japanese was empty.
    int leftOut = 0;
};
// The entries of the table's rows (the first one skipped when it is a header). A line break
// inside a field becomes "#$0D", as word books keep it; then the field is trimmed.
ImportedEntries EntriesFromTable(const QList<QStringList> &rows, const ColumnMap &columns,
                                 bool firstRowIsHeader);

// The table text of a word book for spreadsheets and flashcard programs: UTF-8 with its
// byte-order mark, tab-separated, a header row of the list's captions, one entry per line.
// "#$0D" becomes a line break inside a quoted field; stress marks are kept.
QByteArray TableBytesOf(const QList<WordEntry> &entries, const QString &cueCaption);

// The file name a book titled `title` is proposed under, without its suffix: the title with
// "/" made "_", and "_" before it when it is empty or starts with "." (a hidden file, which
// the shelf does not list).
QString VisibleBookName(const QString &title);

// A file for a new book titled `title` in `folder` that overwrites nothing: its visible book
// name, then "_2", "_3" … while that file exists.
QString FreeBookPath(const QString &folder, const QString &title);
