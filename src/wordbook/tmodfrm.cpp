#include "tmodfrm.h"

#include "reportview.h"
#include "tframe6.h"
#include "wordbookcommands.h"
#include "wordbookpage.h"
#include "wordlistmodel.h"

#include <QHBoxLayout>
#include <QPushButton>

TModFrm::TModFrm(WordBookCommands *commands)
    : RegModDialog(commands, QStringLiteral("単語編集"))
{
    setObjectName(QStringLiteral("ModFrm"));
    buildBottomBar();
    InitialDataSet();
}

void TModFrm::buildBottomBar()
{
    QHBoxLayout *bar = bottomBar();
    bar->addStretch(1);
    auto *apply = new QPushButton(QStringLiteral("反映 (F8)"), this);
    apply->setObjectName(QStringLiteral("Button1"));
    apply->setAutoDefault(false);
    bar->addWidget(apply);
    auto *cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    cancel->setAutoDefault(false);
    bar->addWidget(cancel);
    setMainButton(apply);
    connect(apply, &QPushButton::clicked, this, &TModFrm::ModifyWord);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

// The selected entry into the fields; without one they stay empty.
void TModFrm::InitialDataSet()
{
    const int row = commands()->page()->wordList()->selectedRow();
    if (row >= 0)
        frame()->showEntry(commands()->page()->wordListModel()->entry(row));
}

void TModFrm::ModifyWord()
{
    const std::optional<WordEntry> entry = validatedEntry();
    if (!entry)
        return;
    commands()->ModifyItem(*entry);
    commands()->SaveCurrentWB();
    accept();
}
