#include "textlines.h"

#include <QStringDecoder>
#include <QStringEncoder>

QStringList SplitLines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const QChar c = text[pos];
        if (c != u'\r' && c != u'\n') {
            ++pos;
            continue;
        }
        lines.append(text.mid(start, pos - start).toString());
        pos += (c == u'\r' && pos + 1 < text.size() && text[pos + 1] == u'\n') ? 2 : 1;
        start = pos;
    }
    if (start < text.size())
        lines.append(text.mid(start).toString());
    return lines;
}

QString DecodeByBom(const QByteArray &bytes)
{
    const auto encoding = QStringConverter::encodingForData(bytes);
    QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8),
                           QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QString DecodeUtf16Le(const QByteArray &bytes)
{
    qsizetype start = 0;
    if (bytes.size() >= 2 && uchar(bytes[0]) == 0xFF && uchar(bytes[1]) == 0xFE)
        start = 2;
    const qsizetype units = (bytes.size() - start) / 2;
    QString text(units, Qt::Uninitialized);
    QChar *out = text.data();
    const auto *in = reinterpret_cast<const uchar *>(bytes.constData() + start);
    for (qsizetype i = 0; i < units; ++i)
        out[i] = QChar(char16_t(in[2 * i] | (in[2 * i + 1] << 8)));
    return text;
}

QByteArray EncodeUtf16LeBom(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(2 + text.size() * 2);
    bytes.append(char(0xFF)).append(char(0xFE));
    for (QChar c : text) {
        const char16_t u = c.unicode();
        bytes.append(char(u & 0xFF)).append(char(u >> 8));
    }
    return bytes;
}
