#pragma once

#include <QByteArray>
#include <QStringList>

// Splits a text into lines at CR LF, a lone LF or a lone CR. A line end after the last line
// adds no empty line.
QStringList SplitLines(QStringView text);

// Decodes a text file's bytes: a byte-order mark (UTF-8, UTF-16) decides the encoding,
// otherwise UTF-8.
QString DecodeByBom(const QByteArray &bytes);

// Decodes UTF-16 little-endian, skipping a leading FF FE; an odd last byte is dropped.
QString DecodeUtf16Le(const QByteArray &bytes);

// Encodes as UTF-16 little-endian preceded by FF FE.
QByteArray EncodeUtf16LeBom(QStringView text);
