#include "core/settingstable.h"
#include "core/ulib.h"
#include "mainwin/tcharchart.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

class TestCharChart : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cells_data();
    void cells();
    void cellFill_data();
    void cellFill();
    void letterSize_data();
    void letterSize();
    void geometry_data();
    void geometry();
    void bordersAreEven_data();
    void bordersAreEven();
    void pressPushesTheCellIn();
    void setSurvivesRebuilding();
    void fillsThePage();

private:
    void build();
    QWidget *cell(const QString &name) const;
    QComboBox *comboSym() const;

    std::unique_ptr<QWidget> m_page;
    TCharChart *m_chart = nullptr;
};

namespace {

// The main window's base font, which the chart inherits.
QFont BaseFont()
{
    QFont font(u"Yu Gothic UI"_qs);
    font.setPixelSize(15);
    return font;
}

// Steps from `from`, a pixel of the gap beside a cell, into the cell: the number of black
// pixels between the gap and the cell's inside.
int BorderWidth(const QImage &image, QPoint from, QPoint step)
{
    QPoint at = from;
    while (image.valid(at) && image.pixelColor(at) == Qt::blue)
        at += step;
    int width = 0;
    for (; image.valid(at) && image.pixelColor(at) == Qt::black; at += step)
        ++width;
    return width;
}

} // namespace

void TestCharChart::init()
{
    InitUsrVars(false, 0xFFFFE1);
    InitSysVars();
    build();
}

void TestCharChart::build()
{
    m_page = std::make_unique<QWidget>();
    m_page->setFont(BaseFont());
    m_page->resize(844, 230);
    m_chart = new TCharChart(m_page.get());
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
}

QWidget *TestCharChart::cell(const QString &name) const
{
    return m_chart->findChild<QWidget *>(name);
}

QComboBox *TestCharChart::comboSym() const
{
    return m_chart->findChild<QComboBox *>(u"ComboSym"_qs);
}

void TestCharChart::cells_data()
{
    QTest::addColumn<int>("symIndex");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("toolTip");

    QTest::newRow("lower ё") << 0 << u"ImgBtn6"_qs << u"\u0451"_qs << u"ヨー"_qs;
    QTest::newRow("lower а: Japanese name") << 0 << u"ImgBtn0"_qs << u"а"_qs << u"アー"_qs;
    QTest::newRow("upper А: IPA name") << 0 << u"Img2Btn0"_qs << u"А"_qs << u"a"_qs;
    QTest::newRow("standard 4: accent") << 0 << u"Img3Btn4"_qs << u"\u0301"_qs << u"0x0301"_qs;
    QTest::newRow("Belarusian 0") << 2 << u"Img3Btn0"_qs << u"І"_qs << u"0x0406"_qs;
    QTest::newRow("Belarusian 4: empty") << 2 << u"Img3Btn4"_qs << QString() << u"0x0000"_qs;
}

void TestCharChart::cells()
{
    QFETCH(int, symIndex);
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, toolTip);

    comboSym()->setCurrentIndex(symIndex);
    QCOMPARE(Sys.SymIndex, symIndex);
    QWidget *target = cell(name);
    QCOMPARE(target->toolTip(), toolTip);
    QSignalSpy typedSpy(m_chart, &TCharChart::charPressed);
    QTest::mousePress(target, Qt::RightButton);
    QCOMPARE(typedSpy.size(), 1);
    QCOMPARE(typedSpy.front().front().toString(), typed);
}

void TestCharChart::cellFill_data()
{
    QTest::addColumn<int>("symIndex");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("empty");

    QTest::newRow("Belarusian 3") << 2 << u"Img3Btn3"_qs << false;
    QTest::newRow("Belarusian 4") << 2 << u"Img3Btn4"_qs << true;
    QTest::newRow("back to standard") << 0 << u"Img3Btn19"_qs << false;
}

void TestCharChart::cellFill()
{
    QFETCH(int, symIndex);
    QFETCH(QString, name);
    QFETCH(bool, empty);

    comboSym()->setCurrentIndex(2);
    comboSym()->setCurrentIndex(symIndex);
    QWidget *target = cell(name);
    const QImage image = target->grab().toImage();
    QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1), QColor(Qt::black));
    const QColor fill = empty ? target->palette().color(QPalette::Button) : QColor(Qt::white);
    QCOMPARE(image.pixelColor(1, 1), fill);
    // An empty cell shows nothing at all; a filled one shows its glyph.
    int filled = 0;
    for (int y = 1; y < image.height() - 1; ++y) {
        for (int x = 1; x < image.width() - 1; ++x)
            filled += image.pixelColor(x, y) == fill ? 1 : 0;
    }
    const int inside = (image.width() - 2) * (image.height() - 2);
    QCOMPARE(filled == inside, empty);
}

void TestCharChart::letterSize_data()
{
    QTest::addColumn<int>("chartMainParam");
    QTest::addColumn<int>("points");

    QTest::newRow("default") << 70 << 17;
    QTest::newRow("largest") << 100 << 23;
    QTest::newRow("smallest") << 60 << 15;
}

void TestCharChart::letterSize()
{
    QFETCH(int, chartMainParam);
    QFETCH(int, points);

    Usr.ChartMainParam = chartMainParam;
    Usr.ChartMainFSize = ComputeChartMainFSize(chartMainParam);
    QCOMPARE(m_chart->basePointSize(), 11);
    QCOMPARE(m_chart->letterPointSize(), points);
}

void TestCharChart::geometry_data()
{
    QTest::addColumn<bool>("small");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("expected");

    QTest::newRow("lower 32") << false << u"ImgBtn32"_qs << QRect(188, 168, 43, 38);
    QTest::newRow("upper 0") << false << u"Img2Btn0"_qs << QRect(331, 8, 43, 38);
    QTest::newRow("symbol 0") << false << u"Img3Btn0"_qs << QRect(654, 8, 43, 38);
    QTest::newRow("small lower 32") << true << u"ImgBtn32"_qs << QRect(168, 152, 38, 35);
    QTest::newRow("small symbol 0") << true << u"Img3Btn0"_qs << QRect(584, 4, 38, 35);
    QTest::newRow("small symbol 19") << true << u"Img3Btn19"_qs << QRect(704, 152, 38, 35);
}

void TestCharChart::geometry()
{
    QFETCH(bool, small);
    QFETCH(QString, name);
    QFETCH(QRect, expected);

    Usr.SmallPCFlg = small;
    build();
    QCOMPARE(cell(name)->geometry(), expected);
    // The selector ends where the upper-case block's last column and last row end.
    const QRect combo = comboSym()->geometry();
    QCOMPARE(combo.width(), 2 * expected.width());
    QCOMPARE(combo.right(), cell(u"Img2Btn6"_qs)->geometry().right());
    QCOMPARE(combo.bottom(), cell(u"Img2Btn28"_qs)->geometry().bottom());
}

void TestCharChart::bordersAreEven_data()
{
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<bool>("small");
    QTest::addColumn<QPoint>("offset");

    QTest::newRow("1") << 1.0 << false << QPoint();
    QTest::newRow("1.25") << 1.25 << false << QPoint();
    QTest::newRow("1.5") << 1.5 << false << QPoint();
    QTest::newRow("1.5 small") << 1.5 << true << QPoint();
    QTest::newRow("1.5 at an odd place") << 1.5 << false << QPoint(1, 3);
    QTest::newRow("2") << 2.0 << false << QPoint();
}

// Every side of every cell has a border, and all are equally wide in device pixels.
void TestCharChart::bordersAreEven()
{
    QFETCH(qreal, scale);
    QFETCH(bool, small);
    QFETCH(QPoint, offset);

    Usr.SmallPCFlg = small;
    build();
    QPalette palette = m_chart->palette();
    palette.setColor(QPalette::Window, Qt::blue);
    m_chart->setPalette(palette);
    QImage image((m_chart->size() + QSize(4, 4)) * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::blue);
    m_chart->render(&image, offset);

    QSet<int> widths;
    const auto device = [scale](QPointF p) {
        return QPoint(qFloor(p.x() * scale), qFloor(p.y() * scale));
    };
    for (const QWidget *target : m_chart->findChildren<QWidget *>(
             QRegularExpression(u"^Img\\d?Btn\\d+$"_qs), Qt::FindDirectChildrenOnly)) {
        // The middle of the two-pixel gap beside each side, stepping into the cell.
        const QRectF cell = QRectF(target->geometry()).translated(offset);
        const QPointF middle = cell.center();
        widths << BorderWidth(image, device({cell.left() - 1, middle.y()}), {1, 0})
               << BorderWidth(image, device({cell.right() + 1, middle.y()}), {-1, 0})
               << BorderWidth(image, device({middle.x(), cell.top() - 1}), {0, 1})
               << BorderWidth(image, device({middle.x(), cell.bottom() + 1}), {0, -1});
    }
    QCOMPARE(widths.size(), 1);
    QVERIFY(*widths.cbegin() >= 1);
}

void TestCharChart::pressPushesTheCellIn()
{
    QWidget *target = cell(u"ImgBtn0"_qs);
    const QPoint rest = target->pos();
    QSignalSpy typedSpy(m_chart, &TCharChart::charPressed);
    QTest::mousePress(target, Qt::LeftButton);
    QCOMPARE(target->pos(), rest + QPoint(2, 2));
    QTest::mouseRelease(target, Qt::LeftButton);
    QCOMPARE(target->pos(), rest);
    // The rest of a double click: the double click and its release.
    QTest::mouseDClick(target, Qt::LeftButton);
    QCOMPARE(target->pos(), rest + QPoint(2, 2));
    QTest::mouseRelease(target, Qt::LeftButton);
    QCOMPARE(target->pos(), rest);
    QCOMPARE(typedSpy.size(), 2);
}

void TestCharChart::setSurvivesRebuilding()
{
    comboSym()->setCurrentIndex(3);
    build();
    QCOMPARE(comboSym()->currentIndex(), 3);
    QCOMPARE(cell(u"Img3Btn0"_qs)->toolTip(), u"0x0402"_qs);
}

void TestCharChart::fillsThePage()
{
    QCOMPARE(m_chart->geometry(), m_page->rect());
    m_page->resize(900, 300);
    QCOMPARE(m_chart->geometry(), m_page->rect());
}

QTEST_MAIN(TestCharChart)
#include "tst_charchart.moc"
