#include "input/tkeybutton.h"
#include "widgets/fixedcolours.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

namespace {

constexpr int kMinFontSize = 8;
constexpr int kMaxFontSize = 200;
// The raised edge of the key frame; the fill starts inside it.
constexpr int kFrameWidth = 2;
// The main caption keeps this much room from the fill's edge.
constexpr int kCaptionMargin = 4;
// The sub-caption sits at this percentage of the width and height from the top left corner.
constexpr int kSubCapPosPer = 8;
// Without automatic sizing the sub-caption is this much smaller than the key's font.
constexpr int kSubCapShrink = 3;

// Draws a 1-pixel outline along the inside of `rect` and returns what is left within it.
QRect drawOutline(QPainter &painter, QRect rect, const QColor &color)
{
    painter.save();
    painter.setPen(color);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.restore();
    return rect.adjusted(1, 1, -1, -1);
}

// A width no caption reaches: a caption is one line.
constexpr qreal kUnboundedWidth = 1e6;

// Lays `text` out in `layout` as one line and returns the line (invalid for an empty text).
QTextLine layOutLine(QTextLayout &layout, const QString &text, const QFont &font,
                     Qt::LayoutDirection direction)
{
    QTextOption option;
    option.setTextDirection(direction);
    layout.setFont(font);
    layout.setText(text);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setLineWidth(kUnboundedWidth);
    layout.endLayout();
    return line;
}

void drawAt(QPainter &painter, QPoint topLeft, const QTextLayout &layout, qreal layoutTop)
{
    layout.draw(&painter, QPointF(topLeft.x(), topLeft.y() + layoutTop));
}

// The palette the style draws a raised panel with: `base` with `fill` as its button colour.
// The style caches a drawn panel under the palette's cache key, so each fill keeps one palette
// for all keys and paints; a palette built per paint would never meet its cached panel.
const QPalette &panelPalette(const QPalette &base, const QColor &fill)
{
    // Palettes of earlier themes or colour settings are dropped now and then.
    constexpr qsizetype kMaxPalettes = 256;
    static QHash<std::pair<qint64, QRgb>, QPalette> palettes;
    const std::pair key(base.cacheKey(), fill.rgba());
    const auto found = palettes.constFind(key);
    if (found != palettes.cend())
        return *found;
    if (palettes.size() >= kMaxPalettes)
        palettes.clear();
    QPalette palette = base;
    palette.setColor(QPalette::Button, fill);
    return *palettes.insert(key, palette);
}

} // namespace

TKeyButton::TKeyButton(QWidget *parent)
    : QPushButton(parent)
    , m_backColor(palette().color(QPalette::Button))
{}

void TKeyButton::setBackColor(const QColor &color)
{
    setColor(m_backColor, color);
}

void TKeyButton::setHoverColor(const QColor &color)
{
    setColor(m_hoverColor, color);
}

void TKeyButton::setSeleColor(const QColor &color)
{
    setColor(m_seleColor, color);
}

void TKeyButton::setForeColor1(const QColor &color)
{
    setColor(m_foreColor1, color);
}

void TKeyButton::setForeColor2(const QColor &color)
{
    setColor(m_foreColor2, color);
}

void TKeyButton::setSubCap(const QString &text)
{
    if (m_subCap == text)
        return;
    m_subCap = text;
    update();
}

void TKeyButton::nameByCaptions(const QString &detail)
{
    QStringList parts{text(), m_subCap, detail};
    parts.removeAll(QString());
    const QString name = parts.join(u' ');
    if (accessibleName() != name)
        setAccessibleName(name);
}

void TKeyButton::setMainFPer(int percent)
{
    setPercent(m_mainFPer, percent);
}

void TKeyButton::setSubFPer(int percent)
{
    setPercent(m_subFPer, percent);
}

void TKeyButton::setXPosPer(int percent)
{
    setPercent(m_xPosPer, percent);
}

void TKeyButton::setYPosPer(int percent)
{
    setPercent(m_yPosPer, percent);
}

void TKeyButton::setAutoFSized(bool on)
{
    if (m_autoFSized == on)
        return;
    m_autoFSized = on;
    update();
}

void TKeyButton::setColor(QColor &member, const QColor &color)
{
    if (member == color)
        return;
    member = color;
    update();
}

void TKeyButton::setPercent(int &member, int percent)
{
    if (member == percent)
        return;
    member = percent;
    update();
}

// The sample's height is its bounding rectangle as Qt lays it out; with FreeType fonts that
// is the whole line (ascent + descent), so a caption with a descender fits as well as "M".
// Each size tried loads a font, so the search aims at the answer: heights grow about in
// proportion to the size, and they never shrink as it grows. Every key of a pad asks the same
// question, so the answers are kept for the run.
int TKeyButton::GetBestFontSize(const QString &sample, int percent, int height) const
{
    static QHash<QString, int> known;
    const int budget = percent * height / 100;
    const QString key = font().key() + u'\x1f' + sample + u'\x1f' + QString::number(budget);
    const auto found = known.constFind(key);
    if (found != known.cend())
        return *found;
    // `fitting` fits (or is one below the smallest size), `tooLarge` does not.
    int fitting = kMinFontSize - 1;
    int tooLarge = kMaxFontSize + 1;
    int guess = budget;
    while (tooLarge - fitting > 1) {
        const int size = std::clamp(guess, fitting + 1, tooLarge - 1);
        const int sampleHeight = QFontMetrics(sizedFont(size)).boundingRect(sample).height();
        if (sampleHeight <= budget)
            fitting = size;
        else
            tooLarge = size;
        guess = size * budget / qMax(1, sampleHeight);
    }
    return known[key] = fitting;
}

void TKeyButton::invalidateFontSizes()
{
    m_mainFSize = -1;
    m_subFSize = -1;
    m_mainCaption.pixelSize = -1;
    m_subCaption.pixelSize = -1;
    update();
}

// On a parent that fills itself with one colour, the key paints that colour under its frame
// itself and is painted opaque: a press, a release or a new caption then repaints the key
// alone, not the parent behind it as well.
void TKeyButton::paintEvent(QPaintEvent *)
{
    const QBrush behind = parentFill();
    const bool opaque = behind.style() != Qt::NoBrush;
    if (opaque != testAttribute(Qt::WA_OpaquePaintEvent)) {
        setAttribute(Qt::WA_OpaquePaintEvent, opaque);
        // The parent was not painted under this pass; the next one paints it.
        if (!opaque)
            update();
    }
    QPainter painter(this);
    if (opaque)
        painter.fillRect(rect(), behind);
    QStyleOptionButton option;
    initStyleOption(&option);
    DrawButton(painter, option);
}

QBrush TKeyButton::parentFill() const
{
    const QWidget *parent = parentWidget();
    if (!parent || !parent->autoFillBackground())
        return Qt::NoBrush;
    const QBrush &brush = parent->palette().brush(parent->backgroundRole());
    if (brush.style() != Qt::SolidPattern || !brush.isOpaque())
        return Qt::NoBrush;
    return brush;
}

void TKeyButton::changeEvent(QEvent *event)
{
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::LayoutDirectionChange)
        invalidateFontSizes();
}

void TKeyButton::enterEvent(QEnterEvent *event)
{
    m_showBackColor = false;
    update();
    QPushButton::enterEvent(event);
}

void TKeyButton::leaveEvent(QEvent *event)
{
    m_showBackColor = true;
    update();
    QPushButton::leaveEvent(event);
}

// A key is clicked as fast as the user types: the second press of a quick pair is a press of
// its own, so it ends in a click of its own.
void TKeyButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

void TKeyButton::DrawButton(QPainter &painter, const QStyleOptionButton &option)
{
    const bool pressed = option.state & QStyle::State_Sunken;
    const bool enabled = option.state & QStyle::State_Enabled;
    const bool hasFocus = option.state & QStyle::State_HasFocus;
    const bool isFocused = option.features & QStyleOptionButton::DefaultButton;
    QRect rect = option.rect;
    const auto [mainSize, subSize] = fontSizes(rect.height());

    if (isFocused || hasFocus)
        rect = drawOutline(painter, rect, option.palette.color(QPalette::WindowText));
    rect = drawFrame(painter, rect, option);
    if (pressed)
        rect.translate(1, 1);
    const QColor fill = fillColor(pressed);
    painter.fillRect(rect, fill);

    if (!enabled)
        drawDisabledCaption(painter, rect, mainSize);
    else
        rect = drawCaption(painter, rect, mainSize, fill);
    drawSubCaption(painter, rect, subSize, fill);

    if (isFocused && hasFocus)
        drawFocusMark(painter, option.rect);
}

// The pixel sizes of the main caption and the sub-caption. Fitted sizes are cached until the
// height or the font changes or a host asks for a new fit; only the sizes not yet known are
// fitted.
std::pair<int, int> TKeyButton::fontSizes(int height)
{
    if (height != m_oldHeight) {
        m_mainFSize = -1;
        m_subFSize = -1;
        m_oldHeight = height;
    }
    if (!m_autoFSized) {
        const int size = QFontInfo(font()).pixelSize();
        return {size, size - kSubCapShrink};
    }
    if (m_mainFSize == -1)
        m_mainFSize = GetBestFontSize(QStringLiteral("M"), m_mainFPer, height);
    if (m_subFSize == -1)
        m_subFSize = GetBestFontSize(QStringLiteral("8"), m_subFPer, height);
    return {m_mainFSize, m_subFSize};
}

QFont TKeyButton::sizedFont(int pixelSize) const
{
    QFont sized = font();
    sized.setPixelSize(qMax(1, pixelSize));
    return sized;
}

// A pressed key has a flat shadow-coloured outline; otherwise the style draws a raised button
// panel in the key's fill colour. Returns the inside of the frame.
QRect TKeyButton::drawFrame(QPainter &painter, QRect rect, const QStyleOptionButton &option) const
{
    if (option.state & QStyle::State_Sunken)
        return drawOutline(painter, rect, option.palette.color(QPalette::Dark));
    QStyleOptionButton panel;
    panel.rect = rect;
    panel.palette = panelPalette(option.palette, fillColor(false));
    panel.state = QStyle::State_Raised | (option.state & QStyle::State_Enabled);
    style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &panel, &painter, this);
    return rect.adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth);
}

QColor TKeyButton::fillColor(bool pressed) const
{
    if (pressed)
        return m_seleColor;
    return m_showBackColor ? m_backColor : m_hoverColor;
}

// The caption is measured as the key's font at that size measures it, and drawn with the top
// of its line where the metrics' ascent puts it, as QPainter::drawText would.
const TKeyButton::Caption &TKeyButton::laidOut(Caption &caption, const QString &text,
                                               int pixelSize) const
{
    if (caption.pixelSize == pixelSize && caption.text == text)
        return caption;
    const QFont font = sizedFont(pixelSize);
    const QFontMetrics metrics(font);
    const QTextLine line = layOutLine(caption.layout, text, font, layoutDirection());
    caption.text = text;
    caption.pixelSize = pixelSize;
    caption.height = metrics.height();
    // Rounded, the line's advance is QFontMetrics::horizontalAdvance, without a second shaping.
    caption.advance = line.isValid() ? qRound(line.horizontalAdvance()) : 0;
    caption.layoutTop = line.isValid() ? metrics.ascent() - line.ascent() : 0;
    return caption;
}

// A disabled caption is placed in the free room of the fill, counted from the key's top left
// corner, and drawn engraved: a light copy one pixel down and right under the grey text.
void TKeyButton::drawDisabledCaption(QPainter &painter, QRect rect, int pixelSize) const
{
    if (text().isEmpty())
        return;
    const Caption &caption = laidOut(m_mainCaption, text(), pixelSize);
    const QPoint at((rect.width() - caption.advance) * m_xPosPer / 100,
                    (rect.height() - caption.height) * m_yPosPer / 100);
    painter.setPen(palette().color(QPalette::Light));
    drawAt(painter, at + QPoint(1, 1), caption.layout, caption.layoutTop);
    painter.setPen(palette().color(QPalette::Disabled, QPalette::ButtonText));
    drawAt(painter, at, caption.layout, caption.layoutTop);
}

// Places the caption at XPosPer and YPosPer of the free room inside the fill less a margin,
// and returns that inner rectangle.
QRect TKeyButton::drawCaption(QPainter &painter, QRect rect, int pixelSize,
                              const QColor &fill) const
{
    rect.adjust(kCaptionMargin, kCaptionMargin, -kCaptionMargin, -kCaptionMargin);
    const Caption &caption = laidOut(m_mainCaption, text(), pixelSize);
    const QPoint at(rect.left() + (rect.width() - caption.advance) * m_xPosPer / 100,
                    rect.top() + (rect.height() - caption.height) * m_yPosPer / 100);
    painter.setPen(ReadableOn(fill, m_foreColor1));
    drawAt(painter, at, caption.layout, caption.layoutTop);
    return rect;
}

void TKeyButton::drawSubCaption(QPainter &painter, QRect rect, int pixelSize,
                                const QColor &fill) const
{
    if (m_subCap.isEmpty())
        return;
    const Caption &caption = laidOut(m_subCaption, m_subCap, pixelSize);
    painter.setPen(ReadableOn(fill, m_foreColor2));
    drawAt(painter, QPoint(rect.width() * kSubCapPosPer / 100, rect.height() * kSubCapPosPer / 100),
           caption.layout, caption.layoutTop);
}

void TKeyButton::drawFocusMark(QPainter &painter, QRect rect) const
{
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect.adjusted(kCaptionMargin, kCaptionMargin, -kCaptionMargin, -kCaptionMargin);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}
