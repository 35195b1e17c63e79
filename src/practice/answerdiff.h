#pragma once

#include <QList>
#include <QString>

// A piece of the expected answer, marked when the typed answer differs from it there.
struct AnswerPiece {
    QString text;
    bool differs = false;
};

// The expected answer cut into pieces of whole characters (a letter with its stress mark is
// one), those that a character diff against the typed answer does not match being marked: a
// wrong or missing letter, a missing soft sign, a stress mark on another vowel. Where the
// typed answer has characters too many, the expected character beside them is marked. A
// right answer and an empty one mark nothing.
QList<AnswerPiece> DiffAnswer(QStringView expected, QStringView typed);

// The expected answer as rich text for the practice window's answer label: its characters
// escaped, so an answer such as "<img src=…>" shows as written; the marked pieces in
// `markColour` ("#RRGGBB"); blanks kept as written.
QString AnswerMarkup(QStringView expected, QStringView typed, QStringView markColour);
