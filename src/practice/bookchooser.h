#pragma once

#include "practicebooks.h"
#include "reviewplan.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// The practice window's top bar: the "単語帳" button, the class selector, the remaining games,
// what to ask (the chosen book, the due entries or the weak ones) with their counts, the word
// book chooser, the book folder buttons A, G and S, and "終了". The class and the
// folder are the practice window's own (PClassRoom, PFIndex), apart from the main window's.
class BookChooser : public QWidget {
    Q_OBJECT

public:
    explicit BookChooser(QWidget *parent = nullptr);

    // The folders of PClassRoom, then the book folder button of PFIndex pressed; ends with
    // `classSettled`.
    void SubFunction2();
    // Lists the word books of DogFolder in the chooser, none picked.
    void SearchDogFolder();
    // The chooser's prompt while no line is picked.
    void showPrompt();
    // Drops the pick and says `text` in the chooser instead.
    void showNotice(const QString &text);
    void DrawRemaining(int games);
    // The due and weak entries of the folder, over the mode selector.
    void showReviewCounts(int due, int weak);
    // Without a history only the chosen book can be practised; `reason` says why.
    void disableReviews(const QString &reason);
    PracticeMode mode() const;

    QString DogFolder() const { return m_dogFolder; }
    // The book behind chooser line `line`, or none.
    const ChooserBook *bookAt(int line) const;
    const QList<ChooserBook> &books() const { return m_books; }

    QComboBox *chooser() const { return m_chooser; }
    QComboBox *classSelector() const { return m_classSelector; }
    QComboBox *modeSelector() const { return m_mode; }
    QToolButton *bookButton(int index) const { return m_bookButtons[size_t(index)]; }

Q_SIGNALS:
    void leaveRequested();
    void quitRequested();
    // A book folder button was pressed and the chooser refilled.
    void folderChanged();
    // SubFunction2 finished: nothing is ready to start.
    void classSettled();
    void bookPicked(int line);
    void modeChanged();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QPushButton *twoLineButton(const QString &caption, const char *name);
    QWidget *buildRemaining();
    QWidget *buildChooserColumn();
    void buildBookButtons();
    void BookButtonClick(int index, bool down);
    void ComboBox2Change(int index);
    void fitChooserFont();

    QComboBox *m_classSelector = nullptr;
    QLineEdit *m_remaining = nullptr;
    QComboBox *m_chooser = nullptr;
    QLabel *m_reviewCounts = nullptr;
    QComboBox *m_mode = nullptr;
    PracticeMode m_shownMode = PracticeMode::InOrder;
    std::array<QToolButton *, 3> m_bookButtons{};
    std::array<QString, 3> m_folders;
    QString m_dogFolder;
    QList<ChooserBook> m_books;
};
