#include "clipboardforms.h"

#include "core/codecs.h"
#include "linebreaks.h"
#include "richtextforms.h"

#include <QMimeData>

namespace {

QMimeData *plainMimeData(const QString &text)
{
    auto *data = new QMimeData;
    data->setText(text);
    return data;
}

} // namespace

QString WithCrLf(QStringView text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    WalkLines(
        text, [&](char16_t c) { out += QChar(c); }, [&] { out += QStringLiteral("\r\n"); });
    return out;
}

QMimeData *TransferMimeData(int transIndex, const QString &text, const RichFont &font)
{
    switch (transIndex) {
    case RichTextMode:
        return text.isEmpty() ? nullptr : RichMimeData(text, font);
    case DecimalReferenceMode:
        return plainMimeData(Conv10Uni(text));
    case HexReferenceMode:
        return plainMimeData(Conv16Uni(text));
    case UnicodeTextMode:
        return plainMimeData(text);
    default:
        return nullptr;
    }
}
