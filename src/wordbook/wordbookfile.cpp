#include "wordbookfile.h"

#include "core/codecs.h"
#include "core/readfile.h"
#include "core/savefile.h"
#include "core/stringarena.h"
#include "core/textlines.h"
#include "core/utf16writer.h"

#include <QStringDecoder>
#include <QtEndian>

#include <cstring>

namespace {

bool startsWithUtf8Mark(const QByteArray &bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF");
}

bool startsWithUtf16BeMark(const QByteArray &bytes)
{
    return bytes.startsWith("\xFE\xFF");
}

// Code unit by code unit, as the little-endian reader does, so nothing is replaced.
QString decodeUtf16Be(const QByteArray &bytes)
{
    const qsizetype units = (bytes.size() - 2) / 2;
    QString text(units, Qt::Uninitialized);
    const char *in = bytes.constData() + 2;
    for (qsizetype i = 0; i < units; ++i)
        text[i] = QChar(qFromBigEndian<char16_t>(in + 2 * i));
    return text;
}

bool hasZeroByte(const QByteArray &bytes)
{
    return std::memchr(bytes.constData(), 0, size_t(bytes.size())) != nullptr;
}

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    (void)decoder.decode(bytes);
    return !decoder.hasError();
}

QString decodeUtf8(const QByteArray &bytes)
{
    const QByteArray body = startsWithUtf8Mark(bytes) ? bytes.sliced(3) : bytes;
    return QString::fromUtf8(body);
}

bool hasLineBreak(QStringView s)
{
    return s.contains(u'\r') || s.contains(u'\n');
}

QString headerLine(const QString &line)
{
    if (!hasLineBreak(line))
        return line;
    QString single = line;
    single.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    single.replace(u'\r', u' ').replace(u'\n', u' ');
    return single;
}

void putLine(Utf16Writer &out, QStringView line)
{
    out.put(line);
    out.put(u"\r\n");
}

// Most fields hold neither quotation marks nor line breaks and are taken as they are.
void putField(Utf16Writer &out, const QString &field)
{
    out.put(u'"');
    if (!out.putIfPlain(field))
        out.put(QuoteFilter(LineBreakFilter(field)));
    out.put(u"\",");
}

void putEntryLine(Utf16Writer &out, const WordEntry &entry)
{
    for (const QString &field : entry.fields)
        putField(out, field);
    putLine(out, u"\"\"");
}

void putBook(Utf16Writer &out, const WordBook &book)
{
    out.put(u'\xFEFF');
    putLine(out, headerLine(book.title));
    putLine(out, headerLine(book.group));
    putLine(out, StoredName(book.type));
    for (const WordEntry &entry : book.entries)
        putEntryLine(out, entry);
    out.finish();
}

} // namespace

// Every UTF-16 line end holds a zero byte, so a file without one is plainly not UTF-16.
QString DecodeWordBook(const QByteArray &bytes)
{
    if (startsWithUtf16BeMark(bytes))
        return decodeUtf16Be(bytes);
    const bool utf8 = !bytes.isEmpty() && !hasZeroByte(bytes) &&
                      (startsWithUtf8Mark(bytes) || isValidUtf8(bytes));
    return utf8 ? decodeUtf8(bytes) : DecodeUtf16Le(bytes);
}

// The entries' fields share blocks of memory: a book holds a few hundred thousand of them.
ParsedWordBook ParseWordBook(QStringView text)
{
    ParsedWordBook parsed;
    parsed.book.entries.reserve(qMax<qsizetype>(CountLines(text) - kHeaderLines, 0));
    StringArena arena;
    QString header[kHeaderLines];
    int lineNumber = 0;
    WordEntry entry;
    ForEachLine(text, [&](QStringView line) {
        if (lineNumber < kHeaderLines) {
            header[lineNumber++] = line.toString();
            return;
        }
        ++lineNumber;
        if (ParseEntryLine(line, entry, &arena))
            parsed.book.entries.append(std::move(entry));
        else
            ++parsed.skippedLines;
    });
    parsed.isBook = lineNumber >= kHeaderLines;
    if (!parsed.isBook)
        return parsed;
    parsed.book.title = header[0];
    parsed.book.group = header[1];
    parsed.book.type = QuestionTypeOf(header[2]);
    return parsed;
}

QByteArray WordBookBytes(const WordBook &book)
{
    QByteArray bytes;
    Utf16Writer out([&bytes](QByteArrayView piece) {
        bytes.append(piece);
        return true;
    });
    putBook(out, book);
    return bytes;
}

WordBookFile ReadWordBook(const QString &path)
{
    WordBookFile result;
    const FileBytes file = ReadFileBounded(path, kWordBookFileLimit);
    if (file.status == FileBytes::Status::Missing)
        return result;
    if (!file.isRead()) {
        result.status = WordBookFile::Status::Unreadable;
        result.error = file.reason;
        return result;
    }
    result.status = WordBookFile::Status::Read;
    result.parsed = ParseWordBook(DecodeWordBook(file.bytes));
    return result;
}

QString WriteWordBook(const QString &path, const WordBook &book)
{
    // The book goes to the file a buffer at a time, never whole in memory.
    return WriteFileSafely(path, [&book](const ByteSink &sink) {
        Utf16Writer out(sink);
        putBook(out, book);
    });
}

QString MakeBlankWB_Base(const QString &title, const QString &group, const QString &path,
                         const QString &type)
{
    return WriteWordBook(path, {title, group, QuestionTypeOf(type), {}});
}
