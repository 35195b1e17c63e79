#include "textdocument.h"

#include "readfile.h"
#include "savefile.h"
#include "textlines.h"

namespace {

bool isLowChar(QChar c)
{
    return c.unicode() <= 0x20;
}

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

} // namespace

QString DocumentTextFromBytes(const QByteArray &bytes)
{
    QString text = DecodeUtf16Le(bytes);
    text.replace(u"\r\n"_qs, u"\n"_qs);
    text.replace(u'\r', u'\n');
    return text;
}

QByteArray DocumentBytes(QStringView text)
{
    QString lines;
    lines.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!isLineEnd(c)) {
            lines.append(c);
            continue;
        }
        lines.append(u"\r\n");
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
    }
    return EncodeUtf16LeBom(lines);
}

QStringView TrimLowChars(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isLowChar(text[begin]))
        ++begin;
    while (end > begin && isLowChar(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

std::optional<QString> ReadDocumentFile(const QString &path, QString *error)
{
    const FileBytes file = ReadFileBounded(path, kDocumentFileLimit);
    if (!file.isRead()) {
        *error = file.reason;
        return std::nullopt;
    }
    return DocumentTextFromBytes(file.bytes);
}

QString WriteDocumentFile(const QString &path, QStringView text)
{
    return WriteFileSafely(path, DocumentBytes(text));
}
