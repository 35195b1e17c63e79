#pragma once

#include "wordentry.h"

#include <QAbstractTableModel>
#include <QList>

#include <optional>

// The word list's rows: the entries of the open word book, the only copy that every change
// edits and that is written out. Seven columns: the Russian or the Japanese by the list order,
// "No" (the entry's 1-based position), the cue field, the kana, the Japanese or the Russian,
// the remarks, and an empty spare column. Every cell's text is its display role, so screen
// readers read the rows however the view paints them.
class WordListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { First, Number, Cue, Kana, Fourth, Remarks, Spare, ColumnCount };

    explicit WordListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    QString caption(int column) const;
    QString cell(int row, int column) const;
    // The entry field a column shows, by the list order; none for "No" and the spare column.
    std::optional<EntryField> fieldOf(int column) const;

    // "露-日" (true): the Russian in column 0 and the Japanese in column 4; "日-露": reversed.
    bool russianFirst() const { return m_russianFirst; }
    void setRussianFirst(bool russianFirst);
    void setJapaneseCaption(const QString &caption);
    void setCueCaption(const QString &caption);

    const QList<WordEntry> &entries() const { return m_entries; }
    const WordEntry &entry(int row) const { return m_entries.at(row); }
    void setEntries(QList<WordEntry> entries);
    void clear();

    // `row` from 0 to rowCount(); rowCount() appends.
    void insertEntry(int row, WordEntry entry);
    void replaceEntry(int row, WordEntry entry);
    void removeEntry(int row);
    // Puts the entry at `from` before the entry now at `before` (0 to rowCount()); returns
    // the entry's new row.
    int moveEntry(int from, int before);

    // Orders the rows by one column: the Russian compared lower-cased, every other text as it
    // is, code unit by code unit; `direction` +1 ascending, -1 descending. Equal rows keep
    // their order. "No" and the spare column do not sort.
    void sortByColumn(int column, int direction);

private:
    QString russianCaption() const;
    void renumberFrom(int row);

    QList<WordEntry> m_entries;
    bool m_russianFirst = true;
    QString m_japaneseCaption;
    QString m_cueCaption;
};
