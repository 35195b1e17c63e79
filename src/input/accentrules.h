#pragma once

#include <QChar>
#include <QStringView>

// The stress accent keys: "/" types the combining acute accent U+0301 and "\" the combining
// grave accent U+0300. The program's Russian fields apply them whenever the accent setting is
// on; the input methods, which have no such setting, only after a Russian vowel, so a slash
// stays a slash elsewhere.

// The accent a typed character stands for, or an empty view when it is no accent key.
QStringView AccentOfKey(QChar typed);

// True for the ten Russian vowels in either case: а е ё и о у ы э ю я.
bool IsRussianVowel(QChar ch);
