#pragma once

#include <QString>

#include <optional>

class PositionListModel;
class QObject;

// The move dialog's positions for entry No `selected` of `count` entries: every number but
// the entry's own and the next one, the two places where it already stands. Each is shown as
// five spaces and the number.
PositionListModel *MovePositions(int count, int selected, QObject *parent);

// The row the entry No `selected` is to be put before, for the picked position text: entry
// No k for a text of the integer k from 1 to the number of positions + 2; none for any other
// text, an empty one included.
std::optional<int> MoveBeforeRow(const QString &numberText, int count, int selected);
