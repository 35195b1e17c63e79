#pragma once

#include <QString>
#include <QStringView>

// What identifies an entry in the review history: its Russian and Japanese text within the
// book's title and book folder. Moving or sorting the entry, or renaming the book's file,
// keeps its history; an entry whose text changed starts afresh.
struct ReviewKey {
    // The class and book folder, as "Class0/bookA".
    QString folder;
    QString title;
    QString russian;
    QString japanese;

    bool operator==(const ReviewKey &other) const = default;
};

// "Class0/bookA": the history's name of book folder A, G or S (0, 1, 2) of a class.
QString ReviewFolderName(int classRoom, int bookFolder);

// A 64-bit hash of a key's title and texts, the same on every machine and in every run, so
// that the history can store it and a folder's books can be matched against it quickly.
qint64 ReviewKeyHash(QStringView title, QStringView russian, QStringView japanese);
qint64 ReviewKeyHash(const ReviewKey &key);
