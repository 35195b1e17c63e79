#include "core/readfile.h"
#include "core/textlines.h"
#include "practice/practicebooks.h"
#include "testenv.h"
#include "wordbook/booksearch.h"
#include "wordbook/shelf.h"
#include "wordbook/wordbookfile.h"
#include "wordbook/wordlistmodel.h"

#include <QRegularExpression>
#include <QtTest>
#include <functional>
#include <sys/stat.h>

using Entries = QList<WordEntry>;

namespace {

WordEntry entry(const QString &russian, const QString &cue = {}, const QString &kana = {},
                const QString &japanese = {}, const QString &remarks = {})
{
    return {{russian, cue, kana, japanese, remarks}};
}

// A file's bytes as UTF-16 little-endian, with or without FF FE.
QByteArray utf16(const QString &text, bool mark = true)
{
    const QByteArray bytes = EncodeUtf16LeBom(text);
    return mark ? bytes : bytes.sliced(2);
}

// As some editors write UTF-16: big-endian, after FE FF.
QByteArray utf16BigEndian(const QString &text)
{
    QByteArray bytes("\xFE\xFF", 2);
    for (QChar c : text)
        bytes.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    return bytes;
}

const QString kHeader = u"題\r\n組\r\n単語理解\r\n"_qs;

} // namespace

namespace QTest {
template <> char *toString(const WordEntry &e)
{
    return toString(QStringList(e.fields.begin(), e.fields.end()).join(u'|'));
}
} // namespace QTest

class TestWordBookFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void writtenBytes();
    void reading_data();
    void reading();
    void shelfRows_data();
    void shelfRows();
    void listingAFolder();
    void filesThatAreNoBookAreSkipped_data();
    void filesThatAreNoBookAreSkipped();
    void saveLeftoversAreCleared_data();
    void saveLeftoversAreCleared();
    void shelfGroupOrder();
    void sortByColumn_data();
    void sortByColumn();
};

void TestWordBookFile::roundTrip_data()
{
    QTest::addColumn<WordEntry>("written");
    QTest::addColumn<QString>("stored"); // a piece of the file's text
    QTest::newRow("commas and spaces") << entry(u"да, нет"_qs, u" a , b "_qs) << u"\" a , b \""_qs;
    QTest::newRow("quotation marks")
        << entry(u"\"да\""_qs, u"\"\""_qs) << u"\"#$22да#$22\",\"#$22#$22\""_qs;
    QTest::newRow("remarks line breaks")
        << entry(u"да"_qs, {}, {}, {}, u"один#$0Dдва"_qs) << u"\"один#$0Dдва\""_qs;
    QTest::newRow("all empty") << entry({}) << u"\"\",\"\",\"\",\"\",\"\",\"\""_qs;
    QTest::newRow("Japanese and IPA")
        << entry(u"приве́т"_qs, u"prʲɪˈvʲet"_qs, u"プリヴェート"_qs, u"やあ"_qs, u"挨拶"_qs)
        << u"\"приве́т\",\"prʲɪˈvʲet\",\"プリヴェート\",\"やあ\",\"挨拶\",\"\""_qs;
    QTest::newRow("CR LF elsewhere is stored as in the remarks")
        << entry(u"да\r\nнет"_qs) << u"\"да#$0Dнет\""_qs;
    QTest::newRow("a lone LF") << entry(u"да\nнет"_qs) << u"\"да#$0Dнет\""_qs;
    QTest::newRow("a lone CR") << entry(u"да\rнет"_qs) << u"\"да#$0Dнет\""_qs;
    // Larger than the writer's buffer, so the field is written in pieces.
    QTest::newRow("a field of 300,000 units")
        << entry(QString(300000, u'д'), u"\"a\""_qs) << u"дд\",\"#$22a#$22\""_qs;
}

void TestWordBookFile::roundTrip()
{
    QFETCH(WordEntry, written);
    QFETCH(QString, stored);
    const QByteArray bytes =
        WordBookBytes({u"T"_qs, u"G"_qs, QuestionType::Vocabulary, {written, entry(u"после"_qs)}});
    QVERIFY(DecodeWordBook(bytes).contains(stored));
    const ParsedWordBook parsed = ParseWordBook(DecodeWordBook(bytes));
    QVERIFY(parsed.isBook);
    QCOMPARE(parsed.skippedLines, 0);
    WordEntry expected = written;
    expected[EntryField::Russian].replace(QRegularExpression(u"\r\n|\r|\n"_qs), u"#$0D"_qs);
    QCOMPARE(parsed.book.entries, (Entries{expected, entry(u"после"_qs)}));
}

void TestWordBookFile::writtenBytes()
{
    const QByteArray bytes = WordBookBytes({u"挨拶"_qs,
                                            u"基本\nG"_qs,
                                            QuestionType::Composition,
                                            {entry(u"да"_qs, u"da"_qs, u"ダー"_qs, u"はい"_qs)}});
    QCOMPARE(bytes, utf16(u"挨拶\r\n基本 G\r\n作文問題\r\n"
                          u"\"да\",\"da\",\"ダー\",\"はい\",\"\",\"\"\r\n"_qs));
}

void TestWordBookFile::reading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("isBook");
    QTest::addColumn<int>("type");
    QTest::addColumn<Entries>("entries");
    QTest::addColumn<int>("skipped");
    const QString line = u"\"да\",\"da\",\"ダー\",\"はい\",\"\",\"\""_qs;
    const Entries da{entry(u"да"_qs, u"da"_qs, u"ダー"_qs, u"はい"_qs)};
    const int vb = int(QuestionType::Vocabulary);
    QTest::newRow("three lines") << utf16(kHeader) << true << vb << Entries{} << 0;
    QTest::newRow("two lines") << utf16(u"題\r\n組\r\n"_qs) << false << vb << Entries{} << 0;
    QTest::newRow("empty file") << QByteArray() << false << vb << Entries{} << 0;
    QTest::newRow("no byte-order mark") << utf16(kHeader + line, false) << true << vb << da << 0;
    QTest::newRow("LF and CR") << utf16(u"題\n組\r単語理解\n"_qs + line) << true << vb << da << 0;
    QTest::newRow("Composition") << utf16(u"題\r\n組\r\nComposition\r\n"_qs) << true
                                 << int(QuestionType::Composition) << Entries{} << 0;
    QTest::newRow("Fill_in_the_Blank") << utf16(u"題\r\n組\r\nFill_in_the_Blank\r\n"_qs) << true
                                       << int(QuestionType::FillInBlank) << Entries{} << 0;
    QTest::newRow("misspelt type")
        << utf16(u"題\r\n組\r\nvocabulary_building\r\n"_qs) << true << vb << Entries{} << 0;
    QTest::newRow("full-width space in type")
        << utf16(u"題\r\n組\r\n作文問題　\r\n"_qs) << true << vb << Entries{} << 0;
    QTest::newRow("five plain fields and a trailing comma")
        << utf16(kHeader + u"a,b,c,d,e,"_qs) << true << vb
        << Entries{entry(u"a"_qs, u"b"_qs, u"c"_qs, u"d"_qs, u"e"_qs)} << 0;
    QTest::newRow("six plain fields, a space in the first")
        << utf16(kHeader + u"a b,c,d,e,f,g\r\n"_qs + line) << true << vb << da << 1;
    QTest::newRow("five quoted fields")
        << utf16(kHeader + u"\"a\",\"b\",\"c\",\"d\",\"e\"\r\n"_qs + line) << true << vb << da << 1;
    QTest::newRow("seven fields and an empty line")
        << utf16(kHeader + line + u",\"x\"\r\n\r\n"_qs + line) << true << vb << da << 2;
    QTest::newRow("reserved field ignored")
        << utf16(kHeader + u"\"да\",\"da\",\"ダー\",\"はい\",\"\",\"что-то\""_qs) << true << vb
        << da << 0;
    QTest::newRow("doubled marks made single before the escapes")
        << utf16(kHeader + u"\"a\"\"b\",\"#$\"\"22\",\"#$22c\",\"d\"\"\",\"\"\"\",\"\""_qs) << true
        << vb << Entries{entry(u"a\"b"_qs, u"#$\"22"_qs, u"\"c"_qs, u"d\""_qs, u"\""_qs)} << 0;
    QTest::newRow("plain items keep their marks, escapes decoded")
        << utf16(kHeader + u"a\"b,#$22,c#,d,\u0001e\t,"_qs) << true << vb
        << Entries{entry(u"a\"b"_qs, u"\""_qs, u"c#"_qs, u"d"_qs, u"e"_qs)} << 0;
    QTest::newRow("items apart by blanks or by nothing after a mark")
        << utf16(kHeader + u" \"a\" \"b\"c , \"d\"\t,e \"f\""_qs) << true << vb
        << Entries{entry(u"a"_qs, u"b"_qs, u"c"_qs, u"d"_qs, u"e"_qs)} << 0;
    QTest::newRow("an unclosed last item runs to the line end")
        << utf16(kHeader + u"\"a\",\"b\",\"c\",\"d\",\"e\",\"f\r\n"_qs + line) << true << vb
        << Entries{entry(u"a"_qs, u"b"_qs, u"c"_qs, u"d"_qs, u"e"_qs), da.first()} << 0;
    QTest::newRow("an unclosed item takes the commas after it")
        << utf16(kHeader + u"\"a\",\"b,c,d,e,f\r\n"_qs + line) << true << vb << da << 1;
    QTest::newRow("a mark inside a quoted item closes it")
        << utf16(kHeader + u"\"a\",\"b,\"c\",\"d\",\"e\",\"\""_qs) << true << vb
        << Entries{entry(u"a"_qs, u"b,"_qs, u"c\""_qs, u"d"_qs, u"e"_qs)} << 0;
    QTest::newRow("a zero code unit is no blank")
        << utf16(kHeader + u"\"a\",\"b\",\"c\",\"d\",\"e\",\"\"\0"_qs) << true << vb << Entries{}
        << 1;
    QTest::newRow("UTF-8 with mark")
        << (QByteArray("\xEF\xBB\xBF") + (kHeader + line).toUtf8()) << true << vb << da << 0;
    QTest::newRow("UTF-8 without mark") << (kHeader + line).toUtf8() << true << vb << da << 0;
    QTest::newRow("UTF-16 that starts like the UTF-8 mark")
        << QByteArray("\xEF\xBB\xBF\x00\r\0\n\0\r\0\n\0", 12) << false << vb << Entries{} << 0;
    QTest::newRow("UTF-16 big-endian with mark")
        << utf16BigEndian(kHeader + line) << true << vb << da << 0;
    QTest::newRow("invalid UTF-8 is read as UTF-16")
        << QByteArray("\xFF\x41\r\0\n\0", 6) << false << vb << Entries{} << 0;
}

void TestWordBookFile::reading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, isBook);
    QFETCH(int, type);
    QFETCH(Entries, entries);
    QFETCH(int, skipped);
    const ParsedWordBook parsed = ParseWordBook(DecodeWordBook(bytes));
    QCOMPARE(parsed.isBook, isBook);
    if (!isBook)
        return;
    QCOMPARE(parsed.book.title, u"題"_qs);
    QCOMPARE(parsed.book.group, u"組"_qs);
    QCOMPARE(int(parsed.book.type), type);
    QCOMPARE(parsed.book.entries, entries);
    QCOMPARE(parsed.skippedLines, skipped);
}

void TestWordBookFile::shelfRows_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("cells"); // empty: not listed
    const QString line = u"\"да\",\"\",\"\",\"\",\"\",\"\"\r\n"_qs;
    QTest::newRow("empty book") << utf16(kHeader)
                                << QStringList{u"題"_qs, u"b.utx"_qs, u"組"_qs, u"0"_qs, u"VB"_qs};
    QTest::newRow("malformed lines count")
        << utf16(kHeader + line + u"x y\r\n\r\n"_qs + line)
        << QStringList{u"題"_qs, u"b.utx"_qs, u"組"_qs, u"4"_qs, u"VB"_qs};
    QTest::newRow("Fill_in_the_Blank")
        << utf16(u"題\r\n組\r\nFill_in_the_Blank"_qs)
        << QStringList{u"題"_qs, u"b.utx"_qs, u"組"_qs, u"0"_qs, u"FB"_qs};
    QTest::newRow("作文問題") << utf16(u"題\r\n組\r\n作文問題\r\n"_qs + line)
                              << QStringList{u"題"_qs, u"b.utx"_qs, u"組"_qs, u"1"_qs, u"CO"_qs};
    QTest::newRow("two lines") << utf16(u"題\r\n組\r\n"_qs) << QStringList{};
}

void TestWordBookFile::shelfRows()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, cells);
    const std::optional<ShelfRow> row = ShelfRowOf(bytes, u"b.utx"_qs);
    QCOMPARE(row.has_value(), !cells.isEmpty());
    if (row)
        QCOMPARE(row->cells(), cells);
}

void TestWordBookFile::listingAFolder()
{
    QTemporaryDir dir;
    writeFile(dir.filePath(u"b.utx"_qs), utf16(kHeader));
    writeFile(dir.filePath(u"a.utx"_qs), utf16(kHeader));
    writeFile(dir.filePath(u"short.utx"_qs), utf16(u"題\r\n"_qs));
    writeFile(dir.filePath(u"a.utx.bak"_qs), utf16(kHeader));
    writeFile(dir.filePath(u"notes.txt"_qs), utf16(kHeader));
    QDir(dir.path()).mkdir(u"folder.utx"_qs);
    QStringList names;
    for (const ShelfRow &row : ListBookFolder(dir.path()))
        names << row.fileName;
    QCOMPARE(names, (QStringList{u"a.utx"_qs, u"b.utx"_qs}));
    QVERIFY(ListBookFolder(dir.filePath(u"missing"_qs)).isEmpty());
}

using Place = std::function<void(const QString &path)>;
Q_DECLARE_METATYPE(Place)

// A shared folder may hold what only looks like a book: a link to a device is read without
// end, a file far larger than a book takes the memory. Every reader skips such a file; the
// shelf names it, and opening it says why.
void TestWordBookFile::filesThatAreNoBookAreSkipped_data()
{
    QTest::addColumn<Place>("prepare");
    QTest::addColumn<QString>("reason");
    for (const auto *device : {"/dev/zero", "/dev/urandom"})
        QTest::addRow("link to %s", device) << Place([device](const QString &path) {
            QVERIFY(QFile::link(QString::fromLatin1(device), path));
        }) << u"通常のファイルではありません"_qs;
    QTest::newRow("pipe") << Place([](const QString &path) {
        QVERIFY(mkfifo(qPrintable(path), 0600) == 0);
    }) << u"通常のファイルではありません"_qs;
    QTest::newRow("larger than a book can be") << Place([](const QString &path) {
        writeFile(path, utf16(kHeader));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(qint64(300) << 20)); // sparse: nothing is written
    }) << u"大きすぎます。大きさは 300.0 MB"_qs;
}

void TestWordBookFile::filesThatAreNoBookAreSkipped()
{
    QFETCH(Place, prepare);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    writeFile(dir.filePath(u"a.utx"_qs),
              utf16(kHeader + u"\"да\",\"\",\"\",\"はい\",\"\",\"\"\r\n"_qs));
    const QString path = dir.filePath(u"b.utx"_qs);
    prepare(path);

    QStringList skipped;
    QStringList names;
    for (const ShelfRow &row : ListBookFolder(dir.path(), &skipped))
        names << row.fileName;
    QCOMPARE(names, QStringList{u"a.utx"_qs});
    QCOMPARE(skipped.size(), 1);
    QVERIFY2(skipped[0].startsWith(u"b.utx："_qs) && skipped[0].contains(reason),
             qPrintable(skipped[0]));

    const WordBookFile file = ReadWordBook(path);
    QCOMPARE(file.status, WordBookFile::Status::Unreadable);
    QVERIFY2(file.error.contains(reason), qPrintable(file.error));
    QCOMPARE(ListPracticeBooks(dir.path()).size(), 1);
    QCOMPARE(SearchBookFolder(dir.path(), 0, u"да"_qs).size(), 1);
}

// A save killed between writing its temporary copy and renaming it leaves the copy; the shelf
// removes such copies, and only them.
void TestWordBookFile::saveLeftoversAreCleared_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("ageSeconds");
    QTest::addColumn<bool>("removed");
    QTest::newRow("copy of a book") << u"a.utx.eEwChu"_qs << u"file"_qs << 120 << true;
    QTest::newRow("copy of a book gone since") << u"x.utx.PyyyDJ"_qs << u"file"_qs << 120 << true;
    QTest::newRow("a save in progress") << u"a.utx.eEwChu"_qs << u"file"_qs << 5 << false;
    QTest::newRow("a word") << u"a.utx.backup"_qs << u"file"_qs << 120 << false;
    QTest::newRow("a capitalised word") << u"a.utx.Backup"_qs << u"file"_qs << 120 << false;
    QTest::newRow("an upper-case word") << u"a.utx.BACKUP"_qs << u"file"_qs << 120 << false;
    QTest::newRow("a digit") << u"a.utx.eEw1hu"_qs << u"file"_qs << 120 << false;
    QTest::newRow("seven letters") << u"a.utx.eEwChuX"_qs << u"file"_qs << 120 << false;
    QTest::newRow("the backup") << u"a.utx.bak"_qs << u"file"_qs << 120 << false;
    QTest::newRow("copy of another file") << u"a.txt.eEwChu"_qs << u"file"_qs << 120 << false;
    QTest::newRow("a link") << u"a.utx.eEwChu"_qs << u"link"_qs << 120 << false;
    QTest::newRow("a folder") << u"a.utx.eEwChu"_qs << u"folder"_qs << 120 << false;
}

void TestWordBookFile::saveLeftoversAreCleared()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(int, ageSeconds);
    QFETCH(bool, removed);
    QTemporaryDir dir;
    const QString book = dir.filePath(u"a.utx"_qs);
    const QString path = dir.filePath(name);
    writeFile(book, utf16(kHeader));
    if (kind == u"file")
        writeFile(path, utf16(kHeader));
    else if (kind == u"link")
        QVERIFY(QFile::link(book, path));
    else
        QVERIFY(QDir().mkpath(path));
    for (const QString &aged : {book, path}) {
        QFile file(aged);
        if (file.open(QIODevice::ReadWrite))
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                                     QFileDevice::FileModificationTime));
    }
    QCOMPARE(ListBookFolder(dir.path()).size(), 1);
    QCOMPARE(QFileInfo::exists(path), !removed);
    QVERIFY(QFileInfo(book).isFile());
}

void TestWordBookFile::shelfGroupOrder()
{
    const auto row = [](const QString &title, const QString &group) {
        return QStringList{title, {}, group};
    };
    QList<QStringList> rows{row(u"1"_qs, u"b"_qs), row(u"2"_qs, u"a"_qs), row(u"3"_qs, u"b"_qs),
                            row(u"4"_qs, u"B"_qs)};
    const auto titles = [&rows] {
        QString order;
        for (const QStringList &r : rows)
            order += r[0];
        return order;
    };
    SortShelfByGroup(rows, 1);
    QCOMPARE(titles(), u"4213"_qs);
    SortShelfByGroup(rows, -1);
    QCOMPARE(titles(), u"1324"_qs);
}

void TestWordBookFile::sortByColumn_data()
{
    QTest::addColumn<bool>("russianFirst");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("order"); // the kana of the rows, which name them
    QTest::newRow("Russian in column 4") << false << 4 << 1 << u"アヤガ"_qs;
    QTest::newRow("Japanese keeps case") << true << 4 << 1 << u"ヤアガ"_qs;
}

void TestWordBookFile::sortByColumn()
{
    QFETCH(bool, russianFirst);
    QFETCH(int, column);
    QFETCH(int, direction);
    QFETCH(QString, order);
    WordListModel model;
    model.setRussianFirst(russianFirst);
    model.setEntries({entry(u"Яблоко"_qs, {}, u"ヤ"_qs, u"Z"_qs),
                      entry(u"ёж"_qs, {}, u"ガ"_qs, u"b"_qs),
                      entry(u"арбуз"_qs, {}, u"ア"_qs, u"a"_qs)});
    model.sortByColumn(column, direction);
    QString kana;
    for (int row = 0; row < model.rowCount(); ++row)
        kana += model.cell(row, WordListModel::Kana);
    QCOMPARE(kana, order);
    QCOMPARE(model.cell(2, WordListModel::Number), u"3"_qs);
}

QTEST_GUILESS_MAIN(TestWordBookFile)
#include "tst_wordbookfile.moc"
