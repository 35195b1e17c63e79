#pragma once

#include "practicequiz.h"
#include "quizrandom.h"
#include "reviewplan.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>

class BookChooser;
class Curtain;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QSplitter;
class QuestionArea;
class ReviewHistory;
class TBikoFrm;
class TRusPad;

// The practice window "練習場": a typing quiz on a word book of the practice window's own
// class and folder. Shown modally while the main window is hidden; the whole quiz runs on the
// keyboard: type the answer, Enter to judge, Enter for the next question. Every judgement goes
// into the review history, when there is one, which also gives the due and weak entries.
class TPlayFrm : public QDialog {
    Q_OBJECT

public:
    // Hides `mainWindow` while the practice window exists. `history` may be none or closed:
    // then only the chosen book can be practised.
    explicit TPlayFrm(QWidget *mainWindow, ReviewHistory *history = nullptr);
    ~TPlayFrm() override;

    // Types a pad key's text into the answer field in place of its selection.
    void OutputString(const QString &text);

    PracticeQuiz &quiz() { return m_quiz; }
    BookChooser *chooser() const { return m_chooser; }
    QuestionArea *questionArea() const { return m_area; }
    Curtain *curtain() const { return m_curtain; }
    TBikoFrm *remarksWindow() const;
    bool doorClosed() const { return m_doorClosed; }

    void done(int result) override;

Q_SIGNALS:
    // "加筆する": open entry Pnumber of book PTitle, in the practice class and folder, in the
    // main window's modify dialog.
    void editRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *buildBottomArea();
    void buildAnswerField();
    void addKey(Qt::Key key, void (TPlayFrm::*slot)());
    void connectParts();
    void placeWindow();
    void storeGeometry();
    void followResize();

    void SetUpStudy(int line);
    void readyToStart();
    void setUpFailed(const QString &notice);
    bool reviewing() const;
    void modeChanged();
    void refreshPlan();
    void setUpReview();
    void recordJudgement(bool firstJudgement, bool right, const QString &typed);
    void showProgress();
    void InitCurtain();
    void CloseCurtain();
    void coverQuestionArea();
    void KeyButton1Click();
    void curtainOpened();
    void KeyButton3Click();
    void KeyButton2Click();
    void KeyButton4Click();
    void ShowQuest();
    void showQuestionNumber(int index);
    void ShowBikoFrm(const QString &text);
    void CloseBikoFrm();
    void ResultTimerTimer();
    void leaveToWordBooks();
    void endProgram();
    void pressEdit();

    QPointer<QWidget> m_main;
    ClockRandom m_random;
    PracticeQuiz m_quiz{m_random};
    BookChooser *m_chooser = nullptr;
    QSplitter *m_splitter = nullptr;
    QuestionArea *m_area = nullptr;
    Curtain *m_curtain = nullptr;
    TRusPad *m_pad = nullptr;
    QWidget *m_padPanel = nullptr;
    QLineEdit *m_number = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_progress = nullptr;
    ReviewHistory *m_history = nullptr;
    ReviewPlan m_plan;
    QCheckBox *m_ignoreAccents = nullptr;
    QPointer<TBikoFrm> m_biko;
    QTimer m_resultTimer;
    bool m_doorClosed = true;
    bool m_placed = false;
};
