#include "reactions.h"

#include "practicequiz.h"
#include "quizrandom.h"

#include <iterator>

namespace {

constexpr Rgb kRed = 0xFF0000;
constexpr Rgb kYellow = 0xFFFF00;
constexpr Rgb kBrightGreen = 0x00FF00;
constexpr Rgb kGreen = 0x008000;
constexpr Rgb kBlue = 0x0000FF;
constexpr Rgb kAqua = 0x00FFFF;

struct ReactionRow {
    int minScore;
    QStringView left;
    QStringView right;
    Rgb colour;
    int picture;
    // How many pictures from `picture` on each side may show.
    int pictures;
};

// Highest score first; a row holds from its score up to the row above.
constexpr ReactionRow kReactions[] = {
    {100, u"やった", u"すごい", kRed, 5, 3},        {90, u"惜しい", u"いいね", kYellow, 4, 1},
    {70, u"順調だ", u"続けて", kYellow, 3, 1},      {40, u"ガンバ", u"底上げ", kBrightGreen, 2, 1},
    {10, u"あれれ", u"まずい", kBrightGreen, 1, 1}, {0, u"コリャ", u"真剣に", kBrightGreen, 0, 1},
};

} // namespace

Reaction ReactionFor(int score, RandomSource &random)
{
    const ReactionRow *row = std::begin(kReactions);
    while (score < row->minScore && row + 1 != std::end(kReactions))
        ++row;
    return {row->left.toString(), row->right.toString(), row->colour,
            row->picture + random.below(row->pictures), row->picture + random.below(row->pictures)};
}

ProgressBars ProgressBarsOf(const QRect &frame, int shown, bool enough)
{
    const int trackWidth = frame.width() * 8 / 10;
    const int margin = frame.width() / 10;
    const int height = frame.height() * 3 / 10;
    const int top = frame.top() + frame.height() / 2;
    const int left = frame.left() + margin;
    ProgressBars bars;
    bars.track = QRect(left, top, trackWidth, height);
    bars.fill = QRect(left, top, shown * trackWidth / PracticeQuiz::kQuestionsPerGame, height);
    bars.trackColour = enough ? kGreen : kBlue;
    bars.fillColour = enough ? kBrightGreen : kAqua;
    return bars;
}
