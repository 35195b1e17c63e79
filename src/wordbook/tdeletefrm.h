#pragma once

#include <QDialog>

class QFormLayout;
class QLineEdit;
class WordBookCommands;

// "単語帳の削除": shows the open word book's title, group and file name and deletes its file,
// into the desktop's trash where there is one.
class TDeleteFrm : public QDialog {
    Q_OBJECT

public:
    explicit TDeleteFrm(WordBookCommands *commands);

    // "削除": deletes `fileName` of the book folder on display, lists the folder again and
    // says where the file went. A file that cannot be removed, or is gone, is named with the
    // reason, and the book stays open. The dialog closes in every case.
    void DeleteWBFile(const QString &fileName);

private:
    QLineEdit *addField(QFormLayout *form, const QString &label, const QString &text);

    WordBookCommands *m_commands;
    QLineEdit *m_fileName = nullptr;
};
