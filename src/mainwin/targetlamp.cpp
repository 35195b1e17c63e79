#include "targetlamp.h"

#include <QPainter>

TargetLamp::TargetLamp(QWidget *parent)
    : QWidget(parent)
{}

void TargetLamp::setOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    update();
}

void TargetLamp::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(m_on ? QColor(0xFF, 0x00, 0x00) : QColor(Qt::white));
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}
