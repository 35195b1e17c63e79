#include "wordlistmodel.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignVCenter;

} // namespace

WordListModel::WordListModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_japaneseCaption(QStringLiteral("日本語"))
    , m_cueCaption(QStringLiteral("IPA"))
{}

int WordListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int WordListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant WordListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cell(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return int(index.column() == Number ? kCentre : kLeft);
    default:
        return {};
    }
}

QVariant WordListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return caption(section);
    case Qt::TextAlignmentRole:
        return int(section == Number ? kCentre : kLeft);
    default:
        return {};
    }
}

Qt::ItemFlags WordListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

QString WordListModel::russianCaption() const
{
    return QStringLiteral("ロシア語");
}

QString WordListModel::caption(int column) const
{
    switch (column) {
    case First:
        return m_russianFirst ? russianCaption() : m_japaneseCaption;
    case Number:
        return QStringLiteral("No");
    case Cue:
        return m_cueCaption;
    case Kana:
        return QStringLiteral("発音カナ");
    case Fourth:
        return m_russianFirst ? m_japaneseCaption : russianCaption();
    case Remarks:
        return QStringLiteral("備考");
    default:
        return {};
    }
}

std::optional<EntryField> WordListModel::fieldOf(int column) const
{
    switch (column) {
    case First:
        return m_russianFirst ? EntryField::Russian : EntryField::Japanese;
    case Cue:
        return EntryField::Cue;
    case Kana:
        return EntryField::Kana;
    case Fourth:
        return m_russianFirst ? EntryField::Japanese : EntryField::Russian;
    case Remarks:
        return EntryField::Remarks;
    default:
        return std::nullopt;
    }
}

QString WordListModel::cell(int row, int column) const
{
    if (row < 0 || row >= m_entries.size())
        return {};
    if (column == Number)
        return QString::number(row + 1);
    const std::optional<EntryField> field = fieldOf(column);
    return field ? m_entries[row][*field] : QString();
}

void WordListModel::setRussianFirst(bool russianFirst)
{
    if (m_russianFirst == russianFirst)
        return;
    m_russianFirst = russianFirst;
    Q_EMIT headerDataChanged(Qt::Horizontal, First, Fourth);
    if (!m_entries.isEmpty())
        Q_EMIT dataChanged(index(0, First), index(rowCount() - 1, Fourth));
}

void WordListModel::setJapaneseCaption(const QString &caption)
{
    m_japaneseCaption = caption;
    Q_EMIT headerDataChanged(Qt::Horizontal, First, Fourth);
}

void WordListModel::setCueCaption(const QString &caption)
{
    if (m_cueCaption == caption)
        return;
    m_cueCaption = caption;
    Q_EMIT headerDataChanged(Qt::Horizontal, Cue, Cue);
}

void WordListModel::setEntries(QList<WordEntry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

void WordListModel::clear()
{
    setEntries({});
}

void WordListModel::insertEntry(int row, WordEntry entry)
{
    row = std::clamp(row, 0, rowCount());
    beginInsertRows({}, row, row);
    m_entries.insert(row, std::move(entry));
    endInsertRows();
    renumberFrom(row + 1);
}

void WordListModel::replaceEntry(int row, WordEntry entry)
{
    if (row < 0 || row >= rowCount())
        return;
    m_entries[row] = std::move(entry);
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void WordListModel::removeEntry(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    beginRemoveRows({}, row, row);
    m_entries.removeAt(row);
    endRemoveRows();
    renumberFrom(row);
}

int WordListModel::moveEntry(int from, int before)
{
    if (from < 0 || from >= rowCount() || before < 0 || before > rowCount() || before == from ||
        before == from + 1)
        return from;
    beginMoveRows({}, from, from, {}, before);
    const int to = before > from ? before - 1 : before;
    m_entries.move(from, to);
    endMoveRows();
    renumberFrom(qMin(from, to));
    return to;
}

// "No" is the position: the rows from `row` on show new numbers.
void WordListModel::renumberFrom(int row)
{
    if (row < rowCount())
        Q_EMIT dataChanged(index(row, Number), index(rowCount() - 1, Number));
}

void WordListModel::sortByColumn(int column, int direction)
{
    const std::optional<EntryField> field = fieldOf(column);
    if (!field)
        return;
    const bool russian = *field == EntryField::Russian;
    QList<QString> keys;
    keys.reserve(m_entries.size());
    for (const WordEntry &entry : std::as_const(m_entries))
        keys.append(russian ? entry[*field].toLower() : entry[*field]);
    QList<qsizetype> order(m_entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&keys, direction](qsizetype a, qsizetype b) {
        return QStringView(keys[a]).compare(keys[b]) * direction < 0;
    });
    QList<WordEntry> sorted;
    sorted.reserve(m_entries.size());
    for (qsizetype from : std::as_const(order))
        sorted.append(std::move(m_entries[from]));
    setEntries(std::move(sorted));
}
