#include "core/settingstable.h"
#include "core/ulib.h"
#include "wordbook/listpainting.h"
#include "wordbook/wordlistdelegate.h"
#include "wordbook/wordlistmodel.h"

#include <QFontMetrics>
#include <QtTest>

class TestListPainting : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void getNewString_data();
    void getNewString();
    void bestFontSizeLimits_data();
    void bestFontSizeLimits();
    void cellFonts_data();
    void cellFonts();
};

void TestListPainting::init()
{
    InitSysVars();
    InitUsrVars(false, 0xFFFFE1);
}

void TestListPainting::getNewString_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("unchanged");
    const QString japanese = u"こんにちは、今日はいい天気ですね"_qs;
    QTest::newRow("fits") << japanese << 1000 << true;
    QTest::newRow("too wide") << japanese << 120 << false;
    QTest::newRow("nothing fits beside the dots") << japanese << 6 << false;
    QTest::newRow("two code units are not cut") << u"𝐀𝐁𝐂𝐃𝐄𝐅𝐆𝐇"_qs << 60 << false;
}

void TestListPainting::getNewString()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(bool, unchanged);
    QFont font;
    font.setPixelSize(16);
    const QFontMetrics metrics(font);
    const QRect rect(10, 0, width, 28);
    const QString fitted = GetNewString(metrics, text, 4, rect);
    if (unchanged) {
        QCOMPARE(fitted, text);
        return;
    }
    QVERIFY(fitted.endsWith(u"..."_qs));
    const QString kept = fitted.chopped(3);
    QVERIFY(text.startsWith(kept) && kept.size() < qMax<qsizetype>(text.size(), 1));
    QVERIFY(kept.isEmpty() || !kept.back().isHighSurrogate());
    if (!kept.isEmpty()) {
        QVERIFY(metrics.horizontalAdvance(fitted) <= width - 4);
        // One more character would not fit.
        const qsizetype next = kept.size() + (text[kept.size()].isHighSurrogate() ? 2 : 1);
        QVERIFY(metrics.horizontalAdvance(text.left(next) + u"..."_qs) > width - 4);
    }
}

void TestListPainting::bestFontSizeLimits_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("size"); // 0: the largest whose sample fits
    QTest::newRow("even 8 is too high") << 2 << 7;
    QTest::newRow("everything fits") << 1000 << 30;
    QTest::newRow("a word list row") << 28 << 0;
}

void TestListPainting::bestFontSizeLimits()
{
    QFETCH(int, height);
    QFETCH(int, size);
    const int fitted = GetBestFontSizeV(QFont(), 0.8, height, u"M"_qs);
    if (size > 0) {
        QCOMPARE(fitted, size);
        return;
    }
    const auto sampleHeight = [](int points) {
        return QFontMetrics(SetMojiBase(QFont(), points)).boundingRect(u"M"_qs).height();
    };
    const int limit = int(height * 0.8);
    QVERIFY(sampleHeight(fitted) <= limit);
    QVERIFY(sampleHeight(fitted + 1) > limit);
}

void TestListPainting::cellFonts_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("russianFirst");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("font");
    QTest::newRow("vocabulary cue") << u"単語理解"_qs << true << 2 << int(WordListDelegate::Ipa);
    QTest::newRow("blank cue") << u"空欄補充"_qs << true << 2 << int(WordListDelegate::Russian);
    QTest::newRow("composition cue")
        << u"作文問題"_qs << true << 2 << int(WordListDelegate::Japanese);
    QTest::newRow("number") << u"単語理解"_qs << true << 1 << int(WordListDelegate::Number);
    QTest::newRow("Japanese first")
        << u"単語理解"_qs << false << 0 << int(WordListDelegate::Japanese);
    QTest::newRow("Russian fourth")
        << u"単語理解"_qs << false << 4 << int(WordListDelegate::Russian);
}

void TestListPainting::cellFonts()
{
    QFETCH(QString, type);
    QFETCH(bool, russianFirst);
    QFETCH(int, column);
    QFETCH(int, font);
    Usr.UsrMainFont = u"DejaVu Serif"_qs;
    Usr.UsrIPAFont = u"DejaVu Sans"_qs;
    Usr.UsrEngFont = u"DejaVu Sans Mono"_qs;
    Usr.UsrJpFont = u"Noto Sans CJK JP"_qs;
    Sys.TC_Type = type;
    WordListModel model;
    model.setRussianFirst(russianFirst);
    WordListDelegate delegate(&model, 28, nullptr);
    const QStringList families{Usr.UsrMainFont, Usr.UsrIPAFont, Usr.UsrEngFont, Usr.UsrJpFont};
    const int sizes[] = {Sys.OBNFSize, Sys.IPAFSize, Sys.EngFSize, Sys.JPNFSize};
    QVERIFY(std::all_of(std::begin(sizes), std::end(sizes), [](int size) { return size == -1; }));
    QCOMPARE(delegate.cellFont(column).family(), families[font]);
    const int fitted[] = {Sys.OBNFSize, Sys.IPAFSize, Sys.EngFSize, Sys.JPNFSize};
    QVERIFY(fitted[font] >= 7);
}

QTEST_MAIN(TestListPainting)
#include "tst_listpainting.moc"
