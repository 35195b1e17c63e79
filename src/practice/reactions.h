#pragma once

#include "core/ulib.h"

#include <QRect>
#include <QString>

class RandomSource;

// The reaction at the end of a game: the words over the two pictures, their colour, and the
// picture of each side, 0 (dismay) to 7.
struct Reaction {
    QString leftWord;
    QString rightWord;
    Rgb colour = 0;
    int manPicture = 0;
    int womanPicture = 0;
};

// The reaction to a game's score; a perfect game draws each side's picture from 5 to 7.
Reaction ReactionFor(int score, RandomSource &random);

// The bars of the progress display inside its black frame, for n questions shown of ten.
struct ProgressBars {
    QRect track;
    QRect fill;
    Rgb trackColour = 0;
    Rgb fillColour = 0;
};

// Green bars for a book of at least ten entries, blue ones for a smaller book.
ProgressBars ProgressBarsOf(const QRect &frame, int shown, bool enough);
