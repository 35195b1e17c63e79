#pragma once

#include <QString>

// The letters whose marks a face must set: Russian vowels under the stress marks, IPA letters
// under tone and nasal marks and the tie bar, or the dotted circle that stands for any letter
// where a mark is shown alone.
enum class MarkedLetters { Russian, Ipa, DottedCircle };

// Whether the face `family` resolves to shapes each letter of `letters` together with its
// combining marks and sets every mark over its own letter. A face that lacks a mark leaves it to
// another face, and one without anchors for the letter leaves it at a fixed place; either way
// the mark lands beside its letter, over the next one, or far above the line. Measured once per
// name, from the glyph outlines; needs a QGuiApplication.
bool SetsMarksOnLetters(const QString &family, MarkedLetters letters);
