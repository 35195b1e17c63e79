#include "input/urussian.h"

#include <QtTest>

class TestURussian : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void accentFilter_data();
    void accentFilter();
    void charInfo_data();
    void charInfo();
    void everyLetterHasBothNames();
    void letterTables();
    void symbolSets_data();
    void symbolSets();
    void otherSymIndexGivesStandardSet();
};

void TestURussian::accentFilter_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("acute") << u"ма\u0301ма"_qs << u"мама"_qs;
    QTest::newRow("grave") << u"мо\u0300локо\u0301"_qs << u"молоко"_qs;
    QTest::newRow("only marks") << u"\u0301\u0300\u0301"_qs << QString();
    QTest::newRow("ё and й stay") << u"ёж йод"_qs << u"ёж йод"_qs;
    QTest::newRow("other combining marks stay") << u"е\u0308 a\u0302"_qs << u"е\u0308 a\u0302"_qs;
    QTest::newRow("empty") << QString() << QString();
}

void TestURussian::accentFilter()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(AccentFilter(input), expected);
}

void TestURussian::charInfo_data()
{
    QTest::addColumn<QChar>("ch");
    QTest::addColumn<QString>("japanese");
    QTest::addColumn<QString>("ipa");

    QTest::newRow("Щ") << QChar(u'Щ') << u"シシャー"_qs << u"\u0255\u02D0a"_qs;
    QTest::newRow("щ") << QChar(u'щ') << u"シシャー"_qs << u"\u0255\u02D0a"_qs;
    QTest::newRow("Н") << QChar(u'Н') << u"エヌ"_qs << u"\u025Bn"_qs;
    QTest::newRow("р") << QChar(u'р') << u"エル"_qs << u"\u025Br"_qs;
    QTest::newRow("л") << QChar(u'л') << u"エル"_qs << u"\u025Bl\u02B2"_qs;
    QTest::newRow("Ч") << QChar(u'Ч') << u"チェー"_qs << u"t\u0361\u0255e"_qs;
    QTest::newRow("й") << QChar(u'й') << u"ｲ\u3000ｸﾗﾄｶﾔ（短いイ）"_qs
                       << u"i \u02C8kratk\u0259j\u0259"_qs;
    QTest::newRow("ё") << QChar(u'ё') << u"ヨー"_qs << u"jo"_qs;
    QTest::newRow("ъ") << QChar(u'ъ') << u"ﾄﾋﾞｮｰﾙﾄﾞｩｲ\u3000ｽﾞﾅｰｸ（硬音記号）"_qs
                       << u"\u02C8tv\u02B2\u0275rd\u0268j znak"_qs;
    QTest::newRow("Ь") << QChar(u'Ь') << u"ﾐｬｰﾌｷｲ\u3000ｽﾞﾅｰｸ（軟音記号）"_qs
                       << u"\u02C8m\u02B2\u00E6x\u02B2k\u02B2\u026Aj znak"_qs;
    QTest::newRow("«") << QChar(u'«') << u"ギュメ"_qs << QString();
    QTest::newRow("»") << QChar(u'»') << u"ギュメ"_qs << QString();
    QTest::newRow("„") << QChar(u'„') << u"引用符"_qs << QString();
    QTest::newRow("# with leading blank") << QChar(u'#') << u" ﾊｯｼｭﾀｸﾞ"_qs << QString();
    QTest::newRow("acute") << QChar(u'\u0301') << u"ｱｸｾﾝﾄ"_qs << QString();
    QTest::newRow("grave") << QChar(u'\u0300') << u"副ｱｸｾﾝﾄ"_qs << QString();
    QTest::newRow("Latin A") << QChar(u'A') << QString() << QString();
    QTest::newRow("Ukrainian і") << QChar(u'\u0456') << QString() << QString();
    QTest::newRow("code 0") << QChar() << QString() << QString();
}

void TestURussian::charInfo()
{
    QFETCH(QChar, ch);
    QFETCH(QString, japanese);
    QFETCH(QString, ipa);
    QString japaneseName = u"stale"_qs;
    QString ipaName = u"stale"_qs;
    GetRusCharInfo(ch, japaneseName, ipaName);
    QCOMPARE(japaneseName, japanese);
    QCOMPARE(ipaName, ipa);
}

// Both cases of each chart letter give the same, complete pair. IPA names mark the stress with ˈ
// and softness with ʲ: neither the acute (a tone in IPA) nor ʼ (an ejective) may appear.
void TestURussian::everyLetterHasBothNames()
{
    for (qsizetype i = 0; i < qsizetype(RusLower.size()); ++i) {
        QString lowerJp, lowerIpa, upperJp, upperIpa;
        GetRusCharInfo(RusLower[i].front(), lowerJp, lowerIpa);
        GetRusCharInfo(RusUpper[i].front(), upperJp, upperIpa);
        QVERIFY2(!lowerJp.isEmpty(), qPrintable(RusLower[i]));
        QVERIFY2(!lowerIpa.isEmpty(), qPrintable(RusLower[i]));
        QVERIFY2(!lowerIpa.contains(u'\u0301') && !lowerIpa.contains(u'\u02BC'),
                 qPrintable(RusLower[i]));
        QCOMPARE(upperJp, lowerJp);
        QCOMPARE(upperIpa, lowerIpa);
    }
}

void TestURussian::letterTables()
{
    QCOMPARE(RusLower.size(), 33u);
    QCOMPARE(RusUpper.size(), 33u);
    for (qsizetype i = 0; i < 33; ++i) {
        QCOMPARE(RusLower[i].size(), 1);
        QCOMPARE(RusUpper[i].size(), 1);
        QCOMPARE(RusLower[i].toUpper(), RusUpper[i]);
    }
    QCOMPARE(RusLower[0], u"\u0430"_qs);
    QCOMPARE(RusLower[5], u"\u0435"_qs);
    QCOMPARE(RusLower[6], u"\u0451"_qs);
    QCOMPARE(RusLower[7], u"\u0436"_qs);
    QCOMPARE(RusUpper[6], u"\u0401"_qs);
    QCOMPARE(RusUpper[32], u"\u042F"_qs);
}

void TestURussian::symbolSets_data()
{
    QTest::addColumn<int>("symIndex");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("cells"); // the filled cells, one code unit each, then empty

    QTest::newRow("standard") << 0 << u"記号標準"_qs
                              << u"\u201E\u201C\u00AB\u00BB\u0301\u2022\u2013\u2014\u2026@#'"
                                 u"\u20BD$\u20AC\u00A5\u2018\u2019\u201C\u201D"_qs;
    QTest::newRow("Ukrainian") << 1 << u"ｳｸﾗｲﾅ語"_qs
                               << u"\u0490\u0491\u0404\u0454\u0406\u0456\u0407\u0457"_qs;
    QTest::newRow("Belarusian") << 2 << u"ﾍﾞﾗﾙｰｼ語"_qs << u"\u0406\u0456\u040E\u045E"_qs;
    QTest::newRow("Serbian") << 3 << u"ｾﾙﾋﾞｱ語"_qs
                             << u"\u0402\u0452\u0408\u0458\u0409\u0459\u040A\u045A\u040B\u045B"
                                u"\u040F\u045F"_qs;
    QTest::newRow("Macedonian") << 4 << u"ﾏｹﾄﾞﾆｱ語"_qs
                                << u"\u0403\u0453\u0405\u0455\u0408\u0458\u0409\u0459\u040A"
                                   u"\u045A\u040C\u045C\u040F\u045F"_qs;
}

void TestURussian::symbolSets()
{
    QFETCH(int, symIndex);
    QFETCH(QString, name);
    QFETCH(QString, cells);
    QCOMPARE(RusSymNames[symIndex], name);
    const RusSymbolSet &set = RusSymSet(symIndex);
    for (qsizetype i = 0; i < qsizetype(set.size()); ++i)
        QCOMPARE(set[i], i < cells.size() ? QString(cells[i]) : QString());
}

void TestURussian::otherSymIndexGivesStandardSet()
{
    QCOMPARE(&RusSymSet(-1), &RusSym);
    QCOMPARE(&RusSymSet(5), &RusSym);
}

QTEST_GUILESS_MAIN(TestURussian)
#include "tst_urussian.moc"
