#pragma once

#include <QObject>
#include <QString>

class MainActions;
class QWidget;
class ReportModel;
class ReportView;
class WordBookPage;
class WordListModel;
struct WordBookFile;
struct WordEntry;

// The main window's word book operations on its word book page: the class and book folder
// shown on the shelf, the current word book (Sys.TC_File, TC_Title, TC_Group, TC_Type) open in
// the word list, writing it after every change, and the commands' enabled state. Every path is
// the book folder on display (Dirs.CatFolder) joined with a bare file name; the working
// directory is never changed.
class WordBookCommands : public QObject {
    Q_OBJECT

public:
    WordBookCommands(WordBookPage *page, MainActions *actions, QWidget *window);

    WordBookPage *page() const { return m_page; }
    MainActions *actions() const { return m_actions; }
    // The main window, owner of the word book dialogs and message boxes.
    QWidget *window() const { return m_window; }

    // The class folders of Usr.ClassRoom, then the book folder button of Usr.CFIndex pressed.
    void SubFunction();

    // Opens a book of the folder on display into the word list; false when it was not opened.
    bool LoadWB(const QString &fileName);
    // Writes the open book from the word list, replacing its file; false when that failed,
    // which has been reported and leaves the word list as it is. The report ends with
    // `revertNote` when the caller takes its change back, which leaves the word list as
    // unsaved as it was; by default it says that the change stays, to be written again.
    bool SaveCurrentWB(const QString &revertNote = {});
    // Closes the open book and lists the books of the folder on display.
    void SearchCatFolder();
    void ShowSumToStatus();
    // The shelf rows of `fileName` count the entries now in the word list.
    void CorrectNumbers(const QString &fileName);
    // Opens the first shelf row whose title, or file name, is exactly the one given.
    void SelectWB(const QString &title);
    void WBMenuClick(const QString &fileName);

    // Closes the open book: the word list emptied and disabled, no book current.
    void InitWBExecute();
    // Whether the open book may be closed: true when every change is on disk, when writing
    // it once more succeeds, or when the user agrees to drop the change that could not be
    // written ("いいえ" is the default), which closes the book at once, so a step that fails
    // afterwards cannot bring the change back. Asked before anything closes the book, the
    // program included.
    bool ReleaseCurrentWB();

    // An entry into the word list (not yet written): appended and selected with the entry
    // commands enabled, inserted before row `index` and selected, or replacing the selected
    // entry. Each shows the entry.
    void AddToWBList(const WordEntry &entry);
    void InsertToWBList(int index, const WordEntry &entry);
    void ModifyItem(const WordEntry &entry);

    void ListView1Click();
    void ListView1DblClick();
    void ListView1ColumnClick(int column);
    void ListView2Click();
    void ListView2ColumnClick(int column);

Q_SIGNALS:
    // Text for a status bar panel: 0 the book's title, 1 the folder and its total.
    void statusText(int panel, const QString &text);
    // The book was closed by the close command; panel 0 is to show the F3 hint again.
    void bookClosed();
    // A double click on an entry: the IPA line is to show `ipaText` with its caret at the
    // start, and a non-empty `russian` goes into the Russian area.
    void entryChosen(const QString &russian, const QString &ipaText);
    // A book was opened from the shelf; the Russian area is to take the focus.
    void bookOpenedFromShelf();
    // A book was opened (OpenWB).
    void bookOpened();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectViews();
    void connectActions();
    // Run by their actions only, so a disabled command does nothing.
    void OpenWBExecute();
    void CloseWBExecute();
    void BookFolderClick(int index);
    void ClassRoomChange();
    QString bookPath(const QString &fileName) const;
    void fillWordList(const WordBookFile &file, const QString &fileName);
    bool keepOriginal(const QString &whatRemains);
    bool writeOpenBook(const QString &whatRemains);
    void selectAndShowEntry(int row);
    // Selects and shows the first shelf row whose cell in `column` is `text`; false for none.
    bool selectShelfRow(int column, const QString &text);
    void warn(const QString &text) const;

    WordBookPage *m_page;
    MainActions *m_actions;
    QWidget *m_window;
    ReportView *m_wordList;
    WordListModel *m_words;
    ReportView *m_shelf;
    ReportModel *m_books;
    // The open book had lines the reader skipped: its untouched file is kept as "<name>.bak"
    // before the first rewrite drops them.
    bool m_keepOriginal = false;
    // The word list holds a change that could not be written.
    bool m_unsaved = false;
    // The class whose book folders are on display.
    int m_shownClass = 0;
};
