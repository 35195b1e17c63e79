#pragma once

#include <QString>

// More code units than any cell, label or field of the program can show at once, at the
// smallest font on the widest screen. Texts are cut to this before they are measured, fitted
// or laid out, so a field of millions of characters costs no more than a short one.
inline constexpr qsizetype kVisibleUnits = 4096;

// `text` when it has at most kVisibleUnits code units; otherwise its beginning up to the last
// character boundary within that many, followed by "…". The cut never splits a surrogate pair
// nor parts a letter from its combining marks.
QString VisiblePart(const QString &text);
