#include "ipa/ipacatalogue.h"

#include <QtTest>

class TestIpaCatalogue : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void recordsAreUniqueAndInCodeOrder();
    void everyRecordIsNamed();
    void info_data();
    void info();
    void unknownCodeEmptiesTheResults_data();
    void unknownCodeEmptiesTheResults();
};

void TestIpaCatalogue::recordsAreUniqueAndInCodeOrder()
{
    const auto records = IpaCatalogue();
    QCOMPARE(records.size(), size_t(222));
    for (size_t i = 1; i < records.size(); ++i)
        QVERIFY2(records[i - 1].code < records[i].code, qPrintable(records[i].english));
}

void TestIpaCatalogue::everyRecordIsNamed()
{
    QString withoutDescription;
    for (const IpaRecord &record : IpaCatalogue()) {
        QVERIFY(!record.english.isEmpty());
        QVERIFY(!record.japanese.isEmpty());
        QVERIFY(!record.english.contains(u'\t') && !record.description.contains(u'\r'));
        if (record.description.isEmpty())
            withoutDescription.append(QChar(record.code));
    }
    QCOMPARE(withoutDescription, u"\u0111\u029A"_qs);
}

void TestIpaCatalogue::info_data()
{
    QTest::addColumn<QChar>("code");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("japanese");
    QTest::addColumn<QString>("description");

    QTest::newRow("epsilon")
        << QChar(0x025B) << u"Epsilon"_qs << u"エプシロン"_qs
        << u"あごを下げる感じで口をやや大きめに開けて「エ」/ 半開 前舌 非円唇 母音"_qs;
    QTest::newRow("esh, not the ɕ of シ")
        << QChar(0x0283) << u"Esh"_qs << u"エッシュ"_qs
        << u"「シ」より舌を後ろに引き、唇を突き出す（英語 she）/ 無声 後部歯茎 摩擦音"_qs;
    QTest::newRow("first record") << QChar(0x002C) << u"Comma"_qs << u"コンマ"_qs
                                  << u"休止/非IPA"_qs;
    QTest::newRow("last record") << QChar(0x2198) << u"Downward diagonal arrow"_qs
                                 << u"斜め下向き矢印"_qs
                                 << u"文全体のイントネーションが下がる/ 全体的下降"_qs;
    QTest::newRow("spacing grave")
        << QChar(0x0060) << u"Grave accent"_qs << u"重アクセント（重ね打ちなし）"_qs
        << u"重ね打ちしない単独の記号。IPAでは文字に重ねる重アクセント（低平調）を使う/非IPA"_qs;
    QTest::newRow("combining grave") << QChar(0x0300) << u"Grave accent"_qs << u"重アクセント"_qs
                                     << u"ロシア語の副次アクセント"_qs;
    QTest::newRow("combining acute") << QChar(0x0301) << u"Acute accent"_qs << u"鋭アクセント"_qs
                                     << u"ロシア語の主アクセント"_qs;
    QTest::newRow("withdrawn, wide blank")
        << QChar(0x01AD) << u"Hooktop T"_qs << u"上かぎつきのT"_qs
        << u"無声 歯あるいは歯茎 入破音/1993　廃止"_qs;
    QTest::newRow("no description")
        << QChar(0x0111) << u"Lower-case D with stroke"_qs << u"横棒つき小文字のD"_qs << QString();
}

void TestIpaCatalogue::info()
{
    QFETCH(QChar, code);
    QFETCH(QString, english);
    QFETCH(QString, japanese);
    QFETCH(QString, description);
    QString e, j, d;
    GetIPAInfo(code, e, j, d);
    QCOMPARE(e, english);
    QCOMPARE(j, japanese);
    QCOMPARE(d, description);
}

void TestIpaCatalogue::unknownCodeEmptiesTheResults_data()
{
    QTest::addColumn<QChar>("code");
    QTest::newRow("upper-case letter") << QChar(u'A');
    QTest::newRow("bracket") << QChar(u'[');
    QTest::newRow("superscript turned m") << QChar(0x1D5A);
    QTest::newRow("nul") << QChar();
}

void TestIpaCatalogue::unknownCodeEmptiesTheResults()
{
    QFETCH(QChar, code);
    QString e = u"x"_qs, j = u"y"_qs, d = u"z"_qs;
    GetIPAInfo(code, e, j, d);
    QVERIFY(e.isEmpty() && j.isEmpty() && d.isEmpty());
}

QTEST_GUILESS_MAIN(TestIpaCatalogue)
#include "tst_ipacatalogue.moc"
