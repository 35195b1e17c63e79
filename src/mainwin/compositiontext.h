#pragma once

#include <QString>
#include <optional>

// The commands on the composed text, as pure functions. The Russian area's text is taken as
// QPlainTextEdit holds it (one LF between lines); its line breaks count as CR LF.

// The length in UTF-16 code units, a line break counting two (CR LF).
qsizetype AreaLength(QStringView text);

// The character counter's message for the active area.
QString CounterText(qsizetype count, bool russianArea);

// The code checker's message: "/" and each code unit's value, decimal or four upper-case
// hexadecimal digits, after the area's prefix; empty for an empty text.
QString CodeCheckerText(QStringView text, bool russianArea, bool hexadecimal);

// The Russian area after "remove accents": the trimmed text without U+0301 and U+0300; none
// when the trimmed text is empty (nothing is asked then).
std::optional<QString> RemoveAccentsResult(QStringView text);
