#pragma once

#include <QString>
#include <QStringView>

// `wanted` when the font it resolves to draws every character of `sample` itself, else
// `fallback`. A name the system lacks is substituted by fontconfig, and a substitute without
// the glyphs would leave each missing symbol to a different fallback font, drawn in mixed
// styles and sizes or as empty boxes. Needs a QGuiApplication.
QString FamilyCovering(const QString &wanted, QStringView sample, const QString &fallback);

// The family for IPA symbols: the user's IPA font if it covers all candidates, else one that does.
QString IpaFontFamily(const QString &wanted);

// The family for the Japanese information line.
QString JapaneseFontFamily(const QString &wanted);

// The caption for a symbol: a combining mark alone has no base to sit on and would join
// whatever is drawn before it, so it is shown on a no-break space.
QString IpaCaption(const QString &symbol);
