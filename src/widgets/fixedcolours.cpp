#include "fixedcolours.h"

#include <QHash>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kReadableContrast = 4.5;

double channel(double value)
{
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &colour)
{
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

QPalette::ColorRole textRoleOf(QPalette::ColorRole background)
{
    switch (background) {
    case QPalette::Window:
        return QPalette::WindowText;
    case QPalette::Button:
        return QPalette::ButtonText;
    default:
        return QPalette::Text;
    }
}

} // namespace

double ContrastRatio(const QColor &a, const QColor &b)
{
    const double first = luminance(a);
    const double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor TextColourOn(const QColor &background, const QColor &preferred)
{
    if (ContrastRatio(background, preferred) >= kReadableContrast)
        return preferred;
    const QColor black(Qt::black), white(Qt::white);
    return ContrastRatio(background, black) >= ContrastRatio(background, white) ? black : white;
}

namespace {

QColor readableOnUncached(const QColor &background, const QColor &colour)
{
    const bool darken =
        ContrastRatio(background, Qt::black) >= ContrastRatio(background, Qt::white);
    QColor readable = colour;
    for (int step = 0; step < 12 && ContrastRatio(background, readable) < kReadableContrast; ++step)
        readable = darken ? readable.darker(115) : readable.lighter(115);
    if (ContrastRatio(background, readable) < kReadableContrast)
        return TextColourOn(background);
    return readable;
}

} // namespace

// Keys ask this at every paint, with a handful of colour pairs; each answer is kept. The pair
// is taken as RGB at full precision, which is what the contrast is reckoned from.
QColor ReadableOn(const QColor &background, const QColor &colour)
{
    constexpr qsizetype kMaxPairs = 1024;
    static QHash<std::pair<quint64, quint64>, QColor> known;
    const QColor rgbBackground = background.toRgb();
    const QColor rgbColour = colour.toRgb();
    const std::pair key(quint64(rgbBackground.rgba64()), quint64(rgbColour.rgba64()));
    const auto found = known.constFind(key);
    if (found != known.cend())
        return *found;
    if (known.size() >= kMaxPairs)
        known.clear();
    return *known.insert(key, readableOnUncached(rgbBackground, rgbColour));
}

QColor BackgroundForSmallText(const QColor &background, const QColor &text)
{
    const bool lightText = ContrastRatio(text, Qt::black) > ContrastRatio(text, Qt::white);
    QColor moved = background;
    for (int step = 0; step < 12 && ContrastRatio(moved, text) < 7; ++step)
        moved = lightText ? moved.darker(110) : moved.lighter(110);
    return moved;
}

void SetFixedBackground(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    palette.setColor(textRoleOf(role), TextColourOn(colour));
    widget->setPalette(palette);
}
