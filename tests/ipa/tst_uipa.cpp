#include "core/ulib.h"
#include "ipa/ipacatalogue.h"
#include "ipa/uipa.h"

#include <QtTest>

class TestUIPA : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { InitSysVars(); }
    void triggerSet();
    void rowSizes_data();
    void rowSizes();
    void rowsEndInTheirLetter();
    void candidatesAreInTheCatalogue();
    void checkIPA_data();
    void checkIPA();
    void setArrIPA_data();
    void setArrIPA();
    void getCandMaxCountsAllSlots();
};

void TestUIPA::triggerSet()
{
    QCOMPARE(TriggerSet(), u"/:@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]"_qs);
    for (char16_t c = 0; c < 0x3000; ++c)
        QCOMPARE(IsTrigger(QChar(c)), TriggerSet().contains(QChar(c)));
}

void TestUIPA::rowSizes_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("count");
    QTest::newRow("none") << u"Q"_qs << 0;
    QTest::newRow("one") << u"BFHLVXY"_qs << 1;
    QTest::newRow("two") << u"/CJKPW"_qs << 2;
    QTest::newRow("three") << u":MNORSZ["_qs << 3;
    QTest::newRow("four") << u"@DEGI]"_qs << 4;
    QTest::newRow("six") << u"ATU"_qs << 6;
}

void TestUIPA::rowSizes()
{
    QFETCH(QString, keys);
    QFETCH(int, count);
    for (QChar key : keys)
        QVERIFY2(CandidatesOf(key).size() == count, qPrintable(QString(key)));
}

void TestUIPA::rowsEndInTheirLetter()
{
    for (char16_t key = u'A'; key <= u'Z'; ++key) {
        const QStringView row = CandidatesOf(QChar(key));
        if (key != u'Q')
            QCOMPARE(row.back(), QChar(key).toLower());
        QCOMPARE(CandidatesOf(QChar(key).toLower()).size(), 0);
    }
}

void TestUIPA::candidatesAreInTheCatalogue()
{
    // Only these three candidates have no record of their own.
    const QString unnamed = u"[]\u1D5A"_qs;
    QString english, japanese, description;
    for (QChar key : TriggerSet()) {
        for (QChar candidate : CandidatesOf(key)) {
            GetIPAInfo(candidate, english, japanese, description);
            QVERIFY2(english.isEmpty() == unnamed.contains(candidate),
                     qPrintable(QStringLiteral("%1 U+%2").arg(key).arg(candidate.unicode(), 4, 16,
                                                                       QChar(u'0'))));
        }
    }
}

void TestUIPA::checkIPA_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("expected");
    for (QChar key : TriggerSet())
        QTest::newRow(qPrintable(QString(key))) << QString(key) << (key != u'Q');
    for (QString key : {u";"_qs, u","_qs, u"."_qs, u"\\"_qs, u"e"_qs, u"z"_qs, u"1"_qs, u""_qs})
        QTest::newRow(qPrintable(QStringLiteral("not %1").arg(key))) << key << false;
    QTest::newRow("first character counts") << u"Eq"_qs << true;
    QTest::newRow("only the first character") << u"eE"_qs << false;
}

void TestUIPA::checkIPA()
{
    QFETCH(QString, key);
    QFETCH(bool, expected);
    Sys.arrIPA[0] = u"x"_qs;
    QCOMPARE(CheckIPA(key), expected);
    QCOMPARE(Sys.arrIPA[0], u"x"_qs);
}

void TestUIPA::setArrIPA_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("slots");
    QTest::addColumn<int>("selected");
    QTest::newRow("E") << u"E"_qs << u"\u025B\u0259\u025Ae"_qs << 0;
    QTest::newRow("@ combining marks") << u"@"_qs << u"\u0302\u030C\u0301\u0300"_qs << 0;
    QTest::newRow("T six") << u"T"_qs << u"\u02A6\u02A7\u03B8\u1D57\u02A8t"_qs << 0;
    QTest::newRow("first character only") << u"Bz"_qs << u"b"_qs << 0;
    QTest::newRow("Q empty row") << u"Q"_qs << QString() << -1;
    QTest::newRow("lower case") << u"e"_qs << QString() << -1;
    QTest::newRow("empty key") << QString() << QString() << -1;
}

void TestUIPA::setArrIPA()
{
    QFETCH(QString, key);
    QFETCH(QString, slots);
    QFETCH(int, selected);
    // A longer row with a moved selection first, which the new row must replace entirely.
    SetArrIPA(u"U");
    Sys.SeleIndex = 4;
    SetArrIPA(key);
    for (int i = 0; i < IpaSlotCount; ++i)
        QCOMPARE(Sys.arrIPA[i], i < slots.size() ? QString(slots[i]) : QString());
    QCOMPARE(Sys.SeleIndex, selected);
    QCOMPARE(GetCandMax(), slots.size());
}

void TestUIPA::getCandMaxCountsAllSlots()
{
    Sys.arrIPA[0] = u"a"_qs;
    Sys.arrIPA[9] = u"b"_qs;
    QCOMPARE(GetCandMax(), 2);
}

QTEST_GUILESS_MAIN(TestUIPA)
#include "tst_uipa.moc"
