#include "reviewplan.h"

#include "wordbook/wordbookfile.h"

#include <QDateTime>
#include <QDir>
#include <QSet>

#include <algorithm>

ReviewPlan::ReviewPlan(const QList<ChooserBook> &books,
                       const QHash<qint64, EntrySchedule> &schedules, qint64 nowMs)
{
    QSet<qint64> taken;
    taken.reserve(schedules.size());
    m_seen.reserve(schedules.size());
    m_progress.resize(books.size());
    for (int b = 0; b < books.size(); ++b) {
        const QList<qint64> &keys = books[b].entryKeys;
        for (int e = 0; e < keys.size(); ++e) {
            const auto found = schedules.constFind(keys[e]);
            if (found == schedules.cend() || taken.contains(keys[e]))
                continue;
            taken.insert(keys[e]);
            const PlannedEntry entry{b, e, *found};
            m_seen.append(entry);
            BookProgress &progress = m_progress[b];
            ++progress.seen;
            progress.learned += found->memory.stability >= kLearnedStability ? 1 : 0;
            if (found->dueMs <= nowMs) {
                ++progress.due;
                m_due.append(entry);
            }
        }
    }
    std::stable_sort(m_due.begin(), m_due.end(), [](const auto &a, const auto &b) {
        return a.schedule.dueMs < b.schedule.dueMs;
    });
    // The recall of every seen entry now, computed once; the ten lowest come first.
    std::vector<std::pair<double, int>> recall;
    recall.reserve(size_t(m_seen.size()));
    for (int i = 0; i < m_seen.size(); ++i) {
        const EntrySchedule &schedule = m_seen[i].schedule;
        const double days = double(nowMs - schedule.lastReviewMs) / (24 * 3600 * 1000.0);
        recall.emplace_back(FsrsScheduler::retrievability(schedule.memory.stability, days), i);
    }
    const size_t weak = std::min<size_t>(kWeakEntries, recall.size());
    std::partial_sort(recall.begin(), recall.begin() + qsizetype(weak), recall.end());
    for (size_t i = 0; i < weak; ++i)
        m_weak.append(m_seen[recall[i].second]);
}

const QList<PlannedEntry> &ReviewPlan::entries(PracticeMode mode) const
{
    static const QList<PlannedEntry> none;
    switch (mode) {
    case PracticeMode::Due:
        return m_due;
    case PracticeMode::Weak:
        return m_weak;
    case PracticeMode::InOrder:
        break;
    }
    return none;
}

QList<int> ReviewPlan::dueByDay(QDate first, int days) const
{
    QList<int> counts(qMax(0, days), 0);
    for (const PlannedEntry &entry : m_seen) {
        const QDate day = QDateTime::fromMSecsSinceEpoch(entry.schedule.dueMs).date();
        const qint64 index = qMax<qint64>(0, first.daysTo(day));
        if (index < counts.size())
            ++counts[index];
    }
    return counts;
}

std::optional<PractisedBook> ReadReviewBook(const QString &folder, const QList<ChooserBook> &books,
                                            const QList<PlannedEntry> &entries, QString &error)
{
    QHash<int, QList<WordEntry>> read;
    PractisedBook review;
    for (const PlannedEntry &planned : entries) {
        if (planned.book < 0 || planned.book >= books.size())
            continue;
        const ChooserBook &book = books[planned.book];
        if (!read.contains(planned.book)) {
            WordBookFile file = ReadWordBook(QDir(folder).filePath(book.fileName));
            read.insert(planned.book, file.status == WordBookFile::Status::Read &&
                                              file.parsed.isBook &&
                                              file.parsed.book.title == book.title
                                          ? std::move(file.parsed.book.entries)
                                          : QList<WordEntry>());
        }
        const QList<WordEntry> &bookEntries = read[planned.book];
        if (planned.entry >= bookEntries.size() || planned.entry >= book.entryKeys.size())
            continue;
        const WordEntry &entry = bookEntries[planned.entry];
        if (ReviewKeyHash(book.title, entry[EntryField::Russian], entry[EntryField::Japanese]) !=
            book.entryKeys[planned.entry])
            continue;
        review.StudySL.append(entry);
        review.origins.append({book.fileName, book.title, book.type, planned.entry});
    }
    if (review.StudySL.isEmpty()) {
        error = QStringLiteral("単語帳が変更されたため、復習する単語を読み込めませんでした。");
        return std::nullopt;
    }
    review.fileName = review.origins.front().fileName;
    review.title = review.origins.front().title;
    review.type = review.origins.front().type;
    review.keepOrder = true;
    return review;
}
