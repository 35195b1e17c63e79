#include "tableimport.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <QSysInfo>
#include <QtEndian>

#include <algorithm>

namespace {

const QString kLineBreakMark = QStringLiteral("#$0D");

// Captions a header row may give each field, compared without case.
struct FieldCaptions {
    EntryField field;
    std::initializer_list<const char16_t *> captions;
};
const FieldCaptions kFieldCaptions[] = {
    {EntryField::Russian, {u"ロシア語", u"russian", u"русский", u"露"}},
    {EntryField::Cue, {u"発音記号", u"ipa", u"pronunciation", u"空欄文", u"指示文", u"cue"}},
    {EntryField::Kana, {u"発音カナ", u"カナ", u"kana", u"読み"}},
    {EntryField::Japanese, {u"日本語", u"japanese", u"意味", u"訳", u"日"}},
    {EntryField::Remarks, {u"備考", u"remarks", u"notes", u"note", u"メモ"}},
};

std::optional<EntryField> fieldNamedBy(const QString &caption)
{
    const QString wanted = caption.trimmed();
    for (const FieldCaptions &row : kFieldCaptions) {
        for (const char16_t *name : row.captions) {
            if (wanted.compare(QString::fromUtf16(name), Qt::CaseInsensitive) == 0)
                return row.field;
        }
    }
    return std::nullopt;
}

bool startsWith(const QByteArray &bytes, const char *mark)
{
    return bytes.startsWith(QByteArray(mark));
}

std::optional<TableText> utf8Text(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return TableText{std::move(text)};
}

// The code units as they are, each surrogate without its partner made U+FFFD: it is no
// character, and UTF-8 cannot hold it. A byte left over at the end is U+FFFD too.
TableText utf16Text(QByteArrayView bytes, QSysInfo::Endian order)
{
    TableText table{QString(bytes.size() / 2, Qt::Uninitialized)};
    if (order == QSysInfo::BigEndian)
        qFromBigEndian<char16_t>(bytes.data(), table.text.size(), table.text.data());
    else
        qFromLittleEndian<char16_t>(bytes.data(), table.text.size(), table.text.data());
    QChar *units = table.text.data();
    const qsizetype size = table.text.size();
    for (qsizetype at = 0; at < size; ++at) {
        if (units[at].isHighSurrogate() && at + 1 < size && units[at + 1].isLowSurrogate()) {
            ++at;
        } else if (units[at].isSurrogate()) {
            units[at] = QChar::ReplacementCharacter;
            ++table.replaced;
        }
    }
    if (bytes.size() % 2 != 0) {
        table.text.append(QChar::ReplacementCharacter);
        ++table.replaced;
    }
    return table;
}

// The rows read so far, the current row and the current field. Fields past
// kMostTableColumns are counted but not kept, and of each field only its first `fieldUnits`.
struct TableReader {
    qsizetype fieldUnits;
    Table table;
    QStringList row;
    QString field;
    int fieldsInRow = 0;
    bool atFieldStart = true; // nothing of the current field read yet

    void add(QStringView run)
    {
        if (row.size() < kMostTableColumns)
            field.append(run.first(std::min(run.size(), fieldUnits - field.size())));
    }
    void endField()
    {
        if (row.size() < kMostTableColumns)
            row.append(field);
        ++fieldsInRow;
        field.clear();
        atFieldStart = true;
    }
    // An empty line gives no row.
    void endRow()
    {
        if (!row.isEmpty() || !field.isEmpty()) {
            endField();
            table.rows.append(row);
            table.widest = std::max(table.widest, fieldsInRow);
        }
        row.clear();
        fieldsInRow = 0;
        atFieldStart = true;
    }
};

qsizetype readQuoted(QStringView text, qsizetype at, TableReader &reader)
{
    // `at` is just past the opening quote; returns the index just past the closing one.
    while (at < text.size()) {
        const qsizetype quote = text.indexOf(u'"', at);
        if (quote < 0) {
            reader.add(text.sliced(at));
            return text.size();
        }
        reader.add(text.sliced(at, quote - at));
        at = quote + 1;
        if (at == text.size() || text[at] != u'"')
            return at;
        reader.add(u"\"");
        ++at;
    }
    return at;
}

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

// Whether rows follow from `at` on: anything but line breaks.
bool rowsFollow(QStringView text, qsizetype at)
{
    return std::any_of(text.begin() + at, text.end(), [](QChar c) { return !isLineBreak(c); });
}

// The end of the unquoted text from `at` on: the next separator or line break.
qsizetype plainEnd(QStringView text, qsizetype at, QChar separator)
{
    const auto end = std::find_if(text.begin() + at, text.end(), [separator](QChar c) {
        return c == separator || isLineBreak(c);
    });
    return end - text.begin();
}

QString withLineBreakMarks(QString field)
{
    field.replace(QStringLiteral("\r\n"), kLineBreakMark);
    field.replace(u'\r', kLineBreakMark);
    field.replace(u'\n', kLineBreakMark);
    return field;
}

QString quotedForTable(QString field)
{
    field.replace(kLineBreakMark, QStringLiteral("\n"));
    if (!field.contains(u'\t') && !field.contains(u'"') && !field.contains(u'\n'))
        return field;
    field.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + field + u'"';
}

} // namespace

std::optional<TableText> DecodeTableFile(const QByteArray &bytes)
{
    const QByteArrayView view(bytes);
    if (startsWith(bytes, "\xEF\xBB\xBF"))
        return utf8Text(view.sliced(3));
    if (startsWith(bytes, "\xFF\xFE"))
        return utf16Text(view.sliced(2), QSysInfo::LittleEndian);
    if (startsWith(bytes, "\xFE\xFF"))
        return utf16Text(view.sliced(2), QSysInfo::BigEndian);
    if (bytes.contains('\0'))
        return std::nullopt;
    return utf8Text(view);
}

// None of these encodings has U+FFFD, so each one in the text is a byte that did not decode.
TableText DecodeTableFileAs(const QByteArray &bytes, const char *name)
{
    QStringDecoder decoder(name);
    TableText table{decoder.isValid() ? decoder(bytes) : QString()};
    table.replaced = int(table.text.count(QChar::ReplacementCharacter));
    return table;
}

QChar GuessSeparator(QStringView text)
{
    int commas = 0;
    int semicolons = 0;
    bool quoted = false;
    for (QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'\n' || c == u'\r'))
            break;
        else if (c == u'\t')
            return u'\t';
        else if (!quoted && c == u',')
            ++commas;
        else if (!quoted && c == u';')
            ++semicolons;
    }
    return semicolons > commas ? u';' : u',';
}

Table ParseTable(QStringView text, QChar separator, int mostRows, qsizetype fieldUnits)
{
    TableReader reader{fieldUnits};
    qsizetype at = 0;
    while (at < text.size()) {
        if (reader.table.rows.size() == mostRows) {
            reader.table.cut = rowsFollow(text, at);
            return reader.table;
        }
        const QChar c = text[at];
        if (c == u'"' && reader.atFieldStart) {
            reader.atFieldStart = false;
            at = readQuoted(text, at + 1, reader);
        } else if (c == separator) {
            reader.endField();
            ++at;
        } else if (isLineBreak(c)) {
            at += c == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n' ? 2 : 1;
            reader.endRow();
        } else {
            const qsizetype end = plainEnd(text, at, separator);
            reader.add(text.sliced(at, end - at));
            reader.atFieldStart = false;
            at = end;
        }
    }
    reader.endRow();
    return reader.table;
}

bool LooksLikeHeader(const QStringList &firstRow)
{
    int named = 0;
    for (const QString &caption : firstRow)
        named += fieldNamedBy(caption).has_value();
    return named >= 2;
}

ColumnMap GuessColumns(const QStringList &firstRow, int columnCount)
{
    ColumnMap columns;
    columns.fill(-1);
    if (LooksLikeHeader(firstRow)) {
        for (int column = 0; column < firstRow.size(); ++column) {
            const std::optional<EntryField> field = fieldNamedBy(firstRow[column]);
            if (field && columns[size_t(*field)] < 0)
                columns[size_t(*field)] = column;
        }
        return columns;
    }
    if (columnCount == 2) {
        columns[size_t(EntryField::Russian)] = 0;
        columns[size_t(EntryField::Japanese)] = 1;
        return columns;
    }
    for (int field = 0; field < kEntryFields && field < columnCount; ++field)
        columns[size_t(field)] = field;
    return columns;
}

ImportedEntries EntriesFromTable(const QList<QStringList> &rows, const ColumnMap &columns,
                                 bool firstRowIsHeader)
{
    ImportedEntries imported;
    for (qsizetype r = firstRowIsHeader ? 1 : 0; r < rows.size(); ++r) {
        const QStringList &row = rows[r];
        WordEntry entry;
        for (int field = 0; field < kEntryFields; ++field) {
            const int column = columns[size_t(field)];
            if (column >= 0 && column < row.size())
                entry.fields[size_t(field)] = withLineBreakMarks(row[column]).trimmed();
        }
        if (entry[EntryField::Russian].isEmpty() || entry[EntryField::Japanese].isEmpty()) {
            ++imported.leftOut;
            continue;
        }
        imported.entries.append(entry);
    }
    return imported;
}

QByteArray TableBytesOf(const QList<WordEntry> &entries, const QString &cueCaption)
{
    const QStringList header{QStringLiteral("ロシア語"), cueCaption, QStringLiteral("発音カナ"),
                             QStringLiteral("日本語"), QStringLiteral("備考")};
    QString text = header.join(u'\t') + u'\n';
    for (const WordEntry &entry : entries) {
        QStringList cells;
        for (const QString &field : entry.fields)
            cells.append(quotedForTable(field));
        text += cells.join(u'\t') + u'\n';
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QString VisibleBookName(const QString &title)
{
    QString name = QString(title).replace(u'/', u'_');
    if (name.isEmpty() || name.startsWith(u'.'))
        name.prepend(u'_');
    return name;
}

QString FreeBookPath(const QString &folder, const QString &title)
{
    const QString base = VisibleBookName(title);
    QString path = folder + u'/' + base + QStringLiteral(".utx");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder + u'/' + base + QStringLiteral("_%1.utx").arg(n);
    return path;
}
