#pragma once

#include <QFont>

// The three kinds of text a word book field holds, each drawn in the family the settings name
// for it: UsrMainFont (a serif where it is missing), the IPA font, the Japanese font.
enum class FontKind { Russian, Ipa, Japanese };

// The family of `kind` at the point size `points`.
QFont FieldFont(FontKind kind, int points);
