#include "tdelfrm.h"

#include "entrymovedelete.h"
#include "widgets/exactfields.h"
#include "wordbookcommands.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TDelFrm::TDelFrm(EntryMoveDelete *entries)
    : QDialog(entries->commands()->window())
    , m_entries(entries)
{
    setWindowTitle(QStringLiteral("単語の削除"));
    setFixedSize(460, 280);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PlainLabel(QStringLiteral("以下の単語を削除しますがよろしいですか？"), this));
    layout->addWidget(buildEntry());
    layout->addStretch();
    QPushButton *remove = AddDialogButtons(this, layout, QStringLiteral("削除"));
    connect(remove, &QPushButton::clicked, this, &TDelFrm::Button2Click);
    remove->setFocus();
}

QWidget *TDelFrm::buildEntry()
{
    auto *group = new QGroupBox(QStringLiteral("削除する単語"));
    const EntryBoxes boxes = MakeEntryBoxes(m_entries->selectedEntry(), group);
    auto *form = new QFormLayout(group);
    form->addRow(QStringLiteral("No:"), boxes.number);
    form->addRow(QStringLiteral("日本語:"), boxes.japanese);
    form->addRow(QStringLiteral("ロシア語"), boxes.russian);
    return group;
}

void TDelFrm::Button2Click()
{
    done(m_entries->DeleteItem() ? Accepted : Rejected);
}
