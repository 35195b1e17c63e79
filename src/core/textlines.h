#pragma once

#include "textscan.h"

#include <QByteArray>
#include <QStringList>
#include <QStringView>

// Calls `visit` with each line of `text`, in order and without copying. Lines end at CR LF, a
// lone LF or a lone CR; a line end after the last line adds no empty line.
template <class Visit> void ForEachLine(QStringView text, Visit &&visit)
{
    const char16_t *const begin = text.utf16();
    const char16_t *const end = begin + text.size();
    const char16_t *start = begin;
    const char16_t *pos = begin;
    while ((pos = FindUnitAtMost(pos, end, u'\r')) < end) {
        const char16_t c = *pos;
        if (c != u'\r' && c != u'\n') {
            ++pos;
            continue;
        }
        visit(text.sliced(start - begin, pos - start));
        pos += (c == u'\r' && pos + 1 < end && pos[1] == u'\n') ? 2 : 1;
        start = pos;
    }
    if (start < end)
        visit(text.sliced(start - begin));
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
