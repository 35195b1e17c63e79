#include "listpainting.h"

#include "visibletext.h"
#include "widgets/pointsizes.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int kSmallestSize = 8;
constexpr int kLargestSize = 30;
constexpr int kTextMargin = 4;
const QString kEllipsis = QStringLiteral("...");

int sampleHeight(const QFont &font, int size, const QString &sample)
{
    return QFontMetrics(SetMojiBase(font, size)).boundingRect(sample).height();
}

// The width of the first `units` code units with "..." appended.
int shortenedWidth(const QFontMetrics &metrics, const QString &text, qsizetype units)
{
    return metrics.horizontalAdvance(text.left(units) + kEllipsis);
}

} // namespace

// Heights grow with the size, so the largest fitting size is searched for by halving.
int GetBestFontSizeV(const QFont &font, double ratio, int height, const QString &wholeSample)
{
    const QString sample = VisiblePart(wholeSample);
    const int limit = int(height * ratio);
    int fitting = kSmallestSize - 1;
    int tooLarge = kLargestSize + 1;
    while (tooLarge - fitting > 1) {
        const int size = (fitting + tooLarge) / 2;
        if (sampleHeight(font, size, sample) <= limit)
            fitting = size;
        else
            tooLarge = size;
    }
    return fitting;
}

QFont SetMojiBase(const QFont &font, int size)
{
    QFont sized = font;
    sized.setPixelSize(qMax(1, PixelsOfPoints(size)));
    return sized;
}

// The widths of the shortened texts grow with their length, so the longest that fits is
// searched for by halving instead of one code unit at a time. Only the part of the text that
// could show is measured.
QString GetNewString(const QFontMetrics &metrics, const QString &whole, int margin,
                     const QRect &rect)
{
    const QString text = VisiblePart(whole);
    const int available = rect.width() - margin;
    if (metrics.horizontalAdvance(text) < available)
        return text;
    qsizetype fitting = -1;
    qsizetype tooLong = text.size();
    while (tooLong - fitting > 1) {
        const qsizetype units = (fitting + tooLong) / 2;
        if (shortenedWidth(metrics, text, units) <= available)
            fitting = units;
        else
            tooLong = units;
    }
    qsizetype units = qMax<qsizetype>(fitting, 0);
    if (units > 0 && text[units - 1].isHighSurrogate())
        --units;
    return text.left(units) + kEllipsis;
}

int TextCellWidth(const QFontMetrics &metrics, const QString &text)
{
    return metrics.horizontalAdvance(text) + kTextMargin + 1;
}

void DrawRectText(QPainter &painter, const QRect &rect, bool centre, const QString &text)
{
    painter.fillRect(rect, painter.brush());
    const QFontMetrics metrics = painter.fontMetrics();
    const QString fitted = GetNewString(metrics, text, kTextMargin, rect);
    const int width = metrics.horizontalAdvance(fitted);
    const int x = centre ? rect.left() + (rect.width() - width) / 2 : rect.left() + kTextMargin;
    const int y = rect.top() + (rect.height() - metrics.height()) / 2;
    painter.drawText(QPoint(x, y + metrics.ascent()), fitted);
}
