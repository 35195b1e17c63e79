#pragma once

#include "wordentry.h"

#include <QStringView>

class StringArena;

// An entry line of a word book is split with the comma-text rules (see SplitCommaText) in one
// pass, without a list of items: a line is an entry when it gives exactly six items, whose
// first five, with a doubled quotation mark of a quoted item made single and then every
// "#$22" made a quotation mark, are the entry's fields.

// True for an entry line, with its fields in `entry`; `entry` is left as it was otherwise.
// Fields are made in `arena` when one is given, as for a whole book held at once.
bool ParseEntryLine(QStringView line, WordEntry &entry, StringArena *arena = nullptr);

// How many of the lines of `text`, split as ForEachLine splits them, ParseEntryLine would
// take, without making their fields: the lines are found and checked in one pass.
qsizetype CountEntryLines(QStringView text);
