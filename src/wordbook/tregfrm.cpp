#include "tregfrm.h"

#include "core/codecs.h"
#include "core/ulib.h"
#include "positionlistmodel.h"
#include "questiontype.h"
#include "reportview.h"
#include "tframe6.h"
#include "widgets/exactfields.h"
#include "widgets/positionbox.h"
#include "wordbookcommands.h"
#include "wordbookpage.h"
#include "wordlistmodel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kVisiblePositions = 12;

} // namespace

TRegFrm::TRegFrm(WordBookCommands *commands, const QString &russianArea, const QString &ipaLine)
    : RegModDialog(commands, QStringLiteral("単語登録"))
{
    setObjectName(QStringLiteral("RegFrm"));
    buildBottomBar();
    fillPositions();
    takeComposedTexts(russianArea, ipaLine);
}

void TRegFrm::buildBottomBar()
{
    QHBoxLayout *bar = bottomBar();
    QLabel *numberLabel = PlainLabel(QStringLiteral("No"), this);
    bar->addWidget(numberLabel);
    m_positions = new PositionBox(this);
    m_positions->setObjectName(QStringLiteral("ComboBox1"));
    m_positions->setMaxVisibleItems(kVisiblePositions);
    m_positions->setMinimumContentsLength(5);
    // The caption beside the box is its label; the name says what the number is for.
    numberLabel->setBuddy(m_positions);
    m_positions->setAccessibleName(QStringLiteral("挿入位置のNo"));
    bar->addWidget(m_positions);
    bar->addWidget(PlainLabel(QStringLiteral("の上に"), this));
    m_insert = new QPushButton(QStringLiteral("挿入"), this);
    m_insert->setObjectName(QStringLiteral("Button3"));
    m_insert->setEnabled(false);
    bar->addWidget(m_insert);
    bar->addStretch(1);
    auto *append = new QPushButton(QStringLiteral("追加 (F8)"), this);
    append->setObjectName(QStringLiteral("Button1"));
    append->setDefault(false);
    append->setAutoDefault(false);
    bar->addWidget(append);
    auto *cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    cancel->setAutoDefault(false);
    bar->addWidget(cancel);
    setMainButton(append);
    connect(append, &QPushButton::clicked, this, &TRegFrm::RegisterWord);
    connect(m_insert, &QPushButton::clicked, this, &TRegFrm::Button3Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // "挿入" waits until the user has picked a place.
    connect(m_positions, &QComboBox::activated, this,
            [this](int index) { m_insert->setEnabled(index >= 0); });
}

// The numbers 1 … n; the selected entry's number, or the first.
void TRegFrm::fillPositions()
{
    const int count = commands()->page()->wordListModel()->rowCount();
    m_positions->setModel(new PositionListModel(QString(), count, 0, 0, m_positions));
    m_positions->setCurrentIndex(qMax(0, commands()->page()->wordList()->selectedRow()));
}

void TRegFrm::takeComposedTexts(const QString &russianArea, const QString &ipaLine)
{
    if (!russianArea.isEmpty())
        frame()->russianField()->setText(LineBreakFilter(russianArea));
    const bool vocabulary = QuestionTypeOf(Sys.TC_Type) == QuestionType::Vocabulary;
    m_ipaLineTaken = vocabulary && !ipaLine.isEmpty();
    if (m_ipaLineTaken)
        frame()->ipaField()->setText(ipaLine);
}

void TRegFrm::showEvent(QShowEvent *event)
{
    RegModDialog::showEvent(event);
    focusFirstEmptyField(m_ipaLineTaken);
}

// The Russian field while it is empty, else the field that is to be typed next.
void TRegFrm::focusFirstEmptyField(bool ipaLineTaken)
{
    QLineEdit *next = frame()->russianField();
    if (!next->text().isEmpty()) {
        next = frame()->cueField();
        if (next == frame()->ipaField() && ipaLineTaken)
            next = frame()->kanaField();
    }
    next->setFocus();
}

void TRegFrm::RegisterWord()
{
    if (const std::optional<WordEntry> entry = validatedEntry()) {
        commands()->AddToWBList(*entry);
        finishRegistration();
    }
}

void TRegFrm::Button3Click()
{
    const int index = m_positions->currentIndex();
    if (index < 0)
        return;
    if (const std::optional<WordEntry> entry = validatedEntry()) {
        commands()->InsertToWBList(index, *entry);
        finishRegistration();
    }
}

void TRegFrm::finishRegistration()
{
    commands()->SaveCurrentWB();
    commands()->CorrectNumbers(Sys.TC_File);
    Q_EMIT registered();
    accept();
}
