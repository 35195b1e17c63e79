#pragma once

#include <QDialog>

class EntryMoveDelete;
class QComboBox;

// "単語の移動": shows the selected entry read-only and puts it before the entry whose number
// is picked in the position selector.
class TMoveFrm : public QDialog {
    Q_OBJECT

public:
    explicit TMoveFrm(EntryMoveDelete *entries);

private:
    QWidget *buildTarget();
    QWidget *buildSource();
    // "移動": moves the entry to the picked position and closes; accepted only when the entry
    // moved and the book was written.
    void Button2Click();

    EntryMoveDelete *m_entries;
    QComboBox *m_positions = nullptr;
};
