#pragma once

#include <QTreeView>

// A report-style list view: one level of rows of a fixed height, read only, whole-row single
// selection that stays visible while the view has no focus, columns neither stretched nor
// movable, and optional grid lines between cells.
class ReportView : public QTreeView {
    Q_OBJECT

public:
    ReportView(int rowHeight, bool gridLines, QWidget *parent);

    int rowHeight() const { return m_rowHeight; }
    bool gridLines() const { return m_gridLines; }

    // The colour of the empty view and of its rows' background.
    void setBackground(const QColor &colour);
    // The colour of the rows' text.
    void setTextColour(const QColor &colour);

    // Selects one whole row, or nothing for an invalid row.
    void selectRow(int row);
    // The selected row, -1 for none.
    int selectedRow() const;

protected:
    void drawRow(QPainter *painter, const QStyleOptionViewItem &option,
                 const QModelIndex &index) const override;

private:
    void keepSelectionColoursWithoutFocus();
    void drawCurrentRowOutline(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const;
    void setPaletteColour(QPalette::ColorRole role, const QColor &colour);

    int m_rowHeight;
    bool m_gridLines;
};
