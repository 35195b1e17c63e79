#pragma once

#include "bookheaderform.h"

#include <functional>

class WordBookCommands;

// Asks for the file a new word book goes to, given the owner, the caption, the proposed path
// (folder and file name) and the file type filter; empty when the user cancelled.
using SaveFileChooser = std::function<QString(QWidget *owner, const QString &caption,
                                              const QString &proposedPath, const QString &filter)>;

// Qt's save dialog with the default suffix "utx" and without an overwrite question of its
// own: TNewFrm asks, since the answer decides whether a book is emptied.
QString ChooseBookFile(QWidget *owner, const QString &caption, const QString &proposedPath,
                       const QString &filter);

// "単語帳の新規作成": writes a new, empty word book to a file the user chooses and opens it
// when it lies in the book folder on display. Closing it activates the Russian layout.
class TNewFrm : public BookHeaderForm {
    Q_OBJECT

public:
    TNewFrm(WordBookCommands *commands, SaveFileChooser chooser);

    // "作　成". The dialog stays open when the title is blank, the file choice was cancelled
    // or the file could not be written.
    void MakeBlankWB();

private:
    // The chosen path with ".utx" added to a name without suffix; empty when cancelled or
    // when the user would not replace an existing file.
    QString chooseFile(const QString &title);
    bool write(const BookHeader &header, const QString &path);

    WordBookCommands *m_commands;
    SaveFileChooser m_chooser;
};
