#include "wordbookfile.h"

#include "core/codecs.h"
#include "core/commatext.h"
#include "core/savefile.h"
#include "core/textlines.h"

#include <QFile>
#include <QStringDecoder>

#include <cstring>

namespace {

constexpr int kHeaderLines = 3;
constexpr int kLineFields = 6;

bool startsWithUtf8Mark(const QByteArray &bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF");
}

bool isPlainUtf8(const QByteArray &bytes)
{
    if (std::memchr(bytes.constData(), 0, size_t(bytes.size())))
        return false;
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

// Most fields hold neither quotation marks nor line breaks and are taken as they are.
void appendField(QString &line, const QString &field)
{
    line += u'"';
    if (hasLineBreak(field))
        line += QuoteFilter(CRFilter(field));
    else if (field.contains(u'"'))
        line += QuoteFilter(field);
    else
        line += field;
    line += QStringLiteral("\",");
}

void appendEntryLine(QString &text, const WordEntry &entry)
{
    for (const QString &field : entry.fields)
        appendField(text, field);
    text += QStringLiteral("\"\"\r\n");
}

void appendLine(QString &text, QStringView line)
{
    text += line;
    text += QStringLiteral("\r\n");
}

} // namespace

QString DecodeWordBook(const QByteArray &bytes, BookEncoding *encoding)
{
    const bool utf8 = startsWithUtf8Mark(bytes) || (!bytes.isEmpty() && isPlainUtf8(bytes));
    if (encoding)
        *encoding = utf8 ? BookEncoding::Utf8 : BookEncoding::Utf16Le;
    return utf8 ? decodeUtf8(bytes) : DecodeUtf16Le(bytes);
}

bool ParseEntryLine(QStringView line, WordEntry &entry)
{
    QStringList fields = SplitCommaText(line);
    if (fields.size() != kLineFields)
        return false;
    for (int i = 0; i < kEntryFields; ++i) {
        QString &field = fields[i];
        entry.fields[size_t(i)] = field.contains(u'#') ? QuoteDecoder(field) : std::move(field);
    }
    return true;
}

ParsedWordBook ParseWordBook(QStringView text)
{
    ParsedWordBook parsed;
    QString header[kHeaderLines];
    int lineNumber = 0;
    WordEntry entry;
    ForEachLine(text, [&](QStringView line) {
        if (lineNumber < kHeaderLines) {
            header[lineNumber++] = line.toString();
            return;
        }
        ++lineNumber;
        if (ParseEntryLine(line, entry))
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
    QString text;
    appendLine(text, headerLine(book.title));
    appendLine(text, headerLine(book.group));
    appendLine(text, StoredName(book.type));
    for (const WordEntry &entry : book.entries)
        appendEntryLine(text, entry);
    return EncodeUtf16LeBom(text);
}

WordBookFile ReadWordBook(const QString &path)
{
    WordBookFile result;
    QFile file(path);
    if (!file.exists())
        return result;
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = WordBookFile::Status::Unreadable;
        result.error = file.errorString();
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.status = WordBookFile::Status::Unreadable;
        result.error = file.errorString();
        return result;
    }
    result.status = WordBookFile::Status::Read;
    result.parsed = ParseWordBook(DecodeWordBook(bytes, &result.encoding));
    return result;
}

QString WriteWordBook(const QString &path, const WordBook &book)
{
    return WriteFileSafely(path, WordBookBytes(book));
}

QString MakeBlankWB_Base(const QString &title, const QString &group, const QString &path,
                         const QString &type)
{
    return WriteWordBook(path, {title, group, QuestionTypeOf(type), {}});
}
