#include "positionlistmodel.h"

PositionListModel::PositionListModel(const QString &prefix, int last, int gapStart, int gapLength,
                                     QObject *parent)
    : QAbstractListModel(parent)
    , m_prefix(prefix)
    , m_last(qMax(0, last))
    , m_gapStart(gapStart)
    , m_gapLength(qMax(0, gapLength))
{}

int PositionListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_last - m_gapLength;
}

QVariant PositionListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return QString(m_prefix + QString::number(numberAt(index.row())));
}

int PositionListModel::numberAt(int row) const
{
    const int number = row + 1;
    return number < m_gapStart ? number : number + m_gapLength;
}

int PositionListModel::rowOf(int number) const
{
    if (number < 1 || number > m_last)
        return -1;
    if (number < m_gapStart)
        return number - 1;
    return number < m_gapStart + m_gapLength ? -1 : number - 1 - m_gapLength;
}
