#pragma once

#include <QList>
#include <QPoint>
#include <QWidget>

class QAccessibleInterface;
class QComboBox;

// The character chart, `ImgPanel`: the 33 lower-case and 33 upper-case Russian letters and one
// of five symbol sets as cells that type their character when pressed, and the symbol set
// selector `ComboSym`. It fills its parent page and follows the page's size. The symbol set is
// the process-wide Sys.SymIndex, so a chart built again shows the set chosen before, and the
// selector shows it too.
//
// Sizes in points are those of a 96 dots-per-inch screen, the screen the fixed pixel geometry
// of the cells is laid out for; fonts are set in pixels, so glyphs keep their size in the cells
// whatever the screen's resolution.
class TCharChart : public QWidget {
    Q_OBJECT

public:
    // The chart's three blocks, in drawing order.
    enum class Block { Lower, Upper, Symbol };

    explicit TCharChart(QWidget *parent = nullptr);

    // Repaints every cell with the current fonts and symbol set, without moving them.
    void DrawCharts();

    // P: the base font's size in points, from the font the chart inherits (the main window's
    // base font); a font given in pixels is read at 96 dots per inch.
    int basePointSize() const;
    // The size of letters and symbols: ChartMainFSize + P.
    int letterPointSize() const;

    // The origin of a block's first cell.
    static QPoint blockOrigin(Block block);

    // The character a cell types now: a letter, or the entry of the current symbol set.
    static QString cellText(Block block, int index);

Q_SIGNALS:
    // A cell was pressed; `text` is its character, empty for an empty symbol cell.
    void charPressed(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void MakeCompo();
    void makeComboSym();
    void ComboSymChange(int index);
    class Cell;
    // Screen readers read a cell as a cell of the chart, named by its character and its name.
    static QAccessibleInterface *cellInterface(const QString &className, QObject *object);
    void drawCell(Cell &cell) const;
    void CellDown(Cell &cell);
    void CellUp(Cell &cell);

    QList<Cell *> m_cells;
    QComboBox *m_comboSym = nullptr;
};
