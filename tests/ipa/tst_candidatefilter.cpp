#include "core/ulib.h"
#include "ipa/candidatefilter.h"

#include <QLineEdit>
#include <QtTest>

// The candidate rules as a user meets them: keys typed into a line edit that carries the
// filter. In the stroke strings ⏎ is Enter, ␣ Space, ← and → the arrows, ⌫ Backspace and
// ⎋ Escape; every other character is typed as itself, upper case with Shift.
class TestCandidateFilter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void typing_data();
    void typing();
    void insertionReplacesTheSelection();
    void hostInsertsThePick();

private:
    void type(QLineEdit &field, const QString &strokes);
};

namespace {

struct SpecialKey {
    QChar stroke;
    Qt::Key key;
};
const SpecialKey SpecialKeys[] = {{u'⏎', Qt::Key_Return},    {u'␣', Qt::Key_Space},
                                  {u'←', Qt::Key_Left},      {u'→', Qt::Key_Right},
                                  {u'⌫', Qt::Key_Backspace}, {u'⎋', Qt::Key_Escape}};

} // namespace

void TestCandidateFilter::init()
{
    InitSysVars();
}

void TestCandidateFilter::type(QLineEdit &field, const QString &strokes)
{
    for (QChar stroke : strokes) {
        const auto special =
            std::find_if(std::begin(SpecialKeys), std::end(SpecialKeys),
                         [stroke](const SpecialKey &k) { return k.stroke == stroke; });
        if (special != std::end(SpecialKeys))
            QTest::keyClick(&field, special->key);
        else
            QTest::keyClick(&field, stroke.toLatin1(),
                            stroke.isUpper() ? Qt::ShiftModifier : Qt::NoModifier);
    }
}

void TestCandidateFilter::typing_data()
{
    QTest::addColumn<QString>("strokes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("redisplays");

    QTest::newRow("E Enter") << u"E⏎"_qs << u"\u025B"_qs << 1 << false << -1 << 2;
    QTest::newRow("E shows the row") << u"E"_qs << QString() << 0 << true << 0 << 1;
    QTest::newRow("T Space Space Enter") << u"T␣␣⏎"_qs << u"\u03B8"_qs << 1 << false << -1 << 4;
    QTest::newRow("A Left selects a") << u"A←"_qs << QString() << 0 << true << 5 << 2;
    QTest::newRow("A Left Right wraps") << u"A←→"_qs << QString() << 0 << true << 0 << 3;
    QTest::newRow("A Left Enter") << u"A←⏎"_qs << u"a"_qs << 1 << false << -1 << 3;
    QTest::newRow("Space wraps") << u"C␣␣⏎"_qs << u"\u0255"_qs << 1 << false << -1 << 4;
    QTest::newRow("@ 3 joins the vowel") << u"a@3"_qs << u"a\u0301"_qs << 2 << false << -1 << 2;
    QTest::newRow("digit picks a slot") << u"U4"_qs << u"\u028A"_qs << 1 << false << -1 << 2;
    QTest::newRow("E 7 empty slot") << u"E7"_qs << QString() << 0 << false << -1 << 2;
    QTest::newRow("T 0 empty slot 10") << u"T0"_qs << QString() << 0 << false << -1 << 2;
    QTest::newRow("E A types A") << u"EA"_qs << u"A"_qs << 1 << false << -1 << 2;
    QTest::newRow("E E types E") << u"EE"_qs << u"E"_qs << 1 << false << -1 << 2;
    QTest::newRow("E - cancels") << u"E-"_qs << QString() << 0 << false << -1 << 2;
    QTest::newRow("E lower-case is typed") << u"Ex"_qs << u"x"_qs << 1 << false << -1 << 2;
    QTest::newRow("Q types nothing") << u"Q"_qs << QString() << 0 << true << -1 << 1;
    QTest::newRow("Q Space stays empty") << u"Q␣"_qs << QString() << 0 << true << -1 << 2;
    QTest::newRow("Q Enter") << u"Q⏎"_qs << QString() << 0 << false << -1 << 2;
    QTest::newRow("lower-case e") << u"e"_qs << u"e"_qs << 1 << false << -1 << 0;
    QTest::newRow("Space when off") << u"E⏎␣"_qs << u"\u025B "_qs << 2 << false << -1 << 2;
    QTest::newRow("Backspace ends and deletes") << u"xyE⌫"_qs << u"x"_qs << 1 << false << -1 << 2;
    QTest::newRow("Escape ends") << u"xE⎋"_qs << u"x"_qs << 1 << false << -1 << 2;
    QTest::newRow("arrows move the caret too")
        << u"ab←E→⏎"_qs << u"ab\u0259"_qs << 3 << false << -1 << 3;
    QTest::newRow("arrows when off") << u"ab←←"_qs << u"ab"_qs << 0 << false << -1 << 0;
    QTest::newRow("next row after Enter")
        << u"E⏎O␣⏎"_qs << u"\u025B\u0259"_qs << 2 << false << -1 << 5;
}

void TestCandidateFilter::typing()
{
    QFETCH(QString, strokes);
    QLineEdit field;
    int redisplays = 0;
    installIpaCandidates(&field, {[&redisplays] { ++redisplays; }, {}});
    type(field, strokes);
    QTEST(field.text(), "text");
    QTEST(field.cursorPosition(), "caret");
    QTEST(Sys.CandState, "on");
    QTEST(Sys.SeleIndex, "selected");
    QTEST(redisplays, "redisplays");
}

void TestCandidateFilter::insertionReplacesTheSelection()
{
    QLineEdit field(u"xyz"_qs);
    installIpaCandidates(&field, {});
    field.setSelection(1, 1);
    type(field, u"E⏎"_qs);
    QCOMPARE(field.text(), u"x\u025Bz"_qs);
    QCOMPARE(field.cursorPosition(), 2);

    field.setSelection(0, 3);
    type(field, u"E7"_qs);
    QCOMPARE(field.selectedText(), u"x\u025Bz"_qs);
}

void TestCandidateFilter::hostInsertsThePick()
{
    QLineEdit field;
    QStringList picks;
    installIpaCandidates(&field, {{}, [&picks](const QString &s) { picks.append(s); }});
    type(field, u"E3E7G⏎"_qs);
    QCOMPARE(picks, QStringList({u"\u025A"_qs, u"\u0261"_qs}));
    QVERIFY(field.text().isEmpty());
}

QTEST_MAIN(TestCandidateFilter)
#include "tst_candidatefilter.moc"
