#pragma once

#include "wordbook/wordbookfile.h"

#include <QList>
#include <QString>

#include <array>

class RandomSource;

// Where a question comes from: entry `number` (from 0) of a book.
struct QuestionOrigin {
    QString fileName;
    QString title;
    QuestionType type = QuestionType::Vocabulary;
    int number = 0;
};

// The book being practised: the file behind the chooser line, its header and the entries the
// word book reader accepts, numbered from 0 as the word list numbers them from 1.
struct PractisedBook {
    QString fileName;
    QString title;
    QString group;
    QuestionType type = QuestionType::Vocabulary;
    QList<WordEntry> StudySL;
    // Where the book was picked: its class and book folder (PClassRoom, PFIndex).
    int classRoom = 0;
    int bookFolder = 0;
    // For entries gathered from several books, each one's origin, in StudySL's order; empty
    // for one book, whose entry i is its own number i.
    QList<QuestionOrigin> origins;
    // The entries are asked in their order, not shuffled.
    bool keepOrder = false;
};

// The result of one judgement.
struct Judgement {
    bool right = false;
    // The first judgement of the question was right: the score rose by ten.
    bool scored = false;
};

// The typing quiz on one word book, without widgets or timers: the book is shuffled into a
// pass, ten questions make a game, the first judgement of a question scores ten points when
// right. The window calls the steps at the user's events and draws what they leave.
class PracticeQuiz {
public:
    static constexpr int kQuestionsPerGame = 10;
    static constexpr int kPointsPerAnswer = 10;

    enum class State { Choosing, Ready, Opening, Asking, Judged, GameOver };
    // What NEXT does in the current state.
    enum class NextStep { NextQuestion, OfferNextGame, OfferNewPass };

    explicit PracticeQuiz(RandomSource &random);

    // A class or folder was chosen and no book is ready: back to choosing.
    void choose();
    // Takes the picked book and prepares its first pass; a book without entries cannot be
    // played and leaves the quiz choosing.
    void SetUpStudy(PractisedBook book);
    // The pass order and its first game (a new shuffle).
    void PrepareQuest();
    // Shuffles the first n places of the pass order, each order equally likely.
    void MakeShuffle(int n);

    // START: a fresh game whose first question is asked while the curtain opens.
    void start();
    // The curtain is fully open: the started game no longer counts as remaining. A game that
    // START begins again after an interruption is counted once.
    void curtainOpened();
    // Judges the typed answer against the current entry's Russian, both in their AnswerForm.
    Judgement judge(QStringView typed, bool ignoreAccents);
    // An answer as it is compared: without leading and trailing blanks and control characters,
    // and without stress marks when `ignoreAccents`.
    static QString AnswerForm(QStringView text, bool ignoreAccents);
    NextStep nextStep() const;
    // NEXT within a game: the next question, unscored if the current one was not judged.
    void nextQuestion();
    // NEXT after a game, confirmed: the following game of the pass.
    void nextGame();
    // NEXT after the last game, confirmed: a new pass in a new order, ready to start.
    void newPass();

    // The five texts of entry `index`, all empty outside the book.
    WordEntry GetQuest(int index) const;
    // The book and number of entry `index`.
    QuestionOrigin originOf(int index) const;
    // The current question's entry was asked before in this game: a game of fewer entries
    // than questions asks some again.
    bool askedBeforeInGame() const;

    State state() const { return m_state; }
    bool playable() const { return m_maxQnum > 0; }
    const PractisedBook &book() const { return m_book; }
    int maxQnum() const { return m_maxQnum; }
    bool EnoughFlg() const { return m_maxQnum >= kQuestionsPerGame; }
    int Game() const { return m_game; }
    int Remaining() const { return m_remaining; }
    int ProIdx() const { return m_proIdx; }
    int RandIdx() const { return m_randIdx; }
    int Score() const { return m_score; }
    bool FirstJudgeFlg() const { return m_firstJudge; }
    // The current entry's Russian as stored.
    const QString &BufferAns() const { return m_bufferAns; }
    // The answer the last judgement expected.
    const QString &CAnswer() const { return m_cAnswer; }
    const QString &HintStr() const { return m_hint; }
    const QString &Biko() const { return m_biko; }

private:
    void ShowQuest(int index);
    void takeGame(int game);

    RandomSource &m_random;
    State m_state = State::Choosing;
    PractisedBook m_book;
    int m_maxQnum = 0;
    QList<int> m_maxQArray;
    std::array<int, kQuestionsPerGame> m_Qarray{};
    int m_game = 0;
    int m_remaining = 0;
    int m_proIdx = 0;
    int m_randIdx = -1;
    int m_score = 0;
    bool m_firstJudge = true;
    // The current game has been taken off the remaining games.
    bool m_gameCounted = false;
    QString m_bufferAns;
    QString m_cAnswer;
    QString m_hint;
    QString m_biko;
};
