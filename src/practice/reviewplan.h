#pragma once

#include "practicebooks.h"
#include "reviewhistory.h"

#include <QDate>
#include <QHash>
#include <QList>

// What the practice asks: the chosen book in its shuffled order, the folder's entries that
// are due, or the folder's entries least likely to be recalled.
enum class PracticeMode { InOrder, Due, Weak };

// Entry `entry` (from 0) of chooser book `book`, with its history.
struct PlannedEntry {
    int book = 0;
    int entry = 0;
    EntrySchedule schedule;
};

// What the history says of one book of the folder.
struct BookProgress {
    int seen = 0;
    int learned = 0;
    int due = 0;
};

// A book folder's entries matched against their history at one moment: the entries of the
// books that have a history, the due ones oldest due first, the weak ones lowest predicted
// recall first. An entry that occurs twice in the folder counts once, where it occurs first.
// Entries never asked are never due.
class ReviewPlan {
public:
    static constexpr int kWeakEntries = 10;
    // An entry whose memory lasts three weeks counts as learned.
    static constexpr double kLearnedStability = 21;

    ReviewPlan() = default;
    ReviewPlan(const QList<ChooserBook> &books, const QHash<qint64, EntrySchedule> &schedules,
               qint64 nowMs);

    const QList<PlannedEntry> &due() const { return m_due; }
    const QList<PlannedEntry> &weak() const { return m_weak; }
    const QList<PlannedEntry> &entries(PracticeMode mode) const;
    // Per chooser book, in the books' order.
    const QList<BookProgress> &progress() const { return m_progress; }
    // For each of `days` days from `first`, how many entries fall due on it; the first day
    // also counts the ones overdue.
    QList<int> dueByDay(QDate first, int days) const;

private:
    QList<PlannedEntry> m_seen;
    QList<PlannedEntry> m_due;
    QList<PlannedEntry> m_weak;
    QList<BookProgress> m_progress;
};

// The entries to ask, read afresh from their books in `folder` and in the plan's order, as
// one book whose origins name each question's own book and number. An entry whose book was
// changed since the plan was made is left out. Nothing, with `error` set, when no entry is
// left.
std::optional<PractisedBook> ReadReviewBook(const QString &folder, const QList<ChooserBook> &books,
                                            const QList<PlannedEntry> &entries, QString &error);
