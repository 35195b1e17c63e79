#pragma once

#include <QWidget>
#include <array>

class MainActions;
class QAction;
class QCheckBox;
class QComboBox;
class QMenu;
class QRadioButton;
class QSplitter;
class QToolButton;
class ReportModel;
class ReportView;
class WordListModel;

// The content of the main window's "単語リスト" page: the word list `ListView1` on the left, a
// splitter, and the shelf panel `Panel5` on the right with its controls (shelf toggle, automatic
// closing check box, new-book button, class selector, book folder buttons A/G/S, list order
// radio buttons) above the shelf list `ListView2`. Built as it is while no word book is open:
// the word list is empty, disabled and grey, the shelf is empty and open.
//
// What the controls mean for the word books is left to the owner through the signals; the
// page itself keeps ClassRoom and EiwaFlg, LastVisibleFlg and ResetInputFlg of `Usr` up to date.
class WordBookPage : public QWidget {
    Q_OBJECT

public:
    WordBookPage(MainActions *actions, QWidget *parent);

    ReportView *wordList() const { return m_wordList; }
    ReportView *shelf() const { return m_shelf; }
    WordListModel *wordListModel() const { return m_wordModel; }
    ReportModel *shelfModel() const { return m_shelfModel; }

    // The word list's column widths in display order, for Lv1ColumnWidth at shutdown.
    std::array<int, 7> columnWidths() const;

    // First display: checks the radio button of the saved order and runs its click routine,
    // leaving the saved column widths where they are.
    void setListOrder(bool eiwa);
    // Shows the Russian and the Japanese in columns 0 and 4 by Usr.EiwaFlg; when that order
    // differs from the one shown, the two columns exchange widths, so each language keeps its
    // width.
    void ReDrawListView1();

    // The shelf toggle (`SpeedButton10`): 420 pixels wide and "→" when open, 40 and "←" when
    // closed.
    void SpeedButton10Click();
    bool shelfOpen() const { return m_shelfOpen; }

    // True while the automatic shelf closing box (`CheckBox4`) is checked.
    bool autoShelfClosing() const;
    void setAutoShelfClosing(bool on);

    // Puts the book folder button of `index` (0 A, 1 G, 2 S) down and the others up, and
    // reports the folder as chosen, as a click on a button that is up does. Other indexes
    // are ignored.
    void selectBookFolder(int index);
    // Puts the buttons and the class selector back as they show the folder on display, after a
    // choice that was not taken; nothing is reported.
    void showBookFolder(int index);
    void showClassRoom(int classRoom);

    // The word list's look with a book open (enabled, window colour) or none (disabled,
    // button-face colour).
    void setWordListOpen(bool open);

Q_SIGNALS:
    // The class selector moved to another class; Usr.ClassRoom already holds it.
    void classRoomChanged(int classRoom);
    // A book folder button went down: 0 A, 1 G, 2 S.
    void bookFolderChosen(int index);
    void shelfToggled(bool open);
    // The shelf's context menu opened over a selected row: the row is to be opened, so the
    // menu's commands act on that book.
    void shelfRowClicked();
    // "文字サイズ調整" of the word list's context menu.
    void fontSizeDialogRequested();

private:
    ReportView *buildWordList();
    QWidget *buildShelfPanel(MainActions *actions);
    void buildShelfControls(QWidget *panel, MainActions *actions);
    void buildBookButtons(QWidget *panel);
    void buildOrderButtons(QWidget *panel);
    ReportView *buildShelfList(QWidget *panel);
    void buildPopupMenu2(MainActions *actions);
    void buildPopupMenu3(MainActions *actions);

    void setShelfWidth(int width);
    void fitNumberColumn();
    void fitShelfColumns();
    void ComboBox3Change(int index);
    void BookButtonClick(int index, bool down);
    void ListOrderClick(bool eiwa);
    void PopupMenu2Popup();
    void PopupMenu2Close();
    void PopupMenu3Popup();

    QSplitter *m_splitter = nullptr;
    ReportView *m_wordList = nullptr;
    WordListModel *m_wordModel = nullptr;
    QWidget *m_shelfPanel = nullptr;
    ReportView *m_shelf = nullptr;
    ReportModel *m_shelfModel = nullptr;
    QToolButton *m_shelfToggle = nullptr;
    QCheckBox *m_autoClose = nullptr;
    QComboBox *m_classSelector = nullptr;
    std::array<QToolButton *, 3> m_bookButtons{};
    QRadioButton *m_ruJa = nullptr;
    QRadioButton *m_jaRu = nullptr;
    QMenu *m_popupMenu2 = nullptr;
    QMenu *m_popupMenu3 = nullptr;
    std::array<QAction *, 2> m_flagItems{};
    bool m_shelfOpen = true;
    // The order the captions and widths of columns 0 and 4 are laid out for.
    bool m_shownEiwa = true;
    // The automatic closing box was checked when the shelf's menu opened.
    bool m_restoreAutoClose = false;
};
