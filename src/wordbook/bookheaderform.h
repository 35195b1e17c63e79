#pragma once

#include "questiontype.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <optional>

class QBoxLayout;
class QButtonGroup;
class QLineEdit;
class QPushButton;

// The frame of the word book dialogs: 460 x 320 and fixed, titled `caption`, in the
// main window's font. Qt centres a dialog on the window that owns it.
void ShapeBookDialog(QDialog *dialog, const QString &caption);

// The dialog's two buttons in a row at the bottom right: the commit button, then "キャンセル",
// which closes the dialog without change.
struct BookDialogButtons {
    QPushButton *commit;
    QPushButton *cancel;
};
BookDialogButtons AddBookDialogButtons(QDialog *dialog, QBoxLayout *layout,
                                       const QString &commitText);

// A word book's header lines as the user entered them.
struct BookHeader {
    QString title;
    QString group;
    QuestionType type = QuestionType::Vocabulary;
};

// What tells the new-book and the property dialog apart.
struct BookHeaderTexts {
    QString caption;
    QStringList instructions;
    // Shown under the group field; none when empty.
    QString groupNote;
    QString commitButton;
};

// The common layout of the new-book and the property dialog: 460 x 320, fixed, centred on the
// main window; the instructions, the title and group fields, the three question type radio
// buttons and the commit and "キャンセル" buttons. Entering the title or group field activates
// the Japanese layout.
class BookHeaderForm : public QDialog {
    Q_OBJECT

public:
    BookHeaderForm(const BookHeaderTexts &texts, QWidget *mainWindow);

protected:
    // The header of the fields, trimmed of characters up to U+0020; none after the warning
    // about an empty title.
    std::optional<BookHeader> enteredHeader() const;
    void showHeader(const BookHeader &header);
    QPushButton *commitButton() const { return m_commit; }

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLayout *buildFields(const BookHeaderTexts &texts);
    QWidget *buildTypes();

    QLineEdit *m_title = nullptr;
    QLineEdit *m_group = nullptr;
    QButtonGroup *m_types = nullptr;
    QPushButton *m_commit = nullptr;
};
