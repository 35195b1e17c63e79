#include "fsrs.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// FSRS-5's default weights w0 … w18.
constexpr std::array<double, 19> w = {
    0.40255, 1.18385, 3.173, 15.69105, 7.1949, 0.5345, 1.4604, 0.0046,  1.54575, 0.1192,
    1.01925, 1.9395,  0.11,  0.29605,  2.2698, 0.2315, 2.9898, 0.51655, 0.6621,
};

// The forgetting curve R(t) = (1 + factor · t / S) ^ decay, which gives R(S) = 0.9.
constexpr double kDecay = -0.5;
constexpr double kFactor = 19.0 / 81.0;

constexpr double kMinimumStability = 0.01;

double number(ReviewGrade grade)
{
    return double(int(grade));
}

double clampDifficulty(double difficulty)
{
    return std::clamp(difficulty, 1.0, 10.0);
}

} // namespace

ReviewGrade GradeOfFirstJudgement(bool right)
{
    return right ? ReviewGrade::Good : ReviewGrade::Again;
}

MemoryState FsrsScheduler::firstReview(ReviewGrade grade)
{
    return {w[size_t(int(grade) - 1)], clampDifficulty(initialDifficulty(grade))};
}

// Stability comes from the state before the review, difficulty is updated beside it.
MemoryState FsrsScheduler::nextReview(const MemoryState &state, double elapsedDays,
                                      ReviewGrade grade)
{
    double stability = 0;
    if (elapsedDays < 1) {
        stability = sameDayStability(state.stability, grade);
    } else {
        const double recall = retrievability(state.stability, elapsedDays);
        stability = grade == ReviewGrade::Again ? lapseStability(state, recall)
                                                : recallStability(state, recall, grade);
    }
    return {std::max(stability, kMinimumStability), nextDifficulty(state.difficulty, grade)};
}

double FsrsScheduler::retrievability(double stability, double elapsedDays)
{
    if (stability <= 0)
        return 0;
    return std::pow(1 + kFactor * std::max(elapsedDays, 0.0) / stability, kDecay);
}

int FsrsScheduler::intervalDays(double stability)
{
    const double days = stability / kFactor * (std::pow(kDesiredRetention, 1 / kDecay) - 1);
    return int(std::clamp(std::round(days), 1.0, double(kMaximumIntervalDays)));
}

double FsrsScheduler::initialDifficulty(ReviewGrade grade)
{
    return w[4] - std::exp(w[5] * (number(grade) - 1)) + 1;
}

// A linear step damped near 10, then a slight pull back to the difficulty of an easy start.
double FsrsScheduler::nextDifficulty(double difficulty, ReviewGrade grade)
{
    const double step = -w[6] * (number(grade) - 3);
    const double damped = difficulty + step * (10 - difficulty) / 9;
    return clampDifficulty(w[7] * initialDifficulty(ReviewGrade::Easy) + (1 - w[7]) * damped);
}

double FsrsScheduler::recallStability(const MemoryState &state, double recall, ReviewGrade grade)
{
    const double hardPenalty = grade == ReviewGrade::Hard ? w[15] : 1;
    const double easyBonus = grade == ReviewGrade::Easy ? w[16] : 1;
    const double growth = std::exp(w[8]) * (11 - state.difficulty) *
                          std::pow(state.stability, -w[9]) * (std::exp(w[10] * (1 - recall)) - 1) *
                          hardPenalty * easyBonus;
    return state.stability * (growth + 1);
}

// A forgotten entry never comes out more stable than a same-day Again would leave it.
double FsrsScheduler::lapseStability(const MemoryState &state, double recall)
{
    const double forgotten = w[11] * std::pow(state.difficulty, -w[12]) *
                             (std::pow(state.stability + 1, w[13]) - 1) *
                             std::exp(w[14] * (1 - recall));
    return std::min(forgotten, state.stability / std::exp(w[17] * w[18]));
}

double FsrsScheduler::sameDayStability(double stability, ReviewGrade grade)
{
    return stability * std::exp(w[17] * (number(grade) - 3 + w[18]));
}
