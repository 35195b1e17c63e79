#pragma once

#include "wordentry.h"

#include <QList>
#include <QString>

// One entry found by a search.
struct SearchHit {
    // The searched field equals the text; otherwise it contains it.
    bool exact = false;
    WordEntry entry;
    QString title;
    QString fileName;
    // The entry's 1-based number, as the word list numbers it.
    int number = 0;
};

// Searches field `field` (0 Russian, 1 cue, 2 kana, 3 Japanese, 4 remarks; any other index is
// the Russian) of every book of `folder` for `text`, compared code unit by code unit in the
// field's stored form (a quotation mark as "#$22"): no case, accent or wildcard folding. Exact
// hits come first, the one found last first, then the partial hits in file and entry order.
// An empty text finds nothing. Each book is read through the word book reader, one at a time.
QList<SearchHit> SearchBookFolder(const QString &folder, int field, const QString &text);
