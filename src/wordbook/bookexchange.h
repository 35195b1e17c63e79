#pragma once

#include "bookprinting.h"
#include "tableimport.h"
#include "tnewfrm.h"
#include "wordbookfile.h"

#include <QObject>

#include <optional>

class QWidget;
class WordBookCommands;

// A path a save dialog gave (asked without its own overwrite question): with `suffix` added
// when it has none, and, for a file that is there already, only when the user agrees to
// overwrite it; else empty.
QString SavePathConfirmed(QString path, const QString &suffix, QWidget *owner);

// Word books in and out: "単語帳のインポート…" makes a new book in the book folder on display
// from a spreadsheet's or flashcard program's table and opens it; "単語帳のエクスポート…"
// writes the open book as a UTF-8 TSV table; "単語帳の印刷…" prints it to a PDF file or a
// printer.
class BookExchange : public QObject {
    Q_OBJECT

public:
    // The choosers ask for the table to read and the file to write; tests replace Qt's dialogs.
    BookExchange(WordBookCommands *commands, SaveFileChooser openChooser,
                 SaveFileChooser saveChooser);
    explicit BookExchange(WordBookCommands *commands);

    void ImportWBExecute();
    void ExportWBExecute();
    void PrintWBExecute();

private:
    std::optional<TableText> readTable(const QString &path);
    void importBook(const WordBook &book, int leftOut, bool rowsCut);
    QString chooseSavePath(const QString &caption, const QString &title, const QString &filter,
                           const QString &suffix);
    WordBook openBook() const;
    void printToPdf(const WordBook &book, BlankColumn blank);
    void printToPrinter(const WordBook &book, BlankColumn blank);

    WordBookCommands *m_commands;
    SaveFileChooser m_openChooser;
    SaveFileChooser m_saveChooser;
};
