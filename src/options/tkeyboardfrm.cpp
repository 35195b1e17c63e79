#include "tkeyboardfrm.h"

#include "core/ulib.h"
#include "dialogstyle.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr QSize kSize{400, 300};
constexpr QSize kButtonSize{100, 32};

// Index = item; the layout is item + 1.
constexpr const char16_t *kItems[] = {
    u"ロシア語　標準",
    u"ロシア語　タイプライター",
    u"ロシア語　ニーモニック",
};

} // namespace

TKeyboardFrm::TKeyboardFrm(QWidget *mainWindow)
    : QDialog(mainWindow)
{
    setObjectName(QStringLiteral("KeyboardFrm"));
    setWindowTitle(QStringLiteral("ロシア語キーボードの変更"));
    PrepareOptionDialog(this, kSize);
    auto *layout = new QVBoxLayout(this);
    auto *group = new QGroupBox(QStringLiteral("ロシア語　キーボード選択"), this);
    auto *items = new QVBoxLayout(group);
    auto *buttons = new QButtonGroup(this);
    for (size_t i = 0; i < m_items.size(); ++i) {
        m_items[i] = new QRadioButton(QString::fromUtf16(kItems[i]), group);
        m_items[i]->setObjectName(QStringLiteral("RadioItem%1").arg(i));
        buttons->addButton(m_items[i], int(i));
        items->addWidget(m_items[i]);
    }
    // A layout outside 1 to 3 shows the mnemonic one.
    const int current = Usr.RusImeIndex >= 1 && Usr.RusImeIndex <= 2 ? Usr.RusImeIndex - 1 : 2;
    m_items[size_t(current)]->setChecked(true);
    // The arrow keys move the choice from the start.
    m_items[size_t(current)]->setFocus();
    layout->addWidget(group, 1);
    auto *bar = new QHBoxLayout;
    bar->addStretch();
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button2"));
    ok->setFixedSize(kButtonSize);
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("Button1"));
    cancel->setFixedSize(kButtonSize);
    bar->addWidget(ok);
    bar->addWidget(cancel);
    layout->addLayout(bar);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

int TKeyboardFrm::chosenLayout() const
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i]->isChecked())
            return int(i) + 1;
    }
    return 1;
}
