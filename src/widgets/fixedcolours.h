#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

// Colours that stay readable whatever palette the desktop gives: where the program fixes a
// background, it fixes the text colour that goes with it.

// The contrast ratio of two colours as WCAG 2 defines it, from 1 to 21.
double ContrastRatio(const QColor &a, const QColor &b);

// The text colour for `background`: `preferred` while it keeps at least 4.5:1, else black or
// white, whichever contrasts more.
QColor TextColourOn(const QColor &background, const QColor &preferred = Qt::black);

// A coloured text (a red caption, a warning) on `background`: `colour` if it keeps 4.5:1, else
// the same hue made darker or lighter until it does.
QColor ReadableOn(const QColor &background, const QColor &colour);

// `background` moved away from `text` until small text in `text` keeps 7:1 on it, the margin
// its antialiased strokes need to stay at 4.5:1.
QColor BackgroundForSmallText(const QColor &background, const QColor &text);

// Gives `widget` the background `colour` in `role` (Base, Window or Button) and the text
// colour that goes with it in the matching text role.
void SetFixedBackground(QWidget *widget, QPalette::ColorRole role, const QColor &colour);
