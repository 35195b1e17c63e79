#include "movepositions.h"

namespace {

QString positionText(int number)
{
    return QStringLiteral("     ") + QString::number(number);
}

} // namespace

QStringList MovePositions(int count, int selected)
{
    QStringList positions;
    for (int number = 1; number <= count; ++number) {
        if (number != selected && number != selected + 1)
            positions.append(positionText(number));
    }
    return positions;
}

QString InitialMovePosition(int selected)
{
    return selected > 1 ? positionText(selected - 1) : QString();
}

std::optional<int> MoveBeforeRow(const QString &numberText, int count, int selected)
{
    bool ok = false;
    const int number = numberText.trimmed().toInt(&ok);
    if (!ok || number <= 0 || number > MovePositions(count, selected).size() + 2)
        return std::nullopt;
    return number - 1;
}
