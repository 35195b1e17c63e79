#pragma once

#include <QDialog>

class EntryMoveDelete;

// "単語の削除": shows the selected entry read-only and removes it once confirmed.
class TDelFrm : public QDialog {
    Q_OBJECT

public:
    explicit TDelFrm(EntryMoveDelete *entries);

private:
    QWidget *buildEntry();
    // "削除": removes the entry and closes; accepted only when the book was written.
    void Button2Click();

    EntryMoveDelete *m_entries;
};
