#include "core/settingstable.h"
#include "core/ulib.h"
#include "ipa/ipafonts.h"
#include "practice/questionarea.h"
#include "wordbook/listpainting.h"
#include "wordbook/reportmodel.h"
#include "wordbook/reportview.h"
#include "wordbook/timportfrm.h"
#include "wordbook/visibletext.h"
#include "wordbook/wordlistdelegate.h"
#include "wordbook/wordlistmodel.h"

#include <QFontMetrics>
#include <QtTest>

namespace {

// A field of 26 million characters, as a book or a table may hold.
const QString &hugeField()
{
    static const QString field = QString(26'000'000, u'ж');
    return field;
}

} // namespace

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
    void hugeFieldsDrawAtOnce_data();
    void hugeFieldsDrawAtOnce();
    void visiblePart_data();
    void visiblePart();
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
    // The faces that draw them, with the Latin face before the Japanese one.
    const QStringList families{RussianFontFamily(Usr.UsrMainFont), IpaFontFamily(Usr.UsrIPAFont),
                               Usr.UsrEngFont, JapaneseFamilies(Usr.UsrJpFont).front()};
    const int sizes[] = {Sys.OBNFSize, Sys.IPAFSize, Sys.EngFSize, Sys.JPNFSize};
    QVERIFY(std::all_of(std::begin(sizes), std::end(sizes), [](int size) { return size == -1; }));
    QCOMPARE(delegate.cellFont(column).family(), families[font]);
    const int fitted[] = {Sys.OBNFSize, Sys.IPAFSize, Sys.EngFSize, Sys.JPNFSize};
    QVERIFY(fitted[font] >= 7);
}

// What drawing a huge field may cost. The import preview still reads the whole table once to
// find its rows, and the sanitizers with an unoptimised build make each character some fifty
// times dearer; the bound still tells that from the minutes the whole text took to lay out.
#if defined(__SANITIZE_ADDRESS__) || !defined(NDEBUG)
constexpr qint64 kDrawingCostMs = 60000;
#else
constexpr qint64 kDrawingCostMs = 500;
#endif

// Drawing a cell or a field costs what can be seen, however long its text; a cut text fits as
// the whole one did.
void TestListPainting::hugeFieldsDrawAtOnce_data()
{
    QTest::addColumn<QString>("place");
    for (const char *place : {"fitted cell", "word list", "shelf", "import preview", "question"})
        QTest::newRow(place) << QString::fromLatin1(place);
}

void TestListPainting::hugeFieldsDrawAtOnce()
{
    QFETCH(QString, place);
    const QString &huge = hugeField();
    const WordEntry entry{{huge, huge, huge, huge, huge}};
    const TableText table{huge + u',' + huge};
    std::unique_ptr<QWidget> widget;
    QElapsedTimer timer;
    timer.start();
    if (place == u"fitted cell"_qs) {
        const QFontMetrics metrics{QFont()};
        const QRect cell(0, 0, 200, 28);
        QCOMPARE(GetNewString(metrics, huge, 4, cell),
                 GetNewString(metrics, huge.left(300), 4, cell));
        QCOMPARE(GetBestFontSizeV(QFont(), 0.8, 28, huge),
                 GetBestFontSizeV(QFont(), 0.8, 28, u"ж"_qs));
    } else if (place == u"word list"_qs) {
        auto *view = new ReportView(28, true, nullptr);
        auto *model = new WordListModel(view);
        model->setEntries({entry, entry});
        view->setModel(model);
        view->setItemDelegate(new WordListDelegate(model, 28, view));
        widget.reset(view);
    } else if (place == u"shelf"_qs) {
        auto *view = new ReportView(20, false, nullptr);
        auto *model = new ReportModel({{u"タイトル"_qs}, {u"グループ"_qs}}, view);
        model->setRows({{huge, huge}, {huge, huge}});
        view->setModel(model);
        widget.reset(view);
    } else if (place == u"import preview"_qs) {
        widget = std::make_unique<TImportFrm>(table, huge.left(9), nullptr);
    } else {
        auto *area = new QuestionArea;
        area->PrepareGamen(QuestionType::FillInBlank);
        area->showQuestion(entry);
        area->showJudgement(false, huge, huge);
        widget.reset(area);
    }
    if (widget) {
        widget->resize(800, 400);
        widget->grab();
    }
    QVERIFY2(timer.elapsed() < kDrawingCostMs,
             qPrintable(QString::number(timer.elapsed()) + u" ms"_qs));
}

// A cut keeps whole characters: a surrogate pair, a letter with its stress mark.
void TestListPainting::visiblePart_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kept"); // code units before "…"; -1 for the text unchanged
    const QString before(kVisibleUnits - 1, u'a');
    QTest::newRow("as long as the bound") << QString(kVisibleUnits, u'a') << -1;
    QTest::newRow("pair across the bound") << before + u"𝐀bc"_qs << int(kVisibleUnits - 1);
    QTest::newRow("stress mark past the bound")
        << before + u"е\u0301bc"_qs << int(kVisibleUnits - 1);
    QTest::newRow("letter just before the bound")
        << QString(kVisibleUnits, u'a') + u"bc"_qs << int(kVisibleUnits);
    QTest::newRow("marks without end")
        << u'a' + QString(kVisibleUnits, QChar(0x0301)) << int(kVisibleUnits);
}

void TestListPainting::visiblePart()
{
    QFETCH(QString, text);
    QFETCH(int, kept);
    QCOMPARE(VisiblePart(text), kept < 0 ? text : text.left(kept) + QChar(0x2026));
}

QTEST_MAIN(TestListPainting)
#include "tst_listpainting.moc"
