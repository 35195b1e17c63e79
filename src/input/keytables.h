#pragma once

#include "core/ulib.h"

#include <QString>

// The three Russian keyboard layouts and their key tables. A key table is indexed from 0 in the
// reading order of the character keys of a JIS keyboard (row 1: 0-12, row 2: 13-24, row 3:
// 25-36, row 4: 37-46; the mnemonic layout's five extra keys 47-51). Page 1 is the lower page
// (without Shift); every other page number is the upper page.

struct KeyCap {
    Rgb color = 0x000000;
    QString caption;
    QString subCaption;
};

// Lookups of the standard, typewriter and mnemonic tables; an index beyond the table gives
// black and two empty texts.
KeyCap GetColAndCap1(int page, int index);
KeyCap GetColAndCap2(int page, int index);
KeyCap GetColAndCap3(int page, int index);

using KeyTableFn = KeyCap (*)(int page, int index);

struct RussianLayout {
    int rusImeIndex;    // 1 standard, 2 typewriter, 3 mnemonic
    QString identifier; // "00000419", "00010419", "00020419"
    QString name;       // the name shown on the pad's tab
    KeyTableFn table;
    int keyCount; // 47, 47, 52
};

// The layout the pad shows for a RusImeIndex: 2 typewriter, 3 mnemonic, any other standard.
const RussianLayout &PadLayout(int rusImeIndex);

// The layout LoadGaIme activates: only 1 to 3 name one; any other value names none.
const RussianLayout *LayoutByIndex(int rusImeIndex);

// The name of the current layout for the Russian pad's tab: 2 "ロシア語タイプライター",
// 3 "ロシア語ニーモニック", any other "ロシア語 標準".
QString RusImeName(int rusImeIndex);

// The caption of a key in the table PadLayout(rusImeIndex) shows, as a view of the constant
// table text: the layout engine reads it on every key press without building a KeyCap. Empty
// for an index beyond the table.
QStringView KeyCaption(int rusImeIndex, int page, int index);

// The identifier of the Japanese layout the program returns to.
inline const QString JapaneseLayoutId = QStringLiteral("00000411");
