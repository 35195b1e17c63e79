#include "core/textlines.h"
#include "testenv.h"
#include "wordbook/booksearch.h"
#include "wordbook/entryline.h"

#include <QtTest>

namespace {

QByteArray book(const QString &title, const QStringList &lines)
{
    return EncodeUtf16LeBom(title + u"\r\n組\r\n単語理解\r\n"_qs + lines.join(u"\r\n"_qs));
}

QString line(const QString &russian, const QString &japanese)
{
    return u"\"%1\",\"\",\"\",\"%2\",\"\",\"\""_qs.arg(russian, japanese);
}

} // namespace

class TestBookSearch : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void search_data();
    void search();
    void countEntryLines_data();
    void countEntryLines();
};

void TestBookSearch::search_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("hits"); // "*" for exact, file:number
    QTest::newRow("exact first, then partial")
        << 3 << u"本"_qs << QStringList{u"*a.utx:2"_qs, u"a.utx:1"_qs, u"b.utx:1"_qs};
    QTest::newRow("two exact hits, the last found first")
        << 3 << u"家"_qs << QStringList{u"*a.utx:4"_qs, u"*a.utx:3"_qs};
    QTest::newRow("upper case does not find lower case") << 0 << u"КНИГА"_qs << QStringList{};
    QTest::newRow("a quotation mark finds nothing") << 0 << u"\""_qs << QStringList{};
    QTest::newRow("its stored form finds it") << 0 << u"#$22"_qs << QStringList{u"c.utx:1"_qs};
    QTest::newRow("an empty text finds nothing") << 3 << QString() << QStringList{};
    QTest::newRow("no accent, no match") << 0 << u"книга"_qs << QStringList{};
    QTest::newRow("before the accent, a partial match")
        << 0 << u"кни"_qs << QStringList{u"a.utx:1"_qs, u"b.utx:1"_qs};
    QTest::newRow("numbered as the word list, past a skipped line")
        << 3 << u"猫"_qs << QStringList{u"*c.utx:2"_qs};
    QTest::newRow("the header lines are not searched") << 3 << u"単語理解"_qs << QStringList{};
    QTest::newRow("a UTF-8 book is searched") << 3 << u"犬"_qs << QStringList{u"*d.utx:1"_qs};
}

void TestBookSearch::search()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QStringList, hits);
    QTemporaryDir dir;
    writeFile(dir.filePath(u"a.utx"_qs),
              book(u"A"_qs, {line(u"кни́га"_qs, u"本棚"_qs), line(u"том"_qs, u"本"_qs),
                             line(u"дом"_qs, u"家"_qs), line(u"дом2"_qs, u"家"_qs)}));
    writeFile(dir.filePath(u"b.utx"_qs), book(u"B"_qs, {line(u"кни́жка"_qs, u"小さい本"_qs)}));
    writeFile(dir.filePath(u"c.utx"_qs), book(u"C"_qs, {line(u"#$22да#$22"_qs, u"はい"_qs),
                                                        u"broken"_qs, line(u"кот"_qs, u"猫"_qs)}));
    writeFile(dir.filePath(u"d.utx"_qs),
              (u"D\n組\n単語理解\n"_qs + line(u"пёс"_qs, u"犬"_qs)).toUtf8());
    QStringList found;
    for (const SearchHit &hit : SearchBookFolder(dir.path(), field, text))
        found << (hit.exact ? u"*"_qs : QString()) + hit.fileName + u':' +
                     QString::number(hit.number);
    QCOMPARE(found, hits);
}

// The one-pass count against the lines that the entry parser takes.
void TestBookSearch::countEntryLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("entries");
    const QString plain = u"\"a\",\"b\",\"c\",\"d\",\"e\",\"f\""_qs;
    QTest::newRow("CR LF, LF, lone CR")
        << plain + u"\r\n"_qs + plain + u'\n' + plain + u'\r' + plain << 4;
    QTest::newRow("blank lines and CR CR LF") << u"\r\n"_qs + plain + u"\r\r\n\n"_qs + plain << 2;
    QTest::newRow("a doubled mark and #$22") << u"\"a\"\"b\",\"\",\"\",\"#$22\",\"\",\"\""_qs << 1;
    QTest::newRow("unquoted items") << u"a,b,c,d,e,f"_qs << 1;
    QTest::newRow("five and seven items")
        << u"\"a\",\"b\",\"c\",\"d\",\"e\"\n"_qs + plain + u",\"g\""_qs << 0;
    QTest::newRow("a space after the last mark") << plain + u' ' << 1;
    QTest::newRow("a space between items") << u"\"a\", \"b\",\"c\",\"d\",\"e\",\"f\""_qs << 1;
    QTest::newRow("a line break inside a quoted item")
        << u"\"a\",\"b\nc\",\"d\",\"e\",\"f\",\"g\""_qs << 0;
    QTest::newRow("text before the first mark") << u"x\"a\",\"b\",\"c\",\"d\",\"e\",\"f\""_qs << 1;
    QTest::newRow("a mark ends the text") << plain + u"\n\""_qs << 1;
}

void TestBookSearch::countEntryLines()
{
    QFETCH(QString, text);
    QFETCH(int, entries);
    int parsed = 0;
    WordEntry entry;
    ForEachLine(text, [&](QStringView line) { parsed += ParseEntryLine(line, entry); });
    QCOMPARE(parsed, entries);
    QCOMPARE(CountEntryLines(text), entries);
}

QTEST_GUILESS_MAIN(TestBookSearch)
#include "tst_booksearch.moc"
