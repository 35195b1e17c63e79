#pragma once

#include <QString>

// Small pure string functions for the line- and comma-based files and for the numeric
// character references of the transfer. All work code unit by code unit.

// Every quotation mark becomes "#$22".
QString QuoteFilter(QStringView s);
// Every "#$22" becomes a quotation mark.
QString QuoteDecoder(QStringView s);
// Every CR becomes "#$0D"; every LF is dropped.
QString CRFilter(QStringView s);
// Every line break, CR LF, a lone CR or a lone LF (as Qt's text fields give them), becomes
// "#$0D".
QString LineBreakFilter(QStringView s);
// Every "#$0D" becomes CR LF.
QString CRDecoder(QStringView s);
// Replaces every `from` by `to`, searching again from the start after each replacement, so
// an occurrence that a replacement forms with the text before it is replaced too. An empty
// `from` changes nothing. Like that search, it never ends where replacements keep forming new
// occurrences ("aab", "ab" -> "bbaa"); when `to` contains `from`, each occurrence of the text
// is replaced once instead. ReplaceStr's placeholder cannot keep forming them. Linear in the
// text and the replacements made, for a short `from`.
void ReplaceStrBase(QString &s, const QString &from, const QString &to);
// Replaces every `from` by `to`, also when `to` contains `from`, through a placeholder.
void ReplaceStr(QString &s, const QString &from, const QString &to);
// A code unit as four upper-case hexadecimal digits, e.g. "0434".
QString HexCode4(char16_t unit);
// "&#xHHHH;" (four upper-case hex digits) for every code unit outside U+0020..U+007E.
QString Conv16Uni(QStringView s);
// "&#N;" (decimal) for every code unit outside U+0020..U+007E.
QString Conv10Uni(QStringView s);
