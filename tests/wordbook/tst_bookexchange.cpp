#include "core/folders.h"
#include "core/ulib.h"
#include "mainwin/tmainfrm.h"
#include "modalanswer.h"
#include "testenv.h"
#include "wordbook/bookexchange.h"
#include "wordbook/timportfrm.h"
#include "wordbook/tprintfrm.h"
#include "wordbook/wordbookcommands.h"
#include "wordbook/wordbookfile.h"
#include "wordbook/wordbookpage.h"
#include "wordbook/wordlistmodel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace {

QByteArray repeated(const QByteArray &line, qsizetype times)
{
    QByteArray bytes;
    bytes.reserve(line.size() * times);
    for (qsizetype i = 0; i < times; ++i)
        bytes += line;
    return bytes;
}

QByteArray utf16le(const QString &text)
{
    return QByteArray("\xFF\xFE") +
           QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
}

} // namespace

class TestBookExchange : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void importTwiceThenExportAndPrint();
    void boundedImport_data();
    void boundedImport();
};

// A spreadsheet's CSV imported twice (the second book gets a name of its own), then the open
// book exported as TSV; a sample book printed to PDF holds every entry, less its blanked
// Japanese.
void TestBookExchange::importTwiceThenExportAndPrint()
{
    TempHome home;
    SetFolderVars({home.path() + u"/.config"_qs, home.path() + u"/Documents"_qs,
                   QStringLiteral(KALVO_STAGE_DIR) + u"/../.."_qs});
    const QString csv = home.path() + u"/list.csv"_qs;
    const QString tsv = home.path() + u"/out.tsv"_qs;
    const QString pdf = home.path() + u"/out.pdf"_qs;
    writeFile(csv, "\xEF\xBB\xBF\xE3\x83\xAD\xE3\x82\xB7\xE3\x82\xA2\xE8\xAA\x9E,Japanese,Notes\r\n"
                   "\"\xD0\xB4\xD0\xB0, \xD0\xB4\xD0\xB0\",\xE3\x81\xAF\xE3\x81\x84,\"1\r\n2\"\r\n"
                   "\xD0\xBD\xD0\xB5\xD1\x82,,\r\n");
    TMainFrm frm;
    frm.show();
    QVERIFY(QTest::qWaitForWindowActive(&frm));
    auto *commands = frm.findChild<WordBookCommands *>();
    BookExchange exchange(
        commands,
        [&csv](QWidget *, const QString &, const QString &, const QString &) { return csv; },
        [&tsv, &pdf](QWidget *, const QString &, const QString &, const QString &filter) {
            return filter.contains(u"pdf"_qs) ? pdf : tsv;
        });

    ModalRecord report;
    for (const QString &expected : {u"list.utx"_qs, u"list_2.utx"_qs}) {
        QString summary;
        inDialog<TImportFrm>([&](TImportFrm *dialog) {
            QVERIFY(dialog->headerCheck()->isChecked());
            summary = dialog->findChild<QLabel *>(u"Summary"_qs)->text();
            AnswerNextBox(&report, u"OK"_qs);
            for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
                if (button->text() == u"取り込む"_qs)
                    button->click();
            }
        });
        exchange.ImportWBExecute();
        QCOMPARE(summary, u"取り込む単語：1　　ロシア語か日本語が空のため除く行：1"_qs);
        QTRY_COMPARE(report.count, expected == u"list.utx"_qs ? 1 : 2);
        QVERIFY(report.text.contains(u"1 語を取り込みました"_qs));
        QVERIFY(report.text.contains(u"1 行は取り込みませんでした"_qs));
        QCOMPARE(Sys.TC_File, expected);
    }
    const WordBookFile first = ReadWordBook(Dirs.CatFolder + u"/list.utx"_qs);
    QCOMPARE(first.parsed.book.title, u"list"_qs);
    const QList<WordEntry> imported{WordEntry{{u"да, да"_qs, {}, {}, u"はい"_qs, u"1#$0D2"_qs}}};
    QCOMPARE(first.parsed.book.entries, imported);

    AnswerNextBox(&report, u"OK"_qs);
    exchange.ExportWBExecute();
    QVERIFY(report.text.contains(u"1 語を"_qs));
    QVERIFY(readFile(tsv).startsWith("\xEF\xBB\xBF"));
    QCOMPARE(QString::fromUtf8(readFile(tsv)),
             u"ロシア語\t発音記号\t発音カナ\t日本語\t備考\nда, да\t\t\tはい\t\"1\n2\"\n"_qs);

    commands->WBMenuClick(u"aisatsu.utx"_qs);
    inDialog<TPrintFrm>([](TPrintFrm *dialog) {
        dialog->blankBox()->setCurrentIndex(1); // the Japanese column
        dialog->accept();
    });
    AnswerNextBox(&report, u"OK"_qs);
    exchange.PrintWBExecute();
    QTRY_VERIFY(report.text.contains(u"PDF で保存しました"_qs));
    QProcess text;
    text.start(u"pdftotext"_qs, {u"-enc"_qs, u"UTF-8"_qs, pdf, u"-"_qs});
    QVERIFY(text.waitForFinished());
    // Poppler's text breaks the word after a mark that the face moves onto its vowel, so marks
    // and white space are left out of the comparison.
    const auto bare = [](QString text) {
        return text.remove(QChar(0x0301)).remove(QRegularExpression(u"\\s"_qs));
    };
    const QString printed = bare(QString::fromUtf8(text.readAllStandardOutput()));
    const QList<WordEntry> &entries = commands->page()->wordListModel()->entries();
    QCOMPARE(entries.size(), 22);
    for (const WordEntry &entry : entries) {
        QVERIFY2(printed.contains(bare(entry[EntryField::Russian])),
                 qPrintable(entry[EntryField::Russian]));
        QVERIFY2(!printed.contains(entry[EntryField::Japanese]),
                 qPrintable(entry[EntryField::Japanese]));
    }
}

// Each bound of the import says what it left out: the file, columns, undecodable text, rows.
void TestBookExchange::boundedImport_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QSize>("preview"); // columns × rows; empty when no dialog opens
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QString>("report");
    const QByteArray pair = "\xD0\xB4\xD0\xB0,\xE3\x81\xAF\xE3\x81\x84\n"; // да,はい
    QTest::newRow("file too large")
        << repeated(pair, kLargestTableFile / pair.size() + 1) << QSize() << QString() << QString()
        << u"大きすぎるため、取り込みませんでした。\n取り込める表のファイルは 32 MB"_qs;
    QTest::newRow("columns past the bound")
        << repeated("r,j" + repeated(",x", 28) + '\n', 2) << QSize(kMostTableColumns, 2)
        << u"この表には 30 列あります。取り込めるのは最初の 20 列までで、列21から先は"_qs
        << u"取り込む単語：2"_qs << u"2 語を取り込みました"_qs;
    QTest::newRow("lone surrogate")
        << utf16le(u"a"_qs + QChar(0xDC00) + u",b\n"_qs) << QSize(2, 1)
        << u"文字として読めない部分 1 か所を「\uFFFD」に置き換えました。"_qs
        << u"取り込む単語：1"_qs << u"1 語を取り込みました"_qs;
    QTest::newRow("rows past the preview")
        << repeated(pair, 30) << QSize(2, 20) << QString()
        << u"表示した 20 行では、取り込む単語：20"_qs << u"30 語を取り込みました"_qs;
    QTest::newRow("rows past the bound")
        << repeated(pair, kMostTableRows + 5) << QSize(2, 20) << QString() << u"表示した"_qs
        << u"100000 語を取り込みました。\n一度に取り込めるのは 100000 行までのため"_qs;
}

void TestBookExchange::boundedImport()
{
    QFETCH(QByteArray, table);
    QFETCH(QSize, preview);
    TempHome home;
    SetFolderVars({home.path() + u"/.config"_qs, home.path() + u"/Documents"_qs,
                   QStringLiteral(KALVO_STAGE_DIR) + u"/../.."_qs});
    const QString csv = home.path() + u"/list.csv"_qs;
    writeFile(csv, table);
    TMainFrm frm;
    frm.show();
    QVERIFY(QTest::qWaitForWindowActive(&frm));
    auto *commands = frm.findChild<WordBookCommands *>();
    const auto chooser = [&csv](QWidget *, const QString &, const QString &, const QString &) {
        return csv;
    };
    BookExchange exchange(commands, chooser, chooser);

    ModalRecord box;
    QSize shown;
    QString shownNotice;
    QString shownSummary;
    // Only the dialog that is to come is waited for: a wait left over from a row without one
    // would take the next row's dialog, with this row's values gone.
    if (preview.isEmpty())
        AnswerNextBox(&box, u"はい(&Y)"_qs);
    else
        inDialog<TImportFrm>([&](TImportFrm *dialog) {
            const QAbstractItemModel *model =
                dialog->findChild<QTableView *>(u"Preview"_qs)->model();
            shown = QSize(model->columnCount(), model->rowCount());
            if (const auto *label = dialog->findChild<QLabel *>(u"Notice"_qs))
                shownNotice = label->text();
            shownSummary = dialog->findChild<QLabel *>(u"Summary"_qs)->text();
            AnswerNextBox(&box, u"はい(&Y)"_qs);
            for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
                if (button->text() == u"取り込む"_qs)
                    button->click();
            }
        });
    exchange.ImportWBExecute();
    QTRY_COMPARE(box.count, 1);
    QFETCH(QString, notice);
    QFETCH(QString, summary);
    QFETCH(QString, report);
    QCOMPARE(shown, preview);
    QVERIFY2(shownNotice.startsWith(notice) && shownNotice.isEmpty() == notice.isEmpty(),
             qPrintable(shownNotice));
    QVERIFY2(shownSummary.startsWith(summary), qPrintable(shownSummary));
    QVERIFY2(box.text.contains(report), qPrintable(box.text));
}

QTEST_MAIN(TestBookExchange)
#include "tst_bookexchange.moc"
