#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

// The rows of a report-style list: a fixed set of captioned columns, each with one alignment
// for its caption and its cells, and rows of plain texts. Read only for the views; the word
// book code fills it with setRows() and changes captions with setCaption().
class ReportModel : public QAbstractTableModel {
    Q_OBJECT

public:
    struct Column {
        QString caption;
        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    };

    explicit ReportModel(QList<Column> columns, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    QString caption(int column) const;
    void setCaption(int column, const QString &caption);

    // Replaces every row; a row with fewer texts than columns shows the rest empty.
    void setRows(QList<QStringList> rows);
    void clear();
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);
    const QList<QStringList> &rows() const { return m_rows; }

private:
    bool hasColumn(int column) const { return column >= 0 && column < m_columns.size(); }

    QList<Column> m_columns;
    QList<QStringList> m_rows;
};
