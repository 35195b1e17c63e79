#include "reviewhistory.h"

#include "core/folders.h"
#include "core/savefile.h"

#include <QAtomicInt>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

namespace {

constexpr int kSchemaVersion = 1;
constexpr qint64 kDayMs = 24 * 60 * 60 * 1000;

// The statements that bring a database of version index to version index + 1.
const QList<QStringList> kMigrations = {
    {
        QStringLiteral("CREATE TABLE entries ("
                       " id INTEGER PRIMARY KEY,"
                       " folder TEXT NOT NULL, title TEXT NOT NULL,"
                       " russian TEXT NOT NULL, japanese TEXT NOT NULL,"
                       " key_hash INTEGER NOT NULL,"
                       " stability REAL NOT NULL, difficulty REAL NOT NULL,"
                       " last_review INTEGER NOT NULL, due INTEGER NOT NULL,"
                       " reviews INTEGER NOT NULL, lapses INTEGER NOT NULL,"
                       " UNIQUE (folder, title, russian, japanese))"),
        // Covers the listing of a folder, which then reads only this index, in order.
        QStringLiteral("CREATE INDEX entries_by_folder ON entries (folder, key_hash, stability, "
                       "difficulty, last_review, due, reviews, lapses)"),
        QStringLiteral("CREATE TABLE reviews ("
                       " id INTEGER PRIMARY KEY,"
                       " entry_id INTEGER NOT NULL REFERENCES entries (id),"
                       " book_file TEXT NOT NULL, reviewed_at INTEGER NOT NULL,"
                       " right_first INTEGER NOT NULL, tries INTEGER NOT NULL,"
                       " answer TEXT NOT NULL, grade INTEGER NOT NULL,"
                       " stability REAL NOT NULL, difficulty REAL NOT NULL,"
                       " due INTEGER NOT NULL)"),
        QStringLiteral("CREATE INDEX reviews_by_time ON reviews (reviewed_at)"),
    },
};

// SQLite's primary result codes that say more than "it failed".
enum SqliteCode { Busy = 5, Locked = 6, ReadOnly = 8, Corrupt = 11, Full = 13, NotADatabase = 26 };

QString connectionName()
{
    static QAtomicInt serial;
    return QStringLiteral("kalvo-history-%1").arg(serial.fetchAndAddRelaxed(1));
}

int sqliteCode(const QSqlError &error)
{
    return error.nativeErrorCode().toInt() & 0xff;
}

QString reasonOf(const QSqlError &error)
{
    switch (sqliteCode(error)) {
    case Busy:
    case Locked:
        return QStringLiteral("学習の記録は、ほかに起動しているKalvoが使っています。");
    case ReadOnly:
        return QStringLiteral("学習の記録のファイルに書き込めません。");
    case Corrupt:
    case NotADatabase:
        return QStringLiteral("学習の記録のファイルが壊れています。このファイルを別の場所へ移すと、"
                              "次にKalvoを起動したときから新しい記録が始まります。");
    case Full:
        return QStringLiteral("ディスクの空きが足りないため、学習の記録を保存できません。");
    default:
        return QStringLiteral("学習の記録を読み書きできません（%1）。").arg(error.text());
    }
}

int elapsedDays(qint64 fromMs, qint64 toMs)
{
    return int(QDateTime::fromMSecsSinceEpoch(fromMs).date().daysTo(
        QDateTime::fromMSecsSinceEpoch(toMs).date()));
}

// The entry's history after a review of `grade` at `atMs`.
EntrySchedule scheduleAfter(const std::optional<EntrySchedule> &before, ReviewGrade grade,
                            qint64 atMs)
{
    EntrySchedule after;
    if (before) {
        const int days = qMax(0, elapsedDays(before->lastReviewMs, atMs));
        after.memory = FsrsScheduler::nextReview(before->memory, days, grade);
        after.reviews = before->reviews + 1;
        after.lapses = before->lapses + (grade == ReviewGrade::Again ? 1 : 0);
    } else {
        after.memory = FsrsScheduler::firstReview(grade);
        after.reviews = 1;
    }
    after.lastReviewMs = atMs;
    after.dueMs =
        ReviewHistory::startOfDayAfter(atMs, FsrsScheduler::intervalDays(after.memory.stability));
    return after;
}

QSqlQuery prepared(const QSqlDatabase &db, const QString &statement,
                   std::initializer_list<QVariant> values)
{
    QSqlQuery query(db);
    // Rows are read once, in order: nothing is cached behind them.
    query.setForwardOnly(true);
    query.prepare(statement);
    for (const QVariant &value : values)
        query.addBindValue(value);
    return query;
}

// "=SUM(1)" typed as an answer must stay text in a spreadsheet: a cell starting as a formula
// gets a leading apostrophe. Every cell is quoted, quotes doubled.
QByteArray csvCell(const QString &text)
{
    QString cell = text;
    if (!cell.isEmpty() && QStringView(u"=+-@\t\r").contains(cell.front()))
        cell.prepend(u'\'');
    cell.replace(u'"', QStringLiteral("\"\""));
    return '"' + cell.toUtf8() + '"';
}

QByteArray csvLine(const QStringList &cells)
{
    QByteArray line;
    for (const QString &cell : cells) {
        if (!line.isEmpty())
            line += ',';
        line += csvCell(cell);
    }
    return line + "\r\n";
}

QString localTime(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

const QStringList kCsvHeader = {
    QStringLiteral("日時"),     QStringLiteral("フォルダ"),     QStringLiteral("単語帳"),
    QStringLiteral("ファイル"), QStringLiteral("ロシア語"),     QStringLiteral("日本語"),
    QStringLiteral("一回目"),   QStringLiteral("判定の回数"),   QStringLiteral("解答"),
    QStringLiteral("評価"),     QStringLiteral("安定度（日）"), QStringLiteral("難易度"),
    QStringLiteral("次の復習"),
};

const QStringList kGradeNames = {QStringLiteral("もう一度"), QStringLiteral("難しい"),
                                 QStringLiteral("正解"), QStringLiteral("易しい")};

} // namespace

ReviewHistory::ReviewHistory()
    : m_connection(connectionName())
{}

ReviewHistory::~ReviewHistory()
{
    close();
}

QString ReviewHistory::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Harnwick/Kalvo/history.sqlite");
}

qint64 ReviewHistory::startOfDayAfter(qint64 atMs, int days)
{
    const QDate day = QDateTime::fromMSecsSinceEpoch(atMs).date().addDays(days);
    return day.startOfDay().toMSecsSinceEpoch();
}

QString ReviewHistory::open(const QString &path)
{
    close();
    m_path = path;
    m_failure.clear();
    const QFileInfo file(path);
    if (file.exists() && !file.isFile())
        return fail(QStringLiteral("学習の記録の場所に、通常のファイルではないものがあります。"));
    if (!ForceDirectories(file.absolutePath()))
        return fail(QStringLiteral("学習の記録のフォルダを作成できません。"));
    // SQLite reports a file it cannot write only as a failed lock.
    if ((file.exists() && !file.isWritable()) || !QFileInfo(file.absolutePath()).isWritable())
        return fail(
            reasonOf(QSqlError({}, {}, QSqlError::ConnectionError, QString::number(ReadOnly))));
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    m_db.setDatabaseName(path);
    // A database held by another program fails at once instead of freezing the window.
    m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=200"));
    if (!m_db.open())
        return fail(reasonOf(m_db.lastError()));
    m_open = true;
    return prepare();
}

// Exclusive locking keeps the lock from the first read to the close, so a second program
// gets "busy"; the write-ahead log with full syncs keeps every committed judgement through a
// kill or a power cut. A corrupt database or one of a newer program is found before anything
// is written to it.
QString ReviewHistory::prepare()
{
    QSqlQuery exclusive(m_db);
    if (!exclusive.exec(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE")))
        return fail(reasonOf(exclusive.lastError()));
    QSqlQuery check(m_db);
    if (!check.exec(QStringLiteral("PRAGMA quick_check")) || !check.next())
        return fail(reasonOf(check.lastError()));
    if (check.value(0).toString() != QLatin1StringView("ok"))
        return fail(
            reasonOf(QSqlError({}, {}, QSqlError::StatementError, QString::number(Corrupt))));
    QSqlQuery version(m_db);
    if (!version.exec(QStringLiteral("PRAGMA user_version")) || !version.next())
        return fail(reasonOf(version.lastError()));
    const int stored = version.value(0).toInt();
    // An unfinished statement holds a read transaction, in which the journal cannot change.
    check.finish();
    version.finish();
    if (stored > kSchemaVersion)
        return fail(QStringLiteral("学習の記録は、この版より新しいKalvoで作られています。"));
    static const char *const kSetUp[] = {"PRAGMA journal_mode = WAL", "PRAGMA synchronous = FULL",
                                         "PRAGMA foreign_keys = ON"};
    for (const char *statement : kSetUp) {
        QSqlQuery query(m_db);
        if (!query.exec(QString::fromLatin1(statement)))
            return fail(reasonOf(query.lastError()));
    }
    return migrate(stored);
}

QString ReviewHistory::migrate(int stored)
{
    if (stored == kSchemaVersion)
        return {};
    return inTransaction([&] {
        for (int step = stored; step < kSchemaVersion; ++step) {
            for (const QString &statement : kMigrations[step]) {
                QSqlQuery query(m_db);
                query.prepare(statement);
                if (!exec(query))
                    return false;
            }
        }
        QSqlQuery done(m_db);
        done.prepare(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
        return exec(done);
    });
}

void ReviewHistory::close()
{
    m_pending.reset();
    m_schedules.clear();
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
    }
    m_open = false;
}

bool ReviewHistory::exec(QSqlQuery &query) const
{
    if (query.exec())
        return true;
    m_lastError = query.lastError();
    return false;
}

bool ReviewHistory::isOpen() const
{
    return m_open;
}

// The reason with the file it is about; the history stays closed.
QString ReviewHistory::failure(const QString &what) const
{
    return what + u'\n' + QDir::toNativeSeparators(m_path) + u'\n' +
           QStringLiteral("練習は記録を付けずに続けます。");
}

QString ReviewHistory::fail(const QString &reason)
{
    close();
    m_failure = failure(reason);
    return m_failure;
}

// Runs `work` as one transaction: all of it is committed, or nothing.
QString ReviewHistory::inTransaction(const std::function<bool()> &work)
{
    if (!m_db.transaction())
        return fail(reasonOf(m_db.lastError()));
    m_lastError = {};
    if (work() && m_db.commit())
        return {};
    const QSqlError error = m_lastError.isValid() ? m_lastError : m_db.lastError();
    m_db.rollback();
    return fail(reasonOf(error));
}

QString ReviewHistory::recordJudgement(const ReviewKey &key, const QString &bookFile,
                                       bool firstJudgement, bool right, const QString &answer,
                                       qint64 atMs)
{
    if (!m_open)
        return {};
    if (!firstJudgement) {
        if (!m_pending || m_pending->right)
            return {};
        ++m_pending->tries;
        m_pending->right = right;
        return inTransaction([&] { return storeTry(*m_pending, answer); });
    }
    PendingQuestion question;
    question.folder = key.folder;
    question.keyHash = ReviewKeyHash(key);
    question.bookFile = bookFile;
    question.atMs = atMs;
    question.right = right;
    question.tries = 1;
    const QString error =
        inTransaction([&] { return findEntry(key, question) && storeReview(question, answer); });
    if (error.isEmpty()) {
        remember(question);
        m_pending = question;
    }
    return error;
}

// The entry's row and history, a new row without history for an entry asked the first time.
bool ReviewHistory::findEntry(const ReviewKey &key, PendingQuestion &question)
{
    QSqlQuery find = prepared(m_db,
                              QStringLiteral("SELECT id, stability, difficulty, last_review, due, "
                                             "reviews, lapses FROM entries WHERE folder = ? AND "
                                             "title = ? AND russian = ? AND japanese = ?"),
                              {key.folder, key.title, key.russian, key.japanese});
    if (!exec(find))
        return false;
    if (find.next()) {
        question.entryId = find.value(0).toLongLong();
        EntrySchedule before;
        before.memory = {find.value(1).toDouble(), find.value(2).toDouble()};
        before.lastReviewMs = find.value(3).toLongLong();
        before.dueMs = find.value(4).toLongLong();
        before.reviews = find.value(5).toInt();
        before.lapses = find.value(6).toInt();
        question.before = before;
        return true;
    }
    QSqlQuery insert =
        prepared(m_db,
                 QStringLiteral("INSERT INTO entries (folder, title, russian, japanese, key_hash, "
                                "stability, difficulty, last_review, due, reviews, lapses) "
                                "VALUES (?, ?, ?, ?, ?, 0, 0, 0, 0, 0, 0)"),
                 {key.folder, key.title, key.russian, key.japanese, ReviewKeyHash(key)});
    if (!exec(insert))
        return false;
    question.entryId = insert.lastInsertId().toLongLong();
    return true;
}

// The question's review: the entry's new history from the one before, and its review row.
bool ReviewHistory::storeReview(PendingQuestion &question, const QString &answer)
{
    const ReviewGrade grade = GradeOfFirstJudgement(question.right);
    const EntrySchedule after = scheduleAfter(question.before, grade, question.atMs);
    question.after = after;
    QSqlQuery entry = prepared(
        m_db,
        QStringLiteral("UPDATE entries SET stability = ?, difficulty = ?, last_review = ?, "
                       "due = ?, reviews = ?, lapses = ? WHERE id = ?"),
        {after.memory.stability, after.memory.difficulty, after.lastReviewMs, after.dueMs,
         after.reviews, after.lapses, question.entryId});
    if (!exec(entry))
        return false;
    QSqlQuery review = prepared(
        m_db,
        QStringLiteral("INSERT INTO reviews (entry_id, book_file, reviewed_at, right_first, "
                       "tries, answer, grade, stability, difficulty, due) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {question.entryId, question.bookFile, question.atMs, question.right ? 1 : 0, question.tries,
         answer, int(grade), after.memory.stability, after.memory.difficulty, after.dueMs});
    if (!exec(review))
        return false;
    question.reviewId = review.lastInsertId().toLongLong();
    return true;
}

// A later try of the question: counted with its answer; the review stays as graded.
bool ReviewHistory::storeTry(const PendingQuestion &question, const QString &answer)
{
    QSqlQuery review =
        prepared(m_db, QStringLiteral("UPDATE reviews SET tries = ?, answer = ? WHERE id = ?"),
                 {question.tries, answer, question.reviewId});
    return exec(review);
}

// A folder read once is kept, and every judgement updates it.
void ReviewHistory::remember(const PendingQuestion &question)
{
    const auto folder = m_schedules.find(question.folder);
    if (folder != m_schedules.end())
        folder->insert(question.keyHash, question.after);
}

QHash<qint64, EntrySchedule> ReviewHistory::folderSchedules(const QString &folder)
{
    if (!m_open)
        return {};
    const auto cached = m_schedules.constFind(folder);
    if (cached != m_schedules.cend())
        return *cached;
    const std::optional<QHash<qint64, EntrySchedule>> read = readSchedules(folder);
    if (!read) {
        fail(reasonOf(m_lastError));
        return {};
    }
    m_schedules.insert(folder, *read);
    return *read;
}

std::optional<QHash<qint64, EntrySchedule>>
ReviewHistory::readSchedules(const QString &folder) const
{
    QHash<qint64, EntrySchedule> schedules;
    QSqlQuery query = prepared(m_db,
                               QStringLiteral("SELECT key_hash, stability, difficulty, "
                                              "last_review, due, reviews, lapses FROM entries "
                                              "WHERE folder = ? AND reviews > 0"),
                               {folder});
    if (!exec(query))
        return std::nullopt;
    while (query.next()) {
        EntrySchedule schedule;
        schedule.memory = {query.value(1).toDouble(), query.value(2).toDouble()};
        schedule.lastReviewMs = query.value(3).toLongLong();
        schedule.dueMs = query.value(4).toLongLong();
        schedule.reviews = query.value(5).toInt();
        schedule.lapses = query.value(6).toInt();
        schedules.insert(query.value(0).toLongLong(), schedule);
    }
    if (query.lastError().isValid()) {
        m_lastError = query.lastError();
        return std::nullopt;
    }
    return schedules;
}

QList<DayReviews> ReviewHistory::reviewsByDay(const QString &folder, QDate first, QDate last) const
{
    QList<DayReviews> days;
    for (QDate day = first; day <= last; day = day.addDays(1))
        days.append({day, 0, 0});
    if (!m_open || days.isEmpty())
        return days;
    QSqlQuery query =
        prepared(m_db,
                 QStringLiteral("SELECT reviews.reviewed_at, reviews.right_first FROM reviews "
                                "JOIN entries ON entries.id = reviews.entry_id "
                                "WHERE entries.folder = ? AND reviews.reviewed_at >= ? "
                                "AND reviews.reviewed_at < ?"),
                 {folder, first.startOfDay().toMSecsSinceEpoch(),
                  last.addDays(1).startOfDay().toMSecsSinceEpoch()});
    if (!exec(query))
        return days;
    while (query.next()) {
        const QDate day = QDateTime::fromMSecsSinceEpoch(query.value(0).toLongLong()).date();
        const qint64 index = first.daysTo(day);
        if (index < 0 || index >= days.size())
            continue;
        ++days[index].reviews;
        days[index].remembered += query.value(1).toInt() != 0 ? 1 : 0;
    }
    return days;
}

QString ReviewHistory::exportCsv(const QString &path) const
{
    if (!m_open)
        return QStringLiteral("学習の記録がありません。");
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral(
            "SELECT reviews.reviewed_at, entries.folder, entries.title, reviews.book_file, "
            "entries.russian, entries.japanese, reviews.right_first, reviews.tries, "
            "reviews.answer, reviews.grade, reviews.stability, reviews.difficulty, reviews.due "
            "FROM reviews JOIN entries ON entries.id = reviews.entry_id "
            "ORDER BY reviews.reviewed_at, reviews.id")))
        return reasonOf(query.lastError());
    // The rows are gathered first, so a read that fails half-way writes nothing.
    QByteArray bytes = "\xEF\xBB\xBF" + csvLine(kCsvHeader);
    while (query.next()) {
        const int grade = qBound(1, query.value(9).toInt(), 4);
        bytes += csvLine(
            {localTime(query.value(0).toLongLong()), query.value(1).toString(),
             query.value(2).toString(), query.value(3).toString(), query.value(4).toString(),
             query.value(5).toString(),
             query.value(6).toInt() != 0 ? QStringLiteral("正解") : QStringLiteral("不正解"),
             query.value(7).toString(), query.value(8).toString(), kGradeNames[grade - 1],
             QString::number(query.value(10).toDouble(), 'f', 2),
             QString::number(query.value(11).toDouble(), 'f', 2),
             localTime(query.value(12).toLongLong())});
    }
    if (query.lastError().isValid())
        return reasonOf(query.lastError());
    return WriteFileSafely(path, bytes);
}
