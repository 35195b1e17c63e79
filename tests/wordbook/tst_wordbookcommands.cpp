#include "core/settingstable.h"
#include "core/textlines.h"
#include "core/ulib.h"
#include "filesizelimit.h"
#include "modalanswer.h"
#include "testenv.h"
#include "widgets/mainactions.h"
#include "wordbook/reportmodel.h"
#include "wordbook/reportview.h"
#include "wordbook/wordbookcommands.h"
#include "wordbook/wordbookfile.h"
#include "wordbook/wordbookpage.h"
#include "wordbook/wordlistmodel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

namespace {

const QString kLine = u"\"%1\",\"%2\",\"%3\",\"%4\",\"\",\"\"\r\n"_qs;

QByteArray book(const QString &type, const QStringList &lines)
{
    return EncodeUtf16LeBom(u"題\r\n組\r\n"_qs + type + u"\r\n"_qs + lines.join(QString()));
}

QString line(const QString &russian, const QString &cue, const QString &kana,
             const QString &japanese)
{
    return kLine.arg(russian, cue, kana, japanese);
}

// The three words of the sort, named by their kana.
QByteArray threeWords()
{
    return book(u"単語理解"_qs, {line(u"Яблоко"_qs, u"ja"_qs, u"ヤ"_qs, u"あ"_qs),
                                 line(u"ёж"_qs, u"jo"_qs, u"ガ"_qs, u"ん"_qs),
                                 line(u"арбуз"_qs, u"a"_qs, u"ア"_qs, u"す"_qs)});
}

} // namespace

class TestWordBookCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void opensASampleBookFromTheShelfByClicking();
    void sort_data();
    void sort();
    void listOrderSwitchLeavesTheFile();
    void automaticShelfClosing_data();
    void automaticShelfClosing();
    void failedWriteKeepsTheChange();
    void discardingTheChange_data();
    void discardingTheChange();
    void utf8BookOpensReadable();
    void skippedLinesAreKeptInABackup();
    void doubleClick_data();
    void doubleClick();
    void classAndFolderSelection();

private:
    void build();
    QString folder() const { return Dirs.CatFolder; }
    void open(const QString &fileName, const QByteArray &bytes);
    QString kanaOrder() const;
    void clickHeader(int column);

    std::unique_ptr<TempHome> m_home;
    std::unique_ptr<QWidget> m_window;
    MainActions *m_actions = nullptr;
    WordBookPage *m_page = nullptr;
    WordBookCommands *m_commands = nullptr;
    QStringList m_status{QString(), QString()};
};

void TestWordBookCommands::init()
{
    m_home = std::make_unique<TempHome>();
    InitSysVars();
    InitUsrVars(false, 0xFFFFE1);
    Dirs.UsrFolder = m_home->docsDir();
    for (const QString &className : EUName) {
        for (const char *bookFolder : {"/bookA", "/bookG", "/bookS"})
            QDir().mkpath(Dirs.UsrFolder + u'/' + className + QLatin1StringView(bookFolder));
    }
}

void TestWordBookCommands::build()
{
    m_window = std::make_unique<QWidget>();
    m_actions = new MainActions(m_window.get());
    m_page = new WordBookPage(m_actions, m_window.get());
    m_commands = new WordBookCommands(m_page, m_actions, m_window.get());
    connect(m_commands, &WordBookCommands::statusText, this,
            [this](int panel, const QString &text) { m_status[panel] = text; });
    auto *layout = new QVBoxLayout(m_window.get());
    layout->addWidget(m_page);
    m_window->resize(1100, 400);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_commands->SubFunction();
}

void TestWordBookCommands::cleanup()
{
    m_window.reset();
    m_home.reset();
}

// Writes a book into the folder on display, lists the folder and opens the book.
void TestWordBookCommands::open(const QString &fileName, const QByteArray &bytes)
{
    writeFile(folder() + u'/' + fileName, bytes);
    m_commands->SearchCatFolder();
    m_commands->WBMenuClick(fileName);
    QCOMPARE(Sys.TC_File, fileName);
}

QString TestWordBookCommands::kanaOrder() const
{
    QString kana;
    for (int row = 0; row < m_page->wordListModel()->rowCount(); ++row)
        kana += m_page->wordListModel()->cell(row, WordListModel::Kana);
    return kana;
}

void TestWordBookCommands::clickHeader(int column)
{
    QHeaderView *header = m_page->wordList()->header();
    const QPoint centre(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
}

void TestWordBookCommands::opensASampleBookFromTheShelfByClicking()
{
    const QString samples = QStringLiteral(KALVO_STAGE_DIR "/Shelf/Class0/bookA");
    for (const QString &name : QDir(samples).entryList(QDir::Files))
        QFile::copy(samples + u'/' + name, Dirs.UsrFolder + u"/Class0/bookA/"_qs + name);
    build();
    ReportModel *shelf = m_page->shelfModel();
    QCOMPARE(shelf->rowCount(), 2);
    QCOMPARE(shelf->cell(0, 1), u"aisatsu.utx"_qs);
    const int total = shelf->cell(0, 3).toInt() + shelf->cell(1, 3).toInt();
    QCOMPARE(m_status[1],
             u"●単語帳ﾌｫﾙﾀﾞ: "_qs + Dirs.ICatFolder + u"…["_qs + QString::number(total) + u']');
    QVERIFY(!m_page->wordList()->isEnabled());
    QVERIFY(!m_actions->RegWord->isEnabled());

    QSignalSpy focus(m_commands, &WordBookCommands::bookOpenedFromShelf);
    const QRect row = m_page->shelf()->visualRect(shelf->index(0, 0));
    QTest::mouseClick(m_page->shelf()->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(Sys.TC_File, u"aisatsu.utx"_qs);
    QCOMPARE(Sys.TC_Type, u"単語理解"_qs);
    QCOMPARE(m_status[0], u"●ﾀｲﾄﾙ : ["_qs + Sys.TC_Title + u']');
    QCOMPARE(focus.size(), 1);
    WordListModel *words = m_page->wordListModel();
    QCOMPARE(words->rowCount(), shelf->cell(0, 3).toInt());
    QCOMPARE(words->caption(WordListModel::Cue), u"発音記号"_qs);
    QVERIFY(!words->cell(0, WordListModel::First).isEmpty());
    QCOMPARE(words->cell(0, WordListModel::Number), u"1"_qs);
    QVERIFY(m_page->wordList()->isEnabled());
    QVERIFY(!m_page->shelfOpen());
    for (QAction *action :
         {m_actions->ChangeWBProperty, m_actions->RegWord, m_actions->DeleteWB, m_actions->CloseWB})
        QVERIFY(action->isEnabled());
    QVERIFY(!m_actions->ModWord->isEnabled());
    m_page->wordList()->selectRow(1);
    QVERIFY(m_actions->ModWord->isEnabled() && m_actions->DelWord->isEnabled());

    m_actions->CloseWB->trigger();
    QVERIFY(Sys.TC_File.isEmpty());
    QCOMPARE(words->rowCount(), 0);
    QVERIFY(m_page->shelfOpen());
    QVERIFY(!m_actions->RegWord->isEnabled() && !m_actions->ModWord->isEnabled());
}

void TestWordBookCommands::sort_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("order");
    QTest::newRow("Russian twice")
        << 0 << QStringList{u"はい(&Y)"_qs, u"はい(&Y)"_qs} << u"アヤガ"_qs;
    QTest::newRow("Russian once") << 0 << QStringList{u"はい(&Y)"_qs} << u"ガヤア"_qs;
    QTest::newRow("cancelled keeps the direction")
        << 0 << QStringList{u"いいえ(&N)"_qs, u"はい(&Y)"_qs} << u"ガヤア"_qs;
    QTest::newRow("Japanese") << 4 << QStringList{u"はい(&Y)"_qs} << u"ガアヤ"_qs;
    QTest::newRow("No asks nothing") << 1 << QStringList{} << u"ヤガア"_qs;
}

void TestWordBookCommands::sort()
{
    QFETCH(int, column);
    QFETCH(QStringList, answers);
    QFETCH(QString, order);
    build();
    open(u"sort.utx"_qs, threeWords());
    ModalRecord record;
    for (const QString &answer : answers) {
        AnswerNextBox(&record, answer);
        clickHeader(column);
    }
    QTRY_COMPARE(record.count, int(answers.size()));
    if (!answers.isEmpty())
        QVERIFY(record.text.startsWith(u"項目「"_qs + m_page->wordListModel()->caption(column)));
    QCOMPARE(kanaOrder(), order);
    // The file holds the list's order, Russian first.
    const ParsedWordBook stored =
        ParseWordBook(DecodeWordBook(readFile(folder() + u"/sort.utx"_qs)));
    QString storedOrder;
    for (const WordEntry &entry : stored.book.entries)
        storedOrder += entry[EntryField::Kana];
    QCOMPARE(storedOrder, order);
}

void TestWordBookCommands::listOrderSwitchLeavesTheFile()
{
    build();
    open(u"order.utx"_qs, threeWords());
    const QByteArray before = readFile(folder() + u"/order.utx"_qs);
    const std::array<int, 7> widths = m_page->columnWidths();
    QTest::mouseClick(m_page->findChild<QRadioButton *>(u"RadioButton2"_qs), Qt::LeftButton);
    WordListModel *words = m_page->wordListModel();
    QCOMPARE(words->cell(0, WordListModel::First), u"あ"_qs);
    QCOMPARE(words->cell(0, WordListModel::Fourth), u"Яблоко"_qs);
    QCOMPARE(m_page->columnWidths()[0], widths[4]);
    QCOMPARE(m_page->columnWidths()[4], widths[0]);
    QCOMPARE(readFile(folder() + u"/order.utx"_qs), before);
    ModalRecord record;
    AnswerNextBox(&record, u"はい(&Y)"_qs);
    clickHeader(WordListModel::Fourth);
    QTRY_COMPARE(record.count, 1);
    const ParsedWordBook stored =
        ParseWordBook(DecodeWordBook(readFile(folder() + u"/order.utx"_qs)));
    QCOMPARE(stored.book.entries.first()[EntryField::Russian], u"ёж"_qs);
}

void TestWordBookCommands::automaticShelfClosing_data()
{
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("calledFromElsewhere");
    QTest::addColumn<bool>("openAfter");
    QTest::newRow("checked") << true << false << false;
    QTest::newRow("unchecked") << false << false << true;
    QTest::newRow("search or practice") << true << true << true;
}

void TestWordBookCommands::automaticShelfClosing()
{
    QFETCH(bool, checked);
    QFETCH(bool, calledFromElsewhere);
    QFETCH(bool, openAfter);
    build();
    m_page->setAutoShelfClosing(checked);
    Sys.CallFlg = calledFromElsewhere;
    open(u"door.utx"_qs, threeWords());
    QCOMPARE(m_page->shelfOpen(), openAfter);
    m_actions->CloseWB->trigger();
    QVERIFY(m_page->shelfOpen());
}

void TestWordBookCommands::failedWriteKeepsTheChange()
{
    build();
    open(u"full.utx"_qs, threeWords());
    const QString path = folder() + u"/full.utx"_qs;
    const QByteArray before = readFile(path);
    const QString yes = u"はい(&Y)"_qs;
    const QString no = u"いいえ(&N)"_qs;
    ModalRecord boxes;
    {
        const FileSizeLimit full(16);
        // The sort question, then the warning.
        AnswerNextBox(&boxes, yes, 200, {yes});
        clickHeader(WordListModel::First);
        QTRY_COMPARE(boxes.count, 2);
        QCOMPARE(boxes.title, u"警告"_qs);
        QVERIFY2(boxes.text.contains(QDir::toNativeSeparators(path)), qPrintable(boxes.text));
        QVERIFY(boxes.text.contains(u"変更は単語リストに残っています"_qs));
        QCOMPARE(readFile(path), before);
        // Closing writes once more, warns again and asks; "No" keeps the book open.
        AnswerNextBox(&boxes, yes, 200, {no});
        m_actions->CloseWB->trigger();
        QTRY_COMPARE(boxes.count, 4);
        QVERIFY(boxes.text.contains(u"変更を破棄して続けますか"_qs));
        QCOMPARE(Sys.TC_File, u"full.utx"_qs);
        // So does choosing another book folder.
        AnswerNextBox(&boxes, yes, 200, {no});
        QTest::mouseClick(m_page->findChild<QAbstractButton *>(u"SpeedButton13"_qs),
                          Qt::LeftButton);
        QTRY_COMPARE(boxes.count, 6);
        QCOMPARE(Dirs.CatFolder, Dirs.ICatFolder);
        QVERIFY(m_page->findChild<QAbstractButton *>(u"SpeedButton12"_qs)->isChecked());
    }
    QCOMPARE(kanaOrder(), u"ガヤア"_qs);
    // With room on the disk again, closing writes the change without a question.
    m_actions->CloseWB->trigger();
    QVERIFY(Sys.TC_File.isEmpty());
    QCOMPARE(boxes.count, 6);
    const ParsedWordBook stored = ParseWordBook(DecodeWordBook(readFile(path)));
    QCOMPARE(stored.book.entries.first()[EntryField::Kana], u"ガ"_qs);
}

// The question whether to drop a change that could not be written defaults to "いいえ", so
// Enter keeps it; "はい" closes the book, so nothing that fails next can bring the change back.
void TestWordBookCommands::discardingTheChange_data()
{
    QTest::addColumn<bool>("enter"); // Enter pressed, else "はい"
    QTest::newRow("Enter keeps the change") << true;
    QTest::newRow("はい drops it for good") << false;
}

void TestWordBookCommands::discardingTheChange()
{
    QFETCH(bool, enter);
    build();
    open(u"full.utx"_qs, threeWords());
    const QString path = folder() + u"/full.utx"_qs;
    const QByteArray before = readFile(path);
    const QString yes = u"はい(&Y)"_qs;
    QString defaultButton;
    bool released = false;
    {
        const FileSizeLimit full(16);
        ModalRecord boxes;
        // The sort question and the warning; releasing warns again, then asks.
        AnswerNextBox(&boxes, yes, 200, {yes, yes});
        clickHeader(WordListModel::First);
        QTRY_COMPARE(boxes.count, 2);
        std::function<void()> answer = [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->text().contains(u"変更を破棄して続けますか"_qs)) {
                QTimer::singleShot(10, answer);
                return;
            }
            defaultButton = box->defaultButton()->text();
            if (enter) {
                QTest::keyClick(box, Qt::Key_Return);
                return;
            }
            for (QAbstractButton *button : box->buttons()) {
                if (button->text() == yes)
                    button->click();
            }
        };
        QTimer::singleShot(10, answer);
        released = m_commands->ReleaseCurrentWB();
    }
    QCOMPARE(defaultButton, u"いいえ(&N)"_qs);
    QCOMPARE(released, !enter);
    QCOMPARE(Sys.TC_File, enter ? u"full.utx"_qs : QString());
    // With room on the disk again, only a kept change is written.
    m_commands->SaveCurrentWB();
    QCOMPARE(readFile(path) == before, !enter);
}

void TestWordBookCommands::utf8BookOpensReadable()
{
    build();
    const QString text =
        u"題\n組\n単語理解\n"_qs + line(u"да"_qs, u"da"_qs, u"ダー"_qs, u"はい"_qs);
    open(u"utf8.utx"_qs, text.toUtf8());
    QCOMPARE(m_page->wordListModel()->cell(0, WordListModel::First), u"да"_qs);
    QCOMPARE(Sys.TC_Title, u"題"_qs);
    QVERIFY(m_commands->SaveCurrentWB());
    QVERIFY(readFile(folder() + u"/utf8.utx"_qs).startsWith("\xFF\xFE"));
}

void TestWordBookCommands::skippedLinesAreKeptInABackup()
{
    build();
    const QByteArray original =
        book(u"単語理解"_qs,
             {line(u"да"_qs, {}, {}, {}), u"broken line\r\n"_qs, line(u"нет"_qs, {}, {}, {})});
    ModalRecord notice;
    AnswerNextBox(&notice, u"はい(&Y)"_qs);
    open(u"skip.utx"_qs, original);
    QTRY_COMPARE(notice.count, 1);
    QVERIFY(notice.text.contains(u"1 行"_qs) && notice.text.contains(u"skip.utx.bak"_qs));
    QCOMPARE(m_page->wordListModel()->rowCount(), 2);
    QCOMPARE(m_page->shelfModel()->cell(0, 3), u"3"_qs);
    const QString backup = folder() + u"/skip.utx.bak"_qs;
    QVERIFY(!QFile::exists(backup));
    // Where the backup cannot be made, the book is not written either.
    QVERIFY(QDir().mkdir(backup));
    ModalRecord warning;
    AnswerNextBox(&warning, u"はい(&Y)"_qs);
    QVERIFY(!m_commands->SaveCurrentWB());
    QCOMPARE(warning.count, 1);
    QCOMPARE(readFile(folder() + u"/skip.utx"_qs), original);
    QVERIFY(QDir().rmdir(backup));
    QVERIFY(m_commands->SaveCurrentWB());
    QCOMPARE(readFile(backup), original);
    QCOMPARE(ParseWordBook(DecodeWordBook(readFile(folder() + u"/skip.utx"_qs))).skippedLines, 0);
    m_commands->CorrectNumbers(u"skip.utx"_qs);
    QCOMPARE(m_page->shelfModel()->cell(0, 3), u"2"_qs);
    m_commands->SearchCatFolder();
    QCOMPARE(m_page->shelfModel()->rowCount(), 1);
}

void TestWordBookCommands::doubleClick_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("kana");
    QTest::addColumn<QString>("ipaText");
    QTest::newRow("vocabulary") << u"単語理解"_qs << false << u"ja"_qs;
    QTest::newRow("vocabulary, kana mode") << u"単語理解"_qs << true << u"ヤ"_qs;
    QTest::newRow("fill in the blank") << u"空欄補充"_qs << false << QString();
    QTest::newRow("composition, kana mode") << u"Composition"_qs << true << u"ヤ"_qs;
}

void TestWordBookCommands::doubleClick()
{
    QFETCH(QString, type);
    QFETCH(bool, kana);
    QFETCH(QString, ipaText);
    build();
    Usr.KanaFlg = kana;
    open(u"click.utx"_qs, book(type, {line(u"Я#$0Dбы"_qs, u"ja"_qs, u"ヤ"_qs, u"私"_qs)}));
    QSignalSpy chosen(m_commands, &WordBookCommands::entryChosen);
    const QRect cell = m_page->wordList()->visualRect(m_page->wordListModel()->index(0, 0));
    // A view takes a double click only on the row its press went down on.
    QTest::mouseClick(m_page->wordList()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(m_page->wordList()->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen[0][0].toString(), u"Я\r\nбы"_qs);
    QCOMPARE(chosen[0][1].toString(), ipaText);
}

void TestWordBookCommands::classAndFolderSelection()
{
    writeFile(Dirs.UsrFolder + u"/Class1/bookS/s.utx"_qs, threeWords());
    build();
    QCOMPARE(Dirs.CatFolder, Dirs.UsrFolder + u"/Class0/bookA"_qs);
    QCOMPARE(m_status[1], u"●単語帳ﾌｫﾙﾀﾞ: "_qs + Dirs.CatFolder + u"…[0]"_qs);
    Usr.CFIndex = 2;
    m_page->findChild<QComboBox *>(u"ComboBox3"_qs)->setCurrentIndex(1);
    QCOMPARE(Usr.ClassRoom, 1);
    QCOMPARE(Dirs.CatFolder, Dirs.UsrFolder + u"/Class1/bookS"_qs);
    QCOMPARE(Dirs.ICatFolder, Dirs.UsrFolder + u"/Class1/bookA"_qs);
    QCOMPARE(m_page->shelfModel()->rowCount(), 1);
    QTest::mouseClick(m_page->findChild<QAbstractButton *>(u"SpeedButton13"_qs), Qt::LeftButton);
    QCOMPARE(Usr.CFIndex, 1);
    QCOMPARE(Dirs.CatFolder, Dirs.UsrFolder + u"/Class1/bookG"_qs);
    QCOMPARE(m_page->shelfModel()->rowCount(), 0);
}

QTEST_MAIN(TestWordBookCommands)
#include "tst_wordbookcommands.moc"
