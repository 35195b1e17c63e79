#include "wordbook/tableimport.h"

#include <QtTest>

namespace {

WordEntry entry(const QString &russian, const QString &cue, const QString &kana,
                const QString &japanese, const QString &remarks)
{
    return WordEntry{{russian, cue, kana, japanese, remarks}};
}

} // namespace

class TestTableImport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void decode_data();
    void decode();
    void parse_data();
    void parse();
    void bounds_data();
    void bounds();
    void entries_data();
    void entries();
    void exportReadsBack();
};

void TestTableImport::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("unicode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("replaced");
    const QString text = u"да,はい"_qs;
    QByteArray utf16le(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    QTest::newRow("UTF-8 with mark")
        << QByteArray("\xEF\xBB\xBF") + text.toUtf8() << true << text << 0;
    QTest::newRow("UTF-8") << text.toUtf8() << true << text << 0;
    QTest::newRow("UTF-16 with mark") << QByteArray("\xFF\xFE") + utf16le << true << text << 0;
    QTest::newRow("UTF-16 without mark") << utf16le << false << QString() << 0;
    QTest::newRow("Shift_JIS") << QByteArray("\x82\xcd\x82\xa2") << false << QString() << 0;
    QTest::newRow("Windows-1251") << QByteArray("\xe4\xe0") << false << QString() << 0;
    // A pair is kept; a high surrogate alone, or a low one, is not a character.
    QTest::newRow("UTF-16 with lone surrogates")
        << QByteArray("\xFF\xFE"
                      "a\0\x00\xD8,\0\x35\xD8\x00\xDC\x00\xDC",
                      14)
        << true << u"a\uFFFD,\U0001D400\uFFFD"_qs << 2;
    QTest::newRow("UTF-16 big-endian, lone at the end")
        << QByteArray("\xFE\xFF\0a\xD8\x00", 6) << true << u"a\uFFFD"_qs << 1;
}

void TestTableImport::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, unicode);
    const std::optional<TableText> table = DecodeTableFile(bytes);
    QCOMPARE(table.has_value(), unicode);
    if (!unicode)
        return;
    QTEST(table->text, "text");
    QTEST(table->replaced, "replaced");
}

void TestTableImport::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::newRow("spreadsheet CSV")
        << u"ロシア語,日本語\r\n\"да, да\",\"はい\r\nそう\"\r\n\"\"\"нет\"\"\",いいえ\r\n"_qs
        << QChar(u',')
        << QList<QStringList>{{u"ロシア語"_qs, u"日本語"_qs},
                              {u"да, да"_qs, u"はい\r\nそう"_qs},
                              {u"\"нет\""_qs, u"いいえ"_qs}};
    QTest::newRow("TSV, empty fields and lines, no last line break")
        << u"a\t\tc\n\n\tb\t\nd"_qs << QChar(u'\t')
        << QList<QStringList>{
               {u"a"_qs, QString(), u"c"_qs}, {QString(), u"b"_qs, QString()}, {u"d"_qs}};
    QTest::newRow("semicolons") << u"a;\"b;c\",d;e\r"_qs << QChar(u';')
                                << QList<QStringList>{{u"a"_qs, u"b;c,d"_qs, u"e"_qs}};
}

void TestTableImport::parse()
{
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QCOMPARE(GuessSeparator(text), separator);
    QTEST(ParseTable(text, separator).rows, "rows");
}

// Fields past the column bound are never built, and rows past the row bound never read.
void TestTableImport::bounds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("mostRows");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("widest");
    QTest::addColumn<bool>("cut");
    QTest::newRow("a million commas") << QString(1'000'000, u',') << 10 << 1 << 1'000'001 << false;
    QTest::newRow("a long field past the bound")
        << QString(kMostTableColumns, u',') + QString(1'000'000, u'x') + u"\nb"_qs << 10 << 2
        << kMostTableColumns + 1 << false;
    QTest::newRow("more rows than read") << u"a\nb\nc\nd"_qs << 2 << 2 << 1 << true;
    QTest::newRow("only empty lines after the bound") << u"a\nb\r\n\r\n"_qs << 2 << 2 << 1 << false;
}

void TestTableImport::bounds()
{
    QFETCH(QString, text);
    QFETCH(int, mostRows);
    const Table table = ParseTable(text, u',', mostRows);
    QTEST(int(table.rows.size()), "rows");
    QTEST(table.widest, "widest");
    QTEST(table.cut, "cut");
    for (const QStringList &row : table.rows) {
        QVERIFY(row.size() <= kMostTableColumns);
        QVERIFY(std::all_of(row.begin(), row.end(), [](const QString &f) { return f.size() < 2; }));
    }
}

void TestTableImport::entries_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("header");
    QTest::addColumn<QList<WordEntry>>("expected");
    QTest::addColumn<int>("leftOut");
    QTest::newRow("two columns, no header")
        << u"мама,お母さん\nпапа,\n,空\n\" дом \",家"_qs << false
        << QList<WordEntry>{entry(u"мама"_qs, {}, {}, u"お母さん"_qs, {}),
                            entry(u"дом"_qs, {}, {}, u"家"_qs, {})}
        << 2;
    QTest::newRow("English header in another order")
        << u"Japanese,Notes,Russian\nはい,\"一行目\n二行目\",да\n"_qs << true
        << QList<WordEntry>{entry(u"да"_qs, {}, {}, u"はい"_qs, u"一行目#$0D二行目"_qs)} << 0;
    QTest::newRow("five columns as exported")
        << u"r,c,k,j,n\nра,ra,ラ,ら,х"_qs << false
        << QList<WordEntry>{entry(u"r"_qs, u"c"_qs, u"k"_qs, u"j"_qs, u"n"_qs),
                            entry(u"ра"_qs, u"ra"_qs, u"ラ"_qs, u"ら"_qs, u"х"_qs)}
        << 0;
}

void TestTableImport::entries()
{
    QFETCH(QString, table);
    const QList<QStringList> rows = ParseTable(table, GuessSeparator(table)).rows;
    QTEST(LooksLikeHeader(rows.first()), "header");
    const ColumnMap columns = GuessColumns(rows.first(), int(rows.first().size()));
    const ImportedEntries imported = EntriesFromTable(rows, columns, LooksLikeHeader(rows.first()));
    QTEST(imported.entries, "expected");
    QTEST(imported.leftOut, "leftOut");
}

// A book exported and imported again gives the same entries: stress marks, quotes, tabs and
// line breaks in the remarks included.
void TestTableImport::exportReadsBack()
{
    const QList<WordEntry> book{
        entry(u"приве́т"_qs, u"prʲɪˈvʲet"_qs, u"プリヴェート"_qs, u"やあ"_qs, u"a#$0Db"_qs),
        entry(u"\"да\""_qs, u"d\ta"_qs, {}, u"はい"_qs, {})};
    const QByteArray bytes = TableBytesOf(book, u"発音記号"_qs);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QString text = DecodeTableFile(bytes).value().text;
    QVERIFY(text.startsWith(u"ロシア語\t発音記号\t発音カナ\t日本語\t備考\n"_qs));
    const QList<QStringList> rows = ParseTable(text, GuessSeparator(text)).rows;
    QVERIFY(LooksLikeHeader(rows.first()));
    const ImportedEntries imported =
        EntriesFromTable(rows, GuessColumns(rows.first(), int(rows.first().size())), true);
    QCOMPARE(imported.entries, book);
}

QTEST_GUILESS_MAIN(TestTableImport)
#include "tst_tableimport.moc"
