#include "core/ulib.h"
#include "options/tfsizefrm.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QtTest>

namespace {

// What each slider moves, and the word list size it drops (none for the chart), by group.
constexpr std::array<int UsrVars::*, 4> kSettings{&UsrVars::FParamMain, &UsrVars::FParamIPA,
                                                  &UsrVars::FParamJp, &UsrVars::ChartMainParam};
constexpr std::array<int SysVars::*, 3> kCachedSizes{&SysVars::OBNFSize, &SysVars::IPAFSize,
                                                     &SysVars::JPNFSize};
constexpr int kCachedSize = 20;

template <typename T> T *child(QWidget *frm, const char *name, int group)
{
    T *widget = frm->findChild<T *>(QLatin1StringView(name) + QString::number(group + 1));
    if (!widget)
        qFatal("no %s%d", name, group + 1);
    return widget;
}

} // namespace

class TestFSizeFrm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void opening_data();
    void opening();
    void sizeTakesEffectAtOnce_data();
    void sizeTakesEffectAtOnce();
};

void TestFSizeFrm::init()
{
    Usr = UsrVars{};
    InitSysVars();
}

// The sliders show the settings; the first page and the book note follow the arguments and
// the open book; hideBookNote hides the note.
void TestFSizeFrm::opening_data()
{
    QTest::addColumn<bool>("chartPageFirst");
    QTest::addColumn<QString>("bookTitle");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("noteShown");
    QTest::newRow("no book, list first") << false << QString() << 0 << true;
    QTest::newRow("book open, chart first") << true << u"基本単語"_qs << 1 << false;
}

void TestFSizeFrm::opening()
{
    QFETCH(bool, chartPageFirst);
    QFETCH(QString, bookTitle);
    QFETCH(int, page);
    QFETCH(bool, noteShown);
    const std::array<int, 4> settings{61, 99, 64, 93};
    for (int group = 0; group < 4; ++group)
        Usr.*kSettings[group] = settings[group];
    Sys.TC_Title = bookTitle;

    TFSizeFrm frm(nullptr, chartPageFirst, QPoint(40, 50));
    QCOMPARE(frm.objectName(), u"FSizeFrm"_qs);
    QCOMPARE(frm.findChild<QTabWidget *>()->currentIndex(), page);
    for (int group = 0; group < 4; ++group) {
        QCOMPARE(child<QSlider>(&frm, "TrackBar", group)->value(), settings[group]);
        QCOMPARE(child<QLabel>(&frm, "Label", group)->text(), QString::number(settings[group]));
    }
    auto *note = frm.findChild<QLabel *>(u"Label5"_qs);
    QCOMPARE(note->isVisibleTo(&frm), noteShown);
    frm.hideBookNote();
    QVERIFY(!note->isVisibleTo(&frm));
}

void TestFSizeFrm::sizeTakesEffectAtOnce_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("reset");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("chartSize");
    QTest::newRow("ロシア語") << 0 << 80 << false << 95 << 6;
    QTest::newRow("発音記号") << 1 << 88 << false << 60 << 6;
    QTest::newRow("日本語") << 2 << 81 << false << 100 << 6;
    QTest::newRow("アルファベット 74") << 3 << 70 << false << 74 << 6;
    QTest::newRow("アルファベット 75") << 3 << 70 << false << 75 << 7;
    QTest::newRow("アルファベット 65") << 3 << 70 << false << 65 << 5;
    QTest::newRow("初期化 ロシア語 from 95") << 0 << 95 << true << 80 << 6;
    QTest::newRow("初期化 ロシア語 already at 80") << 0 << 80 << true << 80 << 6;
    QTest::newRow("初期化 アルファベット from 90") << 3 << 90 << true << 70 << 6;
}

// A slider move or "初期化" (even with the slider already at the default) is taken at once and
// once: the setting, the label, the dropped size, the redraw.
void TestFSizeFrm::sizeTakesEffectAtOnce()
{
    QFETCH(int, group);
    QFETCH(int, start);
    QFETCH(bool, reset);
    QFETCH(int, value);
    QFETCH(int, chartSize);
    Usr.*kSettings[group] = start;
    TFSizeFrm frm(nullptr, false, QPoint());
    for (int SysVars::*size : kCachedSizes)
        Sys.*size = kCachedSize;
    QSignalSpy wordList(&frm, &TFSizeFrm::wordListChanged);
    QSignalSpy chart(&frm, &TFSizeFrm::chartChanged);

    if (reset)
        child<QPushButton>(&frm, "SpeedButton", group)->click();
    else
        child<QSlider>(&frm, "TrackBar", group)->setValue(value);

    QCOMPARE(child<QSlider>(&frm, "TrackBar", group)->value(), value);
    QCOMPARE(child<QLabel>(&frm, "Label", group)->text(), QString::number(value));
    QCOMPARE(Usr.*kSettings[group], value);
    for (int size = 0; size < int(kCachedSizes.size()); ++size)
        QCOMPARE(Sys.*kCachedSizes[size], size == group ? -1 : kCachedSize);
    QCOMPARE(Usr.ChartMainFSize, chartSize);
    const bool isChart = group == 3;
    QCOMPARE(wordList.count(), isChart ? 0 : 1);
    QCOMPARE(chart.count(), isChart ? 1 : 0);
}

QTEST_MAIN(TestFSizeFrm)
#include "tst_fsizefrm.moc"
