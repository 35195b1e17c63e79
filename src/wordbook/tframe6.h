#pragma once

#include "wordentry.h"

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class TIPAPad;
class TRusPad;

// The editor of one word book entry, shared by the register and the modify dialog: the
// Russian field (`Edit1`), one cue field by the open book's question type (`Edit2` IPA,
// `Edit5` a Russian sentence with a blank, `Edit6` a Japanese instruction), the kana (`Edit3`),
// the Japanese (`Edit4`) and the remarks (`Memo1`), each with its label on the left.
//
// Entering a field remembers it and turns the dialog's pad page control to the Russian pad,
// or to the IPA pad for the IPA field; the Russian pad's keys then type into the remembered
// field, or into the remarks while they were entered last. The Russian fields type the active
// Russian layout with the accent keys; the IPA field runs the candidate mode with the dialog's
// IPA pad; the Japanese fields leave the system input method on.
class TFrame6 : public QWidget {
    Q_OBJECT

public:
    explicit TFrame6(QWidget *parent);

    // Connects the dialog's pads and their page control (page 0 Russian, page 1 IPA).
    void attachPads(TRusPad *rusPad, TIPAPad *ipaPad, QTabWidget *padPages);

    // Shows the cue field of the open book's type (Sys.TC_Type) with its caption; the kana
    // field is read-only and grey for the blank and composition types.
    void AdjustQuestionType();

    QLineEdit *russianField() const { return m_edits[Russian]; }
    QLineEdit *ipaField() const { return m_edits[Ipa]; }
    QLineEdit *kanaField() const { return m_edits[Kana]; }
    QLineEdit *japaneseField() const { return m_edits[Japanese]; }
    QPlainTextEdit *remarksField() const { return m_memo; }
    // The cue field shown for the book's type.
    QLineEdit *cueField() const;

    // A Russian pad key's text into the remembered field, or into the remarks.
    void OutputString(const QString &text);
    // An IPA candidate into the IPA field.
    void OutputIPAString(const QString &text);

    // The entry as typed: every field trimmed of blanks, the remarks' line breaks as "#$0D".
    WordEntry typedEntry() const;
    // Fills the fields from an entry; "#$0D" in the cue and the remarks become line breaks.
    void showEntry(const WordEntry &entry);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    enum Field { Russian, Ipa, Blank, Instruction, Kana, Japanese, FieldCount };

    void buildFields();
    void applyFonts();
    void AdjustPosSize();
    void SetTabOrders();
    void fieldEntered(QObject *field);
    void showPadPage(int page);

    std::array<QLineEdit *, FieldCount> m_edits{};
    std::array<QLabel *, FieldCount> m_labels{};
    QPlainTextEdit *m_memo = nullptr;
    QLabel *m_memoLabel = nullptr;
    QTabWidget *m_padPages = nullptr;
    // The single-line field entered last (EditY, EditX), and whether the remarks were entered
    // after it (Memo1Flg2, Memo1Flg).
    QLineEdit *m_remembered = nullptr;
    bool m_remarksEntered = false;
};
