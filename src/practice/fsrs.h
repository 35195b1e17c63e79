#pragma once

// How a question went, as the scheduler grades it.
enum class ReviewGrade { Again = 1, Hard = 2, Good = 3, Easy = 4 };

// The practice grades a question by its first judgement: right is Good, wrong Again.
ReviewGrade GradeOfFirstJudgement(bool right);

// What the scheduler knows of an entry's memory after a review.
struct MemoryState {
    // Days until the chance of recall falls to 90 %.
    double stability = 0;
    // From 1 (easy) to 10 (hard).
    double difficulty = 0;
};

// The free spaced-repetition scheduler FSRS, version 5, with its published default weights.
// Times are in days; a review less than a day after the one before is a same-day review,
// which has its own stability rule.
class FsrsScheduler {
public:
    static constexpr double kDesiredRetention = 0.9;
    static constexpr int kMaximumIntervalDays = 36500;

    static MemoryState firstReview(ReviewGrade grade);
    static MemoryState nextReview(const MemoryState &state, double elapsedDays, ReviewGrade grade);
    // The predicted chance of recall `elapsedDays` after a review that left `stability`.
    static double retrievability(double stability, double elapsedDays);
    // Whole days from a review to the next, for the desired retention: at least one.
    static int intervalDays(double stability);

private:
    static double initialDifficulty(ReviewGrade grade);
    static double nextDifficulty(double difficulty, ReviewGrade grade);
    static double recallStability(const MemoryState &state, double recall, ReviewGrade grade);
    static double lapseStability(const MemoryState &state, double recall);
    static double sameDayStability(double stability, ReviewGrade grade);
};
