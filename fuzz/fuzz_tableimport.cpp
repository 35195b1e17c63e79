// The table import: any file is read without harm, and the entries it gives are exported and
// imported again to the same entries.
#include "fuzzinput.h"
#include "wordbook/tableimport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<TableText> table = DecodeTableFile(bytes);
    if (!table)
        return 0;
    const QList<QStringList> rows = ParseTable(table->text, GuessSeparator(table->text)).rows;
    if (rows.isEmpty())
        return 0;
    const bool header = LooksLikeHeader(rows.first());
    const ImportedEntries imported =
        EntriesFromTable(rows, GuessColumns(rows.first(), int(rows.first().size())), header);
    Require(imported.entries.size() + imported.leftOut == rows.size() - (header ? 1 : 0),
            "every row is imported or counted as left out");

    const QString exported = DecodeTableFile(TableBytesOf(imported.entries, QStringLiteral("IPA")))
                                 .value_or(TableText{})
                                 .text;
    const QList<QStringList> again = ParseTable(exported, GuessSeparator(exported)).rows;
    Require(!again.isEmpty() && LooksLikeHeader(again.first()), "the export has its header");
    const ImportedEntries reimported =
        EntriesFromTable(again, GuessColumns(again.first(), int(again.first().size())), true);
    Require(reimported.leftOut == 0, "no exported entry is left out");
    Require(reimported.entries == imported.entries, "the exported entries import the same");
    return 0;
}
