#include "positionbox.h"

#include <QListView>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QtMath>

PositionBox::PositionBox(QWidget *parent)
    : QComboBox(parent)
{
    if (auto *list = qobject_cast<QListView *>(view()))
        list->setUniformItemSizes(true);
}

// As QComboBox sizes a box of text items: the widest item, or seven "x" for none, and at
// least the minimum contents length of "X".
QSize PositionBox::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    const int textWidth = count() > 0 ? metrics.boundingRect(itemText(count() - 1)).width()
                                      : 7 * metrics.horizontalAdvance(u'x');
    return sizeForText(qMax(textWidth, minimumTextWidth()));
}

// With a minimum contents length, QComboBox's smallest size does not look at the items.
QSize PositionBox::minimumSizeHint() const
{
    return minimumContentsLength() > 0 ? sizeForText(minimumTextWidth()) : sizeHint();
}

int PositionBox::minimumTextWidth() const
{
    return minimumContentsLength() * fontMetrics().horizontalAdvance(u'X');
}

QSize PositionBox::sizeForText(int width) const
{
    const int height = qMax(qCeil(QFontMetricsF(fontMetrics()).height()), 14) + 2;
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(width, height), this);
}
