#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <QStringView>

// `wanted` when the font it resolves to draws every character of `sample` itself, else
// `fallback`. A name the system lacks is substituted by fontconfig, and a substitute without
// the glyphs would leave each missing symbol to a different fallback font, drawn in mixed
// styles and sizes or as empty boxes. Needs a QGuiApplication.
QString FamilyCovering(const QString &wanted, QStringView sample, const QString &fallback);

// The family for IPA symbols: the user's IPA font if it covers all candidates and sets their
// marks on their letters, else one that does.
QString IpaFontFamily(const QString &wanted);

// The family for Russian: the user's Russian font if it sets the stress marks over their
// vowels, else one that does. Every place that draws Russian draws it in this face, so the text
// keeps its face when the first stress mark is typed, on screen and on paper.
QString RussianFontFamily(const QString &wanted);

// The family that sets a mark shown alone, on the dotted circle, over the circle's middle.
QString DottedCircleFontFamily();

// The family for kana and kanji.
QString JapaneseFontFamily(const QString &wanted);

// The families for Japanese texts, which hold Russian and its stress marks too: the Japanese
// face alone if it sets the marks, else first a face that does, for the Latin and Cyrillic
// letters, and the Japanese face for the rest.
QStringList JapaneseFamilies(const QString &wanted);
QFont JapaneseFont(const QString &wanted);

// The caption for a symbol: a combining mark alone has no base to sit on and would join
// whatever is drawn before it, so it is shown on a no-break space.
QString IpaCaption(const QString &symbol);
