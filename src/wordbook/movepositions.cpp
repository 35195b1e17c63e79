#include "movepositions.h"

#include "positionlistmodel.h"

namespace {

// The entry's own number and the next one, as far as they are numbers of the book.
int gapStart(int selected)
{
    return qMax(selected, 1);
}

int gapLength(int count, int selected)
{
    return qMax(0, qMin(selected + 1, count) - gapStart(selected) + 1);
}

} // namespace

PositionListModel *MovePositions(int count, int selected, QObject *parent)
{
    return new PositionListModel(QStringLiteral("     "), count, gapStart(selected),
                                 gapLength(count, selected), parent);
}

std::optional<int> MoveBeforeRow(const QString &numberText, int count, int selected)
{
    bool ok = false;
    const int number = numberText.trimmed().toInt(&ok);
    const int positions = qMax(0, count) - gapLength(count, selected);
    if (!ok || number <= 0 || number > positions + 2)
        return std::nullopt;
    return number - 1;
}
