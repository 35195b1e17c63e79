#pragma once

#include "tnewfrm.h"

#include <QObject>

class WordBookCommands;

// The main window's word book management commands: "新規作成" (NewWB), "単語帳のプロパティ
// 変更" (ChangeWBProperty) and "単語帳の削除" (DeleteWB), each a modal dialog.
class BookManagement : public QObject {
    Q_OBJECT

public:
    // `chooser` asks for the new book's file; tests replace Qt's dialog.
    explicit BookManagement(WordBookCommands *commands, SaveFileChooser chooser = ChooseBookFile);

    void NewWBExecute();
    void ChangeWBPropertyExecute();
    void DeleteWBExecute();

private:
    WordBookCommands *m_commands;
    SaveFileChooser m_chooser;
};
