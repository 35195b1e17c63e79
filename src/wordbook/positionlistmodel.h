#pragma once

#include <QAbstractListModel>
#include <QString>

// The numbers a position selector offers, each row's text made only when it is asked for, so
// a list of any length costs nothing to set up: 1 to `last`, less the `gapLength` numbers from
// `gapStart` on, each shown after `prefix`. Read-only.
class PositionListModel : public QAbstractListModel {
    Q_OBJECT

public:
    PositionListModel(const QString &prefix, int last, int gapStart, int gapLength,
                      QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    // The text for the display and the edit role.
    QVariant data(const QModelIndex &index, int role) const override;

    int numberAt(int row) const;
    // The row that shows `number`; -1 for a number not offered.
    int rowOf(int number) const;

private:
    QString m_prefix;
    int m_last;
    int m_gapStart;
    int m_gapLength;
};
