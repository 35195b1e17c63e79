#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The move dialog's positions for entry No `selected` of `count` entries: every number but
// the entry's own and the next one, the two places where it already stands. Each is shown as
// five spaces and the number.
QStringList MovePositions(int count, int selected);

// The position shown first: the entry above (five spaces and `selected` - 1), none for No 1.
QString InitialMovePosition(int selected);

// The row the entry No `selected` is to be put before, for the picked position text: entry
// No k for a text of the integer k from 1 to the number of positions + 2; none for any other
// text, an empty one included.
std::optional<int> MoveBeforeRow(const QString &numberText, int count, int selected);
