#include "tprogressfrm.h"

#include "core/folders.h"
#include "core/ulib.h"
#include "practicebooks.h"
#include "reviewhistory.h"
#include "reviewplan.h"
#include "widgets/exactfields.h"
#include "widgets/messagebox.h"
#include "wordbook/bookexchange.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {

constexpr QSize kDefaultSize{840, 700};
constexpr int kFolders = 3;

const QStringList kBookColumns = {QStringLiteral("単語帳"), QStringLiteral("ファイル"),
                                  QStringLiteral("単語数"), QStringLiteral("練習した"),
                                  QStringLiteral("覚えた"), QStringLiteral("期限")};

QChartView *chartView(const QString &name, QWidget *parent)
{
    auto *view = new QChartView(new QChart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->setAccessibleName(name);
    view->chart()->setTitle(name);
    view->chart()->legend()->setAlignment(Qt::AlignBottom);
    view->setMinimumHeight(200);
    return view;
}

QStandardItem *numberItem(int value)
{
    auto *item = new QStandardItem(QString::number(value));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

// A count axis from 0 whose four steps are whole numbers.
QValueAxis *countAxis(int most)
{
    auto *axis = new QValueAxis;
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->setRange(0, qMax(4, (most + 3) / 4 * 4));
    axis->setTickCount(5);
    return axis;
}

// removeAxis hands the axis back to its caller.
void clearChart(QChart *chart)
{
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

qint64 chartTime(QDate day)
{
    return day.startOfDay().toMSecsSinceEpoch();
}

} // namespace

TProgressFrm::TProgressFrm(ReviewHistory &history, int classRoom, int bookFolder, QWidget *parent)
    : QDialog(parent)
    , m_history(history)
{
    setObjectName(QStringLiteral("ProgressFrm"));
    setWindowTitle(QStringLiteral("学習の記録"));
    resize(kDefaultSize);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildTopRow());
    m_summary = PlainLabel(QString(), this);
    m_summary->setObjectName(QStringLiteral("Summary"));
    layout->addWidget(m_summary);
    m_reviewChart = chartView(QStringLiteral("1日ごとの復習（過去90日）"), this);
    layout->addWidget(m_reviewChart, 3);
    auto *lower = new QHBoxLayout;
    m_dueChart = chartView(QStringLiteral("今後7日の期限"), this);
    lower->addWidget(m_dueChart, 1);
    m_books = new QStandardItemModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("BookTable"));
    m_table->setAccessibleName(QStringLiteral("単語帳ごとの記録"));
    m_table->setModel(m_books);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    lower->addWidget(m_table, 1);
    layout->addLayout(lower, 2);
    m_folder->setCurrentIndex(qBound(0, classRoom, int(EUName.size()) - 1) * kFolders +
                              qBound(0, bookFolder, kFolders - 1));
    connect(m_folder, &QComboBox::currentIndexChanged, this, &TProgressFrm::showFolder);
    showFolder();
}

QWidget *TProgressFrm::buildTopRow()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *label = PlainLabel(QStringLiteral("フォルダ:"), row);
    m_folder = new QComboBox(row);
    m_folder->setObjectName(QStringLiteral("FolderBox"));
    m_folder->setAccessibleName(QStringLiteral("フォルダ"));
    for (int classRoom = 0; classRoom < int(EUName.size()); ++classRoom)
        for (int folder = 0; folder < kFolders; ++folder)
            m_folder->addItem(ReviewFolderName(classRoom, folder));
    label->setBuddy(m_folder);
    auto *exportButton = new QPushButton(QStringLiteral("CSVに書き出す…"), row);
    exportButton->setObjectName(QStringLiteral("ExportButton"));
    exportButton->setAutoDefault(false);
    connect(exportButton, &QPushButton::clicked, this,
            [this] { ExportReviewHistory(m_history, this); });
    auto *closeButton = new QPushButton(QStringLiteral("閉じる"), row);
    closeButton->setObjectName(QStringLiteral("CloseButton"));
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(label);
    layout->addWidget(m_folder);
    layout->addStretch();
    layout->addWidget(exportButton);
    layout->addWidget(closeButton);
    return row;
}

void TProgressFrm::showFolder()
{
    showReviews();
    showBooksAndDue();
}

// The reviews of each day as a line, the share remembered at the first try as a second line
// on its own percent axis; days without reviews have no share.
void TProgressFrm::showReviews()
{
    const QDate today = QDate::currentDate();
    const QList<DayReviews> days =
        m_history.reviewsByDay(m_folder->currentText(), today.addDays(1 - kHistoryDays), today);
    QChart *chart = m_reviewChart->chart();
    clearChart(chart);
    auto *reviews = new QLineSeries;
    reviews->setName(QStringLiteral("復習した問題"));
    auto *share = new QLineSeries;
    share->setName(QStringLiteral("一回目で正解（%）"));
    // A day alone between days without reviews is a point, not a line.
    share->setPointsVisible(true);
    m_reviews = m_remembered = 0;
    int most = 0;
    for (const DayReviews &day : days) {
        reviews->append(double(chartTime(day.day)), day.reviews);
        if (day.reviews > 0)
            share->append(double(chartTime(day.day)), 100.0 * day.remembered / day.reviews);
        m_reviews += day.reviews;
        m_remembered += day.remembered;
        most = qMax(most, day.reviews);
    }
    chart->addSeries(reviews);
    chart->addSeries(share);
    auto *time = new QDateTimeAxis;
    time->setFormat(QStringLiteral("M/d"));
    time->setTickCount(7);
    // A day beyond today keeps today's point off the right axis.
    time->setRange(today.addDays(1 - kHistoryDays).startOfDay(), today.addDays(1).startOfDay());
    QValueAxis *count = countAxis(most);
    auto *percent = new QValueAxis;
    percent->setLabelFormat(QStringLiteral("%d%%"));
    percent->setRange(0, 100);
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(count, Qt::AlignLeft);
    chart->addAxis(percent, Qt::AlignRight);
    reviews->attachAxis(time);
    reviews->attachAxis(count);
    share->attachAxis(time);
    share->attachAxis(percent);
}

// The folder's books against their history: the due entries of the coming days and a line
// per book.
void TProgressFrm::showBooksAndDue()
{
    const int index = m_folder->currentIndex();
    const QList<ChooserBook> books =
        ListPracticeBooks(BookFolderPath(index / kFolders, index % kFolders));
    const ReviewPlan plan(books, m_history.folderSchedules(m_folder->currentText()),
                          QDateTime::currentMSecsSinceEpoch());
    const QDate today = QDate::currentDate();
    const QList<int> due = plan.dueByDay(today, kComingDays);

    QChart *chart = m_dueChart->chart();
    clearChart(chart);
    auto *set = new QBarSet(QStringLiteral("期限の単語"));
    QStringList dayNames;
    int coming = 0;
    for (int day = 0; day < due.size(); ++day) {
        *set << due[day];
        coming += due[day];
        dayNames << (day == 0 ? QStringLiteral("今日") : today.addDays(day).toString(u"d日"));
    }
    auto *series = new QBarSeries;
    series->append(set);
    chart->addSeries(series);
    auto *days = new QBarCategoryAxis;
    days->append(dayNames);
    QValueAxis *count = countAxis(*std::max_element(due.cbegin(), due.cend()));
    chart->addAxis(days, Qt::AlignBottom);
    chart->addAxis(count, Qt::AlignLeft);
    series->attachAxis(days);
    series->attachAxis(count);
    chart->legend()->hide();

    m_books->clear();
    m_books->setHorizontalHeaderLabels(kBookColumns);
    for (int b = 0; b < books.size(); ++b) {
        const BookProgress &progress = plan.progress()[b];
        auto *title = new QStandardItem(books[b].title);
        m_books->appendRow({title, new QStandardItem(books[b].fileName),
                            numberItem(books[b].entries), numberItem(progress.seen),
                            numberItem(progress.learned), numberItem(progress.due)});
    }
    m_table->resizeColumnsToContents();

    const QString share = m_reviews > 0
                              ? QStringLiteral("%1%").arg(qRound(100.0 * m_remembered / m_reviews))
                              : QStringLiteral("—");
    m_summary->setText(
        QStringLiteral("過去%1日：復習 %2 問、一回目で正解 %3　／　今後%4日の期限：%5 語")
            .arg(kHistoryDays)
            .arg(m_reviews)
            .arg(share)
            .arg(kComingDays)
            .arg(coming));
    m_reviewChart->setAccessibleDescription(m_summary->text());
    m_dueChart->setAccessibleDescription(
        QStringLiteral("今後%1日の期限：%2 語").arg(kComingDays).arg(coming));
}

void ExportReviewHistory(ReviewHistory &history, QWidget *owner)
{
    if (!history.isOpen()) {
        ShowWarning(QStringLiteral("学習の記録を開けないため、書き出せません。"), owner);
        return;
    }
    const QString proposed = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                             QStringLiteral("/学習の記録.csv");
    // The overwrite question comes once the suffix is known.
    const QString path = SavePathConfirmed(
        QFileDialog::getSaveFileName(owner, QStringLiteral("学習の記録のエクスポート"), proposed,
                                     QStringLiteral("CSV (*.csv)"), nullptr,
                                     QFileDialog::DontConfirmOverwrite),
        QStringLiteral("csv"), owner);
    if (path.isEmpty())
        return;
    const QString native = QDir::toNativeSeparators(path);
    const QString error = history.exportCsv(path);
    if (!error.isEmpty()) {
        ShowWarning(QStringLiteral("「%1」に書き出せませんでした。\n（%2）").arg(native, error),
                    owner);
        return;
    }
    ShowInformation(QStringLiteral("学習の記録を「%1」に書き出しました。").arg(native), owner);
}
