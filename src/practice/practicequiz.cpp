#include "practicequiz.h"

#include "core/textdocument.h"
#include "input/urussian.h"
#include "quizrandom.h"

#include <algorithm>
#include <numeric>
#include <utility>

PracticeQuiz::PracticeQuiz(RandomSource &random)
    : m_random(random)
{}

void PracticeQuiz::choose()
{
    m_state = State::Choosing;
}

void PracticeQuiz::SetUpStudy(PractisedBook book)
{
    m_book = std::move(book);
    m_maxQnum = int(m_book.StudySL.size());
    m_randIdx = -1;
    m_proIdx = 0;
    if (!playable()) {
        m_game = m_remaining = 0;
        m_maxQArray.clear();
        m_state = State::Choosing;
        return;
    }
    PrepareQuest();
    m_state = State::Ready;
}

// A book of at least ten entries is asked game by game, the entries left over behind the last
// full game waiting for another pass; a smaller book makes one game in which entries repeat.
void PracticeQuiz::PrepareQuest()
{
    const int places = EnoughFlg() ? m_maxQnum : kQuestionsPerGame;
    m_game = m_remaining = EnoughFlg() ? m_maxQnum / kQuestionsPerGame : 1;
    m_maxQArray.resize(places);
    std::iota(m_maxQArray.begin(), m_maxQArray.end(), 0);
    if (!m_book.keepOrder)
        MakeShuffle(places);
    for (int k = 0; k < kQuestionsPerGame; ++k)
        m_Qarray[size_t(k)] = m_maxQArray[k] % m_maxQnum;
    m_gameCounted = false;
}

void PracticeQuiz::MakeShuffle(int n)
{
    m_random.reseed();
    for (int i = n - 1; i >= 1; --i)
        std::swap(m_maxQArray[i], m_maxQArray[m_random.below(i + 1)]);
}

void PracticeQuiz::start()
{
    m_random.reseed();
    m_proIdx = 0;
    m_randIdx = -1;
    m_score = 0;
    if (playable()) {
        ShowQuest(m_Qarray[0]);
        m_proIdx = 1;
    }
    m_state = State::Opening;
}

void PracticeQuiz::curtainOpened()
{
    if (!m_gameCounted && m_remaining >= 1)
        --m_remaining;
    m_gameCounted = true;
    if (m_state == State::Opening)
        m_state = State::Asking;
}

Judgement PracticeQuiz::judge(QStringView typed, bool ignoreAccents)
{
    if (m_randIdx < 0)
        return {};
    m_cAnswer = AnswerForm(m_bufferAns, ignoreAccents);
    const QString answer = AnswerForm(typed, ignoreAccents);
    Judgement result;
    result.right = !answer.isEmpty() && answer == m_cAnswer;
    if (result.right && m_firstJudge) {
        m_score += kPointsPerAnswer;
        result.scored = true;
    }
    m_firstJudge = false;
    m_state = m_proIdx == kQuestionsPerGame ? State::GameOver : State::Judged;
    return result;
}

// A book written by hand may keep blanks after its Russian; a typed answer may carry the
// stress marks that are ignored.
QString PracticeQuiz::AnswerForm(QStringView text, bool ignoreAccents)
{
    if (!ignoreAccents)
        return TrimLowChars(text).toString();
    return TrimLowChars(AccentFilter(text)).toString();
}

PracticeQuiz::NextStep PracticeQuiz::nextStep() const
{
    if (m_proIdx != kQuestionsPerGame)
        return NextStep::NextQuestion;
    return m_remaining != 0 ? NextStep::OfferNextGame : NextStep::OfferNewPass;
}

void PracticeQuiz::nextQuestion()
{
    if (!playable() || m_proIdx >= kQuestionsPerGame)
        return;
    ShowQuest(m_Qarray[size_t(m_proIdx)]);
    ++m_proIdx;
    m_state = State::Asking;
}

void PracticeQuiz::nextGame()
{
    if (m_remaining <= 0)
        return;
    takeGame(m_game - m_remaining);
    ShowQuest(m_Qarray[0]);
    --m_remaining;
    m_gameCounted = true;
    m_proIdx = 1;
    m_score = 0;
    m_state = State::Asking;
}

// Game g of a pass, counting from 0, asks the places 10g to 10g + 9 of the pass order.
void PracticeQuiz::takeGame(int game)
{
    for (int k = 0; k < kQuestionsPerGame; ++k)
        m_Qarray[size_t(k)] = m_maxQArray[game * kQuestionsPerGame + k];
}

void PracticeQuiz::newPass()
{
    if (!playable())
        return;
    PrepareQuest();
    m_state = State::Ready;
}

WordEntry PracticeQuiz::GetQuest(int index) const
{
    if (index < 0 || index >= m_book.StudySL.size())
        return {};
    return m_book.StudySL[index];
}

bool PracticeQuiz::askedBeforeInGame() const
{
    const int current = m_proIdx - 1;
    if (current <= 0 || current >= kQuestionsPerGame)
        return false;
    const auto asked = m_Qarray.begin() + current;
    return std::find(m_Qarray.begin(), asked, *asked) != asked;
}

QuestionOrigin PracticeQuiz::originOf(int index) const
{
    if (index >= 0 && index < m_book.origins.size())
        return m_book.origins[index];
    return {m_book.fileName, m_book.title, m_book.type, index};
}

void PracticeQuiz::ShowQuest(int index)
{
    const WordEntry entry = GetQuest(index);
    m_randIdx = index;
    m_bufferAns = m_cAnswer = entry[EntryField::Russian];
    m_hint = entry[EntryField::Cue];
    m_biko = entry[EntryField::Remarks];
    m_firstJudge = true;
}
