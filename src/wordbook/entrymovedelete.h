#pragma once

#include <QObject>
#include <QString>

class QBoxLayout;
class QDialog;
class QLineEdit;
class QPushButton;
class QWidget;
class WordBookCommands;

// The selected entry of the word list as the move and delete dialogs show it.
struct ShownEntry {
    QString number;
    QString japanese;
    QString russian;
};

// The main window's commands on the selected entry of the open word book: "単語移動"
// (`MoveWord`) and "単語削除" (`DelWord`) open their dialogs, which act through `MoveItem`
// and `DeleteItem`. Every change is written to the book at once.
class EntryMoveDelete : public QObject {
    Q_OBJECT

public:
    explicit EntryMoveDelete(WordBookCommands *commands);

    WordBookCommands *commands() const { return m_commands; }

    // The number of entries in the word list.
    int entryCount() const;
    // The selected entry's number (row + 1), 0 for none.
    int selectedNumber() const;
    ShownEntry selectedEntry() const;

    // Puts the selected entry before entry No `numberText` (see MoveBeforeRow), selects it and
    // writes the book. True when the entry moved and the book was written.
    bool MoveItem(const QString &numberText);
    // Removes the selected entry, writes the book and corrects the shelf's count. True when
    // an entry was removed and the book was written.
    bool DeleteItem();

    void MoveWordExecute();
    void DelWordExecute();

private:
    void showEntry(int row);
    // Shows the dialog modally, centred on the main window.
    void runModal(QDialog &dialog) const;

    WordBookCommands *m_commands;
};

// The read-only boxes both dialogs show the entry in; the Russian one in the Russian font, the
// number centred.
struct EntryBoxes {
    QLineEdit *number;
    QLineEdit *japanese;
    QLineEdit *russian;
};
EntryBoxes MakeEntryBoxes(const ShownEntry &entry, QWidget *parent);

// Adds the dialogs' button row to `layout`: `action`, the default button, and "キャンセル", which
// closes the dialog without change. Returns the action button.
QPushButton *AddDialogButtons(QDialog *dialog, QBoxLayout *layout, const QString &action);
