// The small text codecs: each filter and its decoder undo each other, the numeric character
// references are printable ASCII naming the same code units, and ReplaceStr ends and replaces
// as QString::replace does.
#include "core/codecs.h"
#include "fuzzinput.h"

namespace {

bool isPrintableAscii(QStringView s)
{
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u' ' && c <= u'~'; });
}

// Reads "&#xHHHH;" and "&#N;" back into code units; anything else is copied.
QString decodeReferences(QStringView s)
{
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const qsizetype end = s.mid(i).startsWith(u"&#") ? s.indexOf(u';', i) : -1;
        if (end < 0) {
            out += s[i];
            continue;
        }
        const bool hex = s.mid(i + 2).startsWith(u'x');
        const QStringView digits = s.mid(i + (hex ? 3 : 2), end - i - (hex ? 3 : 2));
        out += QChar(char16_t(digits.toUInt(nullptr, hex ? 16 : 10)));
        i = end;
    }
    return out;
}

void checkQuoteCodec(const QString &s)
{
    Require(!QuoteFilter(s).contains(u'"'), "QuoteFilter leaves no quotation mark");
    if (!s.contains(u"#$22"))
        Require(QuoteDecoder(QuoteFilter(s)) == s, "QuoteDecoder undoes QuoteFilter");
}

void checkCrCodec(const QString &s)
{
    const QString filtered = CRFilter(s);
    Require(!filtered.contains(u'\r') && !filtered.contains(u'\n'), "CRFilter leaves no breaks");
    if (!s.contains(u"#$0D")) {
        const QString expected =
            QString(s).remove(u'\n').replace(QChar(u'\r'), QStringLiteral("\r\n"));
        Require(CRDecoder(filtered) == expected, "CRDecoder gives CR LF for every CR");
    }
}

void checkReferences(const QString &s)
{
    for (const QString &converted : {Conv10Uni(s), Conv16Uni(s)}) {
        Require(isPrintableAscii(converted), "references are printable ASCII");
        if (!s.contains(u'&'))
            Require(decodeReferences(converted) == s, "references name the code units");
    }
}

// The placeholder ReplaceStr goes through is upper-case ASCII letters; texts without them
// must be replaced as QString::replace does (left to right, no overlaps).
void checkReplaceStr(FuzzInput &input)
{
    const QString from = input.text(input.byte() % 5);
    const QString to = input.text(input.byte() % 5);
    const QString text = input.text(64);
    QString replaced = text;
    ReplaceStr(replaced, from, to); // a run that never ends fails on libFuzzer's -timeout
    const auto hasUpper = [](const QString &s) {
        return std::any_of(s.begin(), s.end(), [](QChar c) { return c >= u'A' && c <= u'Z'; });
    };
    if (!from.isEmpty() && !hasUpper(text) && !hasUpper(from) && !hasUpper(to))
        Require(replaced == QString(text).replace(from, to), "ReplaceStr replaces every from");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The whole input is the text of the codecs; read again in pieces, it is the from, to and
    // text of ReplaceStr.
    const QString s = FuzzInput(data, size).rest();
    checkQuoteCodec(s);
    checkCrCodec(s);
    checkReferences(s);
    FuzzInput pieces(data, size);
    checkReplaceStr(pieces);
    return 0;
}
