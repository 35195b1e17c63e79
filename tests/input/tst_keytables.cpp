#include "input/keytables.h"

#include <QtTest>

class TestKeyTables : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lookups_data();
    void lookups();
    void colours_data();
    void colours();
    void layouts_data();
    void layouts();
};

Q_DECLARE_METATYPE(KeyTableFn)

namespace {

constexpr Rgb kBlack = 0x000000;
constexpr Rgb kGreen = 0x008000;
constexpr Rgb kBlue = 0x0000FF;

} // namespace

void TestKeyTables::lookups_data()
{
    QTest::addColumn<KeyTableFn>("table");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("index");
    QTest::addColumn<uint>("color");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("subCaption");

    const KeyTableFn standard = GetColAndCap1;
    const KeyTableFn typewriter = GetColAndCap2;
    const KeyTableFn mnemonic = GetColAndCap3;
    QTest::newRow("mnemonic first key lower")
        << mnemonic << 1 << 0 << kBlack << u"ъ"_qs << u"半全"_qs;
    QTest::newRow("mnemonic first key upper")
        << mnemonic << 2 << 0 << kBlack << u"Ъ"_qs << u"半全"_qs;
    QTest::newRow("page 0 is upper") << standard << 0 << 36 << kBlack << u"/"_qs << u"}"_qs;
    QTest::newRow("page 2 is upper") << standard << 2 << 36 << kBlack << u"/"_qs << u"}"_qs;
    QTest::newRow("page 1 is lower") << standard << 1 << 36 << kBlack << u"\\"_qs << u"]"_qs;
    QTest::newRow("standard quotation mark") << standard << 2 << 2 << kBlack << u"\""_qs << u"2"_qs;
    QTest::newRow("standard grave label") << standard << 2 << 23 << kBlack << u"Х"_qs << u"`"_qs;
    QTest::newRow("standard last key") << standard << 2 << 46 << kBlack << u","_qs << u"/"_qs;
    QTest::newRow("standard beyond") << standard << 1 << 47 << kBlack << QString() << QString();
    QTest::newRow("negative index") << typewriter << 1 << -1 << kBlack << QString() << QString();
    QTest::newRow("typewriter bar") << typewriter << 1 << 0 << kBlack << u"|"_qs << u"半全"_qs;
    QTest::newRow("typewriter backslash") << typewriter << 2 << 12 << kBlack << u"\\"_qs << u"~"_qs;
    QTest::newRow("typewriter quotation mark")
        << typewriter << 1 << 4 << kBlack << u"\""_qs << u"4"_qs;
    QTest::newRow("typewriter last key") << typewriter << 2 << 46 << kBlack << u"Ё"_qs << u"/"_qs;
    QTest::newRow("typewriter beyond") << typewriter << 2 << 47 << kBlack << QString() << QString();
    QTest::newRow("mnemonic q") << mnemonic << 1 << 13 << kGreen << u"я"_qs << u"q,ja"_qs;
    QTest::newRow("mnemonic y") << mnemonic << 1 << 18 << kGreen << u"ы"_qs << u"y+ \u033A"_qs;
    QTest::newRow("mnemonic S") << mnemonic << 2 << 26 << kGreen << u"С"_qs << u"S+ \u033A"_qs;
    QTest::newRow("mnemonic J") << mnemonic << 2 << 31 << kGreen << u"Й"_qs << u"J+ \u033A"_qs;
    QTest::newRow("mnemonic c") << mnemonic << 1 << 39 << kGreen << u"ц"_qs << u"c+ \u033A"_qs;
    QTest::newRow("mnemonic grave") << mnemonic << 2 << 23 << kBlack << u"{"_qs << u"`"_qs;
    QTest::newRow("mnemonic ?") << mnemonic << 2 << 46 << kBlack << u"?"_qs << u"/"_qs;
    QTest::newRow("mnemonic jo") << mnemonic << 1 << 47 << kBlue << u"ё"_qs << u"jo"_qs;
    QTest::newRow("mnemonic Ju") << mnemonic << 2 << 51 << kBlue << u"Ю"_qs << u"Ju"_qs;
    QTest::newRow("mnemonic beyond") << mnemonic << 1 << 52 << kBlack << QString() << QString();
}

void TestKeyTables::lookups()
{
    QFETCH(KeyTableFn, table);
    QFETCH(int, page);
    QFETCH(int, index);
    QFETCH(uint, color);
    QFETCH(QString, caption);
    QFETCH(QString, subCaption);
    const KeyCap cap = table(page, index);
    QCOMPARE(cap.color, color);
    QCOMPARE(cap.caption, caption);
    QCOMPARE(cap.subCaption, subCaption);
}

// Every key of every table on both pages: the colour rule, no empty key, and the caption view
// the layout engine reads agrees with the lookup.
void TestKeyTables::colours_data()
{
    QTest::addColumn<int>("rusImeIndex");
    QTest::newRow("standard") << 1;
    QTest::newRow("typewriter") << 2;
    QTest::newRow("mnemonic") << 3;
}

void TestKeyTables::colours()
{
    QFETCH(int, rusImeIndex);
    const RussianLayout &layout = PadLayout(rusImeIndex);
    const QList<int> green{13, 18, 26, 31, 39};
    for (int page : {1, 2}) {
        for (int index = 0; index < layout.keyCount; ++index) {
            const KeyCap cap = layout.table(page, index);
            Rgb expected = kBlack;
            if (rusImeIndex == 3 && green.contains(index))
                expected = kGreen;
            else if (rusImeIndex == 3 && index >= 47)
                expected = kBlue;
            QCOMPARE(cap.color, expected);
            QVERIFY(!cap.caption.isEmpty());
            QVERIFY(!cap.subCaption.isEmpty());
            QCOMPARE(KeyCaption(rusImeIndex, page, index), cap.caption);
        }
    }
    QVERIFY(KeyCaption(rusImeIndex, 1, layout.keyCount).isEmpty());
}

void TestKeyTables::layouts_data()
{
    QTest::addColumn<int>("rusImeIndex");
    QTest::addColumn<bool>("activates");
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<QString>("name");
    QTest::addColumn<KeyTableFn>("table");
    QTest::addColumn<int>("keyCount");

    QTest::newRow("0 shows standard")
        << 0 << false << u"00000419"_qs << u"ロシア語 標準"_qs << KeyTableFn(GetColAndCap1) << 47;
    QTest::newRow("1 standard") << 1 << true << u"00000419"_qs << u"ロシア語 標準"_qs
                                << KeyTableFn(GetColAndCap1) << 47;
    QTest::newRow("2 typewriter") << 2 << true << u"00010419"_qs << u"ロシア語タイプライター"_qs
                                  << KeyTableFn(GetColAndCap2) << 47;
    QTest::newRow("3 mnemonic") << 3 << true << u"00020419"_qs << u"ロシア語ニーモニック"_qs
                                << KeyTableFn(GetColAndCap3) << 52;
    QTest::newRow("4 shows standard")
        << 4 << false << u"00000419"_qs << u"ロシア語 標準"_qs << KeyTableFn(GetColAndCap1) << 47;
    QTest::newRow("-1 shows standard")
        << -1 << false << u"00000419"_qs << u"ロシア語 標準"_qs << KeyTableFn(GetColAndCap1) << 47;
}

void TestKeyTables::layouts()
{
    QFETCH(int, rusImeIndex);
    QFETCH(bool, activates);
    QFETCH(QString, identifier);
    QFETCH(QString, name);
    QFETCH(KeyTableFn, table);
    QFETCH(int, keyCount);
    const RussianLayout &layout = PadLayout(rusImeIndex);
    QCOMPARE(layout.identifier, identifier);
    QCOMPARE(layout.name, name);
    QVERIFY(layout.table == table);
    QCOMPARE(layout.keyCount, keyCount);
    QCOMPARE(RusImeName(rusImeIndex), name);
    const RussianLayout *activated = LayoutByIndex(rusImeIndex);
    QCOMPARE(activated != nullptr, activates);
    if (activated)
        QCOMPARE(activated->rusImeIndex, rusImeIndex);
}

QTEST_GUILESS_MAIN(TestKeyTables)
#include "tst_keytables.moc"
