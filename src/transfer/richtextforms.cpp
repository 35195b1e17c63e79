#include "richtextforms.h"

#include "linebreaks.h"

#include <QMimeData>

namespace {

// Browsers read the HTML of the X11 clipboard in the charset the data names; without this
// line some take it for UTF-16 or Latin-1.
constexpr char16_t kHtmlHead[] = u"<meta http-equiv=\"content-type\" "
                                 u"content=\"text/html; charset=utf-8\">";

struct HtmlEntity {
    char16_t unit;
    const char16_t *text;
};

// Characters of the text that would start markup or an entity; the quotes too, so the text
// is safe wherever a receiver puts it.
constexpr HtmlEntity kHtmlEntities[] = {
    {u'&', u"&amp;"}, {u'<', u"&lt;"}, {u'>', u"&gt;"}, {u'"', u"&quot;"}, {u'\'', u"&#39;"},
};

bool isPrintableAscii(char16_t c)
{
    return c >= 0x20 && c <= 0x7E;
}

void appendRtfUnit(QByteArray &out, char16_t c)
{
    if (c == u'\\' || c == u'{' || c == u'}') {
        out += '\\';
        out += char(c);
    } else if (c == u'\t') {
        out += "\\tab ";
    } else if (isPrintableAscii(c)) {
        out += char(c);
    } else {
        // \u takes a signed 16-bit value; the "?" is what readers without Unicode show.
        out += "\\u" + QByteArray::number(qint16(c)) + '?';
    }
}

// A semicolon would end the font table entry.
QByteArray rtfFontName(const QString &family)
{
    QByteArray out;
    for (QChar c : family) {
        if (c == u';')
            out += "\\'3b";
        else
            appendRtfUnit(out, c.unicode());
    }
    return out;
}

void appendHtmlUnit(QString &out, char16_t c)
{
    for (const HtmlEntity &entity : kHtmlEntities) {
        if (entity.unit == c) {
            out += QStringView(entity.text);
            return;
        }
    }
    out += QChar(c);
}

// A CSS string in single quotes: quotes and backslashes escaped, control characters as hex
// escapes (a CSS string cannot hold a line break).
QString cssString(QStringView s)
{
    QString out(u'\'');
    for (QChar c : s) {
        if (c == u'\\' || c == u'\'')
            out += QChar(u'\\') + QString(c);
        else if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            out += QChar(u'\\') + QString::number(c.unicode(), 16) + QChar(u' ');
        else
            out += c;
    }
    return out + u'\'';
}

QString cssOf(const RichFont &font)
{
    QString css;
    if (!font.family.isEmpty())
        css += QStringLiteral("font-family:") + cssString(font.family) + QStringLiteral("; ");
    return css + QStringLiteral("font-size:%1pt; white-space:pre-wrap").arg(font.pointSize);
}

} // namespace

QByteArray RtfDocument(const QString &text, const RichFont &font)
{
    QByteArray out = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset" +
                     QByteArray::number(font.charset) + ' ' + rtfFontName(font.family) +
                     ";}}\\f0\\fs" + QByteArray::number(2 * qint64(font.pointSize)) + ' ';
    WalkLines(
        text, [&](char16_t c) { appendRtfUnit(out, c); }, [&] { out += "\\par "; });
    return out + '}';
}

QString HtmlFragment(const QString &text, const RichFont &font)
{
    QString out =
        QStringLiteral("<span style=\"") + cssOf(font).toHtmlEscaped() + QStringLiteral("\">");
    WalkLines(
        text, [&](char16_t c) { appendHtmlUnit(out, c); }, [&] { out += QStringLiteral("<br>"); });
    return out + QStringLiteral("</span>");
}

QMimeData *RichMimeData(const QString &text, const RichFont &font)
{
    auto *data = new QMimeData;
    data->setText(text);
    const QByteArray rtf = RtfDocument(text, font);
    data->setData(QStringLiteral("text/rtf"), rtf);
    data->setData(QStringLiteral("application/rtf"), rtf);
    data->setHtml(QString::fromUtf16(kHtmlHead) + HtmlFragment(text, font));
    return data;
}
