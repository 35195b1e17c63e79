#include "timportfrm.h"

#include "fieldfonts.h"
#include "visibletext.h"
#include "widgets/exactfields.h"
#include "widgets/messagebox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The rows shown, read with no more of each field than could show; the rest is read on
// confirming.
constexpr int kPreviewRows = 20;
constexpr int kUnused = kEntryFields; // the last choice of a column box
constexpr QuestionType kTypes[] = {QuestionType::Vocabulary, QuestionType::FillInBlank,
                                   QuestionType::Composition};

QStringList fieldCaptions(QuestionType type)
{
    return {QStringLiteral("ロシア語"), CueCaption(type),       QStringLiteral("発音カナ"),
            QStringLiteral("日本語"),   QStringLiteral("備考"), QStringLiteral("使わない")};
}

QString columnName(int column)
{
    return QStringLiteral("列%1").arg(column + 1);
}

} // namespace

TImportFrm::TImportFrm(const TableText &table, const QString &title, QWidget *mainWindow)
    : QDialog(mainWindow)
    , m_text(table.text)
    , m_separator(GuessSeparator(m_text))
    , m_shown(ParseTable(m_text, m_separator, kPreviewRows, kVisibleUnits + 1))
{
    setObjectName(QStringLiteral("ImportFrm"));
    setWindowTitle(QStringLiteral("単語帳のインポート"));
    if (mainWindow)
        setFont(mainWindow->window()->font());
    m_columnCount = std::min(m_shown.widest, kMostTableColumns);
    resize(760, 560);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("列ごとに、単語帳のどの欄に取り込むかを選んで下さい。"), this));
    layout->addWidget(buildColumnChoices());
    if (const QString notice = leftOutNotice(table.replaced); !notice.isEmpty()) {
        auto *label = new QLabel(notice, this);
        label->setObjectName(QStringLiteral("Notice"));
        layout->addWidget(label);
    }
    m_header = new QCheckBox(QStringLiteral("1行目は見出し（取り込まない）"), this);
    m_header->setChecked(!m_shown.rows.isEmpty() && LooksLikeHeader(m_shown.rows.first()));
    layout->addWidget(m_header);
    layout->addWidget(buildPreview(), 1);
    layout->addLayout(buildHeaderFields(title));
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("Summary"));
    layout->addWidget(m_summary);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_commit = new QPushButton(QStringLiteral("取り込む"), this);
    m_commit->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    buttons->addWidget(m_commit);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(m_commit, &QPushButton::clicked, this, &TImportFrm::commit);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_header, &QCheckBox::toggled, this, &TImportFrm::refresh);
    refresh();
}

QWidget *TImportFrm::buildColumnChoices()
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    const ColumnMap guessed = GuessColumns(m_shown.rows.value(0), m_columnCount);
    for (int column = 0; column < m_columnCount; ++column) {
        auto *choice = new QComboBox(box);
        choice->setAccessibleName(columnName(column) + QStringLiteral("の取り込み先"));
        m_columnBoxes.append(choice);
        grid->addWidget(new QLabel(columnName(column) + u'：', box), column / 4, (column % 4) * 2);
        grid->addWidget(choice, column / 4, (column % 4) * 2 + 1);
    }
    fillColumnBoxes();
    for (int column = 0; column < m_columnCount; ++column) {
        const auto field = std::find(guessed.begin(), guessed.end(), column);
        m_columnBoxes[column]->setCurrentIndex(
            field == guessed.end() ? kUnused : int(field - guessed.begin()));
        connect(m_columnBoxes[column], &QComboBox::activated, this,
                [this, column] { columnChosen(column); });
    }
    return box;
}

QWidget *TImportFrm::buildPreview()
{
    m_preview = new QStandardItemModel(0, m_columnCount, this);
    for (int column = 0; column < m_columnCount; ++column)
        m_preview->setHeaderData(column, Qt::Horizontal, columnName(column));
    for (const QStringList &row : std::as_const(m_shown.rows)) {
        QList<QStandardItem *> cells;
        for (int column = 0; column < m_columnCount; ++column)
            cells.append(new QStandardItem(VisiblePart(row.value(column))));
        m_preview->appendRow(cells);
    }
    auto *view = new QTableView(this);
    view->setObjectName(QStringLiteral("Preview"));
    view->setAccessibleName(QStringLiteral("表の最初の行"));
    view->setModel(m_preview);
    // The Russian font places stress marks over their vowels; other scripts fall back.
    view->setFont(FieldFont(FontKind::Russian, 11));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->horizontalHeader()->setDefaultSectionSize(140);
    return view;
}

QLayout *TImportFrm::buildHeaderFields(const QString &title)
{
    auto *form = new QFormLayout;
    m_title = WithoutLengthLimit(new QLineEdit(this));
    m_title->setText(title);
    m_title->setObjectName(QStringLiteral("Edit1"));
    m_group = WithoutLengthLimit(new QLineEdit(QStringLiteral("インポート"), this));
    m_group->setObjectName(QStringLiteral("Edit2"));
    m_type = new QComboBox(this);
    for (QuestionType type : kTypes)
        m_type->addItem(StoredName(type));
    form->addRow(QStringLiteral("・タイトル："), m_title);
    form->addRow(QStringLiteral("・グループ："), m_group);
    form->addRow(QStringLiteral("・問題タイプ："), m_type);
    connect(m_type, &QComboBox::currentIndexChanged, this, &TImportFrm::typeChosen);
    return form;
}

// What the dialog leaves out of the file, in lines; empty when nothing.
QString TImportFrm::leftOutNotice(int replaced) const
{
    QStringList lines;
    if (m_shown.widest > kMostTableColumns) {
        lines.append(QStringLiteral("この表には %1 列あります。取り込めるのは最初の %2 列までで、"
                                    "列%3から先は表示も取り込みもしません。")
                         .arg(m_shown.widest)
                         .arg(kMostTableColumns)
                         .arg(kMostTableColumns + 1));
    }
    if (replaced > 0) {
        lines.append(QStringLiteral("文字として読めない部分 %1 か所を「%2」に置き換えました。")
                         .arg(replaced)
                         .arg(QChar(QChar::ReplacementCharacter)));
    }
    return lines.join(u'\n');
}

// The cue's caption follows the question type.
void TImportFrm::fillColumnBoxes()
{
    const QStringList captions = fieldCaptions(type());
    for (QComboBox *choice : std::as_const(m_columnBoxes)) {
        const int current = choice->currentIndex();
        choice->clear();
        choice->addItems(captions);
        choice->setCurrentIndex(current);
    }
}

void TImportFrm::typeChosen()
{
    fillColumnBoxes();
    refresh();
}

// A field fills from one column: another column that had it no longer does.
void TImportFrm::columnChosen(int column)
{
    const int field = m_columnBoxes[column]->currentIndex();
    for (int other = 0; other < m_columnCount; ++other) {
        if (other != column && field != kUnused && m_columnBoxes[other]->currentIndex() == field)
            m_columnBoxes[other]->setCurrentIndex(kUnused);
    }
    refresh();
}

ColumnMap TImportFrm::columns() const
{
    ColumnMap map;
    map.fill(-1);
    for (int column = 0; column < m_columnCount; ++column) {
        const int field = m_columnBoxes[column]->currentIndex();
        if (field >= 0 && field < kEntryFields && map[size_t(field)] < 0)
            map[size_t(field)] = column;
    }
    return map;
}

QuestionType TImportFrm::type() const
{
    return m_type ? kTypes[std::max(0, m_type->currentIndex())] : QuestionType::Vocabulary;
}

// Counts the preview's rows; when the table has more, they are read on confirming.
void TImportFrm::refresh()
{
    m_imported = EntriesFromTable(m_shown.rows, columns(), m_header->isChecked());
    QString summary = QStringLiteral("取り込む単語：%1　　ロシア語か日本語が空のため除く行：%2")
                          .arg(m_imported.entries.size())
                          .arg(m_imported.leftOut);
    if (m_shown.cut) {
        summary = QStringLiteral("表示した %1 行では、").arg(m_shown.rows.size()) + summary +
                  QStringLiteral("\n残りの行は、取り込むときに読みます。");
    }
    m_summary->setText(summary);
    m_commit->setEnabled(!m_imported.entries.isEmpty() || m_shown.cut);
}

WordBook TImportFrm::book() const
{
    return {m_title->text().trimmed(), m_group->text().trimmed(), type(), m_imported.entries};
}

void TImportFrm::commit()
{
    if (m_title->text().trimmed().isEmpty()) {
        ShowWarning(QStringLiteral("単語帳を作るにはタイトル名は必要です。"), this);
        m_title->setFocus();
        return;
    }
    const Table all = ParseTable(m_text, m_separator);
    m_imported = EntriesFromTable(all.rows, columns(), m_header->isChecked());
    m_rowsCut = all.cut;
    if (m_imported.entries.isEmpty()) {
        ShowWarning(QStringLiteral("表にはロシア語と日本語のそろった行がありません。"), this);
        return;
    }
    accept();
}
