#pragma once

#include <QFont>
#include <QString>

class QFontMetrics;
class QPainter;
class QRect;

// The drawing steps of the word list's rows.

// The largest point size from 8 to 30 at which `sample`, drawn in `font`, is at most
// Trunc(height × ratio) pixels high; 7 when even size 8 is higher, 30 when every size fits.
// Only what could show of `sample` is measured (see VisiblePart).
int GetBestFontSizeV(const QFont &font, double ratio, int height, const QString &sample);

// `font` at a point size (see widgets/pointsizes.h).
QFont SetMojiBase(const QFont &font, int size);

// `text` when it is narrower than the rectangle less `margin`; otherwise its longest beginning,
// shorter than the text, that fits with "..." appended, or "..." alone. A character of two
// code units is never cut in half. Only what could show of the text is measured, so a field
// of millions of characters is fitted as fast as a short one.
QString GetNewString(const QFontMetrics &metrics, const QString &text, int margin,
                     const QRect &rect);

// The narrowest cell in which DrawRectText draws `text` whole.
int TextCellWidth(const QFontMetrics &metrics, const QString &text);

// Fills `rect` with the painter's brush and draws the fitted text in the painter's pen colour:
// centred, or 4 pixels from the left edge; vertically centred.
void DrawRectText(QPainter &painter, const QRect &rect, bool centre, const QString &text);
