#include "core/folders.h"
#include "core/textlines.h"
#include "core/ulib.h"
#include "mainwin/tmainfrm.h"
#include "modalanswer.h"
#include "practice/bookchooser.h"
#include "practice/curtain.h"
#include "practice/progressdisplay.h"
#include "practice/questionarea.h"
#include "practice/reactionpicture.h"
#include "practice/reviewhistory.h"
#include "practice/tbikofrm.h"
#include "practice/tplayfrm.h"
#include "practice/tprogressfrm.h"
#include "testenv.h"
#include "wordbook/tframe6.h"
#include "wordbook/tmodfrm.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardItemModel>
#include <QToolButton>
#include <QtTest>

namespace {

// A book whose entry n (from 1) is answered "дn"; every third entry has remarks.
QByteArray book(int entries)
{
    QString text = u"数\r\n組\r\n単語理解\r\n"_qs;
    for (int n = 1; n <= entries; ++n)
        text += u"\"д%1\",\"d%1\",\"\",\"日%1\",\"%2\",\"\"\r\n"_qs.arg(n).arg(
            n % 3 == 0 ? u"備考%1#$0D二行目"_qs.arg(n) : QString());
    return EncodeUtf16LeBom(text);
}

int visibleRemarksWindows()
{
    int count = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        count += qobject_cast<TBikoFrm *>(window) && window->isVisible();
    return count;
}

void typeText(QWidget *field, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

class TestPlayFrm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void chooser();
    void curtainOpensIn18Ticks();
    void wholeGameFromTheKeyboard();
    void interruptions_data();
    void interruptions();
    void editHandsTheEntryToTheModifyDialog();
    void dueReviewGameTheNextDay();

private:
    QString folder(int classRoom, char book) const;
    void open(ReviewHistory *history = nullptr);
    void pick(const QString &line);

    std::unique_ptr<TempHome> m_home;
    std::unique_ptr<TPlayFrm> m_frm;
};

void TestPlayFrm::init()
{
    m_home = std::make_unique<TempHome>();
    SetFolderVars({m_home->path() + u"/.config"_qs, m_home->path() + u"/Documents"_qs,
                   QStringLiteral(KALVO_STAGE_DIR) + u"/../.."_qs});
    InitSysVars();
    Usr = UsrVars{};
    Usr.PFIndex = 0;
}

void TestPlayFrm::cleanup()
{
    m_frm.reset();
    m_home.reset();
}

QString TestPlayFrm::folder(int classRoom, char book) const
{
    return Dirs.UsrFolder + u"/Class%1/book"_qs.arg(classRoom) + QLatin1Char(book);
}

void TestPlayFrm::open(ReviewHistory *history)
{
    m_frm = std::make_unique<TPlayFrm>(nullptr, history);
    m_frm->show();
    QApplication::setActiveWindow(m_frm.get());
    QVERIFY(QTest::qWaitForWindowActive(m_frm.get()));
}

void TestPlayFrm::pick(const QString &line)
{
    QComboBox *chooser = m_frm->chooser()->chooser();
    const int index = chooser->findText(line);
    QVERIFY2(index >= 0, qPrintable(line));
    chooser->setCurrentIndex(index);
    Q_EMIT chooser->activated(index);
}

// The chooser's texts, an empty book, another class.
void TestPlayFrm::chooser()
{
    writeFile(folder(0, 'A') + u"/a.utx"_qs, book(12));
    writeFile(folder(0, 'A') + u"/e.utx"_qs, EncodeUtf16LeBom(u"空\r\n組\r\n\r\n"_qs));
    writeFile(folder(2, 'G') + u"/g.utx"_qs, book(3));
    QDir().mkpath(folder(0, 'G'));
    open();
    QComboBox *chooser = m_frm->chooser()->chooser();
    QPushButton *start = m_frm->curtain()->startButton();
    QCOMPARE(chooser->count(), 2);
    QCOMPARE(chooser->placeholderText(), u"ここからトレーニングを行う単語帳を選んで下さい。"_qs);
    QVERIFY(!start->isEnabled());
    pick(u" 空  組  VB   (0)"_qs);
    QVERIFY(!start->isEnabled());
    QVERIFY(chooser->placeholderText().contains(u"練習できません"_qs));
    pick(u" 数  組  VB   (12)"_qs);
    QVERIFY(start->isEnabled());
    QVERIFY(start->hasFocus());
    // Another folder keeps START; another class clears it.
    m_frm->chooser()->bookButton(1)->click();
    QCOMPARE(chooser->count(), 0);
    QCOMPARE(chooser->placeholderText(), u"単語帳がありません。"_qs);
    QVERIFY(start->isEnabled());
    m_frm->chooser()->classSelector()->setCurrentIndex(2);
    Q_EMIT m_frm->chooser()->classSelector()->activated(2);
    QCOMPARE(Usr.PClassRoom, 2);
    QCOMPARE(chooser->itemText(0), u" 数  組  VB   (3)"_qs);
    QVERIFY(!start->isEnabled());
}

void TestPlayFrm::curtainOpensIn18Ticks()
{
    writeFile(folder(0, 'A') + u"/a.utx"_qs, book(25));
    open();
    pick(u" 数  組  VB   (25)"_qs);
    QCOMPARE(m_frm->chooser()->findChild<QLineEdit *>(u"Edit1"_qs)->text(), u"2"_qs);
    Curtain *curtain = m_frm->curtain();
    QCOMPARE(curtain->height(), 321);
    m_frm->curtain()->startButton()->click();
    // The opening runs on its timer; its steps are counted here instead.
    int ticks = 0;
    while (curtain->isOpening() && ticks < 100) {
        curtain->OpenTimerTimer();
        ++ticks;
    }
    QCOMPARE(ticks, 18);
    QVERIFY(curtain->isHidden());
    QCOMPARE(m_frm->chooser()->findChild<QLineEdit *>(u"Edit1"_qs)->text(), u"1"_qs);
    QVERIFY(m_frm->questionArea()->answerField()->hasFocus());
}

// Ten questions on the keyboard alone: type, Enter to judge, Enter for the next question.
// Seven are right at the first try; the reaction follows the tenth judgement.
void TestPlayFrm::wholeGameFromTheKeyboard()
{
    writeFile(folder(0, 'A') + u"/a.utx"_qs, book(10));
    open();
    pick(u" 数  組  VB   (10)"_qs);
    QTest::keyClick(m_frm->focusWidget(), Qt::Key_Return); // START
    QTRY_VERIFY(m_frm->curtain()->isHidden());
    QuestionArea *area = m_frm->questionArea();
    QLineEdit *answer = area->answerField();
    QSet<QString> asked;
    for (int question = 1; question <= 10; ++question) {
        QTRY_VERIFY(answer->hasFocus());
        const int number = m_frm->findChild<QLineEdit *>(u"Edit8"_qs)->text().toInt();
        asked << QString::number(number);
        typeText(answer, question <= 7 ? u"д%1"_qs.arg(number) : u"нет"_qs);
        QTest::keyClick(answer, Qt::Key_Return); // judge
        QCOMPARE(area->resultLabel(true)->isVisible(), question <= 7);
        QCOMPARE(area->resultLabel(false)->isVisible(), question > 7);
        QCOMPARE(area->correctAnswer()->text().contains(u"д%1"_qs.arg(number)), true);
        QCOMPARE(visibleRemarksWindows(), number % 3 == 0 ? 1 : 0);
        if (number % 3 == 0)
            QCOMPARE(m_frm->remarksWindow()->remarks(), u"備考%1\n二行目"_qs.arg(number));
        QVERIFY(area->nextButton()->hasFocus());
        if (question < 10) {
            QTest::keyClick(area->nextButton(), Qt::Key_Return); // next
            QCOMPARE(area->progress()->middleLabel(),
                     question + 1 < 10 ? QString::number(question + 1) : QString());
        }
    }
    QCOMPARE(asked.size(), 10);
    QCOMPARE(m_frm->findChild<QLineEdit *>(u"Edit7"_qs)->text(), u"70"_qs);
    QTRY_VERIFY(area->reactionWord(0)->isVisible());
    QCOMPARE(area->reactionWord(0)->text(), u"順調だ"_qs);
    QCOMPARE(area->reactionWord(1)->text(), u"続けて"_qs);
    QCOMPARE(area->picture(0)->picture(), 3);
    // The last game of the pass: a new pass closes the curtain, ready to start.
    ModalRecord record;
    AnswerNextBox(&record, u"はい(&Y)"_qs);
    QTest::keyClick(area->nextButton(), Qt::Key_Return);
    QCOMPARE(record.text, u"同じ単語帳を順番を変えて最初からやりますか？"_qs);
    QVERIFY(m_frm->doorClosed());
    QCOMPARE(m_frm->focusWidget(), m_frm->curtain()->startButton());
}

enum class Interruption {
    FolderThenStart,
    QuickNextGame,
    QuickNextGameDeclined,
    QuickFolderThenStart,
    FolderThenEdit
};

void TestPlayFrm::interruptions_data()
{
    QTest::addColumn<Interruption>("interruption");
    QTest::newRow("another folder mid-game, then START") << Interruption::FolderThenStart;
    QTest::newRow("the next game within 500 ms") << Interruption::QuickNextGame;
    QTest::newRow("the next game declined within 500 ms") << Interruption::QuickNextGameDeclined;
    QTest::newRow("another folder and START within 500 ms") << Interruption::QuickFolderThenStart;
    QTest::newRow("another folder, then 加筆する") << Interruption::FolderThenEdit;
}

void TestPlayFrm::interruptions()
{
    QFETCH(Interruption, interruption);
    writeFile(folder(0, 'A') + u"/a.utx"_qs, book(25));
    QDir().mkpath(folder(0, 'G'));
    open();
    pick(u" 数  組  VB   (25)"_qs);
    QPushButton *start = m_frm->curtain()->startButton();
    start->click();
    QTRY_VERIFY(m_frm->curtain()->isHidden());
    QLineEdit *remaining = m_frm->chooser()->findChild<QLineEdit *>(u"Edit1"_qs);
    QLineEdit *number = m_frm->findChild<QLineEdit *>(u"Edit8"_qs);
    const QString first = number->text();
    QuestionArea *area = m_frm->questionArea();
    // Ten right answers; the reaction is then due 500 ms after the last judgement.
    const auto playGame = [&] {
        for (int question = 1; question <= 10; ++question) {
            typeText(area->answerField(), u"д"_qs + number->text());
            QTest::keyClick(area->answerField(), Qt::Key_Return);
            if (question < 10)
                QTest::keyClick(area->nextButton(), Qt::Key_Return);
        }
    };
    const auto noReaction = [&] {
        QTest::qWait(700);
        QVERIFY(!area->reactionWord(0)->isVisible());
        QCOMPARE(area->picture(0)->picture(), -1);
    };
    ModalRecord record;
    switch (interruption) {
    case Interruption::FolderThenStart:
        m_frm->chooser()->bookButton(1)->click();
        start->click();
        QTRY_VERIFY(m_frm->curtain()->isHidden());
        QCOMPARE(remaining->text(), u"1"_qs);
        QCOMPARE(number->text(), first);
        break;
    case Interruption::QuickNextGame:
        playGame();
        AnswerNextBox(&record, u"はい(&Y)"_qs);
        QTest::keyClick(area->nextButton(), Qt::Key_Return);
        QCOMPARE(record.text, u"次の勝負に行きますか？"_qs);
        noReaction();
        break;
    case Interruption::QuickNextGameDeclined:
        playGame();
        AnswerNextBox(&record, u"いいえ(&N)"_qs);
        QTest::keyClick(area->nextButton(), Qt::Key_Return);
        QCOMPARE(record.count, 1);
        QTRY_VERIFY(area->reactionWord(0)->isVisible());
        QCOMPARE(area->reactionWord(0)->text(), u"やった"_qs);
        break;
    case Interruption::QuickFolderThenStart:
        playGame();
        m_frm->chooser()->bookButton(1)->click();
        start->click();
        QCOMPARE(number->text(), first);
        noReaction();
        break;
    case Interruption::FolderThenEdit: {
        m_frm->chooser()->bookButton(1)->click();
        QCOMPARE(Usr.PFIndex, 1);
        int handedFolder = -1;
        connect(m_frm.get(), &TPlayFrm::editRequested, this, [&] { handedFolder = Usr.PFIndex; });
        QTest::keyClick(m_frm.get(), Qt::Key_F11);
        QCOMPARE(handedFolder, 0);
        QCOMPARE(Sys.Pnumber, first.toInt());
        break;
    }
    }
}

// "加筆する" closes the practice window and opens the asked entry in the modify dialog of the
// main window, which then stays.
void TestPlayFrm::editHandsTheEntryToTheModifyDialog()
{
    TMainFrm main;
    main.show();
    QString asked;
    QString edited;
    QTimer::singleShot(50, this, [&] {
        auto *practice = qobject_cast<TPlayFrm *>(QApplication::activeModalWidget());
        QVERIFY(practice);
        QVERIFY(!main.isVisible());
        QApplication::setActiveWindow(practice);
        QComboBox *chooser = practice->chooser()->chooser();
        chooser->setCurrentIndex(0);
        Q_EMIT chooser->activated(0);
        practice->curtain()->startButton()->click();
        asked = practice->quiz().BufferAns();
        QTimer::singleShot(50, this, [&] {
            auto *dialog = qobject_cast<TModFrm *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            edited = dialog->frame()->russianField()->text();
            dialog->reject();
        });
        QTest::keyClick(practice, Qt::Key_F11);
    });
    QApplication::setActiveWindow(&main);
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QVERIFY(!asked.isEmpty());
    QCOMPARE(edited, asked);
    QVERIFY(main.isVisible());
}

// A game in the book's order with three wrong answers; a day later the review mode asks
// exactly those three, each reviewed once however often the game repeats it, the progress
// window counts both games, and the book is unchanged.
void TestPlayFrm::dueReviewGameTheNextDay()
{
    writeFile(folder(0, 'A') + u"/a.utx"_qs, book(10));
    const QByteArray bookBytes = readFile(folder(0, 'A') + u"/a.utx"_qs);
    auto history = std::make_unique<ReviewHistory>();
    QCOMPARE(history->open(ReviewHistory::defaultPath()), QString());
    open(history.get());
    pick(u" 数  組  VB   (10)"_qs);
    m_frm->curtain()->startButton()->click();
    QTRY_VERIFY(m_frm->curtain()->isHidden());
    QuestionArea *area = m_frm->questionArea();
    QLineEdit *number = m_frm->findChild<QLineEdit *>(u"Edit8"_qs);
    QSet<int> missed;
    for (int question = 1; question <= 10; ++question) {
        const bool right = question <= 7;
        if (!right)
            missed << number->text().toInt();
        typeText(area->answerField(), right ? u"д"_qs + number->text() : u"нет"_qs);
        QTest::keyClick(area->answerField(), Qt::Key_Return);
        if (question < 10)
            QTest::keyClick(area->nextButton(), Qt::Key_Return);
    }
    QCOMPARE(m_frm->chooser()->findChild<QLabel *>(u"ReviewCounts"_qs)->text(),
             u"期限 0・苦手 10"_qs);
    m_frm.reset();

    // A day passes: every time in the history moves one day back.
    history->close();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"shift"_qs);
        db.setDatabaseName(ReviewHistory::defaultPath());
        QVERIFY(db.open());
        QSqlQuery shift(db);
        QVERIFY(shift.exec(u"UPDATE entries SET last_review = last_review - 86400000,"
                           " due = due - 86400000"_qs));
        QVERIFY(shift.exec(u"UPDATE reviews SET reviewed_at = reviewed_at - 86400000"_qs));
    }
    QSqlDatabase::removeDatabase(u"shift"_qs);
    QCOMPARE(history->open(ReviewHistory::defaultPath()), QString());

    open(history.get());
    BookChooser *chooser = m_frm->chooser();
    QCOMPARE(chooser->findChild<QLabel *>(u"ReviewCounts"_qs)->text(), u"期限 3・苦手 10"_qs);
    chooser->modeSelector()->setCurrentIndex(int(PracticeMode::Due));
    Q_EMIT chooser->modeSelector()->activated(int(PracticeMode::Due));
    QVERIFY(!chooser->chooser()->isEnabled());
    QPushButton *start = m_frm->curtain()->startButton();
    QVERIFY(start->isEnabled());
    start->click();
    QTRY_VERIFY(m_frm->curtain()->isHidden());
    area = m_frm->questionArea();
    number = m_frm->findChild<QLineEdit *>(u"Edit8"_qs);
    QSet<int> asked;
    for (int question = 1; question <= 10; ++question) {
        asked << number->text().toInt();
        typeText(area->answerField(), u"д"_qs + number->text());
        QTest::keyClick(area->answerField(), Qt::Key_Return);
        if (question < 10)
            QTest::keyClick(area->nextButton(), Qt::Key_Return);
    }
    QCOMPARE(asked, missed);
    // Each was reviewed once today, however often the game asked it.
    const auto schedules = history->folderSchedules(u"Class0/bookA"_qs);
    for (int n : missed)
        QCOMPARE(schedules.value(ReviewKeyHash(u"数", u"д%1"_qs.arg(n), u"日%1"_qs.arg(n))).reviews,
                 2);
    QCOMPARE(m_frm->findChild<QLineEdit *>(u"Edit7"_qs)->text(), u"100"_qs);
    // All three are done for today: a new round finds nothing due.
    ModalRecord record;
    AnswerNextBox(&record, u"はい(&Y)"_qs);
    QTest::keyClick(area->nextButton(), Qt::Key_Return);
    QCOMPARE(record.text, u"復習する単語を集め直して、もう一度やりますか？"_qs);
    QCOMPARE(chooser->chooser()->placeholderText(), u"今日復習する単語はありません。"_qs);
    QVERIFY(!start->isEnabled());
    QCOMPARE(chooser->findChild<QLabel *>(u"ReviewCounts"_qs)->text(), u"期限 0・苦手 10"_qs);

    TProgressFrm progress(*history, 0, 0, m_frm.get());
    QVERIFY2(progress.summary()->text().contains(u"復習 13 問、一回目で正解 77%"_qs),
             qPrintable(progress.summary()->text()));
    QStandardItemModel *books = progress.bookModel();
    QCOMPARE(books->rowCount(), 1);
    QStringList row;
    for (int column = 0; column < books->columnCount(); ++column)
        row << books->item(0, column)->text();
    QCOMPARE(row, (QStringList{u"数"_qs, u"a.utx"_qs, u"10"_qs, u"10"_qs, u"0"_qs, u"0"_qs}));
    QCOMPARE(readFile(folder(0, 'A') + u"/a.utx"_qs), bookBytes);
}

QTEST_MAIN(TestPlayFrm)
#include "tst_playfrm.moc"
