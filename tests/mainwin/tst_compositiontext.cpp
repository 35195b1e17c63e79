#include "mainwin/compositiontext.h"

#include <QtTest>

class TestCompositionText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void counter_data();
    void counter();
    void codeChecker_data();
    void codeChecker();
    void removeAccents_data();
    void removeAccents();
};

void TestCompositionText::counter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("russian");
    QTest::addColumn<QString>("message");
    QTest::newRow("accent is a code unit") << u"а\u0301"_qs << true << u"ロシア語 文字数：　2個"_qs;
    QTest::newRow("line break is two") << u"а\nб"_qs << true << u"ロシア語 文字数：　4個"_qs;
    QTest::newRow("empty ipa line") << QString() << false << u"発音記号 文字数：　0個"_qs;
}

void TestCompositionText::counter()
{
    QFETCH(QString, text);
    QFETCH(bool, russian);
    QTEST(CounterText(AreaLength(text), russian), "message");
}

void TestCompositionText::codeChecker_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("russian");
    QTest::addColumn<bool>("hex");
    QTest::addColumn<QString>("message");
    QTest::newRow("decimal") << u"да"_qs << true << false << u"ロシア語 コード： /1076/1072"_qs;
    QTest::newRow("hexadecimal") << u"да"_qs << true << true << u"ロシア語 コード： /0434/0430"_qs;
    QTest::newRow("ipa esh") << u"ʃ"_qs << false << true << u"発音記号 コード： /0283"_qs;
    QTest::newRow("line break as CR LF")
        << u"а\nб"_qs << true << true << u"ロシア語 コード： /0430/000D/000A/0431"_qs;
    QTest::newRow("empty shows nothing") << QString() << true << true << QString();
}

void TestCompositionText::codeChecker()
{
    QFETCH(QString, text);
    QFETCH(bool, russian);
    QFETCH(bool, hex);
    QTEST(CodeCheckerText(text, russian, hex), "message");
}

void TestCompositionText::removeAccents_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<QString>("result");
    QTest::newRow("blanks and accents go") << u"  за\u0301мо\u0300к\n"_qs << true << u"замок"_qs;
    QTest::newRow("only blanks ask nothing") << u"  \n \n"_qs << false << QString();
    QTest::newRow("inner lines stay") << u"а\u0301\nб"_qs << true << u"а\nб"_qs;
}

void TestCompositionText::removeAccents()
{
    QFETCH(QString, text);
    QFETCH(bool, asks);
    const auto result = RemoveAccentsResult(text);
    QCOMPARE(result.has_value(), asks);
    if (asks)
        QTEST(*result, "result");
}

QTEST_GUILESS_MAIN(TestCompositionText)
#include "tst_compositiontext.moc"
