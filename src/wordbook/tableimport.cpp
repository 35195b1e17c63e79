#include "tableimport.h"

#include <QFileInfo>
#include <QStringDecoder>

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

std::optional<QString> decodeStrictly(QByteArrayView bytes, QStringConverter::Encoding encoding)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// The rows read so far, the current row and the current field.
struct TableReader {
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool atFieldStart = true; // nothing of the current field read yet

    void endField()
    {
        row.append(field);
        field.clear();
        atFieldStart = true;
    }
    // An empty line gives no row.
    void endRow()
    {
        if (!row.isEmpty() || !field.isEmpty()) {
            endField();
            rows.append(row);
        }
        row.clear();
        atFieldStart = true;
    }
};

qsizetype readQuoted(QStringView text, qsizetype at, QString &field)
{
    // `at` is just past the opening quote; returns the index just past the closing one.
    while (at < text.size()) {
        const QChar c = text[at++];
        if (c != u'"') {
            field.append(c);
            continue;
        }
        if (at < text.size() && text[at] == u'"') {
            field.append(u'"');
            ++at;
            continue;
        }
        return at;
    }
    return at;
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

std::optional<QString> DecodeTableFile(const QByteArray &bytes)
{
    if (startsWith(bytes, "\xEF\xBB\xBF"))
        return decodeStrictly(QByteArrayView(bytes).sliced(3), QStringConverter::Utf8);
    if (startsWith(bytes, "\xFF\xFE"))
        return decodeStrictly(QByteArrayView(bytes).sliced(2), QStringConverter::Utf16LE);
    if (startsWith(bytes, "\xFE\xFF"))
        return decodeStrictly(QByteArrayView(bytes).sliced(2), QStringConverter::Utf16BE);
    if (bytes.contains('\0'))
        return std::nullopt;
    return decodeStrictly(bytes, QStringConverter::Utf8);
}

QString DecodeTableFileAs(const QByteArray &bytes, const char *name)
{
    QStringDecoder decoder(name);
    return decoder.isValid() ? decoder(bytes) : QString();
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

QList<QStringList> ParseTable(QStringView text, QChar separator)
{
    TableReader reader;
    qsizetype at = 0;
    while (at < text.size()) {
        const QChar c = text[at++];
        if (c == u'"' && reader.atFieldStart) {
            reader.atFieldStart = false;
            at = readQuoted(text, at, reader.field);
        } else if (c == separator) {
            reader.endField();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && at < text.size() && text[at] == u'\n')
                ++at;
            reader.endRow();
        } else {
            reader.field.append(c);
            reader.atFieldStart = false;
        }
    }
    reader.endRow();
    return reader.rows;
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

QString FreeBookPath(const QString &folder, const QString &title)
{
    QString base = QString(title).replace(u'/', u'_');
    if (base.isEmpty() || base.startsWith(u'.'))
        base.prepend(u'_');
    QString path = folder + u'/' + base + QStringLiteral(".utx");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder + u'/' + base + QStringLiteral("_%1.utx").arg(n);
    return path;
}
