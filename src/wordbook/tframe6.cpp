#include "tframe6.h"

#include "core/codecs.h"
#include "core/textdocument.h"
#include "core/ulib.h"
#include "fieldfonts.h"
#include "input/accentkeys.h"
#include "input/imeswitch.h"
#include "input/inputmethodgate.h"
#include "input/russianfield.h"
#include "input/truspad.h"
#include "ipa/candidatefilter.h"
#include "ipa/tipapad.h"
#include "questiontype.h"
#include "widgets/exactfields.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace {

// The point size the field sizes are counted from.
constexpr int kBaseSize = 18;
constexpr int kGap = 8;
constexpr int kLabelLeft = 6;
constexpr int kFieldLeft = 112;
constexpr int kMinimumMemoHeight = 40;

struct FieldDef {
    const char *name;
    const char16_t *caption;
    FontKind font;
    int sizeDelta;
};

// Index = TFrame6's Field.
constexpr FieldDef kFields[] = {
    {"Edit1", u"■ロシア語", FontKind::Russian, 0},   {"Edit2", u"■発音記号", FontKind::Ipa, -2},
    {"Edit5", u"■空欄文", FontKind::Russian, 0},     {"Edit6", u"■指示文", FontKind::Japanese, -4},
    {"Edit3", u"■発音カナ", FontKind::Japanese, -4}, {"Edit4", u"■日本語", FontKind::Japanese, -4},
};
constexpr FieldDef kRemarks{"Memo1", u"■備　考", FontKind::Japanese, -4};

QFont fieldFont(const FieldDef &def)
{
    return FieldFont(def.font, kBaseSize + def.sizeDelta);
}

QString trimmed(const QString &text)
{
    return TrimLowChars(text).toString();
}

// The row a label names: its field's place, with the label centred on it.
void placeLabel(QLabel *label, const QRect &field, int divisor)
{
    const QSize size = label->sizeHint();
    label->setGeometry(kLabelLeft, field.top() + (field.height() - size.height()) / divisor,
                       size.width(), size.height());
}

} // namespace

TFrame6::TFrame6(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Frame61"));
    buildFields();
    applyFonts();
    m_remembered = russianField();
    AdjustQuestionType();
    SetTabOrders();
}

void TFrame6::buildFields()
{
    for (int field = 0; field < FieldCount; ++field) {
        auto *edit = WithoutLengthLimit(new QLineEdit(this));
        edit->setObjectName(QLatin1StringView(kFields[field].name));
        edit->installEventFilter(this);
        m_edits[size_t(field)] = edit;
        auto *label = PlainLabel(QString::fromUtf16(kFields[field].caption), this);
        label->setBuddy(edit);
        m_labels[size_t(field)] = label;
    }
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QLatin1StringView(kRemarks.name));
    m_memo->setTabChangesFocus(true);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->installEventFilter(this);
    m_memoLabel = PlainLabel(QString::fromUtf16(kRemarks.caption), this);
    m_memoLabel->setBuddy(m_memo);
    // The IPA field's keys are candidate keys, not input method keys.
    InputMethodGate::install(ipaField(), [] { return true; });
    connect(ipaField(), &QLineEdit::textChanged, this, [] { LoadInitIme(); });
}

void TFrame6::applyFonts()
{
    for (int field = 0; field < FieldCount; ++field)
        m_edits[size_t(field)]->setFont(fieldFont(kFields[field]));
    m_memo->setFont(fieldFont(kRemarks));
}

void TFrame6::attachPads(TRusPad *rusPad, TIPAPad *ipaPad, QTabWidget *padPages)
{
    m_padPages = padPages;
    for (QLineEdit *russian : {m_edits[Russian], m_edits[Blank]}) {
        AccentKeys::install(russian, rusPad);
        RussianField::install(russian);
    }
    installIpaCandidates(ipaField(), {[ipaPad] { ipaPad->DispArrIPA(); },
                                      [this](const QString &s) { OutputIPAString(s); }});
    connect(rusPad, &TRusPad::keyText, this, &TFrame6::OutputString);
    connect(ipaPad, &TIPAPad::candidateClicked, this, &TFrame6::OutputIPAString);
}

void TFrame6::AdjustQuestionType()
{
    const QuestionType type = QuestionTypeOf(Sys.TC_Type);
    QLineEdit *cue = cueField();
    for (Field field : {Ipa, Blank, Instruction})
        m_edits[field]->setVisible(m_edits[field] == cue);
    for (Field field : {Ipa, Blank, Instruction})
        m_labels[field]->setVisible(m_edits[field] == cue);
    const bool kanaEditable = type == QuestionType::Vocabulary;
    QLineEdit *kana = kanaField();
    kana->setReadOnly(!kanaEditable);
    // A field that cannot be typed in is not a Tab stop: what the user types next belongs to
    // the Japanese field.
    kana->setFocusPolicy(kanaEditable ? Qt::StrongFocus : Qt::NoFocus);
    QPalette palette = kana->palette();
    palette.setColor(QPalette::Base,
                     this->palette().color(kanaEditable ? QPalette::Base : QPalette::Button));
    kana->setPalette(palette);
    AdjustPosSize();
}

QLineEdit *TFrame6::cueField() const
{
    switch (QuestionTypeOf(Sys.TC_Type)) {
    case QuestionType::FillInBlank:
        return m_edits[Blank];
    case QuestionType::Composition:
        return m_edits[Instruction];
    case QuestionType::Vocabulary:
        break;
    }
    return m_edits[Ipa];
}

void TFrame6::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    AdjustPosSize();
}

// The fields stacked from the top, each 8 pixels below the one before; the three cue fields
// share one place; the remarks take the rest of the height.
void TFrame6::AdjustPosSize()
{
    const int width = qMax(40, this->width() - kFieldLeft - kGap);
    int top = kGap;
    const auto place = [&](QWidget *field) {
        const int height = field->sizeHint().height();
        field->setGeometry(kFieldLeft, top, width, height);
        return height;
    };
    top += place(m_edits[Russian]) + kGap;
    int cueHeight = 0;
    for (Field field : {Ipa, Blank, Instruction})
        cueHeight = qMax(cueHeight, place(m_edits[field]));
    top += cueHeight + kGap;
    top += place(m_edits[Kana]) + kGap;
    top += place(m_edits[Japanese]) + kGap;
    m_memo->setGeometry(kFieldLeft, top, width, qMax(kMinimumMemoHeight, height() - top - kGap));
    for (int field = 0; field < FieldCount; ++field)
        placeLabel(m_labels[size_t(field)], m_edits[size_t(field)]->geometry(), 2);
    placeLabel(m_memoLabel, m_memo->geometry(), 5);
}

// Russian, cue, kana, Japanese, remarks; hidden cue fields take no focus, so Tab skips them.
void TFrame6::SetTabOrders()
{
    QWidget *previous = m_edits[Russian];
    for (QWidget *next :
         std::initializer_list<QWidget *>{m_edits[Ipa], m_edits[Blank], m_edits[Instruction],
                                          m_edits[Kana], m_edits[Japanese], m_memo}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

bool TFrame6::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn)
        fieldEntered(watched);
    return false;
}

void TFrame6::fieldEntered(QObject *field)
{
    if (field == m_memo) {
        m_remarksEntered = true;
        showPadPage(0);
        LoadInitIme();
        return;
    }
    auto *edit = qobject_cast<QLineEdit *>(field);
    if (!edit)
        return;
    m_remembered = edit;
    m_remarksEntered = false;
    showPadPage(edit == ipaField() ? 1 : 0);
    if (edit == m_edits[Russian] || edit == m_edits[Blank])
        LoadGaIme();
    else
        LoadInitIme();
}

void TFrame6::showPadPage(int page)
{
    if (m_padPages)
        m_padPages->setCurrentIndex(page);
}

void TFrame6::OutputString(const QString &text)
{
    if (m_remarksEntered) {
        m_memo->insertPlainText(text);
        m_memo->setFocus();
        return;
    }
    m_remembered->insert(text);
    m_remembered->setFocus();
}

void TFrame6::OutputIPAString(const QString &text)
{
    InsertIpaText(ipaField(), text);
}

WordEntry TFrame6::typedEntry() const
{
    WordEntry entry;
    entry[EntryField::Russian] = trimmed(m_edits[Russian]->text());
    entry[EntryField::Cue] = LineBreakFilter(TrimLowChars(cueField()->text()));
    entry[EntryField::Kana] = trimmed(m_edits[Kana]->text());
    entry[EntryField::Japanese] = trimmed(m_edits[Japanese]->text());
    entry[EntryField::Remarks] = LineBreakFilter(TrimLowChars(ExactPlainText(m_memo)));
    return entry;
}

void TFrame6::showEntry(const WordEntry &entry)
{
    m_edits[Russian]->setText(entry[EntryField::Russian]);
    cueField()->setText(CRDecoder(entry[EntryField::Cue]));
    m_edits[Kana]->setText(entry[EntryField::Kana]);
    m_edits[Japanese]->setText(entry[EntryField::Japanese]);
    m_memo->setPlainText(CRDecoder(entry[EntryField::Remarks])
                             .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}
