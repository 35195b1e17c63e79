#include "textlines.h"

#include <QStringDecoder>
#include <QSysInfo>
#include <QtEndian>

#include <cstring>

QStringList SplitLines(QStringView text)
{
    QStringList lines;
    ForEachLine(text, [&lines](QStringView line) { lines.append(line.toString()); });
    return lines;
}

qsizetype CountLines(QStringView text)
{
    qsizetype count = 0;
    ForEachLine(text, [&count](QStringView) { ++count; });
    return count;
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
    const char *in = bytes.constData() + start;
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        std::memcpy(text.data(), in, size_t(units) * 2);
    } else {
        QChar *out = text.data();
        for (qsizetype i = 0; i < units; ++i)
            out[i] = QChar(qFromLittleEndian<char16_t>(in + 2 * i));
    }
    return text;
}

QByteArray EncodeUtf16LeBom(QStringView text)
{
    QByteArray bytes(2 + text.size() * 2, Qt::Uninitialized);
    bytes[0] = char(0xFF);
    bytes[1] = char(0xFE);
    char *out = bytes.data() + 2;
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        std::memcpy(out, text.utf16(), size_t(text.size()) * 2);
    } else {
        for (qsizetype i = 0; i < text.size(); ++i)
            qToLittleEndian<char16_t>(text[i].unicode(), out + 2 * i);
    }
    return bytes;
}
