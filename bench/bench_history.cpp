// The review history on a folder of 200 books and 100,000 entries, all with a history:
// recording one judgement (one transaction, synced to the disk) against writing the same few
// hundred bytes with an fdatasync, and listing the due entries (the history's rows of the
// folder matched against the books the chooser has listed) against selecting the same rows.

#include "benchtools.h"
#include "bookmaker.h"
#include "practice/practicebooks.h"
#include "practice/reviewhistory.h"
#include "practice/reviewplan.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QVariant>

#include <unistd.h>

namespace {

constexpr int kBooks = 200;
constexpr int kEntriesPerBook = 500;
constexpr int kJudgements = 200;
constexpr int kListings = 15;
const QString kFolder = QStringLiteral("Class0/bookA");

QTextStream out(stdout);

double elapsedMs(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

// The books on disk and one history row for each of their entries, due over the coming
// fortnight and the one before.
void makeFolder(const QString &books, const QString &database, qint64 now)
{
    BookMaker maker;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
    db.setDatabaseName(database);
    db.open();
    db.transaction();
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral(
        "INSERT OR IGNORE INTO entries (folder, title, russian, japanese, key_hash, stability, "
        "difficulty, last_review, due, reviews, lapses) VALUES (?, ?, ?, ?, ?, ?, 5, ?, ?, 1, 0)"));
    for (int b = 0; b < kBooks; ++b) {
        WordBook book{
            QStringLiteral("本%1").arg(b), QStringLiteral("組"), QuestionType::Vocabulary, {}};
        for (int e = 0; e < kEntriesPerBook; ++e) {
            const int i = b * kEntriesPerBook + e;
            WordEntry entry = maker.entry(i);
            const qint64 due = now + (i % 29 - 14) * 86'400'000LL;
            for (const QVariant &value :
                 {QVariant(kFolder), QVariant(book.title), QVariant(entry[EntryField::Russian]),
                  QVariant(entry[EntryField::Japanese]),
                  QVariant(ReviewKeyHash(book.title, entry[EntryField::Russian],
                                         entry[EntryField::Japanese])),
                  QVariant(1.0 + i % 40), QVariant(due - 3 * 86'400'000LL), QVariant(due)})
                insert.addBindValue(value);
            insert.exec();
            book.entries.append(std::move(entry));
        }
        WriteWordBook(books + QStringLiteral("/book%1.utx").arg(b, 3, 10, QChar(u'0')), book);
    }
    db.commit();
    db.close();
    db = {};
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
}

void reportRecording(ReviewHistory &history, const QString &scratch, qint64 now)
{
    std::vector<double> record;
    std::vector<double> baseline;
    const QByteArray row(300, 'x');
    QFile file(scratch);
    file.open(QIODevice::WriteOnly);
    for (int i = 0; i < kJudgements; ++i) {
        const ReviewKey key{kFolder, QStringLiteral("本%1").arg(i % kBooks),
                            QStringLiteral("слово%1").arg(i), QStringLiteral("語%1").arg(i)};
        record.push_back(elapsedMs([&] {
            history.recordJudgement(key, QStringLiteral("a.utx"), true, i % 4 != 0,
                                    QStringLiteral("слово"), now);
        }));
        baseline.push_back(elapsedMs([&] {
            file.write(row);
            file.flush();
            ::fdatasync(file.handle());
        }));
    }
    const double ms = median(record);
    const double base = median(baseline);
    out << QStringLiteral("record a judgement: %1 ms (goal <= 2 ms); 300 bytes written and "
                          "synced: %2 ms; ratio %3\n")
               .arg(ms, 0, 'f', 3)
               .arg(base, 0, 'f', 3)
               .arg(ms / base, 0, 'f', 2);
}

// The first listing of a run reads the folder's rows from the database; later ones (another
// mode, the next round, coming back to the folder) use the rows kept in memory.
void reportListing(ReviewHistory &history, const QString &books, const QString &database,
                   qint64 now)
{
    QList<ChooserBook> listed;
    const double listing = elapsedMs([&] { listed = ListPracticeBooks(books); });
    std::vector<double> first;
    std::vector<double> later;
    std::vector<double> baseline;
    qsizetype due = 0;
    const auto plan = [&] {
        due = ReviewPlan(listed, history.folderSchedules(kFolder), now).due().size();
    };
    for (int round = 0; round < kListings; ++round) {
        history.close();
        history.open(database);
        first.push_back(elapsedMs(plan));
        later.push_back(elapsedMs(plan));
        history.close();
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("plain"));
            db.setDatabaseName(database);
            db.open();
            baseline.push_back(elapsedMs([&] {
                QSqlQuery query(db);
                query.setForwardOnly(true);
                query.exec(QStringLiteral("SELECT key_hash, stability, difficulty, last_review, "
                                          "due, reviews, lapses FROM entries "
                                          "WHERE folder = 'Class0/bookA'"));
                qint64 sum = 0;
                while (query.next())
                    sum += query.value(0).toLongLong() + query.value(4).toLongLong();
                due += sum == 0;
            }));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("plain"));
    }
    history.open(database);
    const double base = median(baseline);
    out << QStringLiteral("list the due entries of %1 books / %2 entries (%3 due): %4 ms "
                          "(goal <= 100 ms), ratio %5 to selecting the folder's rows (%6 ms)\n")
               .arg(kBooks)
               .arg(kBooks * kEntriesPerBook)
               .arg(due)
               .arg(median(later), 0, 'f', 1)
               .arg(median(later) / base, 0, 'f', 2)
               .arg(base, 0, 'f', 1);
    out << QStringLiteral("  the first listing of a run, reading the rows: %1 ms, ratio %2; the "
                          "chooser's listing of the books, which the plan reuses: %3 ms\n")
               .arg(median(first), 0, 'f', 1)
               .arg(median(first) / base, 0, 'f', 2)
               .arg(listing, 0, 'f', 1);
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    UseHome(home.path());
    QCoreApplication app(argc, argv);
    const QString books = home.path() + QStringLiteral("/books");
    QDir().mkpath(books);
    const QString database = home.path() + QStringLiteral("/history.sqlite");
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    ReviewHistory history;
    if (const QString error = history.open(database); !error.isEmpty()) {
        out << error << '\n';
        return 1;
    }
    history.close();
    makeFolder(books, database, now);
    history.open(database);
    reportListing(history, books, database, now);
    reportRecording(history, home.path() + QStringLiteral("/scratch"), now);
    return 0;
}
