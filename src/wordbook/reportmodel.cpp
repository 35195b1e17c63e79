#include "reportmodel.h"

ReportModel::ReportModel(QList<Column> columns, QObject *parent)
    : QAbstractTableModel(parent)
    , m_columns(std::move(columns))
{}

int ReportModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ReportModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant ReportModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || !hasColumn(index.column()))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cell(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return int(m_columns[index.column()].alignment);
    default:
        return {};
    }
}

QVariant ReportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || !hasColumn(section))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_columns[section].caption;
    case Qt::TextAlignmentRole:
        return int(m_columns[section].alignment);
    default:
        return {};
    }
}

Qt::ItemFlags ReportModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

QString ReportModel::caption(int column) const
{
    return hasColumn(column) ? m_columns[column].caption : QString();
}

void ReportModel::setCaption(int column, const QString &caption)
{
    if (!hasColumn(column) || m_columns[column].caption == caption)
        return;
    m_columns[column].caption = caption;
    Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}

void ReportModel::setRows(QList<QStringList> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void ReportModel::clear()
{
    setRows({});
}

QString ReportModel::cell(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || !hasColumn(column))
        return {};
    const QStringList &texts = m_rows[row];
    return column < texts.size() ? texts[column] : QString();
}

void ReportModel::setCell(int row, int column, const QString &text)
{
    if (row < 0 || row >= m_rows.size() || !hasColumn(column))
        return;
    QStringList &texts = m_rows[row];
    while (texts.size() <= column)
        texts.append(QString());
    texts[column] = text;
    const QModelIndex changed = index(row, column);
    Q_EMIT dataChanged(changed, changed);
}
