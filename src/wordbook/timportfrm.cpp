#include "timportfrm.h"

#include "fieldfonts.h"
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

TImportFrm::TImportFrm(const QList<QStringList> &rows, const QString &title, QWidget *mainWindow)
    : QDialog(mainWindow)
    , m_rows(rows)
{
    setObjectName(QStringLiteral("ImportFrm"));
    setWindowTitle(QStringLiteral("単語帳のインポート"));
    if (mainWindow)
        setFont(mainWindow->window()->font());
    for (const QStringList &row : m_rows)
        m_columnCount = std::max(m_columnCount, int(row.size()));
    resize(760, 560);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("列ごとに、単語帳のどの欄に取り込むかを選んで下さい。"), this));
    layout->addWidget(buildColumnChoices());
    m_header = new QCheckBox(QStringLiteral("1行目は見出し（取り込まない）"), this);
    m_header->setChecked(!m_rows.isEmpty() && LooksLikeHeader(m_rows.first()));
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
    const ColumnMap guessed = GuessColumns(m_rows.value(0), m_columnCount);
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
    for (int r = 0; r < std::min(int(m_rows.size()), kPreviewRows); ++r) {
        QList<QStandardItem *> cells;
        for (int column = 0; column < m_columnCount; ++column)
            cells.append(new QStandardItem(m_rows[r].value(column)));
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

void TImportFrm::refresh()
{
    m_imported = EntriesFromTable(m_rows, columns(), m_header->isChecked());
    m_summary->setText(QStringLiteral("取り込む単語：%1　　ロシア語か日本語が空のため除く行：%2")
                           .arg(m_imported.entries.size())
                           .arg(m_imported.leftOut));
    m_commit->setEnabled(!m_imported.entries.isEmpty());
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
    accept();
}
