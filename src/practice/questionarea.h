#pragma once

#include "reactions.h"
#include "wordbook/questiontype.h"
#include "wordbook/wordentry.h"

#include <QWidget>

#include <array>

class ProgressDisplay;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class ReactionPicture;

// The practice window's question area: a 100-pixel strip at each side with "正解 !" or
// "間違い", the reaction word and the reaction picture, and between them the central panel
// with the progress, the score, NEXT, the direction and the fields of the question.
class QuestionArea : public QWidget {
    Q_OBJECT

public:
    explicit QuestionArea(QWidget *parent = nullptr);

    // Lays the central panel out for the question type.
    void PrepareGamen(QuestionType type);
    QuestionType type() const { return m_type; }
    // A new game: score 0, no result, no pictures.
    void InitGamen();
    void DrawProgress(int shown, bool enough);
    void DrawScore(int score);
    // The question's texts; the answer and the correct answer emptied.
    void showQuestion(const WordEntry &entry);
    // "ヒント": the IPA hint shows `hint` while on.
    void showHint(bool on, const QString &hint);
    // The result of a judgement: the expected answer, marked where the typed one differs.
    void showJudgement(bool right, const QString &expected, QStringView typed);
    void hideJudgement();
    void showReaction(const Reaction &reaction);
    void hidePictures();

    QLineEdit *answerField() const { return m_answer; }
    QLabel *correctAnswer() const { return m_correct; }
    QPushButton *judgeButton() const { return m_judge; }
    QPushButton *nextButton() const { return m_next; }
    QCheckBox *hintBox() const { return m_hintBox; }
    QWidget *centralPanel() const { return m_central; }
    ProgressDisplay *progress() const { return m_progress; }
    QLabel *reactionWord(int side) const { return m_words[size_t(side)]; }
    ReactionPicture *picture(int side) const { return m_pictures[size_t(side)]; }
    QLabel *resultLabel(bool right) const { return right ? m_rightLabel : m_wrongLabel; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildStrips();
    void buildCentral();
    QLineEdit *field(const char *name, const QString &accessibleName, bool readOnly);
    QLabel *label(QWidget *parent, const QString &text);
    void DefineCompo();
    void layoutFields();
    void fitDirection(int panel);
    void placeLabelBeside(QLabel *label, const QWidget *field);
    void paintStrips(const QColor &colour);
    QWidget *secondField() const;

    QuestionType m_type = QuestionType::Vocabulary;
    int m_size = 14; // S, the central panel's point size
    std::array<QWidget *, 2> m_strips{};
    std::array<QLabel *, 2> m_words{};
    std::array<ReactionPicture *, 2> m_pictures{};
    QLabel *m_rightLabel = nullptr;
    QLabel *m_wrongLabel = nullptr;
    QWidget *m_central = nullptr;
    ProgressDisplay *m_progress = nullptr;
    QLineEdit *m_score = nullptr;
    QPushButton *m_next = nullptr;
    QLabel *m_direction = nullptr;
    QLineEdit *m_japanese = nullptr;
    QLineEdit *m_hint = nullptr;
    QPlainTextEdit *m_blank = nullptr;
    QLineEdit *m_instruction = nullptr;
    QLineEdit *m_answer = nullptr;
    QLabel *m_correct = nullptr;
    QPushButton *m_judge = nullptr;
    QCheckBox *m_hintBox = nullptr;
    QLabel *m_japaneseLabel = nullptr;
    QLabel *m_secondLabel = nullptr;
    QLabel *m_answerLabel = nullptr;
    QLabel *m_correctLabel = nullptr;
};
