#include "mainwin/tcharchart.h"

#include "core/codecs.h"
#include "core/ulib.h"
#include "input/urussian.h"
#include "ipa/ipafonts.h"
#include "widgets/accessiblenames.h"
#include "widgets/fixedcolours.h"
#include "widgets/pointsizes.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

namespace {

// The cells' margins, size and pitch for the normal and the small layout.
struct ChartGeometry {
    int left;
    int top;
    int width;
    int height;
};
constexpr ChartGeometry NormalGeometry{8, 8, 43, 38};
constexpr ChartGeometry SmallGeometry{8, 4, 38, 35};
constexpr int CellGap = 2;
// A pressed cell moves this far right and down.
constexpr QPoint PressOffset(2, 2);

const ChartGeometry &Geometry()
{
    return Usr.SmallPCFlg ? SmallGeometry : NormalGeometry;
}

// The blocks in drawing order, each as wide as seven letter columns.
struct BlockDef {
    TCharChart::Block block;
    const char16_t *namePrefix;
    int count;
    int columns;
};
constexpr BlockDef Blocks[] = {
    {TCharChart::Block::Lower, u"ImgBtn", 33, 7},
    {TCharChart::Block::Upper, u"Img2Btn", 33, 7},
    {TCharChart::Block::Symbol, u"Img3Btn", 20, 4},
};
constexpr int BlockPitchColumns = 7;

QFont SizedFont(QFont font, int pointSize)
{
    font.setPixelSize(qMax(1, PixelsOfPoints(pointSize)));
    return font;
}

// Draws `text` centred horizontally with the top of its line at `top`.
void DrawCentred(QPainter &painter, int width, int top, const QString &text)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int left = (width - metrics.horizontalAdvance(text)) / 2;
    painter.drawText(QPoint(left, top + metrics.ascent()), text);
}

// A text wider than `width` gets its font condensed to fit, instead of being clipped at both
// ends; the half-width names are wide in some Japanese fonts.
void CondenseToWidth(QPainter &painter, const QString &text, int width)
{
    const int natural = painter.fontMetrics().horizontalAdvance(text);
    if (natural <= width)
        return;
    QFont font = painter.font();
    font.setStretch(qMax(1, 100 * width / natural));
    painter.setFont(font);
}

// Fills `rect` with `fill` inside a black border of whole device pixels, at any scale: the
// border lies on the outermost device pixels the rectangle covers, and it is as wide as the
// whole device pixels in one pixel of the layout (at least one). A pen one pixel wide would
// straddle pixel edges at a fractional scale, and lose the top and left lines to the clip.
void DrawFramed(QPainter &painter, const QRect &rect, const QColor &fill)
{
    const QTransform toDevice = painter.deviceTransform();
    const QRectF area = toDevice.mapRect(QRectF(rect));
    // Device pixels are covered where their centres lie in the area, as the clip rounds them.
    const QRect pixels(QPoint(qRound(area.left()), qRound(area.top())),
                       QPoint(qRound(area.right()) - 1, qRound(area.bottom()) - 1));
    const int border = qMax(1, int(toDevice.m11()));
    painter.save();
    painter.setWorldTransform(toDevice.inverted(), true);
    painter.fillRect(pixels, Qt::black);
    painter.fillRect(pixels.adjusted(border, border, -border, -border), fill);
    painter.restore();
}

// A cell is read as its character and the name it shows or gives in its tip; an empty one has
// none.
void NameCell(QWidget &cell, const QString &text, const QString &name)
{
    const QString spoken = text.isEmpty() ? text : text + u' ' + name;
    if (cell.accessibleName() != spoken) // a cell is named again at every paint
        cell.setAccessibleName(spoken);
}

} // namespace

// One cell: paints the face DrawCharts gave it and reports presses to the chart.
class TCharChart::Cell : public QWidget {
public:
    Cell(TCharChart *chart, Block block, int index)
        : QWidget(chart)
        , m_chart(chart)
        , m_block(block)
        , m_index(index)
    {}

    Block block() const { return m_block; }
    int index() const { return m_index; }
    bool pressed() const { return m_pressed; }
    void setPressed(bool pressed) { m_pressed = pressed; }

    // What the cell shows: `glyph` in `glyphFont`, `name` in red in `nameFont`; a cell
    // without a glyph is grey.
    void setFace(const QString &glyph, const QFont &glyphFont, const QString &name,
                 const QFont &nameFont)
    {
        m_glyph = glyph;
        m_glyphFont = glyphFont;
        m_name = name;
        m_nameFont = nameFont;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        DrawFramed(painter, rect(),
                   m_glyph.isEmpty() ? palette().color(QPalette::Button) : QColor(Qt::white));
        if (!m_name.isEmpty()) {
            painter.setFont(m_nameFont);
            painter.setPen(ReadableOn(Qt::white, Qt::red));
            CondenseToWidth(painter, m_name, width() - 2);
            DrawCentred(painter, width(), height() - painter.fontMetrics().height(), m_name);
        }
        if (m_glyph.isEmpty())
            return;
        painter.setFont(m_glyphFont);
        painter.setPen(Qt::black);
        // Letters sit in the middle, symbols in the upper part above their name.
        const int room = height() - painter.fontMetrics().height();
        DrawCentred(painter, width(), m_block == Block::Symbol ? room * 3 / 10 : room / 2, m_glyph);
    }

    // Every button presses; QWidget's double click handler makes a double click a second press.
    void mousePressEvent(QMouseEvent *) override { m_chart->CellDown(*this); }
    void mouseReleaseEvent(QMouseEvent *) override { m_chart->CellUp(*this); }

private:
    TCharChart *m_chart;
    Block m_block;
    int m_index;
    bool m_pressed = false;
    QString m_glyph;
    QFont m_glyphFont;
    QString m_name;
    QFont m_nameFont;
};

QAccessibleInterface *TCharChart::cellInterface(const QString &, QObject *object)
{
    if (auto *cell = dynamic_cast<Cell *>(object))
        return new QAccessibleWidget(cell, QAccessible::Cell);
    return nullptr;
}

TCharChart::TCharChart(QWidget *parent)
    : QWidget(parent)
{
    [[maybe_unused]] static const bool cellsReadable =
        (QAccessible::installFactory(&cellInterface), true);
    setObjectName(QStringLiteral("ImgPanel"));
    setAutoFillBackground(true);
    if (parent) {
        parent->installEventFilter(this);
        setGeometry(parent->rect());
    }
    MakeCompo();
}

bool TCharChart::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

int TCharChart::basePointSize() const
{
    const QFont base = font();
    if (base.pointSize() > 0)
        return base.pointSize();
    return PointsOfPixels(base.pixelSize());
}

int TCharChart::letterPointSize() const
{
    return Usr.ChartMainFSize + basePointSize();
}

QPoint TCharChart::blockOrigin(Block block)
{
    const ChartGeometry &g = Geometry();
    const int n = int(block);
    return {(n + 1) * g.left + n * BlockPitchColumns * (g.width + CellGap), g.top};
}

QString TCharChart::cellText(Block block, int index)
{
    switch (block) {
    case Block::Lower:
        return RusLower[index];
    case Block::Upper:
        return RusUpper[index];
    case Block::Symbol:
        return RusSymSet(Sys.SymIndex)[index];
    }
    return {};
}

void TCharChart::MakeCompo()
{
    const ChartGeometry &g = Geometry();
    for (const BlockDef &def : Blocks) {
        const QPoint origin = blockOrigin(def.block);
        for (int i = 0; i < def.count; ++i) {
            auto *cell = new Cell(this, def.block, i);
            cell->setObjectName(QString::fromUtf16(def.namePrefix) + QString::number(i));
            cell->setGeometry(origin.x() + (i % def.columns) * (g.width + CellGap),
                              origin.y() + (i / def.columns) * (g.height + CellGap), g.width,
                              g.height);
            m_cells.append(cell);
        }
    }
    makeComboSym();
    DrawCharts();
}

// The selector takes the two empty places at the end of the upper-case block, with its right
// and bottom edges on those of the block's last column and row.
void TCharChart::makeComboSym()
{
    const ChartGeometry &g = Geometry();
    m_comboSym = new QComboBox(this);
    m_comboSym->setObjectName(QStringLiteral("ComboSym"));
    NameBox(m_comboSym, QStringLiteral("記号の選択欄"));
    m_comboSym->setFont(SizedFont(JapaneseFont(font().family()), basePointSize() - 1));
    for (const QString &name : RusSymNames)
        m_comboSym->addItem(name);
    m_comboSym->setCurrentIndex(
        Sys.SymIndex >= 0 && Sys.SymIndex < int(RusSymNames.size()) ? Sys.SymIndex : 0);
    const int width = 2 * g.width;
    const int height = m_comboSym->sizeHint().height();
    const QPoint origin = blockOrigin(Block::Upper);
    m_comboSym->setGeometry(origin.x() + 6 * (g.width + CellGap) + g.width - width,
                            g.top + 4 * (g.height + CellGap) + g.height - height, width, height);
    connect(m_comboSym, &QComboBox::currentIndexChanged, this, &TCharChart::ComboSymChange);
}

void TCharChart::ComboSymChange(int index)
{
    Sys.SymIndex = index >= 0 && index < int(RusSymNames.size()) ? index : 0;
    DrawCharts();
}

void TCharChart::DrawCharts()
{
    for (Cell *cell : std::as_const(m_cells))
        drawCell(*cell);
}

void TCharChart::drawCell(Cell &cell) const
{
    const QString text = cellText(cell.block(), cell.index());
    const QChar ch = text.size() == 1 ? text.front() : QChar();
    QString japaneseName, ipaName;
    GetRusCharInfo(ch, japaneseName, ipaName);
    NameCell(cell, text, cell.block() == Block::Upper ? ipaName : japaneseName);
    const QFont glyphFont = SizedFont(QFont(RussianFontFamily(Usr.UsrMainFont)), letterPointSize());
    switch (cell.block()) {
    case Block::Lower:
        cell.setToolTip(japaneseName);
        cell.setFace(text, glyphFont, {}, {});
        return;
    case Block::Upper:
        cell.setToolTip(ipaName);
        cell.setFace(text, glyphFont, {}, {});
        return;
    case Block::Symbol:
        cell.setToolTip(QStringLiteral("0x") + HexCode4(ch.unicode()));
        // A combining mark alone would join whatever is drawn before it.
        cell.setFace(text.isEmpty() ? text : IpaCaption(text), glyphFont, japaneseName,
                     SizedFont(JapaneseFont(QStringLiteral("Yu Gothic UI")), basePointSize() - 3));
        return;
    }
}

// A press types the cell's character as the set stands now and pushes the cell in; a second
// button held at the same time types again without pushing it further.
void TCharChart::CellDown(Cell &cell)
{
    Q_EMIT charPressed(cellText(cell.block(), cell.index()));
    if (cell.pressed())
        return;
    cell.setPressed(true);
    cell.move(cell.pos() + PressOffset);
}

void TCharChart::CellUp(Cell &cell)
{
    if (!cell.pressed())
        return;
    cell.setPressed(false);
    cell.move(cell.pos() - PressOffset);
}
