#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// One word book as the shelf lists it.
struct ShelfRow {
    QString title;
    QString fileName; // without folder
    QString group;
    // The lines after the header, entries or not, until the book is next changed.
    int count = 0;
    QString abbreviation;

    // The shelf's cells: title, file name, group, count, abbreviation.
    QStringList cells() const;
};

enum ShelfColumn { ShelfTitle, ShelfFileName, ShelfGroup, ShelfCount, ShelfType };

// The row of a book file's bytes; none for a file of fewer than three lines.
std::optional<ShelfRow> ShelfRowOf(const QByteArray &bytes, const QString &fileName);

// The books of a folder: every readable file matching "*.utx" that has at least three lines,
// in file name order. Folders and files of fewer lines are left out; so are the files that
// cannot be read as a book (a link to a device, a pipe, one too large, one without read
// permission), each named in `skipped` as "name：reason". The temporary copies that a killed
// save left in the folder are removed first.
QList<ShelfRow> ListBookFolder(const QString &folder, QStringList *skipped = nullptr);

// Orders the shelf's rows by their group texts, code unit by code unit; `direction` +1 is
// ascending, -1 descending. Books of one group keep their order among themselves.
void SortShelfByGroup(QList<QStringList> &rows, int direction);
