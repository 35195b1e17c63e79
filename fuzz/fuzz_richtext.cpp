// The rich clipboard forms: the RTF is 7-bit with balanced groups, and the HTML is markup only
// where the writer put it, its text reading back as the text with each line break a <br>.
#include "fuzzinput.h"
#include "transfer/linebreaks.h"
#include "transfer/richtextforms.h"

#include <QStringDecoder>

namespace {

// Every byte 7-bit; braces balance, a backslash escaping the character after it.
bool isWellFormedRtf(const QByteArray &rtf)
{
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (uchar(c) > 0x7F || depth < 0)
            return false;
        if (c == '\\')
            ++i;
        else
            depth += c == '{' ? 1 : c == '}' ? -1 : 0;
    }
    return depth == 0;
}

// The text of `<span style="…">text</span>`, line breaks as LF; false when markup is
// anywhere else.
bool htmlText(const QString &html, QString &text)
{
    const QString head = QStringLiteral("<span style=\"");
    const QString tail = QStringLiteral("</span>");
    const qsizetype styleEnd = html.indexOf(u'"', head.size());
    if (!html.startsWith(head) || !html.endsWith(tail) || styleEnd < 0 ||
        html.mid(head.size(), styleEnd - head.size()).contains(u'<') ||
        html.mid(styleEnd, 2) != u"\">")
        return false;
    QString body = html.mid(styleEnd + 2, html.size() - tail.size() - styleEnd - 2);
    body.replace(QStringLiteral("<br>"), QStringLiteral("\n"));
    return !body.contains(u'<') && !body.contains(u'>') && UnescapeHtml(body, text);
}

QString withLfBreaks(const QString &text)
{
    QString out;
    WalkLines(
        text, [&](char16_t c) { out += QChar(c); }, [&] { out += u'\n'; });
    return out;
}

// Valid UTF-16 stays whole through UTF-8.
bool survivesUtf8(const QString &s)
{
    QStringDecoder decoder(QStringConverter::Utf8);
    const QString back = decoder.decode(s.toUtf8());
    return !decoder.hasError() && back == s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    RichFont font;
    font.pointSize = input.integer();
    font.charset = input.byte();
    font.family = input.text(input.byte() % 32);
    const QString text = input.rest();

    Require(isWellFormedRtf(RtfDocument(text, font)), "RTF is 7-bit with balanced braces");
    const QString html = HtmlFragment(text, font);
    QString back;
    Require(htmlText(html, back), "HTML has markup only where the writer put it");
    Require(back == withLfBreaks(text), "HTML holds the text");
    if (text.isValidUtf16() && font.family.isValidUtf16())
        Require(survivesUtf8(html), "HTML is valid UTF-8");
    return 0;
}
