#pragma once

#include "richtextforms.h"

// The fonts the rich transfer carries, the same the areas show: the Russian area's UsrMainFont
// at MainFontSize in the Cyrillic set (204); the IPA line's UsrIPAFont at IPAFontSize in the
// default set (0), or in kana mode UsrJpFont at IPAFontSize - 2 in Shift-JIS (128). The IPA and
// Japanese names are resolved as the line resolves them, so a name the system lacks is replaced
// by the font that actually draws the symbols. Needs a QGuiApplication.
RichFont RussianRichFont();
RichFont IpaRichFont();
