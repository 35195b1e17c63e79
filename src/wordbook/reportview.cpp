#include "reportview.h"

#include "visibletext.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// Gives every row the view's fixed height, and measures and draws only what could show of a
// cell's text.
class FixedRowDelegate : public QStyledItemDelegate {
public:
    FixedRowDelegate(int rowHeight, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_rowHeight(rowHeight)
    {}

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), m_rowHeight};
    }

    QString displayText(const QVariant &value, const QLocale &locale) const override
    {
        return QStyledItemDelegate::displayText(VisiblePart(value.toString()), locale);
    }

    // The view marks the current row itself.
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem unfocused = option;
        unfocused.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, unfocused, index);
    }

private:
    int m_rowHeight;
};

} // namespace

ReportView::ReportView(int rowHeight, bool gridLines, QWidget *parent)
    : QTreeView(parent)
    , m_rowHeight(rowHeight)
    , m_gridLines(gridLines)
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // The style's focus frame would tint the current row over the rows' own colour; the view
    // draws a dotted outline instead.
    setAllColumnsShowFocus(false);
    setItemDelegate(new FixedRowDelegate(rowHeight, this));
    header()->setStretchLastSection(false);
    // Columns keep any saved width, down to none at all.
    header()->setMinimumSectionSize(0);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(true);
    keepSelectionColoursWithoutFocus();
}

void ReportView::keepSelectionColoursWithoutFocus()
{
    QPalette p = palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        p.setBrush(QPalette::Inactive, role, p.brush(QPalette::Active, role));
    setPalette(p);
}

void ReportView::setPaletteColour(QPalette::ColorRole role, const QColor &colour)
{
    QPalette p = palette();
    p.setColor(role, colour);
    setPalette(p);
}

void ReportView::setBackground(const QColor &colour)
{
    setPaletteColour(QPalette::Base, colour);
}

void ReportView::setTextColour(const QColor &colour)
{
    setPaletteColour(QPalette::Text, colour);
}

void ReportView::selectRow(int row)
{
    if (!model())
        return;
    const QModelIndex index = model()->index(row, 0);
    if (!index.isValid()) {
        clearSelection();
        return;
    }
    setCurrentIndex(index);
    selectionModel()->select(index,
                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int ReportView::selectedRow() const
{
    if (!selectionModel())
        return -1;
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ReportView::drawRow(QPainter *painter, const QStyleOptionViewItem &option,
                         const QModelIndex &index) const
{
    QTreeView::drawRow(painter, option, index);
    drawCurrentRowOutline(painter, option, index);
    if (!m_gridLines)
        return;
    const auto gridHint = style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this);
    painter->save();
    painter->setPen(QColor::fromRgba(static_cast<QRgb>(gridHint)));
    const QRect row = option.rect;
    painter->drawLine(row.left(), row.bottom(), row.right(), row.bottom());
    const QHeaderView *columns = header();
    for (int section = 0; section < columns->count(); ++section) {
        if (columns->isSectionHidden(section))
            continue;
        const int right =
            columns->sectionViewportPosition(section) + columns->sectionSize(section) - 1;
        painter->drawLine(right, row.top(), right, row.bottom());
    }
    painter->restore();
}

void ReportView::drawCurrentRowOutline(QPainter *painter, const QStyleOptionViewItem &option,
                                       const QModelIndex &index) const
{
    const bool current = currentIndex().isValid() && currentIndex().row() == index.row();
    if (!current || !hasFocus() || selectionModel()->isRowSelected(index.row(), index.parent()))
        return;
    painter->save();
    painter->setPen(QPen(option.palette.color(QPalette::Highlight), 1, Qt::DotLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    painter->restore();
}
