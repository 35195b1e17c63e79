#pragma once

#include "textscan.h"

#include <QByteArray>
#include <QStringList>
#include <QStringView>

// Where the line that starts at `from` ends: at its CR or LF, or at `end`.
inline const char16_t *FindLineEnd(const char16_t *from, const char16_t *end)
{
    while ((from = FindUnitAtMost(from, end, u'\r')) < end && *from != u'\r' && *from != u'\n')
        ++from;
    return from;
}

// Where the next line starts after the line end at `lineEnd` (CR LF, LF or CR).
inline const char16_t *SkipLineEnd(const char16_t *lineEnd, const char16_t *end)
{
    if (lineEnd == end)
        return end;
    return (*lineEnd == u'\r' && lineEnd + 1 < end && lineEnd[1] == u'\n') ? lineEnd + 2
                                                                           : lineEnd + 1;
}

// Calls `visit` with each line of `text`, in order and without copying. Lines end at CR LF, a
// lone LF or a lone CR; a line end after the last line adds no empty line.
template <class Visit> void ForEachLine(QStringView text, Visit &&visit)
{
    const char16_t *const begin = text.utf16();
    const char16_t *const end = begin + text.size();
    for (const char16_t *start = begin; start < end;) {
        const char16_t *const lineEnd = FindLineEnd(start, end);
        visit(text.sliced(start - begin, lineEnd - start));
        start = SkipLineEnd(lineEnd, end);
    }
}

// The lines of a text, split as ForEachLine splits them.
QStringList SplitLines(QStringView text);
qsizetype CountLines(QStringView text);

// Decodes a text file's bytes: a byte-order mark (UTF-8, UTF-16) decides the encoding,
// otherwise UTF-8.
QString DecodeByBom(const QByteArray &bytes);

// Decodes UTF-16 little-endian, skipping a leading FF FE; an odd last byte is dropped.
QString DecodeUtf16Le(const QByteArray &bytes);

// Encodes as UTF-16 little-endian preceded by FF FE.
QByteArray EncodeUtf16LeBom(QStringView text);
