#include "wordbookcommands.h"

#include "core/codecs.h"
#include "core/folders.h"
#include "core/readfile.h"
#include "core/savefile.h"
#include "core/ulib.h"
#include "reportmodel.h"
#include "reportview.h"
#include "shelf.h"
#include "widgets/mainactions.h"
#include "widgets/messagebox.h"
#include "wordbookfile.h"
#include "wordbookpage.h"
#include "wordlistmodel.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>

#include <array>

namespace {

// Index = CFIndex: the book folders A, G and S of the class shown.
const std::array<QString FolderVars::*, 3> kBookFolders{
    &FolderVars::ICatFolder, &FolderVars::IDicFolder, &FolderVars::IStdFolder};

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString sortQuestion(const QString &caption)
{
    return QStringLiteral("項目「") + caption +
           QStringLiteral(
               "」でソートします。ソートをすると順番は元に戻りませんがソートをしますか？");
}

} // namespace

WordBookCommands::WordBookCommands(WordBookPage *page, MainActions *actions, QWidget *window)
    : QObject(page)
    , m_page(page)
    , m_actions(actions)
    , m_window(window)
    , m_wordList(page->wordList())
    , m_words(page->wordListModel())
    , m_shelf(page->shelf())
    , m_books(page->shelfModel())
{
    connectViews();
    connectActions();
}

void WordBookCommands::connectViews()
{
    connect(m_wordList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &WordBookCommands::ListView1Click);
    connect(m_wordList, &QAbstractItemView::doubleClicked, this,
            &WordBookCommands::ListView1DblClick);
    connect(m_wordList->header(), &QHeaderView::sectionClicked, this,
            &WordBookCommands::ListView1ColumnClick);
    connect(m_shelf, &QAbstractItemView::clicked, this, &WordBookCommands::ListView2Click);
    connect(m_shelf->header(), &QHeaderView::sectionClicked, this,
            &WordBookCommands::ListView2ColumnClick);
    connect(m_page, &WordBookPage::shelfRowClicked, this, &WordBookCommands::ListView2Click);
    connect(m_page, &WordBookPage::bookFolderChosen, this, &WordBookCommands::BookFolderClick);
    connect(m_page, &WordBookPage::classRoomChanged, this, &WordBookCommands::ClassRoomChange);
    m_shelf->installEventFilter(this);
}

void WordBookCommands::connectActions()
{
    connect(m_actions->OpenWB, &QAction::triggered, this, &WordBookCommands::OpenWBExecute);
    connect(m_actions->CloseWB, &QAction::triggered, this, &WordBookCommands::CloseWBExecute);
}

bool WordBookCommands::eventFilter(QObject *watched, QEvent *event)
{
    // Enter on the shelf opens the selected book, as a click does.
    if (watched == m_shelf && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ListView2Click();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

QString WordBookCommands::bookPath(const QString &fileName) const
{
    return Dirs.CatFolder + u'/' + fileName;
}

void WordBookCommands::warn(const QString &text) const
{
    ShowWarning(text, m_window);
}

void WordBookCommands::SubFunction()
{
    SetClassFolders(Usr.ClassRoom);
    m_shownClass = Usr.ClassRoom;
    // A book folder index from an edited settings file that names no folder would leave no
    // folder to read and write: the first one is shown instead.
    if (Usr.CFIndex < 0 || Usr.CFIndex >= int(kBookFolders.size()))
        Usr.CFIndex = 0;
    m_page->selectBookFolder(Usr.CFIndex);
}

void WordBookCommands::ClassRoomChange()
{
    if (ReleaseCurrentWB()) {
        SubFunction();
        return;
    }
    Usr.ClassRoom = m_shownClass;
    m_page->showClassRoom(m_shownClass);
}

// SpeedButton12Click, SpeedButton13Click and SpeedButton14Click.
void WordBookCommands::BookFolderClick(int index)
{
    if (!ReleaseCurrentWB()) {
        m_page->showBookFolder(Usr.CFIndex);
        return;
    }
    Usr.CFIndex = index;
    Dirs.CatFolder = Dirs.*kBookFolders[size_t(index)];
    SearchCatFolder();
}

void WordBookCommands::SearchCatFolder()
{
    InitWBExecute();
    QList<QStringList> rows;
    QStringList skipped;
    for (const ShelfRow &row : ListBookFolder(Dirs.CatFolder, &skipped))
        rows.append(row.cells());
    SortShelfByGroup(rows, Sys.SortFlags2[ShelfGroup]);
    m_books->setRows(std::move(rows));
    ShowSumToStatus();
    if (!skipped.isEmpty())
        warn(QStringLiteral("次のファイルは単語帳として読み込めないため、一覧に表示しません。\n%1")
                 .arg(skipped.join(u'\n')));
}

void WordBookCommands::ShowSumToStatus()
{
    qint64 total = 0;
    for (const QStringList &row : m_books->rows())
        total += row.value(ShelfCount).toLongLong();
    Q_EMIT statusText(1, QStringLiteral("●単語帳ﾌｫﾙﾀﾞ: ") + native(Dirs.CatFolder) +
                             QStringLiteral("…[") + QString::number(total) + u']');
}

void WordBookCommands::CorrectNumbers(const QString &fileName)
{
    if (fileName.isEmpty())
        return;
    const QString count = QString::number(m_words->rowCount());
    for (int row = 0; row < m_books->rowCount(); ++row) {
        if (m_books->cell(row, ShelfFileName) == fileName)
            m_books->setCell(row, ShelfCount, count);
    }
    ShowSumToStatus();
}

bool WordBookCommands::LoadWB(const QString &fileName)
{
    const QString path = bookPath(fileName);
    const WordBookFile file = ReadWordBook(path);
    switch (file.status) {
    case WordBookFile::Status::Missing:
        warn(QStringLiteral("単語帳「%1」が見つかりません。").arg(native(path)));
        return false;
    case WordBookFile::Status::Unreadable:
        warn(QStringLiteral("単語帳「%1」を読み込めませんでした。\n（%2）")
                 .arg(native(path), file.error));
        return false;
    case WordBookFile::Status::Read:
        break;
    }
    if (!file.parsed.isBook) {
        warn(QStringLiteral("「%1」は単語帳ではありません（3行に満たないファイルです）。")
                 .arg(native(path)));
        return false;
    }
    fillWordList(file, fileName);
    if (file.parsed.skippedLines > 0) {
        warn(QStringLiteral("単語帳「%1」には読み取れない行が %2 行あります。\n"
                            "これらの行は単語リストに表示されず、この単語帳を次に変更したときに"
                            "削除されます。\n元のファイルはその前に「%3」として残します。")
                 .arg(native(path))
                 .arg(file.parsed.skippedLines)
                 .arg(fileName + QStringLiteral(".bak")));
    }
    return true;
}

void WordBookCommands::fillWordList(const WordBookFile &file, const QString &fileName)
{
    const WordBook &book = file.parsed.book;
    Sys.TC_File = fileName;
    Sys.TC_Title = book.title;
    Sys.TC_Group = book.group;
    Sys.TC_Type = StoredName(book.type);
    m_keepOriginal = file.parsed.skippedLines > 0;
    m_page->setWordListOpen(true);
    m_words->setCueCaption(CueCaption(book.type));
    m_words->setEntries(book.entries);
    Q_EMIT statusText(0, QStringLiteral("●ﾀｲﾄﾙ : [") + Sys.TC_Title + u']');
    if (Usr.LastVisibleFlg && m_words->rowCount() > 0)
        m_wordList->scrollTo(m_words->index(m_words->rowCount() - 1, 0));
}

bool WordBookCommands::SaveCurrentWB(const QString &revertNote)
{
    if (Sys.TC_File.isEmpty())
        return true;
    const QString whatRemains =
        revertNote.isEmpty() ? QStringLiteral("変更は単語リストに残っています。") : revertNote;
    const bool saved = (!m_keepOriginal || keepOriginal(whatRemains)) && writeOpenBook(whatRemains);
    if (saved || revertNote.isEmpty())
        m_unsaved = !saved;
    return saved;
}

bool WordBookCommands::writeOpenBook(const QString &whatRemains)
{
    const QString path = bookPath(Sys.TC_File);
    const WordBook book{Sys.TC_Title, Sys.TC_Group, QuestionTypeOf(Sys.TC_Type),
                        m_words->entries()};
    const QString error = WriteWordBook(path, book);
    if (error.isEmpty())
        return true;
    warn(QStringLiteral("単語帳「%1」を保存できませんでした。\n（%2）\n").arg(native(path), error) +
         whatRemains);
    return false;
}

// Copies the book's file, as it is before the first rewrite, to "<name>.bak".
bool WordBookCommands::keepOriginal(const QString &whatRemains)
{
    const QString path = bookPath(Sys.TC_File);
    const QString backup = path + QStringLiteral(".bak");
    const FileBytes original = ReadFileBounded(path, kWordBookFileLimit);
    const QString error =
        original.isRead() ? WriteFileSafely(backup, original.bytes) : original.reason;
    if (!error.isEmpty()) {
        warn(QStringLiteral("単語帳の元のファイルを「%1」に残せなかったため、単語帳「%2」を"
                            "保存しませんでした。\n（%3）\n")
                 .arg(native(backup), native(path), error) +
             whatRemains);
        return false;
    }
    m_keepOriginal = false;
    return true;
}

bool WordBookCommands::ReleaseCurrentWB()
{
    if (!m_unsaved || SaveCurrentWB())
        return true;
    if (!ConfirmNoByDefault(QStringLiteral("単語帳「%1」への変更は、まだ保存できていません。\n"
                                           "変更を破棄して続けますか？\n"
                                           "（「いいえ」を選ぶと、単語帳を開いたままにします。）")
                                .arg(native(bookPath(Sys.TC_File))),
                            m_window))
        return false;
    // Dropped for good: nothing that fails after this can write it.
    InitWBExecute();
    return true;
}

void WordBookCommands::InitWBExecute()
{
    m_words->clear();
    m_page->setWordListOpen(false);
    Sys.TC_File.clear();
    Sys.TC_Title.clear();
    Sys.TC_Group.clear();
    Sys.TC_Type.clear();
    m_keepOriginal = false;
    m_unsaved = false;
    Q_EMIT statusText(0, QString());
    m_actions->InitWB();
}

void WordBookCommands::OpenWBExecute()
{
    const int row = m_shelf->selectedRow();
    if (row < 0 || !LoadWB(m_books->cell(row, ShelfFileName)))
        return;
    for (QAction *action : {m_actions->ChangeWBProperty, m_actions->RegWord, m_actions->DeleteWB,
                            m_actions->CloseWB, m_actions->ExportWB, m_actions->PrintWB})
        action->setEnabled(true);
    Q_EMIT bookOpened();
}

void WordBookCommands::CloseWBExecute()
{
    if (!ReleaseCurrentWB())
        return;
    InitWBExecute();
    m_shelf->clearSelection();
    Q_EMIT bookClosed();
    if (!m_page->shelfOpen())
        m_page->SpeedButton10Click();
}

void WordBookCommands::AddToWBList(const WordEntry &entry)
{
    const int row = m_words->rowCount();
    m_words->insertEntry(row, entry);
    selectAndShowEntry(row);
    ListView1Click();
}

void WordBookCommands::InsertToWBList(int index, const WordEntry &entry)
{
    m_words->insertEntry(index, entry);
    selectAndShowEntry(qBound(0, index, m_words->rowCount() - 1));
}

void WordBookCommands::ModifyItem(const WordEntry &entry)
{
    const int row = m_wordList->selectedRow();
    if (row < 0)
        return;
    m_words->replaceEntry(row, entry);
    selectAndShowEntry(row);
}

void WordBookCommands::selectAndShowEntry(int row)
{
    m_wordList->selectRow(row);
    m_wordList->scrollTo(m_words->index(row, 0));
}

void WordBookCommands::ListView1Click()
{
    const bool selected = m_wordList->selectedRow() >= 0;
    for (QAction *action : {m_actions->ModWord, m_actions->MoveWord, m_actions->DelWord})
        action->setEnabled(selected);
}

void WordBookCommands::ListView1DblClick()
{
    const int row = m_wordList->selectedRow();
    if (row < 0)
        return;
    const WordEntry &entry = m_words->entry(row);
    const bool vocabulary = QuestionTypeOf(Sys.TC_Type) == QuestionType::Vocabulary;
    const QString cue = vocabulary ? entry[EntryField::Cue] : QString();
    Q_EMIT entryChosen(CRDecoder(entry[EntryField::Russian]),
                       Usr.KanaFlg ? entry[EntryField::Kana] : cue);
}

void WordBookCommands::ListView1ColumnClick(int column)
{
    if (!m_words->fieldOf(column) || Sys.TC_File.isEmpty())
        return;
    if (!Confirm(sortQuestion(m_words->caption(column)), m_window))
        return;
    int &direction = Sys.SortFlags1[size_t(column)];
    direction = -direction;
    m_words->sortByColumn(column, direction);
    ListView1Click();
    SaveCurrentWB();
}

void WordBookCommands::ListView2Click()
{
    if (m_shelf->selectedRow() < 0) {
        m_actions->OpenWB->setEnabled(false);
        return;
    }
    if (!ReleaseCurrentWB()) {
        selectShelfRow(ShelfFileName, Sys.TC_File);
        return;
    }
    InitWBExecute();
    m_actions->OpenWB->setEnabled(true);
    m_actions->OpenWB->trigger();
    // A book that could not be opened leaves the shelf open to choose another.
    if (Sys.TC_File.isEmpty())
        return;
    if (m_page->autoShelfClosing() && !Sys.CallFlg && m_page->shelfOpen())
        m_page->SpeedButton10Click();
    Q_EMIT bookOpenedFromShelf();
}

void WordBookCommands::ListView2ColumnClick(int column)
{
    if (column != ShelfGroup)
        return;
    const int selected = m_shelf->selectedRow();
    const QString selectedFile = m_books->cell(selected, ShelfFileName);
    int &direction = Sys.SortFlags2[ShelfGroup];
    direction = -direction;
    QList<QStringList> rows = m_books->rows();
    SortShelfByGroup(rows, direction);
    m_books->setRows(std::move(rows));
    if (selected >= 0)
        selectShelfRow(ShelfFileName, selectedFile);
}

bool WordBookCommands::selectShelfRow(int column, const QString &text)
{
    for (int row = 0; row < m_books->rowCount(); ++row) {
        if (m_books->cell(row, column) == text) {
            m_shelf->selectRow(row);
            m_shelf->scrollTo(m_books->index(row, 0));
            return true;
        }
    }
    return false;
}

void WordBookCommands::SelectWB(const QString &title)
{
    if (selectShelfRow(ShelfTitle, title))
        ListView2Click();
}

void WordBookCommands::WBMenuClick(const QString &fileName)
{
    if (selectShelfRow(ShelfFileName, fileName))
        ListView2Click();
}
