#pragma once

#include <QString>
#include <array>

// Facts about Russian text: the stress-mark filter, the names of letters and symbols for the
// character chart, and the chart's letter and symbol tables.

// s without any U+0301 or U+0300 code unit; every other code unit stays, in order.
QString AccentFilter(QStringView s);

// The Japanese name and, for a letter, the IPA name of its own name, stressed. Both are
// emptied first: a character outside the tables gives two empty strings.
void GetRusCharInfo(QChar ch, QString &japaneseName, QString &ipaName);

// The chart's 33 letters in alphabetical order (ё after е), one code unit each.
extern const std::array<QString, 33> RusLower;
extern const std::array<QString, 33> RusUpper;

// The chart's five symbol sets of 20 cells each; an empty string is an empty cell.
using RusSymbolSet = std::array<QString, 20>;
extern const RusSymbolSet RusSym;  // "記号標準": typographic symbols for Russian text
extern const RusSymbolSet RusSym1; // "ｳｸﾗｲﾅ語"
extern const RusSymbolSet RusSym2; // "ﾍﾞﾗﾙｰｼ語"
extern const RusSymbolSet RusSym3; // "ｾﾙﾋﾞｱ語"
extern const RusSymbolSet RusSym4; // "ﾏｹﾄﾞﾆｱ語"

// The selector's item names, index = SymIndex. The chart's selector depends on this order.
extern const std::array<QString, 5> RusSymNames;

// The symbol set of SymIndex 1 to 4; 0 and any other value give the standard set RusSym.
const RusSymbolSet &RusSymSet(int symIndex);
