#include "core/settingstable.h"
#include "core/ulib.h"
#include "input/tkeybutton.h"
#include "input/truspad.h"

#include <QCheckBox>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

#include <memory>

class TestRusPad : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void placement_data();
    void placement();
    void layoutFollowsShownPage();
    void keysPerLayout_data();
    void keysPerLayout();
    void captions_data();
    void captions();
    void clickTypes_data();
    void clickTypes();
    void accentCheck();
    void followShift_data();
    void followShift();
    void tinyPad();

private:
    // A pad of the given layout in a shown host, its pages exactly `pageSize`.
    void makePad(int rusImeIndex, QSize pageSize = QSize(376, 190));
    template <typename T = TKeyButton> T *child(const QString &name) const
    {
        return m_pad->findChild<T *>(name);
    }
    QTabWidget *tabs() const { return m_pad->findChild<QTabWidget *>(); }

    std::unique_ptr<QWidget> m_host;
    TRusPad *m_pad = nullptr;
};

void TestRusPad::init()
{
    InitSysVars();
    InitUsrVars(false, 0xFFFFE1);
}

void TestRusPad::makePad(int rusImeIndex, QSize pageSize)
{
    Usr.RusImeIndex = rusImeIndex;
    m_host = std::make_unique<QWidget>();
    m_host->resize(800, 600);
    m_pad = new TRusPad(m_host.get());
    m_host->show();
    // Grow the pad by what the page falls short of.
    m_pad->resize(m_pad->size() + pageSize - child<QWidget>(u"TabSheet1"_qs)->size());
    QCOMPARE(child<QWidget>(u"TabSheet1"_qs)->size(), pageSize);
}

void TestRusPad::placement_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<QSize>("page");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("pos");

    // The main window's pad: kw 26, kh 42, x0 4, y0 11.
    const QSize main(376, 190);
    QTest::newRow("row 1") << 1 << main << u"KeyButton1"_qs << QPoint(4, 11);
    QTest::newRow("row 2") << 1 << main << u"KeyButton14"_qs << QPoint(43, 53);
    QTest::newRow("row 3") << 1 << main << u"KeyButton26"_qs << QPoint(49, 95);
    QTest::newRow("row 4") << 1 << main << u"KeyButton38"_qs << QPoint(62, 137);
    QTest::newRow("row 4 end") << 1 << main << u"KeyButton47"_qs << QPoint(296, 137);
    QTest::newRow("upper row 4 end") << 1 << main << u"KeyButton99"_qs << QPoint(296, 137);
    QTest::newRow("extra row 1") << 3 << main << u"KeyButton51"_qs << QPoint(344, 11);
    QTest::newRow("extra row 4 end") << 3 << main << u"KeyButton52"_qs << QPoint(335, 137);
    QTest::newRow("extra row 4 start") << 3 << main << u"KeyButton50"_qs << QPoint(30, 137);
    QTest::newRow("upper extra row 3") << 3 << main << u"KeyButton101"_qs << QPoint(4, 95);
    QTest::newRow("check box") << 1 << main << u"CheckBox1"_qs << QPoint(7, 162);
    QTest::newRow("label") << 1 << main << u"Label1"_qs << QPoint(4, 142);
    // kw 27: row 4's two truncated halves lose a pixel.
    QTest::newRow("odd kw row 4") << 3 << QSize(385, 190) << u"KeyButton47"_qs << QPoint(305, 137);
    QTest::newRow("odd kw extra") << 3 << QSize(385, 190) << u"KeyButton52"_qs << QPoint(346, 137);
    // 193 / 4.5 = 42.9 gives kh 43 and y0 10.
    QTest::newRow("kh rounds up") << 1 << QSize(376, 193) << u"KeyButton26"_qs << QPoint(49, 96);
}

void TestRusPad::placement()
{
    QFETCH(int, layout);
    QFETCH(QSize, page);
    QFETCH(QString, name);
    QFETCH(QPoint, pos);

    makePad(layout, page);
    QCOMPARE(child<QWidget>(name)->pos(), pos);
}

// A hidden page keeps a stale size: painting it may not lay the pad out with that size, and a
// resize while the Upper page is shown reaches the Lower page too.
void TestRusPad::layoutFollowsShownPage()
{
    makePad(1);
    m_pad->grab();
    QCOMPARE(child(u"KeyButton90"_qs)->geometry(), QRect(62, 137, 26, 42));

    tabs()->setCurrentIndex(1);
    m_pad->resize(m_pad->size() - QSize(176, 90));
    tabs()->setCurrentIndex(0);
    m_pad->grab();
    QCOMPARE(child(u"KeyButton38"_qs)->geometry(), QRect(33, 72, 14, 22));
}

void TestRusPad::keysPerLayout_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("keys");

    QTest::newRow("standard") << 1 << 47;
    QTest::newRow("typewriter") << 2 << 47;
    QTest::newRow("mnemonic") << 3 << 52;
    QTest::newRow("unknown shows standard") << 0 << 47;
}

// The extra keys show with the mnemonic layout only, and follow a change of layout.
void TestRusPad::keysPerLayout()
{
    QFETCH(int, layout);
    QFETCH(int, keys);

    makePad(layout == 3 ? 1 : 3);
    Usr.RusImeIndex = layout;
    m_pad->AdjustPosSize();
    for (const QString &sheet : {u"TabSheet1"_qs, u"TabSheet2"_qs}) {
        const QWidget *page = child<QWidget>(sheet);
        const auto all = page->findChildren<TKeyButton *>();
        QCOMPARE(
            std::count_if(all.begin(), all.end(), [page](auto *k) { return k->isVisibleTo(page); }),
            keys);
    }
}

void TestRusPad::captions_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("subCap");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<int>("yPosPer");

    QTest::newRow("standard lower")
        << 1 << u"KeyButton1"_qs << u"ё"_qs << u"半全"_qs << QColor(Qt::black) << 90;
    QTest::newRow("standard upper")
        << 1 << u"KeyButton53"_qs << u"Ё"_qs << u"半全"_qs << QColor(Qt::black) << 66;
    QTest::newRow("typewriter upper")
        << 2 << u"KeyButton99"_qs << u"Ё"_qs << u"/"_qs << QColor(Qt::black) << 66;
    QTest::newRow("mnemonic sequence")
        << 3 << u"KeyButton14"_qs << u"я"_qs << u"q,ja"_qs << QColor(0, 0x80, 0) << 90;
    QTest::newRow("mnemonic extra")
        << 3 << u"KeyButton104"_qs << u"Ю"_qs << u"Ju"_qs << QColor(0, 0, 0xFF) << 66;
}

void TestRusPad::captions()
{
    QFETCH(int, layout);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, subCap);
    QFETCH(QColor, color);
    QFETCH(int, yPosPer);

    makePad(layout);
    const TKeyButton *k = child(name);
    QCOMPARE(k->text(), caption);
    QCOMPARE(k->SubCap(), subCap);
    QCOMPARE(k->ForeColor1(), color);
    QCOMPARE(k->YPosPer(), yPosPer);
    QCOMPARE(k->MainFPer(), 58);
    QCOMPARE(k->SubFPer(), 35);
}

void TestRusPad::clickTypes_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accent");
    QTest::addColumn<QString>("typed");

    QTest::newRow("upper slash, accents on") << 1 << u"KeyButton89"_qs << true << u"\u0301"_qs;
    QTest::newRow("lower backslash, accents on") << 1 << u"KeyButton37"_qs << true << u"\u0300"_qs;
    QTest::newRow("upper slash, accents off") << 1 << u"KeyButton89"_qs << false << u"/"_qs;
    QTest::newRow("lower backslash, accents off") << 1 << u"KeyButton37"_qs << false << u"\\"_qs;
    QTest::newRow("letter, accents on") << 3 << u"KeyButton66"_qs << true << u"Я"_qs;
    QTest::newRow("empty key") << 1 << u"KeyButton48"_qs << true << QString();
}

void TestRusPad::clickTypes()
{
    QFETCH(int, layout);
    QFETCH(QString, name);
    QFETCH(bool, accent);
    QFETCH(QString, typed);

    Usr.AccentFlg = accent;
    makePad(layout);
    TKeyButton *k = child(name);
    tabs()->setCurrentWidget(k->parentWidget());
    QSignalSpy spy(m_pad, &TRusPad::keyText);
    k->click();
    QCOMPARE(spy.count(), typed.isEmpty() ? 0 : 1);
    if (!typed.isEmpty())
        QCOMPARE(spy.at(0).at(0).toString(), typed);
}

void TestRusPad::accentCheck()
{
    Usr.AccentFlg = false;
    makePad(1);
    auto *check = child<QCheckBox>(u"CheckBox1"_qs);
    QVERIFY(!check->isChecked());
    QTest::mouseClick(check, Qt::LeftButton);
    QVERIFY(Usr.AccentFlg);

    Usr.AccentFlg = false;
    m_pad->syncAccentCheck();
    QVERIFY(!check->isChecked());
    m_pad->setAccentCheckEnabled(false);
    QTest::mouseClick(check, Qt::LeftButton);
    QVERIFY(!Usr.AccentFlg);
}

void TestRusPad::followShift_data()
{
    QTest::addColumn<bool>("upperShown");
    QTest::addColumn<bool>("shiftDown");
    QTest::addColumn<bool>("capsLock");
    QTest::addColumn<bool>("imeNum");
    QTest::addColumn<bool>("upperAfter");

    QTest::newRow("shift down") << false << true << false << false << true;
    QTest::newRow("shift up") << true << false << false << false << false;
    QTest::newRow("shift down, caps lock") << false << true << true << false << false;
    QTest::newRow("shift up, caps lock") << true << false << true << false << true;
    QTest::newRow("shift down, alphanumeric") << false << true << false << true << false;
    QTest::newRow("shift up, alphanumeric") << true << false << false << true << true;
}

void TestRusPad::followShift()
{
    QFETCH(bool, upperShown);
    QFETCH(bool, shiftDown);
    QFETCH(bool, capsLock);
    QFETCH(bool, imeNum);
    QFETCH(bool, upperAfter);

    makePad(3);
    tabs()->setCurrentIndex(upperShown ? 1 : 0);
    Sys.ImeNumFlg = imeNum;
    m_pad->followShift(shiftDown, capsLock);
    QCOMPARE(tabs()->currentIndex(), upperAfter ? 1 : 0);
}

// A page narrower than 14 pixels gives zero-width keys, and the pad still paints.
void TestRusPad::tinyPad()
{
    makePad(3);
    for (const QSize page : {QSize(13, 40), QSize(0, 0)}) {
        m_pad->AdjustPosSize(page);
        QCOMPARE(child(u"KeyButton104"_qs)->width(), 0);
        QVERIFY(!m_pad->grab().isNull());
    }
    m_pad->resize(4, 4);
    QVERIFY(!m_pad->grab().isNull());
}

QTEST_MAIN(TestRusPad)
#include "tst_ruspad.moc"
