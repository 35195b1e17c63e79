#include "input/tkeybutton.h"

#include <QProxyStyle>
#include <QSignalSpy>
#include <QStyleOption>
#include <QtTest>

class TestKeyButton : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fontFitsBudget_data();
    void fontFitsBudget();
    void fontSizeCache();
    void fill_data();
    void fill();
    void quickClicksAreTwoClicks();
    void sameValueDoesNotRepaint_data();
    void sameValueDoesNotRepaint();
    void panelPaletteIsShared();
    void captionFollowsItsInputs_data();
    void captionFollowsItsInputs();
};

namespace {

QFont padFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(15);
    return font;
}

int lineHeight(const QString &sample, int pixelSize)
{
    QFont font = padFont();
    font.setPixelSize(pixelSize);
    return QFontMetrics(font).boundingRect(sample).height();
}

// Paints the key at one image pixel per widget pixel, whatever the screen's scale.
QImage render(TKeyButton &key)
{
    QImage image(key.size(), QImage::Format_RGB32);
    key.render(&image);
    return image;
}

// Counts the paint events one widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

// Records the palette each raised key panel is drawn with.
class PanelRecorder : public QProxyStyle {
public:
    mutable QList<qint64> paletteKeys;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (element == PE_PanelButtonCommand)
            paletteKeys.append(option->palette.cacheKey());
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
};

} // namespace

void TestKeyButton::fontFitsBudget_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("expected"); // the budget in pixels, or the size when nothing fits

    QTest::newRow("main caption of a 40 px key") << u"M"_qs << 80 << 40 << 32;
    QTest::newRow("sub-caption of a 40 px key") << u"8"_qs << 25 << 40 << 10;
    QTest::newRow("budget truncates") << u"M"_qs << 58 << 43 << 24;
    QTest::newRow("nothing fits") << u"M"_qs << 80 << 4 << 7;
    QTest::newRow("everything fits") << u"M"_qs << 100 << 1000 << 200;
}

// The fit is the largest size within the budget: one size more no longer fits.
void TestKeyButton::fontFitsBudget()
{
    QFETCH(QString, sample);
    QFETCH(int, percent);
    QFETCH(int, height);
    QFETCH(int, expected);

    TKeyButton key;
    key.setFont(padFont());
    const int size = key.GetBestFontSize(sample, percent, height);
    if (expected == 7 || expected == 200) {
        QCOMPARE(size, expected);
        return;
    }
    QVERIFY(lineHeight(sample, size) <= expected);
    QVERIFY(lineHeight(sample, size + 1) > expected);
}

// The sizes are fitted at the first paint and again only for a new height, a new font or on
// request; a new percentage or width alone keeps them.
void TestKeyButton::fontSizeCache()
{
    TKeyButton key;
    key.setFont(padFont());
    key.resize(60, 40);
    QCOMPARE(key.mainFontSize(), -1);
    render(key);
    const int fitted = key.mainFontSize();
    QCOMPARE(fitted, key.GetBestFontSize(u"M"_qs, 80, 40));
    QCOMPARE(key.subFontSize(), key.GetBestFontSize(u"8"_qs, 25, 40));

    key.setMainFPer(40);
    key.resize(90, 40);
    render(key);
    QCOMPARE(key.mainFontSize(), fitted);

    key.invalidateFontSizes();
    render(key);
    QCOMPARE(key.mainFontSize(), key.GetBestFontSize(u"M"_qs, 40, 40));

    key.resize(90, 80);
    render(key);
    QCOMPARE(key.mainFontSize(), key.GetBestFontSize(u"M"_qs, 40, 80));

    key.setFont(QFont(QStringLiteral("DejaVu Sans")));
    QCOMPARE(key.mainFontSize(), -1);
}

void TestKeyButton::fill_data()
{
    QTest::addColumn<bool>("hover");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<QColor>("fill");

    QTest::newRow("at rest") << false << false << QColor(0x12, 0x34, 0x56);
    QTest::newRow("under the mouse") << true << false << QColor(0xC0, 0xC0, 0xC0);
    QTest::newRow("pressed under the mouse") << true << true << QColor(0x00, 0xFF, 0xFF);
}

void TestKeyButton::fill()
{
    QFETCH(bool, hover);
    QFETCH(bool, pressed);
    QFETCH(QColor, fill);

    TKeyButton key;
    key.setBackColor(QColor(0x12, 0x34, 0x56));
    key.resize(60, 40);
    if (hover) {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(&key, &enter);
    }
    key.setDown(pressed);
    QCOMPARE(render(key).pixelColor(30, 20), fill);

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&key, &leave);
    key.setDown(false);
    QCOMPARE(render(key).pixelColor(30, 20), QColor(0x12, 0x34, 0x56));
}

// The second press of a quick pair arrives as a double click; it must still end in a click.
void TestKeyButton::quickClicksAreTwoClicks()
{
    TKeyButton key;
    key.show();
    QSignalSpy clicks(&key, &QPushButton::clicked);
    QTest::mouseClick(&key, Qt::LeftButton);
    QTest::mouseDClick(&key, Qt::LeftButton);
    QTest::mouseRelease(&key, Qt::LeftButton);
    QCOMPARE(clicks.count(), 2);
}

void TestKeyButton::sameValueDoesNotRepaint_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("other");

    QTest::newRow("SubCap") << QByteArray("SubCap") << QVariant(u"zh"_qs);
    QTest::newRow("AutoFSized") << QByteArray("AutoFSized") << QVariant(false);
    QTest::newRow("BackColor") << QByteArray("BackColor") << QVariant(QColor(Qt::white));
    QTest::newRow("MainFPer") << QByteArray("MainFPer") << QVariant(50);
}

// Hosts set every property again at each redisplay; only a change may cost a repaint.
void TestKeyButton::sameValueDoesNotRepaint()
{
    QFETCH(QByteArray, property);
    QFETCH(QVariant, other);

    TKeyButton key;
    key.setText(u"A"_qs);
    key.show();
    QVERIFY(QTest::qWaitForWindowExposed(&key));
    QApplication::processEvents();
    PaintCounter paints(&key);
    key.setProperty(property, key.property(property));
    QApplication::processEvents();
    QCOMPARE(paints.count, 0);
    key.setProperty(property, other);
    QApplication::processEvents();
    QCOMPARE(paints.count, 1);
}

// The style caches a panel under its palette's key: keys of one fill must share one palette
// from paint to paint, or every paint draws the panel afresh.
void TestKeyButton::panelPaletteIsShared()
{
    PanelRecorder style;
    TKeyButton first, second, other;
    for (TKeyButton *key : {&first, &second, &other}) {
        key->setStyle(&style);
        key->resize(60, 40);
    }
    other.setBackColor(QColor(0x12, 0x34, 0x56));
    render(first);
    render(first);
    render(second);
    render(other);
    QCOMPARE(style.paletteKeys.size(), 4);
    QCOMPARE(style.paletteKeys[1], style.paletteKeys[0]);
    QCOMPARE(style.paletteKeys[2], style.paletteKeys[0]);
    QVERIFY(style.paletteKeys[3] != style.paletteKeys[0]);
}

void TestKeyButton::captionFollowsItsInputs_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("text") << u"text"_qs;
    QTest::newRow("sub-caption") << u"sub-caption"_qs;
    QTest::newRow("font") << u"font"_qs;
    QTest::newRow("height") << u"height"_qs;
    QTest::newRow("disabled") << u"disabled"_qs;
}

// The captions are laid out once and kept: a key changed after a paint must look like a key
// made that way from the start.
void TestKeyButton::captionFollowsItsInputs()
{
    QFETCH(QString, change);
    auto configure = [&change](TKeyButton &key, bool changed) {
        key.setFont(changed && change == u"font" ? QFont(u"DejaVu Serif"_qs) : padFont());
        key.setText(changed && change == u"text" ? u"Ж"_qs : u"A"_qs);
        key.setSubCap(changed && change == u"sub-caption" ? u"zh"_qs : u"a"_qs);
        key.resize(60, changed && change == u"height" ? 50 : 40);
        key.setEnabled(!(changed && change == u"disabled"));
    };
    TKeyButton key, fresh;
    configure(key, false);
    const QImage before = render(key);
    configure(key, true);
    configure(fresh, true);
    const QImage after = render(key);
    QVERIFY(after != before);
    QCOMPARE(after, render(fresh));
}

QTEST_MAIN(TestKeyButton)
#include "tst_keybutton.moc"
