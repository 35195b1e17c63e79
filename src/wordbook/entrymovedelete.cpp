#include "entrymovedelete.h"

#include "core/ulib.h"
#include "ipa/ipafonts.h"
#include "movepositions.h"
#include "reportview.h"
#include "tdelfrm.h"
#include "tmovefrm.h"
#include "widgets/exactfields.h"
#include "widgets/mainactions.h"
#include "wordbookcommands.h"
#include "wordbookpage.h"
#include "wordlistmodel.h"

#include <QAction>
#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

EntryMoveDelete::EntryMoveDelete(WordBookCommands *commands)
    : QObject(commands)
    , m_commands(commands)
{
    connect(commands->actions()->MoveWord, &QAction::triggered, this,
            &EntryMoveDelete::MoveWordExecute);
    connect(commands->actions()->DelWord, &QAction::triggered, this,
            &EntryMoveDelete::DelWordExecute);
}

int EntryMoveDelete::entryCount() const
{
    return m_commands->page()->wordListModel()->rowCount();
}

int EntryMoveDelete::selectedNumber() const
{
    return m_commands->page()->wordList()->selectedRow() + 1;
}

ShownEntry EntryMoveDelete::selectedEntry() const
{
    const int number = selectedNumber();
    if (number <= 0)
        return {};
    const WordEntry &entry = m_commands->page()->wordListModel()->entry(number - 1);
    return {QString::number(number), entry[EntryField::Japanese], entry[EntryField::Russian]};
}

bool EntryMoveDelete::MoveItem(const QString &numberText)
{
    const int selected = selectedNumber();
    const std::optional<int> before = MoveBeforeRow(numberText, entryCount(), selected);
    if (selected <= 0 || !before)
        return false;
    showEntry(m_commands->page()->wordListModel()->moveEntry(selected - 1, *before));
    return m_commands->SaveCurrentWB();
}

// Selects the entry at `row` in the focused word list and scrolls it into view.
void EntryMoveDelete::showEntry(int row)
{
    ReportView *list = m_commands->page()->wordList();
    list->setFocus();
    list->selectRow(row);
    list->scrollTo(list->model()->index(row, 0));
}

bool EntryMoveDelete::DeleteItem()
{
    ReportView *list = m_commands->page()->wordList();
    const int row = list->selectedRow();
    if (row < 0)
        return false;
    // The view selects the next entry, if any; the commands follow the selection by themselves.
    m_commands->page()->wordListModel()->removeEntry(row);
    const bool saved = m_commands->SaveCurrentWB();
    m_commands->CorrectNumbers(Sys.TC_File);
    return saved;
}

void EntryMoveDelete::MoveWordExecute()
{
    if (selectedNumber() <= 0)
        return;
    TMoveFrm dialog(this);
    runModal(dialog);
}

void EntryMoveDelete::DelWordExecute()
{
    if (selectedNumber() <= 0)
        return;
    TDelFrm dialog(this);
    runModal(dialog);
}

void EntryMoveDelete::runModal(QDialog &dialog) const
{
    const QRect main = m_commands->window()->frameGeometry();
    dialog.move(main.left() + (main.width() - dialog.width()) / 2,
                main.top() + (main.height() - dialog.height()) / 2);
    dialog.exec();
}

EntryBoxes MakeEntryBoxes(const ShownEntry &entry, QWidget *parent)
{
    auto box = [parent](const QString &text) {
        auto *edit = WithoutLengthLimit(new QLineEdit(parent));
        edit->setText(text);
        edit->setReadOnly(true);
        edit->setCursorPosition(0);
        return edit;
    };
    const EntryBoxes boxes{box(entry.number), box(entry.japanese), box(entry.russian)};
    boxes.number->setAlignment(Qt::AlignCenter);
    boxes.number->setMaximumWidth(80);
    QFont russianFont = boxes.russian->font();
    russianFont.setFamily(RussianFontFamily(Usr.UsrMainFont));
    russianFont.setStyleHint(QFont::Serif);
    boxes.russian->setFont(russianFont);
    return boxes;
}

QPushButton *AddDialogButtons(QDialog *dialog, QBoxLayout *layout, const QString &action)
{
    auto *row = new QHBoxLayout;
    auto *actionButton = new QPushButton(action, dialog);
    auto *cancel = new QPushButton(QStringLiteral("キャンセル"), dialog);
    actionButton->setDefault(true);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    row->addStretch();
    row->addWidget(actionButton);
    row->addWidget(cancel);
    layout->addLayout(row);
    return actionButton;
}
