// The practice window's answer markup: markup only where the writer put it, its text reading
// back as the expected answer whatever the expected and the typed answers hold.
#include "fuzzinput.h"
#include "practice/answerdiff.h"

namespace {

// The text of the markup with the writer's spans taken out; false when markup is anywhere
// else.
bool markupText(const QString &html, QString &text)
{
    const QString head = QStringLiteral("<span style=\"white-space:pre\">");
    const QString tail = QStringLiteral("</span>");
    if (!html.startsWith(head) || !html.endsWith(tail))
        return false;
    QString body = html.mid(head.size(), html.size() - head.size() - tail.size());
    body.remove(QStringLiteral("<span style=\"color:#FF0000\">"));
    body.remove(tail);
    return !body.contains(u'<') && !body.contains(u'>') && UnescapeHtml(body, text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString expected = input.text(input.byte());
    const QString typed = input.rest();
    QString back;
    Require(markupText(AnswerMarkup(expected, typed, u"#C00000"), back),
            "markup only where the writer put it");
    Require(back == expected, "markup holds the expected answer");
    return 0;
}
