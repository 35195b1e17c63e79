#include "core/textlines.h"
#include "practice/answerdiff.h"
#include "practice/practicebooks.h"
#include "practice/practicequiz.h"
#include "practice/quizrandom.h"
#include "practice/reactions.h"
#include "testenv.h"

#include <QtTest>

#include <map>

namespace {

PractisedBook bookOf(int entries)
{
    PractisedBook book;
    book.title = u"動物"_qs;
    for (int i = 0; i < entries; ++i)
        book.StudySL.append(WordEntry{{u"слово%1"_qs.arg(i), {}, {}, u"語%1"_qs.arg(i), {}}});
    return book;
}

PractisedBook bookWith(const QString &russian)
{
    PractisedBook book = bookOf(1);
    book.StudySL[0][EntryField::Russian] = russian;
    return book;
}

// Starts the quiz's first game and opens the curtain.
void startGame(PracticeQuiz &quiz)
{
    quiz.start();
    quiz.curtainOpened();
}

// The entries a game asks, in order.
QList<int> playGame(PracticeQuiz &quiz)
{
    QList<int> asked{quiz.RandIdx()};
    while (quiz.nextStep() == PracticeQuiz::NextStep::NextQuestion) {
        quiz.nextQuestion();
        asked.append(quiz.RandIdx());
    }
    return asked;
}

QString diffMarks(const QList<AnswerPiece> &pieces)
{
    QString out;
    for (const AnswerPiece &piece : pieces)
        out += piece.differs ? u'[' + piece.text + u']' : piece.text;
    return out;
}

} // namespace

class TestPracticeQuiz : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void passes_data();
    void passes();
    void judging_data();
    void judging();
    void scoring();
    void emptyBook();
    void chooserLines_data();
    void chooserLines();
    void practisedEntriesAreTheReadersEntries();
    void reactions_data();
    void reactions();
    void progressBars_data();
    void progressBars();
    void answerDiff_data();
    void answerDiff();
};

void TestPracticeQuiz::passes_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("games");
    // How often each entry is asked in a pass, most often first.
    QTest::addColumn<QList<int>>("counts");
    QTest::newRow("25 entries: two games of distinct entries") << 25 << 2 << QList<int>(20, 1);
    QTest::newRow("10 entries: each once") << 10 << 1 << QList<int>(10, 1);
    QTest::newRow("3 entries: 4, 3 and 3 times") << 3 << 1 << QList<int>{4, 3, 3};
}

void TestPracticeQuiz::passes()
{
    QFETCH(int, entries);
    QFETCH(int, games);
    QFETCH(QList<int>, counts);
    SeededRandom random(7);
    PracticeQuiz quiz(random);
    quiz.SetUpStudy(bookOf(entries));
    QCOMPARE(quiz.state(), PracticeQuiz::State::Ready);
    QCOMPARE(quiz.Game(), games);
    QCOMPARE(quiz.Remaining(), games);
    startGame(quiz);
    QCOMPARE(quiz.Remaining(), games - 1);
    // START again after an interruption: the same game, not counted twice.
    const int first = quiz.RandIdx();
    startGame(quiz);
    QCOMPARE(quiz.Remaining(), games - 1);
    QCOMPARE(quiz.RandIdx(), first);
    std::map<int, int> asked;
    for (int game = 1; game <= games; ++game) {
        if (game > 1) {
            QCOMPARE(quiz.nextStep(), PracticeQuiz::NextStep::OfferNextGame);
            quiz.nextGame();
        }
        const QList<int> order = playGame(quiz);
        QCOMPARE(order.size(), 10);
        for (int index : order)
            ++asked[index];
    }
    QCOMPARE(quiz.nextStep(), PracticeQuiz::NextStep::OfferNewPass);
    QList<int> seen;
    for (auto [index, count] : asked)
        seen.append(count);
    std::sort(seen.rbegin(), seen.rend());
    QCOMPARE(seen, counts);
    if (entries == 3)
        QCOMPARE(asked[0], 4);
    quiz.newPass();
    QCOMPARE(quiz.state(), PracticeQuiz::State::Ready);
    QCOMPARE(quiz.Remaining(), games);
}

void TestPracticeQuiz::judging_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("ignoreAccents");
    QTest::addColumn<bool>("right");
    QTest::addColumn<QString>("expected");
    const QString mama = u"мама"_qs;
    const QString stressed = u"ма\u0301ма"_qs;
    QTest::newRow("blanks around") << mama << u"  мама \t"_qs << true << true << mama;
    QTest::newRow("accents ignored, plain typed") << stressed << mama << true << true << mama;
    QTest::newRow("accents ignored, stressed typed")
        << stressed << stressed << true << true << mama;
    QTest::newRow("accents ignored, stress typed on a plain answer")
        << u"студент"_qs << u"студе\u0301нт"_qs << true << true << u"студент"_qs;
    QTest::newRow("accents ignored, grave typed")
        << stressed << u"ма\u0300ма"_qs << true << true << mama;
    QTest::newRow("accents kept, stressed typed")
        << stressed << stressed << false << true << stressed;
    QTest::newRow("accents kept, plain typed") << stressed << mama << false << false << stressed;
    QTest::newRow("case counts") << mama << u"Мама"_qs << true << false << mama;
    QTest::newRow("inner blanks count")
        << u"до свидания"_qs << u"до  свидания"_qs << true << false << u"до свидания"_qs;
    QTest::newRow("empty answer") << mama << u" "_qs << true << false << mama;
    QTest::newRow("stored with trailing blanks")
        << u"дом  "_qs << u"дом"_qs << true << true << u"дом"_qs;
    QTest::newRow("stored with blanks, accents kept")
        << u" до\u0301м\t"_qs << u"до\u0301м"_qs << false << true << u"до\u0301м"_qs;
}

void TestPracticeQuiz::judging()
{
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(bool, ignoreAccents);
    QFETCH(bool, right);
    QFETCH(QString, expected);
    SeededRandom random(1);
    PracticeQuiz quiz(random);
    quiz.SetUpStudy(bookWith(stored));
    startGame(quiz);
    const Judgement judgement = quiz.judge(typed, ignoreAccents);
    QCOMPARE(judgement.right, right);
    QCOMPARE(quiz.CAnswer(), expected);
    QCOMPARE(quiz.Score(), right ? 10 : 0);
    QVERIFY(!quiz.FirstJudgeFlg());
}

void TestPracticeQuiz::scoring()
{
    SeededRandom random(3);
    PracticeQuiz quiz(random);
    quiz.SetUpStudy(bookOf(12));
    startGame(quiz);
    auto answer = [&] { return quiz.BufferAns(); };
    // Wrong, then right: shown right, no points.
    QVERIFY(!quiz.judge(u"нет"_qs, true).right);
    QCOMPARE(quiz.judge(answer(), true).right, true);
    QCOMPARE(quiz.Score(), 0);
    // Seven right at the first try, one skipped unjudged, the rest wrong.
    for (int question = 2; question <= 10; ++question) {
        quiz.nextQuestion();
        QVERIFY(quiz.FirstJudgeFlg());
        if (question == 5)
            continue;
        quiz.judge(question <= 8 ? answer() : QString(), true);
    }
    QCOMPARE(quiz.Score(), 60);
    QCOMPARE(quiz.ProIdx(), 10);
    // The tenth question judged twice: still over, still scoring nothing.
    quiz.judge(answer(), true);
    QCOMPARE(quiz.state(), PracticeQuiz::State::GameOver);
    QCOMPARE(quiz.Score(), 60);
    quiz.nextQuestion();
    QCOMPARE(quiz.ProIdx(), 10);
}

void TestPracticeQuiz::emptyBook()
{
    SeededRandom random(1);
    PracticeQuiz quiz(random);
    quiz.SetUpStudy(bookOf(0));
    QVERIFY(!quiz.playable());
    QCOMPARE(quiz.state(), PracticeQuiz::State::Choosing);
    QCOMPARE(quiz.judge(u"x"_qs, true).right, false);
    QVERIFY(quiz.GetQuest(0)[EntryField::Russian].isEmpty());
}

void TestPracticeQuiz::chooserLines_data()
{
    QTest::addColumn<QString>("typeLine");
    QTest::addColumn<QString>("line");
    QTest::newRow("vocabulary") << u"単語理解"_qs << u" 動物  初級  VB   (12)"_qs;
    QTest::newRow("fill in the blank") << u"Fill_in_the_Blank"_qs << u" 動物  初級  FB   (12)"_qs;
    QTest::newRow("composition") << u"作文問題"_qs << u" 動物  初級  CO   (12)"_qs;
    QTest::newRow("empty type") << QString() << u" 動物  初級  VB   (12)"_qs;
    QTest::newRow("misspelt type") << u"単語理解 "_qs << u" 動物  初級  VB   (12)"_qs;
}

// A folder holding the book and a file of only two lines, which is no word book.
void TestPracticeQuiz::chooserLines()
{
    QFETCH(QString, typeLine);
    QFETCH(QString, line);
    QTemporaryDir folder;
    QString text = u"動物\r\n初級\r\n"_qs + typeLine + u"\r\n"_qs;
    for (int i = 0; i < 12; ++i)
        text += u"\"кот%1\",\"\",\"\",\"猫\",\"\",\"\"\r\n"_qs.arg(i);
    writeFile(folder.filePath(u"a.utx"_qs), EncodeUtf16LeBom(text));
    writeFile(folder.filePath(u"b.utx"_qs), EncodeUtf16LeBom(u"題\r\n組\r\n"_qs));
    const QList<ChooserBook> books = ListPracticeBooks(folder.path());
    QCOMPARE(books.size(), 1);
    QCOMPARE(books[0].fileName, u"a.utx"_qs);
    QCOMPARE(ChooserLine(books[0]), line);
}

// Lines the word list skips are no questions: the numbers stay the word list's.
void TestPracticeQuiz::practisedEntriesAreTheReadersEntries()
{
    QTemporaryDir folder;
    const QString text = u"題\r\n組\r\n\r\n\"один\",\"\",\"\",\"一\",\"\",\"\"\r\n"
                         u"\"сломано\",\"\",\"\",\"壊\",\"\",\"\",\"\"\r\n\r\n"
                         u"\"два\",\"\",\"\",\"二\",\"\",\"\"\r\n"_qs;
    writeFile(folder.filePath(u"n.utx"_qs), text.toUtf8());
    QString error;
    const std::optional<PractisedBook> book = ReadPractisedBook(folder.path(), u"n.utx"_qs, error);
    QVERIFY(book);
    QCOMPARE(book->StudySL.size(), 2);
    QCOMPARE(book->StudySL[1][EntryField::Russian], u"два"_qs);
    QCOMPARE(ListPracticeBooks(folder.path()).value(0).entries, 2);
    QVERIFY(!ReadPractisedBook(folder.path(), u"gone.utx"_qs, error));
    QVERIFY(!error.isEmpty());
}

void TestPracticeQuiz::reactions_data()
{
    QTest::addColumn<int>("score");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<Rgb>("colour");
    QTest::addColumn<int>("lowestPicture");
    QTest::addColumn<int>("highestPicture");
    QTest::newRow("100") << 100 << u"やった"_qs << u"すごい"_qs << Rgb(0xFF0000) << 5 << 7;
    QTest::newRow("90") << 90 << u"惜しい"_qs << u"いいね"_qs << Rgb(0xFFFF00) << 4 << 4;
    QTest::newRow("70") << 70 << u"順調だ"_qs << u"続けて"_qs << Rgb(0xFFFF00) << 3 << 3;
    QTest::newRow("40") << 40 << u"ガンバ"_qs << u"底上げ"_qs << Rgb(0x00FF00) << 2 << 2;
    QTest::newRow("10") << 10 << u"あれれ"_qs << u"まずい"_qs << Rgb(0x00FF00) << 1 << 1;
    QTest::newRow("0") << 0 << u"コリャ"_qs << u"真剣に"_qs << Rgb(0x00FF00) << 0 << 0;
}

void TestPracticeQuiz::reactions()
{
    QFETCH(int, score);
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(Rgb, colour);
    QFETCH(int, lowestPicture);
    QFETCH(int, highestPicture);
    SeededRandom random(11);
    QSet<int> pictures;
    bool sidesDiffer = false;
    for (int run = 0; run < 60; ++run) {
        const Reaction reaction = ReactionFor(score, random);
        QCOMPARE(reaction.leftWord, left);
        QCOMPARE(reaction.rightWord, right);
        QCOMPARE(reaction.colour, colour);
        pictures << reaction.manPicture << reaction.womanPicture;
        sidesDiffer |= reaction.manPicture != reaction.womanPicture;
    }
    QCOMPARE(*std::min_element(pictures.begin(), pictures.end()), lowestPicture);
    QCOMPARE(*std::max_element(pictures.begin(), pictures.end()), highestPicture);
    QCOMPARE(pictures.size(), highestPicture - lowestPicture + 1);
    QCOMPARE(sidesDiffer, score == 100);
}

void TestPracticeQuiz::progressBars_data()
{
    QTest::addColumn<int>("shown");
    QTest::addColumn<bool>("enough");
    QTest::addColumn<QRect>("fill");
    QTest::addColumn<Rgb>("trackColour");
    QTest::addColumn<Rgb>("fillColour");
    // A frame of 389 x 40 at (81, 8): track 311 wide from 119, bar 12 high at 28.
    QTest::newRow("3 of a 25-entry book")
        << 3 << true << QRect(119, 28, 93, 12) << Rgb(0x008000) << Rgb(0x00FF00);
    QTest::newRow("10 of a 7-entry book")
        << 10 << false << QRect(119, 28, 311, 12) << Rgb(0x0000FF) << Rgb(0x00FFFF);
}

void TestPracticeQuiz::progressBars()
{
    QFETCH(int, shown);
    QFETCH(bool, enough);
    QFETCH(QRect, fill);
    QFETCH(Rgb, trackColour);
    QFETCH(Rgb, fillColour);
    const ProgressBars bars = ProgressBarsOf(QRect(81, 8, 389, 40), shown, enough);
    QCOMPARE(bars.track, QRect(119, 28, 311, 12));
    QCOMPARE(bars.fill, fill);
    QCOMPARE(bars.trackColour, trackColour);
    QCOMPARE(bars.fillColour, fillColour);
}

void TestPracticeQuiz::answerDiff_data()
{
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("marked");
    QTest::newRow("right") << u"мама"_qs << u"мама"_qs << u"мама"_qs;
    QTest::newRow("empty answer") << u"мама"_qs << QString() << u"мама"_qs;
    QTest::newRow("wrong letter") << u"сын"_qs << u"сан"_qs << u"с[ы]н"_qs;
    QTest::newRow("missing soft sign") << u"мать"_qs << u"мат"_qs << u"мат[ь]"_qs;
    QTest::newRow("letter too many") << u"мама"_qs << u"маама"_qs << u"ма[м]а"_qs;
    QTest::newRow("letter too many at the end") << u"мама"_qs << u"мамаа"_qs << u"мам[а]"_qs;
    QTest::newRow("too long to compare")
        << QString(2100, u'а') << QString(2100, u'б') << u'[' + QString(2100, u'а') + u']';
    QTest::newRow("stress on another vowel")
        << u"ма\u0301ма"_qs << u"мама\u0301"_qs << u"м[а\u0301]м[а]"_qs;
}

void TestPracticeQuiz::answerDiff()
{
    QFETCH(QString, expected);
    QFETCH(QString, typed);
    QFETCH(QString, marked);
    QCOMPARE(diffMarks(DiffAnswer(expected, typed)), marked);
}

QTEST_GUILESS_MAIN(TestPracticeQuiz)
#include "tst_practicequiz.moc"
