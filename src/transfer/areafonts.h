#pragma once

#include "richtextforms.h"

// The fonts the rich transfer carries, the same the areas show: the Russian area's UsrMainFont
// at MainFontSize in the Cyrillic set (204); the IPA line's UsrIPAFont at IPAFontSize in the
// default set (0), or in kana mode UsrJpFont at IPAFontSize - 2 in Shift-JIS (128). Each name is
// replaced by the family that actually draws it, the IPA and Japanese fallbacks included: a
// name the system lacks would make the receiving program choose a substitute of its own. Needs
// a QGuiApplication.
RichFont RussianRichFont();
RichFont IpaRichFont();
