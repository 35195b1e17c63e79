#pragma once

#include <QDialog>

class QChartView;
class QComboBox;
class QLabel;
class QStandardItemModel;
class QTableView;
class ReviewHistory;

// "学習の記録": the review history of one book folder as charts (reviews per day over the last
// 90 days with the share remembered at the first try, and the entries due in the next seven
// days) and a table of its books with the entries seen, learned and due. The history can be
// written out as CSV from here.
class TProgressFrm : public QDialog {
    Q_OBJECT

public:
    static constexpr int kHistoryDays = 90;
    static constexpr int kComingDays = 7;

    TProgressFrm(ReviewHistory &history, int classRoom, int bookFolder, QWidget *parent);

    QComboBox *folderSelector() const { return m_folder; }
    QLabel *summary() const { return m_summary; }
    QStandardItemModel *bookModel() const { return m_books; }
    QChartView *reviewChart() const { return m_reviewChart; }
    QChartView *dueChart() const { return m_dueChart; }

private:
    QWidget *buildTopRow();
    void showFolder();
    void showReviews();
    void showBooksAndDue();

    ReviewHistory &m_history;
    QComboBox *m_folder = nullptr;
    QLabel *m_summary = nullptr;
    QChartView *m_reviewChart = nullptr;
    QChartView *m_dueChart = nullptr;
    QTableView *m_table = nullptr;
    QStandardItemModel *m_books = nullptr;
    int m_reviews = 0;
    int m_remembered = 0;
};

// "学習の記録のエクスポート…": asks for a CSV file and writes the whole history to it, saying
// how it went.
void ExportReviewHistory(ReviewHistory &history, QWidget *owner);
