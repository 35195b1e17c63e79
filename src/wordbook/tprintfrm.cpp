#include "tprintfrm.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

struct BlankChoice {
    const char16_t *caption;
    BlankColumn column;
};
constexpr BlankChoice kBlankChoices[] = {
    {u"なし", BlankColumn::None},
    {u"日本語の列（ロシア語から意味を答える練習に）", BlankColumn::Japanese},
    {u"ロシア語の列（日本語からロシア語を書く練習に）", BlankColumn::Russian},
};

} // namespace

TPrintFrm::TPrintFrm(QWidget *mainWindow)
    : QDialog(mainWindow)
{
    setObjectName(QStringLiteral("PrintFrm"));
    setWindowTitle(QStringLiteral("単語帳の印刷"));
    if (mainWindow)
        setFont(mainWindow->window()->font());
    auto *layout = new QVBoxLayout(this);

    auto *target = new QGroupBox(QStringLiteral("印刷先"), this);
    auto *targets = new QVBoxLayout(target);
    m_pdf = new QRadioButton(QStringLiteral("PDF ファイルに保存する"), target);
    m_pdf->setChecked(true);
    targets->addWidget(m_pdf);
    targets->addWidget(new QRadioButton(QStringLiteral("プリンターで印刷する"), target));
    layout->addWidget(target);

    auto *form = new QFormLayout;
    m_blank = new QComboBox(this);
    for (const BlankChoice &choice : kBlankChoices)
        m_blank->addItem(QString::fromUtf16(choice.caption));
    form->addRow(QStringLiteral("空欄にする列："), m_blank);
    layout->addLayout(form);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("印刷する"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

bool TPrintFrm::toPdf() const
{
    return m_pdf->isChecked();
}

BlankColumn TPrintFrm::blankColumn() const
{
    return kBlankChoices[std::max(0, m_blank->currentIndex())].column;
}
