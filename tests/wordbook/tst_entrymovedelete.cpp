#include "core/settingstable.h"
#include "core/textlines.h"
#include "core/ulib.h"
#include "testenv.h"
#include "widgets/mainactions.h"
#include "wordbook/entrymovedelete.h"
#include "wordbook/reportmodel.h"
#include "wordbook/reportview.h"
#include "wordbook/shelf.h"
#include "wordbook/tmovefrm.h"
#include "wordbook/wordbookcommands.h"
#include "wordbook/wordbookfile.h"
#include "wordbook/wordbookpage.h"
#include "wordbook/wordlistmodel.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QtTest>

namespace {

const QString kFile = u"move.utx"_qs;

// A book of `count` entries whose kana are their first numbers.
QByteArray numberedBook(int count)
{
    QString text = u"題\r\n組\r\n単語理解\r\n"_qs;
    for (int number = 1; number <= count; ++number)
        text += u"\"r%1\",\"\",\"%1\",\"j%1\",\"\",\"\"\r\n"_qs.arg(number);
    return EncodeUtf16LeBom(text);
}

QString kanaOrder(const QList<WordEntry> &entries)
{
    QStringList kana;
    for (const WordEntry &entry : entries)
        kana.append(entry[EntryField::Kana]);
    return kana.join(u' ');
}

const QString kUnmoved = u"1 2 3 4 5 6 7 8 9 10"_qs;

// The position selector's items for these numbers.
QStringList positionItems(std::initializer_list<int> numbers)
{
    QStringList items;
    for (int number : numbers)
        items.append(u"     "_qs + QString::number(number));
    return items;
}

void PressButton(QWidget *dialog, const QString &text)
{
    for (auto *button : dialog->findChildren<QPushButton *>()) {
        if (button->text() == text)
            button->click();
    }
}

// Presses the button `text` of the next modal dialog and records its place and size.
void ClickInNextDialog(const QString &text, QRect *shown, int attempts = 200)
{
    QTimer::singleShot(10, qApp, [=] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog) {
            if (attempts > 0)
                ClickInNextDialog(text, shown, attempts - 1);
            return;
        }
        *shown = QRect(dialog->pos(), dialog->size());
        PressButton(dialog, text);
    });
}

} // namespace

class TestEntryMoveDelete : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void positions_data();
    void positions();
    void move_data();
    void move();
    void deleteEntry_data();
    void deleteEntry();

private:
    // Opens a book of `count` entries with entry No `selected` selected.
    void open(int count, int selected);
    QString listOrder() const { return kanaOrder(m_page->wordListModel()->entries()); }
    QString fileOrder() const;

    std::unique_ptr<TempHome> m_home;
    std::unique_ptr<QWidget> m_window;
    MainActions *m_actions = nullptr;
    WordBookPage *m_page = nullptr;
    EntryMoveDelete *m_entries = nullptr;
};

void TestEntryMoveDelete::open(int count, int selected)
{
    m_home = std::make_unique<TempHome>();
    InitSysVars();
    InitUsrVars(false, 0xFFFFE1);
    Dirs.UsrFolder = m_home->docsDir();
    writeFile(Dirs.UsrFolder + u"/Class0/bookA/"_qs + kFile, numberedBook(count));
    m_window = std::make_unique<QWidget>();
    m_actions = new MainActions(m_window.get());
    m_page = new WordBookPage(m_actions, m_window.get());
    auto *commands = new WordBookCommands(m_page, m_actions, m_window.get());
    m_entries = new EntryMoveDelete(commands);
    m_window->setGeometry(100, 80, 1100, 400);
    m_window->show();
    commands->SubFunction();
    commands->WBMenuClick(kFile);
    QCOMPARE(Sys.TC_File, kFile);
    m_page->wordList()->selectRow(selected - 1);
}

QString TestEntryMoveDelete::fileOrder() const
{
    return kanaOrder(ReadWordBook(Dirs.CatFolder + u'/' + kFile).parsed.book.entries);
}

void TestEntryMoveDelete::cleanup()
{
    m_window.reset();
    m_home.reset();
}

void TestEntryMoveDelete::positions_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("afterMove");
    QTest::newRow("No 3 of 5") << 5 << 3 << positionItems({1, 2, 5}) << u"2"_qs << u"1 3 2 4 5"_qs;
    QTest::newRow("last of 5") << 5 << 5 << positionItems({1, 2, 3, 4}) << u"4"_qs
                               << u"1 2 3 5 4"_qs;
    QTest::newRow("first of 5") << 5 << 1 << positionItems({3, 4, 5}) << QString()
                                << u"1 2 3 4 5"_qs;
    QTest::newRow("one entry") << 1 << 1 << positionItems({}) << QString() << u"1"_qs;
    QTest::newRow("No 9 of 11") << 11 << 9 << positionItems({1, 2, 3, 4, 5, 6, 7, 8, 11}) << u"8"_qs
                                << u"1 2 3 4 5 6 7 9 8 10 11"_qs;
}

// The selector as the dialog opens, sized as a plain combo box of its items, and "移動" with
// the position it starts at.
void TestEntryMoveDelete::positions()
{
    QFETCH(int, count);
    QFETCH(int, selected);
    QFETCH(QStringList, items);
    QFETCH(QString, initial);
    QFETCH(QString, afterMove);
    open(count, selected);
    TMoveFrm dialog(m_entries);
    auto *selector = dialog.findChild<QComboBox *>();
    QStringList shownItems;
    for (int index = 0; index < selector->count(); ++index)
        shownItems.append(selector->itemText(index));
    QCOMPARE(shownItems, items);
    QCOMPARE(selector->currentText().trimmed(), initial);
    QComboBox plain(selector->parentWidget());
    plain.addItems(items);
    QCOMPARE(selector->sizeHint(), plain.sizeHint());
    QCOMPARE(selector->minimumSizeHint(), plain.minimumSizeHint());
    PressButton(&dialog, u"移動"_qs);
    QCOMPARE(listOrder(), afterMove);
    QCOMPARE(fileOrder(), afterMove);
}

void TestEntryMoveDelete::move_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("order");
    QTest::addColumn<int>("movedTo");
    QTest::newRow("No 5 to 1") << 5 << u"1"_qs << u"5 1 2 3 4 6 7 8 9 10"_qs << 1;
    QTest::newRow("No 2 to 5") << 2 << u"     5"_qs << u"1 3 4 2 5 6 7 8 9 10"_qs << 4;
    QTest::newRow("No 5 to 10") << 5 << u"10"_qs << u"1 2 3 4 6 7 8 9 5 10"_qs << 9;
    QTest::newRow("beyond the positions") << 5 << u"11"_qs << kUnmoved << 5;
    QTest::newRow("empty") << 1 << QString() << kUnmoved << 1;
    QTest::newRow("not a number") << 5 << u"五"_qs << kUnmoved << 5;
}

void TestEntryMoveDelete::move()
{
    QFETCH(int, selected);
    QFETCH(QString, text);
    QFETCH(QString, order);
    QFETCH(int, movedTo);
    open(10, selected);
    QCOMPARE(m_entries->MoveItem(text), movedTo != selected);
    QCOMPARE(listOrder(), order);
    QCOMPARE(fileOrder(), order);
    QCOMPARE(m_page->wordList()->selectedRow(), movedTo - 1);
}

void TestEntryMoveDelete::deleteEntry_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("order");
    QTest::newRow("the only entry") << 1 << 1 << QString();
    QTest::newRow("No 2 of 3") << 3 << 2 << u"1 3"_qs;
}

// "単語削除" through its dialog: the file, the shelf count and the entry commands after it.
void TestEntryMoveDelete::deleteEntry()
{
    QFETCH(int, count);
    QFETCH(int, selected);
    QFETCH(QString, order);
    open(count, selected);
    QRect shown;
    ClickInNextDialog(u"削除"_qs, &shown);
    m_actions->DelWord->trigger();
    const QRect main = m_window->frameGeometry();
    QCOMPARE(shown, QRect(main.left() + (main.width() - 460) / 2,
                          main.top() + (main.height() - 280) / 2, 460, 280));
    QCOMPARE(listOrder(), order);
    const QString text = DecodeWordBook(readFile(Dirs.CatFolder + u'/' + kFile));
    QCOMPARE(text.count(u"\r\n"_qs), 3 + count - 1);
    QCOMPARE(fileOrder(), order);
    QCOMPARE(m_page->shelfModel()->cell(0, ShelfCount), QString::number(count - 1));
    // The entry commands are enabled only while the list shows a selected entry.
    const bool anySelected = m_page->wordList()->selectedRow() >= 0;
    QCOMPARE(m_actions->DelWord->isEnabled(), anySelected);
    QCOMPARE(m_actions->MoveWord->isEnabled(), anySelected);
}

QTEST_MAIN(TestEntryMoveDelete)
#include "tst_entrymovedelete.moc"
