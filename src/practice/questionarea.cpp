#include "questionarea.h"

#include "answerdiff.h"
#include "core/codecs.h"
#include "core/ulib.h"
#include "progressdisplay.h"
#include "reactionpicture.h"
#include "widgets/exactfields.h"
#include "widgets/fixedcolours.h"
#include "widgets/pointsizes.h"
#include "wordbook/fieldfonts.h"
#include "wordbook/visibletext.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <cmath>

namespace {

constexpr int kStripWidth = 100;
constexpr int kCentralPixels = 19;
constexpr int kGap = 8;
constexpr int kScoreWidth = 65;
constexpr int kScoreTop = 6;
constexpr int kResultTop = 20;
constexpr int kWordTop = 80;
constexpr int kPictureTop = 136;
constexpr int kSmallestDirection = 10;

// Rounds to the nearest integer, halves to the even one.
int roundEven(double value)
{
    return int(std::nearbyint(value));
}

struct Direction {
    QuestionType type;
    const char16_t *text;
    const char16_t *secondLabel;
};

constexpr Direction kDirections[] = {
    {QuestionType::FillInBlank, u"空欄に適するロシア語を入力し判定ボタンを押して下さい。",
     u"空欄文"},
    {QuestionType::Composition, u"指示に従いロシア語作文を入力し判定ボタンを押して下さい。",
     u"指示文"},
    {QuestionType::Vocabulary, u"日本語に対応するロシア語を入力し判定ボタンを押して下さい。",
     u"発 音"},
};

const Direction &directionOf(QuestionType type)
{
    for (const Direction &row : kDirections) {
        if (row.type == type)
            return row;
    }
    return kDirections[2];
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

QuestionArea::QuestionArea(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Panel3"));
    buildStrips();
    buildCentral();
    DefineCompo();
    InitGamen();
}

QLabel *QuestionArea::label(QWidget *parent, const QString &text)
{
    auto *label = PlainLabel(text, parent);
    label->adjustSize();
    return label;
}

void QuestionArea::buildStrips()
{
    for (int side = 0; side < 2; ++side) {
        auto *strip = new QWidget(this);
        strip->setAutoFillBackground(true);
        m_strips[size_t(side)] = strip;
        m_words[size_t(side)] = label(strip, QString());
        QFont bold = m_words[size_t(side)]->font();
        bold.setBold(true);
        m_words[size_t(side)]->setFont(bold);
        m_pictures[size_t(side)] = new ReactionPicture(
            side == 0 ? ReactionPicture::Person::Man : ReactionPicture::Person::Woman, strip);
    }
    m_rightLabel = label(m_strips[0], QStringLiteral("正解 !"));
    m_wrongLabel = label(m_strips[1], QStringLiteral("間違い"));
    for (QLabel *result : {m_rightLabel, m_wrongLabel}) {
        QFont bold = result->font();
        bold.setBold(true);
        result->setFont(bold);
        result->adjustSize();
    }
}

QLineEdit *QuestionArea::field(const char *name, const QString &accessibleName, bool readOnly)
{
    auto *edit = WithoutLengthLimit(new QLineEdit(m_central));
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAccessibleName(accessibleName);
    edit->setReadOnly(readOnly);
    return edit;
}

void QuestionArea::buildCentral()
{
    m_central = new QWidget(this);
    m_central->setObjectName(QStringLiteral("Panel5"));
    QFont font = m_central->font();
    font.setPixelSize(kCentralPixels);
    m_central->setFont(font);
    m_size = PointsOfPixels(kCentralPixels);
    m_progress = new ProgressDisplay(m_central);
    m_score = field("Edit7", QStringLiteral("得点"), true);
    m_score->setFocusPolicy(Qt::NoFocus);
    m_score->setAlignment(Qt::AlignCenter);
    m_next = new QPushButton(QStringLiteral("NEXT"), m_central);
    m_next->setObjectName(QStringLiteral("KeyButton2"));
    m_direction = label(m_central, QString());
    m_japanese = field("Edit2", QStringLiteral("日本語"), true);
    m_hint = field("Edit3", QStringLiteral("発音記号"), true);
    m_blank = new QPlainTextEdit(m_central);
    m_blank->setObjectName(QStringLiteral("Memo1"));
    m_blank->setAccessibleName(QStringLiteral("空欄文"));
    m_blank->setReadOnly(true);
    m_instruction = field("Edit6", QStringLiteral("指示文"), true);
    m_answer = field("Edit4", QStringLiteral("解答欄"), false);
    m_correct = new QLabel(m_central);
    m_correct->setObjectName(QStringLiteral("Edit5"));
    m_correct->setAccessibleName(QStringLiteral("正解"));
    m_correct->setTextFormat(Qt::RichText);
    m_correct->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_correct->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_correct->setAutoFillBackground(true);
    m_correct->setBackgroundRole(QPalette::Base);
    m_correct->setForegroundRole(QPalette::Text);
    // A frame keeps its edges in the contents margins, so the text is indented instead.
    m_correct->setIndent(2);
    m_judge = new QPushButton(QStringLiteral("判定"), m_central);
    m_judge->setObjectName(QStringLiteral("KeyButton3"));
    m_hintBox = new QCheckBox(QStringLiteral("ヒント"), m_central);
    m_hintBox->setObjectName(QStringLiteral("CheckBox1"));
    // Small enough to fit beside the hint field, right of which the panel keeps 14 %.
    QFont hintFont = font;
    hintFont.setPixelSize(13);
    m_hintBox->setFont(hintFont);
    m_japaneseLabel = label(m_central, QStringLiteral("日本語"));
    m_secondLabel = label(m_central, QStringLiteral("発音記号"));
    m_answerLabel = label(m_central, QStringLiteral("解答欄"));
    m_correctLabel = label(m_central, QStringLiteral("正　解"));
    m_japaneseLabel->setBuddy(m_japanese);
    m_answerLabel->setBuddy(m_answer);
    setTabOrder(m_answer, m_judge);
    setTabOrder(m_judge, m_next);
}

// Fonts and sizes of the fields, from the central panel's point size S.
void QuestionArea::DefineCompo()
{
    m_japanese->setFont(FieldFont(FontKind::Japanese, m_size));
    m_hint->setFont(FieldFont(FontKind::Ipa, m_size));
    m_answer->setFont(FieldFont(FontKind::Russian, m_size + 4));
    m_correct->setFont(FieldFont(FontKind::Russian, m_size + 4));
    m_blank->setFont(FieldFont(FontKind::Russian, m_size + 1));
    m_instruction->setFont(FieldFont(FontKind::Japanese, m_size - 1));
    QFont scoreFont(QStringLiteral("Segoe UI"));
    scoreFont.setBold(true);
    scoreFont.setPixelSize(PixelsOfPoints(m_size + 7));
    m_score->setFont(scoreFont);
    QFont labelFont = m_progress->font();
    labelFont.setPixelSize(PixelsOfPoints(m_size - 1));
    m_progress->setFont(labelFont);
}

void QuestionArea::PrepareGamen(QuestionType type)
{
    m_type = type;
    const Direction &direction = directionOf(type);
    m_direction->setText(QString::fromUtf16(direction.text));
    m_direction->adjustSize();
    m_secondLabel->setText(QString::fromUtf16(direction.secondLabel));
    m_secondLabel->adjustSize();
    m_secondLabel->setBuddy(secondField());
    m_hint->setVisible(type == QuestionType::Vocabulary);
    m_blank->setVisible(type == QuestionType::FillInBlank);
    m_instruction->setVisible(type == QuestionType::Composition);
    m_hintBox->setVisible(type == QuestionType::Vocabulary);
    layoutFields();
}

QWidget *QuestionArea::secondField() const
{
    switch (m_type) {
    case QuestionType::FillInBlank:
        return m_blank;
    case QuestionType::Composition:
        return m_instruction;
    case QuestionType::Vocabulary:
        break;
    }
    return m_hint;
}

void QuestionArea::resizeEvent(QResizeEvent *)
{
    const int height = this->height();
    m_strips[0]->setGeometry(0, 0, kStripWidth, height);
    m_strips[1]->setGeometry(width() - kStripWidth, 0, kStripWidth, height);
    m_central->setGeometry(kStripWidth, 0, qMax(0, width() - 2 * kStripWidth), height);
    m_pictures[0]->move(1, kPictureTop);
    m_pictures[1]->move(kStripWidth - m_pictures[1]->width(), kPictureTop);
    for (QLabel *result : {m_rightLabel, m_wrongLabel})
        result->move((kStripWidth - result->width()) / 2, kResultTop);
    layoutFields();
}

// The fields in a column at 15 % of the panel's width, 72 % wide, 8 pixels apart.
void QuestionArea::layoutFields()
{
    const int panel = m_central->width();
    const int left = roundEven(panel * 0.15);
    const int width = roundEven(panel * 0.72);
    const int rowHeight = m_japanese->sizeHint().height();
    int top = Usr.SmallPCFlg ? 88 : 112;
    m_japanese->setGeometry(left, top, width, rowHeight);
    top += rowHeight + kGap;
    QWidget *second = secondField();
    const int secondHeight = second == m_blank ? 2 * rowHeight : second->sizeHint().height();
    second->setGeometry(left, top, width, secondHeight);
    top += secondHeight + kGap;
    const int answerHeight = m_answer->sizeHint().height();
    m_answer->setGeometry(left, top, width, answerHeight);
    m_correct->setGeometry(left, top + answerHeight + kGap, width, answerHeight);
    m_judge->setGeometry(left + width + 4, top, roundEven(panel * 0.11), answerHeight);
    m_hintBox->adjustSize();
    m_hintBox->move(left + width + 4, second->y() + (second->height() - m_hintBox->height()) / 2);
    placeLabelBeside(m_japaneseLabel, m_japanese);
    placeLabelBeside(m_secondLabel, second);
    placeLabelBeside(m_answerLabel, m_answer);
    placeLabelBeside(m_correctLabel, m_correct);

    const int scoreHeight = m_score->sizeHint().height();
    m_progress->setGeometry(left, kScoreTop, width, scoreHeight);
    m_score->setGeometry(left - kScoreWidth - 4, kScoreTop, kScoreWidth, scoreHeight);
    m_next->setGeometry(left + width + 4, kScoreTop, kScoreWidth - 4, scoreHeight);
    const int below = kScoreTop + scoreHeight;
    fitDirection(panel);
    m_direction->move((panel - m_direction->width()) / 2,
                      below + (m_japanese->y() - below - m_direction->height()) / 2);
}

// The direction's size (S, S - 2 in the small screen layout), smaller where a narrow window
// or a wide substitute font would cut it.
void QuestionArea::fitDirection(int panel)
{
    QFont font = m_central->font();
    int pixels = PixelsOfPoints(Usr.SmallPCFlg ? m_size - 2 : m_size);
    for (;; --pixels) {
        font.setPixelSize(pixels);
        if (pixels <= kSmallestDirection ||
            QFontMetrics(font).horizontalAdvance(m_direction->text()) <= panel - 4)
            break;
    }
    m_direction->setFont(font);
    m_direction->adjustSize();
}

void QuestionArea::placeLabelBeside(QLabel *label, const QWidget *field)
{
    label->move(field->x() - kGap - label->width(),
                field->y() + (field->height() - label->height()) / 2);
}

void QuestionArea::InitGamen()
{
    DrawScore(0);
    for (QLabel *result : {m_rightLabel, m_wrongLabel}) {
        setTextColour(result, palette().color(QPalette::ButtonText));
        result->hide();
    }
    for (QLabel *word : m_words)
        word->hide();
    const QColor face = palette().color(QPalette::Button);
    paintStrips(face);
    for (ReactionPicture *picture : m_pictures)
        picture->showFill(face);
}

void QuestionArea::paintStrips(const QColor &colour)
{
    for (QWidget *strip : m_strips) {
        QPalette palette = strip->palette();
        palette.setColor(QPalette::Window, colour);
        strip->setPalette(palette);
    }
}

void QuestionArea::DrawProgress(int shown, bool enough)
{
    m_progress->DrawProgress(shown, enough);
}

void QuestionArea::DrawScore(int score)
{
    m_score->setText(QString::number(score));
}

void QuestionArea::showQuestion(const WordEntry &entry)
{
    // Only what could show of a field is laid out.
    m_japanese->setText(VisiblePart(entry[EntryField::Japanese]));
    m_blank->setPlainText(CRDecoder(VisiblePart(entry[EntryField::Cue])));
    m_instruction->setText(VisiblePart(entry[EntryField::Cue]));
    // The start shows, and all of an instruction that fits.
    m_instruction->home(false);
    m_answer->clear();
    m_correct->clear();
}

void QuestionArea::showHint(bool on, const QString &hint)
{
    m_hintBox->setChecked(on);
    m_hint->setText(on ? VisiblePart(hint) : QString());
}

void QuestionArea::showJudgement(bool right, const QString &expected, QStringView typed)
{
    m_rightLabel->setVisible(right);
    m_wrongLabel->setVisible(!right);
    // Only what could show of both answers is compared and laid out.
    // The marked pieces in red, as dark or light as the field needs to keep them readable.
    const QColor mark = ReadableOn(m_correct->palette().color(QPalette::Base), Qt::red);
    m_correct->setText(
        AnswerMarkup(VisiblePart(expected), VisiblePart(typed.toString()), mark.name()));
}

void QuestionArea::hideJudgement()
{
    m_rightLabel->hide();
    m_wrongLabel->hide();
}

void QuestionArea::showReaction(const Reaction &reaction)
{
    paintStrips(Qt::black);
    m_pictures[0]->showPicture(reaction.manPicture);
    m_pictures[1]->showPicture(reaction.womanPicture);
    for (QLabel *result : {m_rightLabel, m_wrongLabel})
        setTextColour(result, Qt::white);
    const QString words[] = {reaction.leftWord, reaction.rightWord};
    for (int side = 0; side < 2; ++side) {
        QLabel *word = m_words[size_t(side)];
        word->setText(words[side]);
        setTextColour(word, ReadableOn(Qt::black, QColor::fromRgb(reaction.colour)));
        word->adjustSize();
        word->move((kStripWidth - word->width()) / 2, kWordTop);
        word->show();
    }
}

void QuestionArea::hidePictures()
{
    const QColor face = palette().color(QPalette::Button);
    for (ReactionPicture *picture : m_pictures)
        picture->showFill(face);
}
