#include "wordbookpage.h"

#include "core/ulib.h"
#include "listpainting.h"
#include "reportmodel.h"
#include "reportview.h"
#include "widgets/accessiblenames.h"
#include "widgets/fixedcolours.h"
#include "widgets/mainactions.h"
#include "wordlistdelegate.h"
#include "wordlistmodel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kSplitterWidth = 4;
constexpr int kShelfOpenWidth = 420;
constexpr int kShelfClosedWidth = 40;
constexpr int kShelfListTop = 54;
constexpr int kWordRowHeight = 28;
constexpr int kShelfRowHeight = 20;
constexpr int kInitialListWidth = 400;

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignVCenter;

QString shelfToggleCaption(bool open)
{
    return open ? QStringLiteral("→") : QStringLiteral("←");
}

struct ShelfColumn {
    const char16_t *caption;
    int width;
    Qt::Alignment alignment;
};

constexpr ShelfColumn kShelfColumns[] = {
    {u"タイトル", 100, kLeft}, {u"ファイル名", 80, kLeft}, {u"グループ", 85, kLeft},
    {u"個数", 55, kCentre},    {u"問題ﾀｲﾌﾟ", 75, kCentre},
};

constexpr int kCountColumn = 3;

struct BookButton {
    const char *name;
    const char16_t *caption;
};

// Index = book folder (CFIndex): A, G, S.
constexpr BookButton kBookButtons[] = {
    {"SpeedButton12", u"book\nA"},
    {"SpeedButton13", u"book\nG"},
    {"SpeedButton14", u"book\nS"},
};
constexpr int kClassSelectorWidth = 70;
constexpr int kControlGap = 5;
constexpr int kBookButtonTop = 2;
constexpr QSize kBookButtonSize{45, 48};

struct FlagItem {
    const char *name;
    const char16_t *caption;
    bool UsrVars::*flag;
};

// The checked items of the word list's context menu, each toggling one setting.
constexpr FlagItem kFlagItems[] = {
    {"LastVisibleItem", u"最下行表示", &UsrVars::LastVisibleFlg},
    {"ResetInputItem", u"リセット入力", &UsrVars::ResetInputFlg},
};

// Sets a control's name and its place in its parent; a negative size is the control's own.
void place(QWidget *w, const char *name, int x, int y, int width = -1, int height = -1)
{
    w->setObjectName(QLatin1StringView(name));
    const QSize hint = w->sizeHint();
    w->setGeometry(x, y, width < 0 ? hint.width() : width, height < 0 ? hint.height() : height);
}

// A button that triggers `action` and is enabled exactly when the action is, keeping its own
// caption.
void bindToAction(QAbstractButton *button, QAction *action)
{
    button->setEnabled(action->isEnabled());
    QObject::connect(button, &QAbstractButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
}

// A click leaves the focus where it was (the word list, the composition area); Tab reaches the
// button.
QToolButton *speedButton(QWidget *parent, const QString &caption)
{
    auto *button = new QToolButton(parent);
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

WordBookPage::WordBookPage(MainActions *actions, QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setHandleWidth(kSplitterWidth);
    m_splitter->setChildrenCollapsible(false);
    layout->addWidget(m_splitter);

    m_splitter->addWidget(buildWordList());
    m_splitter->addWidget(buildShelfPanel(actions));
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);
    m_splitter->setSizes({kInitialListWidth, kShelfOpenWidth});
    buildPopupMenu2(actions);
    buildPopupMenu3(actions);
}

ReportView *WordBookPage::buildWordList()
{
    m_wordModel = new WordListModel(this);
    m_wordModel->setJapaneseCaption(Sys.BaseName);
    m_wordList = new ReportView(kWordRowHeight, true, m_splitter);
    m_wordList->setObjectName(QStringLiteral("ListView1"));
    m_wordList->setModel(m_wordModel);
    m_wordList->setItemDelegate(new WordListDelegate(m_wordModel, kWordRowHeight, m_wordList));
    for (int column = 0; column < int(Usr.Lv1ColumnWidth.size()); ++column)
        m_wordList->header()->resizeSection(column, Usr.Lv1ColumnWidth[column]);
    m_wordList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_wordModel, &QAbstractItemModel::modelReset, this, &WordBookPage::fitNumberColumn);
    connect(m_wordModel, &QAbstractItemModel::rowsInserted, this, &WordBookPage::fitNumberColumn);
    setWordListOpen(false);
    return m_wordList;
}

QWidget *WordBookPage::buildShelfPanel(MainActions *actions)
{
    m_shelfPanel = new QWidget(m_splitter);
    m_shelfPanel->setObjectName(QStringLiteral("Panel5"));
    m_shelfPanel->setMinimumWidth(kShelfClosedWidth);
    auto *layout = new QVBoxLayout(m_shelfPanel);
    layout->setContentsMargins(0, kShelfListTop, 0, 0);
    layout->addWidget(buildShelfList(m_shelfPanel));
    buildShelfControls(m_shelfPanel, actions);
    return m_shelfPanel;
}

void WordBookPage::buildShelfControls(QWidget *panel, MainActions *actions)
{
    m_shelfToggle = speedButton(panel, shelfToggleCaption(true));
    place(m_shelfToggle, "SpeedButton10", 6, 4, 26, 26);
    connect(m_shelfToggle, &QToolButton::clicked, this, &WordBookPage::SpeedButton10Click);

    m_autoClose = new QCheckBox(panel);
    m_autoClose->setChecked(Usr.AutoDoorFlg);
    m_autoClose->setAccessibleName(QStringLiteral("自動で閉じる"));
    place(m_autoClose, "CheckBox4", 12, 32);

    auto *newBook = new QPushButton(QStringLiteral("新規作成"), panel);
    place(newBook, "Button1", 40, 4, 80, 42);
    bindToAction(newBook, actions->NewWB);

    m_classSelector = new QComboBox(panel);
    NameBox(m_classSelector, QStringLiteral("クラス"));
    for (const QString &className : EUName)
        m_classSelector->addItem(className);
    m_classSelector->setCurrentIndex(Usr.ClassRoom);
    // As wide as its longest class name needs, the controls right of it moved along.
    place(m_classSelector, "ComboBox3", 125, 14,
          qMax(kClassSelectorWidth, m_classSelector->sizeHint().width()));
    connect(m_classSelector, &QComboBox::currentIndexChanged, this, &WordBookPage::ComboBox3Change);

    buildBookButtons(panel);
    buildOrderButtons(panel);
}

void WordBookPage::buildBookButtons(QWidget *panel)
{
    for (int index = 0; index < int(m_bookButtons.size()); ++index) {
        const BookButton &row = kBookButtons[index];
        const QString caption = QString::fromUtf16(row.caption);
        QToolButton *button = speedButton(panel, caption);
        // Read as one line, "book A".
        button->setAccessibleName(QString(caption).replace(u'\n', u' '));
        button->setCheckable(true);
        const int x =
            m_classSelector->geometry().right() + 1 + kControlGap + index * kBookButtonSize.width();
        place(button, row.name, x, kBookButtonTop, kBookButtonSize.width(),
              kBookButtonSize.height());
        connect(button, &QToolButton::clicked, this,
                [this, index](bool down) { BookButtonClick(index, down); });
        m_bookButtons[index] = button;
    }
}

void WordBookPage::buildOrderButtons(QWidget *panel)
{
    const int x = m_bookButtons.back()->geometry().right() + 1 + kControlGap;
    m_ruJa = new QRadioButton(QStringLiteral("露-日"), panel);
    place(m_ruJa, "RadioButton1", x, 8);
    m_jaRu = new QRadioButton(QStringLiteral("日-露"), panel);
    place(m_jaRu, "RadioButton2", x, 31);
    connect(m_ruJa, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            ListOrderClick(true);
    });
    connect(m_jaRu, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            ListOrderClick(false);
    });
}

ReportView *WordBookPage::buildShelfList(QWidget *panel)
{
    QList<ReportModel::Column> columns;
    for (const ShelfColumn &column : kShelfColumns)
        columns.append({QString::fromUtf16(column.caption), column.alignment});
    m_shelfModel = new ReportModel(columns, this);
    m_shelf = new ReportView(kShelfRowHeight, false, panel);
    m_shelf->setObjectName(QStringLiteral("ListView2"));
    m_shelf->setAccessibleName(QStringLiteral("本棚"));
    m_shelf->setModel(m_shelfModel);
    for (int column = 0; column < int(std::size(kShelfColumns)); ++column)
        m_shelf->header()->resizeSection(column, kShelfColumns[column].width);
    // The list may shrink with its panel down to the closed shelf's width.
    m_shelf->setMinimumSize(1, 1);
    // The shelf's small white text on the style's shadow colour, deepened where that is pale;
    // black text where the palette's shadow is light.
    const QColor shadow = palette().color(QPalette::Shadow);
    const QColor text = TextColourOn(shadow, Qt::white);
    m_shelf->setBackground(BackgroundForSmallText(shadow, text));
    m_shelf->setTextColour(text);
    m_shelf->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_shelfModel, &QAbstractItemModel::modelReset, this, &WordBookPage::fitShelfColumns);
    connect(m_shelfModel, &QAbstractItemModel::rowsInserted, this, &WordBookPage::fitShelfColumns);
    fitShelfColumns();
    return m_shelf;
}

void WordBookPage::buildPopupMenu2(MainActions *actions)
{
    m_popupMenu2 = new QMenu(this);
    m_popupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    m_popupMenu2->addActions({actions->ChangeWBProperty, actions->DeleteWB, actions->CloseWB});
    connect(m_shelf, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        PopupMenu2Popup();
        m_popupMenu2->popup(m_shelf->viewport()->mapToGlobal(pos));
    });
    connect(m_popupMenu2, &QMenu::aboutToHide, this, &WordBookPage::PopupMenu2Close);
}

void WordBookPage::buildPopupMenu3(MainActions *actions)
{
    m_popupMenu3 = new QMenu(this);
    m_popupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
    m_popupMenu3->addActions(
        {actions->RegWord, actions->ModWord, actions->MoveWord, actions->DelWord});
    for (int index = 0; index < int(m_flagItems.size()); ++index) {
        const FlagItem &row = kFlagItems[index];
        m_popupMenu3->addSeparator();
        QAction *item = m_popupMenu3->addAction(QString::fromUtf16(row.caption));
        item->setObjectName(QLatin1StringView(row.name));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this,
                [flag = row.flag](bool checked) { Usr.*flag = checked; });
        m_flagItems[index] = item;
    }
    m_popupMenu3->addSeparator();
    QAction *fontSize = m_popupMenu3->addAction(QStringLiteral("文字サイズ調整"));
    fontSize->setObjectName(QStringLiteral("FontSizeItem"));
    connect(fontSize, &QAction::triggered, this, &WordBookPage::fontSizeDialogRequested);
    connect(m_wordList, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        PopupMenu3Popup();
        m_popupMenu3->popup(m_wordList->viewport()->mapToGlobal(pos));
    });
}

std::array<int, 7> WordBookPage::columnWidths() const
{
    std::array<int, 7> widths{};
    for (int column = 0; column < int(widths.size()); ++column)
        widths[column] = m_wordList->header()->sectionSize(column);
    return widths;
}

void WordBookPage::setListOrder(bool eiwa)
{
    // The saved widths were saved in the saved order: nothing to exchange.
    m_shownEiwa = eiwa;
    QRadioButton *button = eiwa ? m_ruJa : m_jaRu;
    {
        const QSignalBlocker blocker(button);
        button->setChecked(true);
    }
    ListOrderClick(eiwa);
}

void WordBookPage::ListOrderClick(bool eiwa)
{
    Usr.EiwaFlg = eiwa;
    ReDrawListView1();
}

void WordBookPage::ReDrawListView1()
{
    const bool eiwa = Usr.EiwaFlg;
    m_wordModel->setRussianFirst(eiwa);
    if (eiwa == m_shownEiwa)
        return;
    QHeaderView *columns = m_wordList->header();
    const int first = columns->sectionSize(0);
    columns->resizeSection(0, columns->sectionSize(4));
    columns->resizeSection(4, first);
    m_shownEiwa = eiwa;
}

void WordBookPage::SpeedButton10Click()
{
    m_shelfOpen = !m_shelfOpen;
    m_shelfToggle->setText(shelfToggleCaption(m_shelfOpen));
    setShelfWidth(m_shelfOpen ? kShelfOpenWidth : kShelfClosedWidth);
    Q_EMIT shelfToggled(m_shelfOpen);
}

void WordBookPage::setShelfWidth(int width)
{
    const QList<int> sizes = m_splitter->sizes();
    const int total = qMax(sizes.value(0) + sizes.value(1), width + kShelfClosedWidth);
    m_splitter->setSizes({total - width, width});
}

// The No column widens, never narrows, until the largest number shows whole.
// An empty list shows no number, and measuring one would load the list's fonts at every start,
// before any book is open.
void WordBookPage::fitNumberColumn()
{
    if (m_wordModel->rowCount() == 0)
        return;
    const auto *delegate = static_cast<WordListDelegate *>(m_wordList->itemDelegate());
    const QFontMetrics metrics(delegate->cellFont(WordListModel::Number));
    const int needed = TextCellWidth(metrics, QString::number(m_wordModel->rowCount()));
    QHeaderView *columns = m_wordList->header();
    if (columns->sectionSize(WordListModel::Number) < needed)
        columns->resizeSection(WordListModel::Number, needed);
}

// The shelf's counts and captions show whole in any font; no column narrows.
void WordBookPage::fitShelfColumns()
{
    QHeaderView *columns = m_shelf->header();
    for (int column = 0; column < columns->count(); ++column) {
        const int width = columns->sectionSize(column);
        if (column == kCountColumn)
            m_shelf->resizeColumnToContents(column);
        const int needed = qMax(columns->sectionSize(column), columns->sectionSizeHint(column));
        columns->resizeSection(column, qMax(width, needed));
    }
}

bool WordBookPage::autoShelfClosing() const
{
    return m_autoClose->isChecked();
}

void WordBookPage::setAutoShelfClosing(bool on)
{
    m_autoClose->setChecked(on);
}

void WordBookPage::ComboBox3Change(int index)
{
    if (index < 0 || index == Usr.ClassRoom)
        return;
    Usr.ClassRoom = index;
    Q_EMIT classRoomChanged(index);
}

void WordBookPage::BookButtonClick(int index, bool down)
{
    // Pressing the button that is down only releases it.
    if (down)
        selectBookFolder(index);
}

void WordBookPage::selectBookFolder(int index)
{
    if (index < 0 || index >= int(m_bookButtons.size()))
        return;
    showBookFolder(index);
    Q_EMIT bookFolderChosen(index);
}

void WordBookPage::showBookFolder(int index)
{
    for (int i = 0; i < int(m_bookButtons.size()); ++i)
        m_bookButtons[i]->setChecked(i == index);
}

void WordBookPage::showClassRoom(int classRoom)
{
    const QSignalBlocker blocker(m_classSelector);
    m_classSelector->setCurrentIndex(classRoom);
}

void WordBookPage::setWordListOpen(bool open)
{
    m_wordList->setEnabled(open);
    m_wordList->setBackground(palette().color(open ? QPalette::Base : QPalette::Button));
}

void WordBookPage::PopupMenu2Popup()
{
    // Opening the row must not close the shelf: the menu's commands are chosen on it.
    if (m_autoClose->isChecked()) {
        m_restoreAutoClose = true;
        m_autoClose->setChecked(false);
    }
    if (m_shelf->selectedRow() >= 0)
        Q_EMIT shelfRowClicked();
}

void WordBookPage::PopupMenu2Close()
{
    if (m_restoreAutoClose)
        m_autoClose->setChecked(true);
    m_restoreAutoClose = false;
}

void WordBookPage::PopupMenu3Popup()
{
    for (int index = 0; index < int(m_flagItems.size()); ++index)
        m_flagItems[index]->setChecked(Usr.*kFlagItems[index].flag);
}
