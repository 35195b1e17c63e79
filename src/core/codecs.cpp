#include "codecs.h"

#include <algorithm>
#include <vector>

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

QString LineBreakFilter(QStringView s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n')
            continue;
        if (c == u'\r' || c == u'\n')
            out += kCrCode;
        else
            out += c;
    }
    return out;
}

QString CRDecoder(QStringView s)
{
    return s.toString().replace(kCrCode, QStringLiteral("\r\n"));
}

namespace {

// For each prefix of `pattern`, the length of its longest proper prefix that is also a suffix.
std::vector<qsizetype> borderTable(const QString &pattern)
{
    std::vector<qsizetype> border(pattern.size(), 0);
    for (qsizetype i = 1, k = 0; i < pattern.size(); ++i) {
        while (k > 0 && pattern[i] != pattern[k])
            k = border[k - 1];
        if (pattern[i] == pattern[k])
            ++k;
        border[i] = k;
    }
    return border;
}

} // namespace

// The text before the place of the last replacement holds no occurrence, so one pass does the
// work of searching again from the start: characters move to the output one by one with the
// length of `from` matched at each, and when the output ends in `from` the match is dropped
// and `to` is read next, ahead of the rest of the text.
void ReplaceStrBase(QString &s, const QString &from, const QString &to)
{
    if (from.isEmpty() || !s.contains(from))
        return;
    if (to.contains(from)) {
        s.replace(from, to);
        return;
    }
    const std::vector<qsizetype> border = borderTable(from);
    QString out;
    out.reserve(s.size());
    std::vector<qsizetype> matched; // the length of `from` matched after each output character
    matched.reserve(s.size());
    QString pending; // replacement characters still to be read, last first
    qsizetype next = 0;
    while (!pending.isEmpty() || next < s.size()) {
        QChar c;
        if (pending.isEmpty()) {
            c = s[next++];
        } else {
            c = pending.back();
            pending.chop(1);
        }
        qsizetype k = matched.empty() ? 0 : matched.back();
        while (k > 0 && from[k] != c)
            k = border[k - 1];
        if (from[k] == c)
            ++k;
        out.append(c);
        matched.push_back(k);
        if (k == from.size()) {
            out.chop(k);
            matched.resize(matched.size() - k);
            for (qsizetype i = to.size() - 1; i >= 0; --i)
                pending.append(to[i]);
        }
    }
    s = out;
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
