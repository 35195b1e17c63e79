#pragma once

#include "practicequiz.h"

#include <QList>
#include <QString>

#include <optional>

// The chooser's texts while no line is picked.
inline constexpr QStringView kNoBooksPrompt = u"単語帳がありません。";
inline constexpr QStringView kPickBookPrompt = u"ここからトレーニングを行う単語帳を選んで下さい。";

// One word book of the practice window's chooser.
struct ChooserBook {
    QString fileName; // without folder
    QString title;
    QString group;
    QuestionType type = QuestionType::Vocabulary;
    // The entries the word book reader accepts.
    int entries = 0;
    // The ReviewKeyHash of each entry, in the book's order.
    QList<qint64> entryKeys;
};

// " 動物  初級  VB   (12)": the chooser's line of a book.
QString ChooserLine(const ChooserBook &book);

// What the chooser says of a picked book that has no entries to ask.
QString EmptyBookNotice(const ChooserBook &book);

// The word books of a folder: every readable "*.utx" file of at least three lines, in file
// name order.
QList<ChooserBook> ListPracticeBooks(const QString &folder);

// Reads the book to practise. Nothing, with `error` set to the reason, when the file cannot
// be read or is no word book any more.
std::optional<PractisedBook> ReadPractisedBook(const QString &folder, const QString &fileName,
                                               QString &error);
