#include "tsearchfrm.h"

#include "booksearch.h"
#include "core/folders.h"
#include "core/ulib.h"
#include "fieldfonts.h"
#include "input/accentkeys.h"
#include "input/imeswitch.h"
#include "input/inputmethodgate.h"
#include "input/russianfield.h"
#include "input/truspad.h"
#include "ipa/candidatefilter.h"
#include "ipa/tipapad.h"
#include "reportmodel.h"
#include "reportview.h"
#include "widgets/exactfields.h"
#include "widgets/pointsizes.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr QSize kSize{580, 400};
constexpr QSize kMaximumSize{1000, 1000};
constexpr int kRowHeight = 20;
const QString kNoHit = QStringLiteral("- なし -");
// Index = SFIndex.
const QString kBookFolders[] = {u"bookA"_qs, u"bookG"_qs, u"bookS"_qs};

enum Page { ResultPage, RussianPage, IpaPage };
// The key rules of the search field: the Russian layout and accent keys, the IPA candidates,
// or the field's own.
enum class KeyRules { Russian, Ipa, Plain };

struct FieldMode {
    const char16_t *item; // nullptr: Sys.BaseName
    FontKind font;
    KeyRules rules;
    Page page;
};

// Index = SColumn, the entry field searched.
constexpr FieldMode kModes[] = {
    {u"ロシア語", FontKind::Russian, KeyRules::Russian, RussianPage},
    {u"発音記号", FontKind::Ipa, KeyRules::Ipa, IpaPage},
    {u"発音カナ", FontKind::Japanese, KeyRules::Plain, ResultPage},
    {nullptr, FontKind::Japanese, KeyRules::Plain, ResultPage},
    {u"備考", FontKind::Japanese, KeyRules::Plain, ResultPage},
};
constexpr int kModeCount = int(std::size(kModes));
constexpr int kDefaultMode = 3;

struct ResultColumn {
    const char16_t *caption; // nullptr: Sys.BaseName
    bool centred;
    int fixedWidth; // 0: the common width plus `extra`
    int extra;
};

enum ResultCell { RussianCell = 0, TitleCell = 3, NumberCell = 4 };

constexpr ResultColumn kColumns[] = {
    {u"ロシア語", false, 0, 20}, {u"発音記号", false, 0, 0}, {u"カナ", false, 0, 0},
    {u"単語帳", false, 0, 0},    {u"No", true, 50, 0},       {nullptr, false, 0, 20},
    {u"備考", false, 0, 5},      {u"予備", false, 1, 0},
};

QString textOf(const char16_t *text)
{
    return text ? QString::fromUtf16(text) : Sys.BaseName;
}

QList<ReportModel::Column> resultColumns()
{
    QList<ReportModel::Column> columns;
    for (const ResultColumn &column : kColumns) {
        const Qt::Alignment horizontal = column.centred ? Qt::AlignHCenter : Qt::AlignLeft;
        columns.append({textOf(column.caption), horizontal | Qt::AlignVCenter});
    }
    return columns;
}

// A row as the result list shows it; the number of an exact hit has "*" in front.
QStringList resultRow(const SearchHit &hit)
{
    const WordEntry &entry = hit.entry;
    const QString number =
        (hit.exact ? QStringLiteral("*") : QString()) + QString::number(hit.number);
    return {entry[EntryField::Russian],
            entry[EntryField::Cue],
            entry[EntryField::Kana],
            hit.title,
            number,
            entry[EntryField::Japanese],
            entry[EntryField::Remarks],
            QString()};
}

QFont modeFont(FontKind kind, const QFont &windowFont)
{
    const int points = windowFont.pointSize() > 0 ? windowFont.pointSize()
                                                  : PointsOfPixels(windowFont.pixelSize());
    return FieldFont(kind, points + 2);
}

QComboBox *listBox(const QStringList &items, int current, const QString &name, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->addItems(items);
    box->setCurrentIndex(current);
    box->setAccessibleName(name);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return box;
}

} // namespace

TSearchFrm::TSearchFrm(QWidget *mainWindow)
    : QDialog(mainWindow)
{
    setObjectName(QStringLiteral("SearchFrm"));
    setWindowTitle(QStringLiteral("単語帳検索"));
    // A class from an edited settings file that names no class folder searches Class0.
    if (Usr.SClassRoom < 0 || Usr.SClassRoom >= int(EUName.size()))
        Usr.SClassRoom = 0;
    setModal(true);
    setMinimumSize(kSize);
    setMaximumSize(kMaximumSize);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buildTopBar());
    layout->addWidget(buildPages(), 1);
    layout->addLayout(buildBottomBar());
    installKeyRules();
    placeOnMainWindow(mainWindow);
}

QLayout *TSearchFrm::buildTopBar()
{
    auto *bar = new QHBoxLayout;
    QStringList items;
    for (const FieldMode &mode : kModes)
        items.append(textOf(mode.item));
    const bool modeKnown = Usr.SColumn >= 0 && Usr.SColumn < kModeCount;
    m_fieldBox =
        listBox(items, modeKnown ? Usr.SColumn : kDefaultMode, QStringLiteral("検索する欄"), this);
    m_fieldBox->setObjectName(QStringLiteral("ComboBox1"));
    connect(m_fieldBox, &QComboBox::currentIndexChanged, this, &TSearchFrm::applyMode);
    bar->addWidget(m_fieldBox);
    m_field = WithoutLengthLimit(new QLineEdit(this));
    m_field->setObjectName(QStringLiteral("Edit1"));
    m_field->setAccessibleName(QStringLiteral("検索する言葉"));
    m_field->setMinimumWidth(60);
    connect(m_field, &QLineEdit::returnPressed, this, [this] {
        if (kModes[m_fieldBox->currentIndex()].rules != KeyRules::Russian)
            SearchMain2();
    });
    bar->addWidget(m_field, 1);
    // The top bar is tight at the smallest width: its buttons are only as wide as their texts.
    for (QPushButton *button : {addButton(bar, QStringLiteral("クリア"), &TSearchFrm::clearField),
                                addButton(bar, QStringLiteral("検索"), &TSearchFrm::SearchMain2)})
        button->setMaximumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 16);
    m_classBox =
        listBox({EUName.begin(), EUName.end()}, Usr.SClassRoom, QStringLiteral("クラス"), this);
    m_classBox->setObjectName(QStringLiteral("ComboBox2"));
    connect(m_classBox, &QComboBox::currentIndexChanged, this,
            [](int index) { Usr.SClassRoom = index; });
    bar->addWidget(m_classBox);
    m_folders = new QButtonGroup(this);
    for (const QString &folder : kBookFolders) {
        auto *radio = new QRadioButton(folder, this);
        m_folders->addButton(radio, int(m_folders->buttons().size()));
        bar->addWidget(radio);
    }
    connect(m_folders, &QButtonGroup::idClicked, this, &TSearchFrm::folderClicked);
    return bar;
}

QWidget *TSearchFrm::buildPages()
{
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_model = new ReportModel(resultColumns(), this);
    m_list = new ReportView(kRowHeight, true, m_pages);
    m_list->setObjectName(QStringLiteral("ListView1"));
    m_list->setAccessibleName(QStringLiteral("検索結果"));
    m_list->setModel(m_model);
    m_list->installEventFilter(this);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TSearchFrm::updateResultButtons);
    m_rusPad = new TRusPad(m_pages);
    // The accent setting is changed only in the main window.
    m_rusPad->syncAccentCheck();
    m_rusPad->setAccentCheckEnabled(false);
    m_ipaPad = new TIPAPad(m_pages);
    m_pages->addTab(m_list, QStringLiteral("検索結果"));
    m_pages->addTab(m_rusPad, QStringLiteral("ロシア語"));
    m_pages->addTab(m_ipaPad, QStringLiteral("発音記号"));
    connect(m_rusPad, &TRusPad::keyText, this, &TSearchFrm::OutputString);
    connect(m_ipaPad, &TIPAPad::candidateClicked, this, &TSearchFrm::OutputIPAString);
    return m_pages;
}

QLayout *TSearchFrm::buildBottomBar()
{
    auto *bar = new QHBoxLayout;
    m_inputButton =
        addButton(bar, QStringLiteral("この単語を入力"), &TSearchFrm::SpeedButton1Click);
    m_editButton = addButton(bar, QStringLiteral("この単語を編集"), &TSearchFrm::SpeedButton2Click);
    bar->addStretch(1);
    addButton(bar, QStringLiteral("閉じる"), &TSearchFrm::reject);
    updateResultButtons();
    return bar;
}

// Enter belongs to the search field, so no button is a default button.
QPushButton *TSearchFrm::addButton(QLayout *bar, const QString &text, void (TSearchFrm::*action)())
{
    auto *button = new QPushButton(text, this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, action);
    bar->addWidget(button);
    return button;
}

// The key rules of every mode are made once; attachKeyRules() lets only the current mode's
// act on the one search field.
void TSearchFrm::installKeyRules()
{
    m_accentKeys = AccentKeys::install(m_field, m_rusPad);
    m_russianField = RussianField::install(m_field);
    m_ipaFilter = installIpaCandidates(m_field, {[this] { m_ipaPad->DispArrIPA(); },
                                                 [this](const QString &s) { OutputIPAString(s); }});
    // The IPA keys are candidate keys, never the input method's; the Russian mode's layout
    // engine keeps it away by itself.
    m_ipaGate = InputMethodGate::install(
        m_field, [this] { return kModes[m_fieldBox->currentIndex()].rules == KeyRules::Ipa; });
}

void TSearchFrm::attachKeyRules(int mode)
{
    for (QObject *rules : {m_accentKeys, m_russianField, m_ipaFilter})
        m_field->removeEventFilter(rules);
    switch (kModes[mode].rules) {
    case KeyRules::Russian:
        // The layout engine runs first, so the accent keys see the characters it types.
        m_field->installEventFilter(m_accentKeys);
        m_field->installEventFilter(m_russianField);
        LoadGaIme();
        break;
    case KeyRules::Ipa:
        m_field->installEventFilter(m_ipaFilter);
        LoadInitIme();
        break;
    case KeyRules::Plain:
        LoadInitIme();
        break;
    }
}

void TSearchFrm::placeOnMainWindow(QWidget *mainWindow)
{
    resize(kSize);
    if (!mainWindow)
        return;
    const QRect main = mainWindow->frameGeometry();
    move(main.left() + (main.width() - width()) / 2, main.top() + (main.height() - height()) / 2);
}

void TSearchFrm::showEvent(QShowEvent *event)
{
    if (!m_shown) {
        m_shown = true;
        m_rusPad->AdjustPosSize();
        m_ipaPad->AdjustPosSize();
        applyMode(m_fieldBox->currentIndex());
        const bool folderKnown = Usr.SFIndex >= 0 && Usr.SFIndex < m_folders->buttons().size();
        m_folders->button(folderKnown ? Usr.SFIndex : 0)->setChecked(true);
        if (folderKnown)
            folderClicked(Usr.SFIndex);
    }
    QDialog::showEvent(event);
}

// The field's font, keys and input method follow the field searched; only its pad's tab shows.
void TSearchFrm::applyMode(int mode)
{
    Usr.SColumn = mode;
    const FieldMode &fieldMode = kModes[mode];
    m_field->setFont(modeFont(fieldMode.font, font()));
    attachKeyRules(mode);
    m_ipaGate->refresh();
    m_pages->setTabVisible(RussianPage, fieldMode.page == RussianPage);
    m_pages->setTabVisible(IpaPage, fieldMode.page == IpaPage);
    m_pages->setCurrentIndex(fieldMode.page);
    clearField();
}

void TSearchFrm::folderClicked(int folder)
{
    Usr.SFIndex = folder;
    m_field->setFocus();
}

void TSearchFrm::clearField()
{
    m_field->clear();
    m_field->setFocus();
}

QString TSearchFrm::searchFolder() const
{
    const int checked = m_folders->checkedId();
    return BookFolderPath(Usr.SClassRoom, checked == 0 || checked == 1 ? checked : 2);
}

void TSearchFrm::SearchMain2()
{
    const QString text = m_field->text();
    QList<QStringList> rows;
    for (const SearchHit &hit : SearchBookFolder(searchFolder(), m_fieldBox->currentIndex(), text))
        rows.append(resultRow(hit));
    if (rows.isEmpty() && !text.isEmpty())
        rows.append({kNoHit});
    m_model->setRows(std::move(rows));
    updateResultButtons();
    m_pages->setCurrentIndex(ResultPage);
}

void TSearchFrm::OutputString(const QString &text)
{
    InsertIpaText(m_field, text);
}

void TSearchFrm::OutputIPAString(const QString &text)
{
    InsertIpaText(m_field, text);
}

bool TSearchFrm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::Resize)
        fitColumns();
    return QDialog::eventFilter(watched, event);
}

// The text columns share the width beyond 556 pixels; "No" and the spare column keep theirs.
void TSearchFrm::fitColumns()
{
    const int listWidth = m_list->width();
    const int common = listWidth <= 556 ? 75 : (listWidth - 556) / 6 + 75;
    for (int column = 0; column < int(std::size(kColumns)); ++column) {
        const ResultColumn &def = kColumns[column];
        m_list->setColumnWidth(column, def.fixedWidth ? def.fixedWidth : common + def.extra);
    }
}

// The selected row when it is a hit, else -1.
int TSearchFrm::selectedHit() const
{
    const int row = m_list->selectedRow();
    return row >= 0 && m_model->cell(row, RussianCell) != kNoHit ? row : -1;
}

void TSearchFrm::updateResultButtons()
{
    const bool hit = selectedHit() >= 0;
    m_inputButton->setEnabled(hit);
    m_editButton->setEnabled(hit);
}

void TSearchFrm::SpeedButton1Click()
{
    const int row = selectedHit();
    if (row < 0)
        return;
    Q_EMIT inputRequested(m_model->cell(row, RussianCell));
    accept();
}

void TSearchFrm::SpeedButton2Click()
{
    const int row = selectedHit();
    if (row < 0)
        return;
    const int index = m_model->cell(row, NumberCell).remove(u'*').toInt() - 1;
    Q_EMIT editRequested(Usr.SClassRoom, Usr.SFIndex, m_model->cell(row, TitleCell), index);
}
