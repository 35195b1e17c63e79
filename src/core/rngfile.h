#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The settings file "Kalvo.rng": 48 lines `key,value`, read once at start, written once at
// shutdown.
inline const QString RngFileName = QStringLiteral("Kalvo.rng");

// The loaded lines by key, for the keys of the settings table: each line is split once, and a
// key takes the second item of the first line that splits into exactly two items with the key
// first. Lines of other keys are passed over, so a file of many such lines builds no table of
// them.
using RngValues = QHash<QString, QString>;
RngValues SplitRngLines(const QStringList &lines);

// The value of `key`; the empty string when no line has it.
QString GetRngInfo(const RngValues &values, const QString &key);

// Applies every key found in the lines to Usr; empty values keep their defaults.
void ApplyRngLines(const QStringList &lines);

// The 48 lines of the current values, in file order, without line ends.
QStringList BuildRngLines();

enum class RngReadResult { Missing, Loaded, Unreadable };

// Reads `path` into Usr. A missing file changes nothing; one that cannot be read (also a link
// to a device, or one far larger than the 48 lines) changes nothing either and gives the
// reason in Japanese.
RngReadResult ReadRngFile(const QString &path, QString *reason = nullptr);

// Writes all 48 lines to `path` (UTF-8 without byte-order mark, CR LF after each line),
// replacing it in one step. On failure returns false with the reason in `error`.
bool WriteRngFile(const QString &path, QString *error = nullptr);
