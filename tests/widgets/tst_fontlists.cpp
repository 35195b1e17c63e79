#include "widgets/fontlists.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QtTest>

class TestFontLists : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void narrowedListCoversCyrillic();
    void fullListHasEveryFamily();
    void sizeItems_data();
    void sizeItems();
};

void TestFontLists::narrowedListCoversCyrillic()
{
    const QStringList narrowed = FontFamilies(1, 204);
    QVERIFY(!narrowed.isEmpty());
    for (const QString &family : narrowed) {
        QVERIFY2(QFontDatabase::writingSystems(family).contains(QFontDatabase::Cyrillic),
                 qPrintable(family));
        QVERIFY(!family.startsWith(u'@') && !family.startsWith(u'$'));
    }
    QStringList sorted = narrowed;
    sorted.sort(Qt::CaseInsensitive);
    QCOMPARE(narrowed, sorted);
    // The metric alias of the default Russian font, installed with the program, is offered.
    QVERIFY(narrowed.contains(u"Liberation Serif"_qs));
}

void TestFontLists::fullListHasEveryFamily()
{
    QComboBox box;
    LupFonts3(0, &box, 204);
    QStringList expected;
    for (const QString &family : QFontDatabase::families()) {
        // "Family [Foundry]" is one of the foundries of a family, which is listed once.
        if (!family.startsWith(u'@'))
            expected.append(family.section(u" ["_qs, 0, 0));
    }
    expected.sort(Qt::CaseInsensitive);
    expected.removeDuplicates();
    QCOMPARE(box.count(), expected.size());
    QCOMPARE(box.itemText(0), expected.first());
}

void TestFontLists::sizeItems_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("8 to 10") << 8 << 10 << QStringList{u"8"_qs, u"9"_qs, u"10"_qs};
    QTest::newRow("one") << 30 << 30 << QStringList{u"30"_qs};
    QTest::newRow("none") << 10 << 9 << QStringList{};
}

void TestFontLists::sizeItems()
{
    QFETCH(int, first);
    QFETCH(int, last);
    QComboBox box;
    AddFontSizeItems(&box, first, last);
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items.append(box.itemText(i));
    QTEST(items, "items");
}

QTEST_MAIN(TestFontLists)
#include "tst_fontlists.moc"
