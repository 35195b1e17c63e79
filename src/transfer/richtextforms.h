#pragma once

#include <QByteArray>
#include <QString>

class QMimeData;

// The font a rich transfer carries for the whole text: the family name, the size in points and
// the character set (204 Cyrillic, 128 Shift-JIS, 0 default).
struct RichFont {
    QString family;
    int pointSize = 0;
    int charset = 0;
};

// An RTF document holding `text` in `font`: one font table entry with \fcharset, \fs in
// half-points, every code unit outside printable ASCII as \uN? (a surrogate pair as two),
// backslash and braces escaped, line breaks (CR LF, LF, CR, U+2028, U+2029) as \par.
QByteArray RtfDocument(const QString &text, const RichFont &font);

// One HTML element holding `text` in `font` (font-family, font-size in pt), the text escaped,
// line breaks as <br>, runs of spaces kept.
QString HtmlFragment(const QString &text, const RichFont &font);

// The rich clipboard form of `text`: text/plain (UTF-8), text/rtf and application/rtf (the same
// bytes) and text/html. Word processors take the RTF, browsers and mail programs the HTML.
QMimeData *RichMimeData(const QString &text, const RichFont &font);
