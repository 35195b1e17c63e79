#pragma once

#include "fsrs.h"
#include "reviewkey.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

#include <functional>
#include <optional>

class QSqlQuery;

// What the history holds of one entry: its memory and when it is due.
struct EntrySchedule {
    MemoryState memory;
    qint64 lastReviewMs = 0;
    qint64 dueMs = 0;
    int reviews = 0;
    int lapses = 0;
};

// The reviews of one day: how many questions were judged, how many right at the first try.
struct DayReviews {
    QDate day;
    int reviews = 0;
    int remembered = 0;
};

// The practice's review history in an SQLite database of the user's data folder: one row per
// entry with its FSRS memory and due time, one row per judged question. Every judgement is
// one transaction, so a kill at any moment leaves the last whole judgement. The database is
// held exclusively while open: a second program cannot write it at the same time.
// Failures come back as Japanese texts; after one, the history is closed and the caller goes
// on without it.
class ReviewHistory {
public:
    ReviewHistory();
    ~ReviewHistory();
    ReviewHistory(const ReviewHistory &) = delete;
    ReviewHistory &operator=(const ReviewHistory &) = delete;

    // XDG data home + "/Harnwick/Kalvo/history.sqlite".
    static QString defaultPath();

    // Opens the database at `path`, creating it and its folder when missing, and brings its
    // tables to this program's version. Returns the empty string, or why there is no history.
    QString open(const QString &path);
    void close();
    bool isOpen() const;
    QString path() const { return m_path; }

    // A judgement of the question asked about `key` (from book file `bookFile`) at `atMs`.
    // The first judgement of a question is its review: right is Good, wrong Again. Later
    // judgements, until one is right, only count as tries with their answer: the right answer
    // is on display after a wrong one, so typing it is no recall. Returns the empty string,
    // or the failure.
    QString recordJudgement(const ReviewKey &key, const QString &bookFile, bool firstJudgement,
                            bool right, const QString &answer, qint64 atMs);

    // The entries of a book folder ("Class0/bookA") that have a history, by ReviewKeyHash;
    // read from the database the first time, then kept.
    // A failed read closes the history; `lastFailure` then says why.
    QHash<qint64, EntrySchedule> folderSchedules(const QString &folder);
    QString lastFailure() const { return m_failure; }
    // The reviews of the folder's entries for every day from `first` to `last`, in order.
    QList<DayReviews> reviewsByDay(const QString &folder, QDate first, QDate last) const;
    // The whole history, one judged question per line, as CSV for a spreadsheet.
    QString exportCsv(const QString &path) const;

    // Local midnight starting the day `days` after the day of `atMs`.
    static qint64 startOfDayAfter(qint64 atMs, int days);

private:
    // The question judged last, until the next one: its review row, which later tries update.
    struct PendingQuestion {
        qint64 entryId = 0;
        qint64 reviewId = 0;
        std::optional<EntrySchedule> before;
        QString folder;
        qint64 keyHash = 0;
        QString bookFile;
        qint64 atMs = 0;
        // Right at the last judgement; the review is graded by the first.
        bool right = false;
        int tries = 0;
        EntrySchedule after;
    };

    QString fail(const QString &reason);
    QString failure(const QString &what) const;
    QString prepare();
    QString migrate(int stored);
    bool exec(QSqlQuery &query) const;
    bool findEntry(const ReviewKey &key, PendingQuestion &question);
    bool storeReview(PendingQuestion &question, const QString &answer);
    bool storeTry(const PendingQuestion &question, const QString &answer);
    void remember(const PendingQuestion &question);
    std::optional<QHash<qint64, EntrySchedule>> readSchedules(const QString &folder) const;
    QString inTransaction(const std::function<bool()> &work);

    QString m_connection;
    QSqlDatabase m_db;
    QString m_path;
    bool m_open = false;
    std::optional<PendingQuestion> m_pending;
    // The failure of the last statement that failed.
    mutable QSqlError m_lastError;
    // The folders read so far, by name, kept up to date with every judgement.
    QHash<QString, QHash<qint64, EntrySchedule>> m_schedules;
    QString m_failure;
};
