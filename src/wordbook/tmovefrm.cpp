#include "tmovefrm.h"

#include "entrymovedelete.h"
#include "movepositions.h"
#include "positionlistmodel.h"
#include "widgets/exactfields.h"
#include "widgets/positionbox.h"
#include "wordbookcommands.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>

namespace {

void setToolTipColours(QLineEdit *box)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, QToolTip::palette().color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Text, QToolTip::palette().color(QPalette::ToolTipText));
    box->setPalette(palette);
}

} // namespace

TMoveFrm::TMoveFrm(EntryMoveDelete *entries)
    : QDialog(entries->commands()->window())
    , m_entries(entries)
{
    setWindowTitle(QStringLiteral("単語の移動"));
    setFixedSize(460, 320);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(
        PlainLabel(QStringLiteral("挿入先の単語のNoを指定し、移動ボタンを押して下さい。"), this));
    layout->addWidget(buildTarget());
    layout->addWidget(buildSource());
    layout->addStretch();
    QPushButton *move = AddDialogButtons(this, layout, QStringLiteral("移動"));
    connect(move, &QPushButton::clicked, this, &TMoveFrm::Button2Click);
    m_positions->setFocus();
}

QWidget *TMoveFrm::buildTarget()
{
    auto *group = new QGroupBox(QStringLiteral("挿入先"));
    m_positions = new PositionBox(group);
    m_positions->setMaxVisibleItems(16);
    const int selected = m_entries->selectedNumber();
    PositionListModel *positions = MovePositions(m_entries->entryCount(), selected, m_positions);
    m_positions->setModel(positions);
    // The entry above is shown first; none for No 1.
    m_positions->setCurrentIndex(positions->rowOf(selected - 1));
    auto *form = new QFormLayout(group);
    form->addRow(QStringLiteral("No:"), m_positions);
    return group;
}

QWidget *TMoveFrm::buildSource()
{
    auto *group = new QGroupBox(QStringLiteral("移動元"));
    const EntryBoxes boxes = MakeEntryBoxes(m_entries->selectedEntry(), group);
    for (QLineEdit *box : {boxes.japanese, boxes.russian, boxes.number})
        setToolTipColours(box);
    auto *form = new QFormLayout(group);
    form->addRow(QStringLiteral("日本語："), boxes.japanese);
    form->addRow(QStringLiteral("ロシア語"), boxes.russian);
    form->addRow(QStringLiteral("No:"), boxes.number);
    return group;
}

void TMoveFrm::Button2Click()
{
    done(m_entries->MoveItem(m_positions->currentText().trimmed()) ? Accepted : Rejected);
}
