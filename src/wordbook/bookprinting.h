#pragma once

#include "wordbookfile.h"

class QPagedPaintDevice;

// Which column a printed list leaves empty, for testing oneself.
enum class BlankColumn { None, Japanese, Russian };

// Prints `book` as a table of No, Russian, the cue, kana, Japanese and remarks in the word
// list's fonts, the title and group at the head of every page and "n / total" at its foot.
// A blank column keeps its place and its rules, empty. Returns false when the device could
// not be painted on.
bool PrintWordBook(QPagedPaintDevice *device, const WordBook &book, BlankColumn blank);
