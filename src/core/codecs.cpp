#include "codecs.h"

#include <algorithm>

namespace {

const QString kQuoteCode = QStringLiteral("#$22");
const QString kCrCode = QStringLiteral("#$0D");
const QString kPlaceholder = QStringLiteral("ZQXWVKRPJ");

bool isPrintableAscii(QChar c)
{
    return c.unicode() >= 0x20 && c.unicode() <= 0x7E;
}

template <typename Reference> QString convertReferences(QStringView s, Reference reference)
{
    QString out;
    out.reserve(s.size() * 4);
    for (QChar c : s) {
        if (isPrintableAscii(c))
            out += c;
        else
            out += reference(c.unicode());
    }
    return out;
}

} // namespace

QString QuoteFilter(QStringView s)
{
    QString out;
    out.reserve(s.size());
    for (QChar c : s) {
        if (c == u'"')
            out += kQuoteCode;
        else
            out += c;
    }
    return out;
}

QString QuoteDecoder(QStringView s)
{
    return s.toString().replace(kQuoteCode, QStringLiteral("\""));
}

QString CRFilter(QStringView s)
{
    QString out;
    out.reserve(s.size());
    for (QChar c : s) {
        if (c == u'\r')
            out += kCrCode;
        else if (c != u'\n')
            out += c;
    }
    return out;
}

QString CRDecoder(QStringView s)
{
    return s.toString().replace(kCrCode, QStringLiteral("\r\n"));
}

void ReplaceStrBase(QString &s, const QString &from, const QString &to)
{
    if (from.isEmpty())
        return;
    // Each round searches again from the start; no occurrence can begin before the place of
    // the last replacement minus the length of `from`, so the search starts there.
    for (qsizetype p = s.indexOf(from); p >= 0;
         p = s.indexOf(from, std::max<qsizetype>(0, p - from.size() + 1))) {
        s.replace(p, from.size(), to);
    }
}

void ReplaceStr(QString &s, const QString &from, const QString &to)
{
    ReplaceStrBase(s, from, kPlaceholder);
    ReplaceStrBase(s, kPlaceholder, to);
}

QString HexCode4(char16_t unit)
{
    return QString::number(uint(unit), 16).toUpper().rightJustified(4, u'0');
}

QString Conv16Uni(QStringView s)
{
    return convertReferences(s,
                             [](char16_t u) { return QStringLiteral("&#x") + HexCode4(u) + u';'; });
}

QString Conv10Uni(QStringView s)
{
    return convertReferences(s, [](char16_t u) { return QStringLiteral("&#%1;").arg(uint(u)); });
}
