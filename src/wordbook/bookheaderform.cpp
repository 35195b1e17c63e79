#include "bookheaderform.h"

#include "core/textdocument.h"
#include "input/imeswitch.h"
#include "widgets/exactfields.h"
#include "widgets/messagebox.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>

namespace {

constexpr QSize kDialogSize{460, 320};
// Close enough for every row to fit the fixed height in the main window's font.
constexpr int kSpacing = 4;
constexpr int kTypeIndent = 20;

struct TypeChoice {
    QuestionType type;
    const char16_t *caption;
};

// Index = the radio button's id.
constexpr std::array<TypeChoice, 3> kTypeChoices{{
    {QuestionType::Vocabulary, u"単語理解　（標準）"},
    {QuestionType::FillInBlank, u"空欄補充（発音記号欄をロシア語の空欄文に使う）"},
    {QuestionType::Composition, u"作文問題（発音記号欄を日本語の指示文に使う）"},
}};

QString trimmed(const QLineEdit *field)
{
    return TrimLowChars(field->text()).toString();
}

} // namespace

void ShapeBookDialog(QDialog *dialog, const QString &caption)
{
    dialog->setWindowTitle(caption);
    dialog->setFixedSize(kDialogSize);
    if (QWidget *owner = dialog->parentWidget())
        dialog->setFont(owner->window()->font());
}

BookDialogButtons AddBookDialogButtons(QDialog *dialog, QBoxLayout *layout,
                                       const QString &commitText)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    auto *commit = new QPushButton(commitText, dialog);
    // The full-width space only spaces the caption out; a screen reader reads the word.
    commit->setAccessibleName(QString(commitText).remove(u'　'));
    auto *cancel = new QPushButton(QStringLiteral("キャンセル"), dialog);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    row->addWidget(commit);
    row->addWidget(cancel);
    layout->addStretch();
    layout->addLayout(row);
    return {commit, cancel};
}

BookHeaderForm::BookHeaderForm(const BookHeaderTexts &texts, QWidget *mainWindow)
    : QDialog(mainWindow)
{
    ShapeBookDialog(this, texts.caption);
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(kSpacing);
    for (const QString &line : texts.instructions)
        layout->addWidget(PlainLabel(line, this));
    layout->addLayout(buildFields(texts));
    layout->addWidget(buildTypes());
    m_commit = AddBookDialogButtons(this, layout, texts.commitButton).commit;
    m_commit->setDefault(true);
}

QLayout *BookHeaderForm::buildFields(const BookHeaderTexts &texts)
{
    auto *form = new QFormLayout;
    form->setVerticalSpacing(kSpacing);
    m_title = WithoutLengthLimit(new QLineEdit(this));
    m_title->setObjectName(QStringLiteral("Edit1"));
    m_group = WithoutLengthLimit(new QLineEdit(this));
    m_group->setObjectName(QStringLiteral("Edit2"));
    for (QLineEdit *field : {m_title, m_group})
        field->installEventFilter(this);
    form->addRow(QStringLiteral("・タイトル："), m_title);
    form->addRow(QStringLiteral("・グループ："), m_group);
    if (!texts.groupNote.isEmpty())
        form->addRow(PlainLabel(texts.groupNote, this));
    return form;
}

// Under their caption rather than beside it: the longest choice needs the dialog's width.
QWidget *BookHeaderForm::buildTypes()
{
    auto *box = new QGroupBox(QStringLiteral("・問題タイプ："), this);
    box->setFlat(true);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(kTypeIndent, 0, 0, 0);
    column->setSpacing(0);
    m_types = new QButtonGroup(this);
    for (int id = 0; id < int(kTypeChoices.size()); ++id) {
        auto *button = new QRadioButton(QString::fromUtf16(kTypeChoices[size_t(id)].caption), box);
        m_types->addButton(button, id);
        column->addWidget(button);
    }
    m_types->button(0)->setChecked(true);
    return box;
}

std::optional<BookHeader> BookHeaderForm::enteredHeader() const
{
    BookHeader header{trimmed(m_title), trimmed(m_group),
                      kTypeChoices[size_t(m_types->checkedId())].type};
    if (!header.title.isEmpty())
        return header;
    ShowWarning(QStringLiteral("単語帳を作るにはタイトル名は必要です。"), parentWidget());
    return std::nullopt;
}

void BookHeaderForm::showHeader(const BookHeader &header)
{
    m_title->setText(header.title);
    m_group->setText(header.group);
    for (size_t id = 0; id < kTypeChoices.size(); ++id) {
        if (kTypeChoices[id].type == header.type)
            m_types->button(int(id))->setChecked(true);
    }
}

bool BookHeaderForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn)
        LoadInitIme();
    return QDialog::eventFilter(watched, event);
}
