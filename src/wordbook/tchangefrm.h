#pragma once

#include "bookheaderform.h"

class WordBookCommands;

// "単語帳のプロパティ変更": the title, group and question type of the open word book. The
// entries stay as they are; a new type only reads their cue fields with another meaning.
class TChangeFrm : public BookHeaderForm {
    Q_OBJECT

public:
    explicit TChangeFrm(WordBookCommands *commands);

    // "反　映": rewrites the book with the new header and opens it again. The dialog stays
    // open when the title is blank or the book could not be written.
    void ChangePropWB();

private:
    WordBookCommands *m_commands;
};
