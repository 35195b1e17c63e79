#include "core/codecs.h"

#include <QtTest>

class TestCodecs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void filters_data();
    void filters();
    void references_data();
    void references();
    void replaceStr_data();
    void replaceStr();
    void replaceStrBaseRescansFromStart();
};

using Codec = QString (*)(QStringView);
Q_DECLARE_METATYPE(Codec)

void TestCodecs::filters_data()
{
    QTest::addColumn<Codec>("codec");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("quote filter") << Codec(QuoteFilter) << u"say \"da\""_qs << u"say #$22da#$22"_qs;
    QTest::newRow("quote filter leaves #$ alone") << Codec(QuoteFilter) << u"#$22"_qs << u"#$22"_qs;
    QTest::newRow("quote decoder")
        << Codec(QuoteDecoder) << u"say #$22da#$22"_qs << u"say \"da\""_qs;
    QTest::newRow("quote decoder of literal #$22")
        << Codec(QuoteDecoder) << u"a#$22b"_qs << u"a\"b"_qs;
    QTest::newRow("cr filter crlf") << Codec(CRFilter) << u"a\r\nb"_qs << u"a#$0Db"_qs;
    QTest::newRow("cr filter lf") << Codec(CRFilter) << u"a\nb"_qs << u"ab"_qs;
    QTest::newRow("cr filter cr") << Codec(CRFilter) << u"a\rb"_qs << u"a#$0Db"_qs;
    QTest::newRow("cr decoder") << Codec(CRDecoder) << u"a#$0Db"_qs << u"a\r\nb"_qs;
    QTest::newRow("cr decoder twice") << Codec(CRDecoder) << u"#$0D#$0D"_qs << u"\r\n\r\n"_qs;
    for (Codec codec : {QuoteFilter, QuoteDecoder, CRFilter, CRDecoder, Conv10Uni, Conv16Uni})
        QTest::newRow("empty") << codec << QString() << QString();
}

void TestCodecs::filters()
{
    QFETCH(Codec, codec);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(codec(input), expected);
}

void TestCodecs::references_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("hex");
    QTest::addColumn<QString>("decimal");

    QTest::newRow("cyrillic") << u"Да!"_qs << u"&#x0414;&#x0430;!"_qs << u"&#1044;&#1072;!"_qs;
    QTest::newRow("line end") << u"a\r\n"_qs << u"a&#x000D;&#x000A;"_qs << u"a&#13;&#10;"_qs;
    QTest::newRow("surrogate pair") << u"😀"_qs << u"&#xD83D;&#xDE00;"_qs << u"&#55357;&#56832;"_qs;
    QTest::newRow("ascii edges") << u" ~\u007F"_qs << u" ~&#x007F;"_qs << u" ~&#127;"_qs;
    QTest::newRow("combining accent")
        << u"а\u0301"_qs << u"&#x0430;&#x0301;"_qs << u"&#1072;&#769;"_qs;
    QTest::newRow("upper-case hex digits") << u"\u00ff"_qs << u"&#x00FF;"_qs << u"&#255;"_qs;
}

void TestCodecs::references()
{
    QFETCH(QString, input);
    QFETCH(QString, hex);
    QFETCH(QString, decimal);
    QCOMPARE(Conv16Uni(input), hex);
    QCOMPARE(Conv10Uni(input), decimal);
}

void TestCodecs::replaceStr_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("expected");

    QTest::newRow("version digits") << u"10.1"_qs << u"."_qs << QString() << u"101"_qs;
    QTest::newRow("to contains from") << u"aXa"_qs << u"a"_qs << u"aa"_qs << u"aaXaa"_qs;
    QTest::newRow("empty from") << u"abc"_qs << QString() << u"x"_qs << u"abc"_qs;
    QTest::newRow("placeholder in text") << u"ZQXWVKRPJ"_qs << u"q"_qs << u"!"_qs << u"!"_qs;
    QTest::newRow("empty") << QString() << u"a"_qs << u"b"_qs << QString();
}

void TestCodecs::replaceStr()
{
    QFETCH(QString, input);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, expected);
    ReplaceStr(input, from, to);
    QCOMPARE(input, expected);
}

// Each round searches from the start again, so a match formed at the seam is replaced too.
void TestCodecs::replaceStrBaseRescansFromStart()
{
    QString s = u"aaabb"_qs;
    ReplaceStrBase(s, u"ab"_qs, QString());
    QCOMPARE(s, u"a"_qs);
    QString t = u"xaab"_qs;
    ReplaceStrBase(t, u"ab"_qs, u"b"_qs);
    QCOMPARE(t, u"xb"_qs);
}

QTEST_GUILESS_MAIN(TestCodecs)
#include "tst_codecs.moc"
