#pragma once

#include <QStringView>

// The line breaks a composed text may hold: CR, LF, CR LF, and the separators a text cursor's
// selection gives (U+2028, U+2029).
inline bool IsLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

// Calls onBreak() for every line break, a CR LF pair counting as one, and onUnit(c) for every
// other code unit, in order.
template <typename OnUnit, typename OnBreak>
void WalkLines(QStringView text, OnUnit onUnit, OnBreak onBreak)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!IsLineBreak(c)) {
            onUnit(c.unicode());
            continue;
        }
        onBreak();
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
    }
}
