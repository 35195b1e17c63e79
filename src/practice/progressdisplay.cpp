#include "progressdisplay.h"

#include "practicequiz.h"

#include <QPainter>

namespace {

QColor colourOf(Rgb rgb)
{
    return QColor::fromRgb(rgb);
}

} // namespace

ProgressDisplay::ProgressDisplay(QWidget *parent)
    : QWidget(parent)
{
    setAccessibleName(QStringLiteral("進行状況"));
    QFont labelFont(QStringLiteral("Segoe UI"));
    labelFont.setBold(true);
    setFont(labelFont);
}

void ProgressDisplay::DrawProgress(int shown, bool enough)
{
    m_shown = shown;
    m_enough = enough;
    m_bars = ProgressBarsOf(rect(), shown, enough);
    setAccessibleDescription(
        QStringLiteral("%1 / %2").arg(shown).arg(PracticeQuiz::kQuestionsPerGame));
    update();
}

QString ProgressDisplay::middleLabel() const
{
    return m_shown == 0 || m_shown == PracticeQuiz::kQuestionsPerGame ? QString()
                                                                      : QString::number(m_shown);
}

void ProgressDisplay::resizeEvent(QResizeEvent *)
{
    m_bars = ProgressBarsOf(rect(), m_shown, m_enough);
}

void ProgressDisplay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.fillRect(m_bars.track, colourOf(m_bars.trackColour));
    painter.fillRect(m_bars.fill, colourOf(m_bars.fillColour));
    painter.setPen(colourOf(0xFFFF00));
    drawLabel(painter, QStringLiteral("0"), m_bars.track.left());
    drawLabel(painter, QString::number(PracticeQuiz::kQuestionsPerGame),
              m_bars.track.left() + m_bars.track.width());
    if (!middleLabel().isEmpty())
        drawLabel(painter, middleLabel(), m_bars.fill.left() + m_bars.fill.width());
}

// Centred over x, standing on the bar.
void ProgressDisplay::drawLabel(QPainter &painter, const QString &text, int centreX)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int width = metrics.horizontalAdvance(text);
    const QRect box(centreX - width / 2, m_bars.track.top() - metrics.height(), width,
                    metrics.height());
    painter.drawText(box, Qt::AlignCenter, text);
}
