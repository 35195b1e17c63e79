#include "visibletext.h"

#include <QTextBoundaryFinder>

namespace {

// How far back from the bound a character boundary is looked for; a longer cluster of marks
// is cut where the bound falls, between whole code points.
constexpr qsizetype kClusterReach = 64;

// The last character boundary at or before `bound`, found in the stretch of text before it
// only, so the cost does not grow with the text.
qsizetype boundaryBefore(const QString &text, qsizetype bound)
{
    const qsizetype start = bound - kClusterReach;
    const qsizetype length = std::min(text.size() - start, 2 * kClusterReach);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.constData() + start,
                               int(length));
    finder.setPosition(int(kClusterReach));
    if (finder.isAtBoundary())
        return bound;
    const qsizetype previous = finder.toPreviousBoundary();
    if (previous > 0)
        return start + previous;
    return text[bound].isLowSurrogate() ? bound - 1 : bound;
}

} // namespace

QString VisiblePart(const QString &text)
{
    if (text.size() <= kVisibleUnits)
        return text;
    return text.left(boundaryBefore(text, kVisibleUnits)) + QChar(0x2026);
}
