#include "practice/fsrs.h"
#include "practice/practicebooks.h"
#include "practice/reviewhistory.h"
#include "practice/reviewplan.h"
#include "testenv.h"
#include "wordbook/wordbookfile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <csignal>
#include <unistd.h>

namespace {

constexpr qint64 kDayMs = 24 * 3600 * 1000;
// Noon of a fixed day, so that whole days after it stay clear of midnight.
const qint64 kNoon = QDateTime(QDate(2026, 12, 1), QTime(12, 0)).toMSecsSinceEpoch();

struct Step {
    ReviewGrade grade;
    double elapsedDays;
};

WordEntry entry(const QString &russian, const QString &japanese)
{
    return WordEntry{{russian, u"ヒント"_qs, {}, japanese, {}}};
}

WordBook animals()
{
    return {
        u"動物"_qs,
        u"初級"_qs,
        QuestionType::Vocabulary,
        {entry(u"кот"_qs, u"猫"_qs), entry(u"собака"_qs, u"犬"_qs), entry(u"птица"_qs, u"鳥"_qs)}};
}

ReviewKey keyOf(const WordBook &book, int index)
{
    return {u"Class0/bookA"_qs, book.title, book.entries[index][EntryField::Russian],
            book.entries[index][EntryField::Japanese]};
}

// Records judgements of one question; `right` holds each judgement's result in order.
void judge(ReviewHistory &history, const ReviewKey &key, const QList<bool> &right, qint64 at)
{
    for (int i = 0; i < right.size(); ++i)
        QCOMPARE(history.recordJudgement(key, u"animals.utx"_qs, i == 0, right[i], u"ответ"_qs, at),
                 QString());
}

// A recorder for the kill test: judges questions in a loop until it is killed.
int recordForever(const QString &path)
{
    ReviewHistory history;
    if (!history.open(path).isEmpty())
        return 1;
    const WordBook book = animals();
    QTextStream(stdout) << "open" << Qt::endl;
    for (qint64 i = 0;; ++i) {
        const ReviewKey key{u"Class0/bookA"_qs, book.title, u"слово%1"_qs.arg(i % 40),
                            u"語%1"_qs.arg(i % 40)};
        const bool right = i % 3 != 0;
        if (!history.recordJudgement(key, u"a.utx"_qs, true, right, u"x"_qs, kNoon + i * kDayMs)
                 .isEmpty() ||
            (!right &&
             !history.recordJudgement(key, u"a.utx"_qs, false, true, u"y"_qs, 0).isEmpty()))
            return 2;
    }
}

} // namespace

class TestReviewHistory : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void fsrsWorkedValues_data();
    void fsrsWorkedValues();
    void gradeOfAQuestion_data();
    void gradeOfAQuestion();
    void identityThroughBookChanges_data();
    void identityThroughBookChanges();
    void dueAndWeakLists();
    void unusableDatabase_data();
    void unusableDatabase();
    void csvExport();
    void survivesKills();

private:
    std::unique_ptr<TempHome> m_home;
};

void TestReviewHistory::init()
{
    m_home = std::make_unique<TempHome>();
}

// Values computed by hand from FSRS-5's formulas and default weights.
void TestReviewHistory::fsrsWorkedValues_data()
{
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<double>("stability");
    QTest::addColumn<double>("difficulty");
    using G = ReviewGrade;
    QTest::newRow("good") << QList<Step>{{G::Good, 0}} << 3.173 << 5.282434422319005;
    QTest::newRow("hard") << QList<Step>{{G::Hard, 0}} << 1.18385 << 6.488305268471453;
    QTest::newRow("again") << QList<Step>{{G::Again, 0}} << 0.40255 << 7.1949;
    QTest::newRow("good, good 3 days later")
        << QList<Step>{{G::Good, 0}, {G::Good, 3}} << 10.73892584613159 << 5.272967931287446;
    QTest::newRow("good, again 10 days later")
        << QList<Step>{{G::Good, 0}, {G::Again, 10}} << 1.4717624124106872 << 6.796932579932991;
    QTest::newRow("good, hard 5 days later")
        << QList<Step>{{G::Good, 0}, {G::Hard, 5}} << 5.918364950238929 << 6.0349502556102195;
    QTest::newRow("again, good the same day")
        << QList<Step>{{G::Again, 0}, {G::Good, 0.2}} << 0.5666983024925972 << 7.176636167311107;
    QTest::newRow("good three times") << QList<Step>{{G::Good, 0}, {G::Good, 3}, {G::Good, 10}}
                                      << 32.6152222948248 << 5.263544986114632;
}

void TestReviewHistory::fsrsWorkedValues()
{
    QFETCH(QList<Step>, steps);
    QFETCH(double, stability);
    QFETCH(double, difficulty);
    MemoryState state = FsrsScheduler::firstReview(steps[0].grade);
    for (int i = 1; i < steps.size(); ++i)
        state = FsrsScheduler::nextReview(state, steps[i].elapsedDays, steps[i].grade);
    QVERIFY2(qAbs(state.stability - stability) < 1e-9,
             qPrintable(QString::number(state.stability)));
    QVERIFY2(qAbs(state.difficulty - difficulty) < 1e-9,
             qPrintable(QString::number(state.difficulty)));
    QVERIFY(qAbs(FsrsScheduler::retrievability(stability, stability) - 0.9) < 1e-12);
}

// The first judgement grades the question: the right answer is on display after a wrong
// one, so retyping it stays Again.
void TestReviewHistory::gradeOfAQuestion_data()
{
    QTest::addColumn<QList<bool>>("judgements");
    QTest::addColumn<ReviewGrade>("grade");
    QTest::newRow("right") << QList<bool>{true} << ReviewGrade::Good;
    QTest::newRow("right, then wrong") << QList<bool>{true, false} << ReviewGrade::Good;
    QTest::newRow("wrong, then retyped") << QList<bool>{false, true} << ReviewGrade::Again;
    QTest::newRow("wrong twice, right, wrong")
        << QList<bool>{false, false, true, false} << ReviewGrade::Again;
    QTest::newRow("wrong") << QList<bool>{false} << ReviewGrade::Again;
    QTest::newRow("wrong twice") << QList<bool>{false, false} << ReviewGrade::Again;
}

void TestReviewHistory::gradeOfAQuestion()
{
    QFETCH(QList<bool>, judgements);
    QFETCH(ReviewGrade, grade);
    ReviewHistory history;
    QCOMPARE(history.open(ReviewHistory::defaultPath()), QString());
    QVERIFY(ReviewHistory::defaultPath().startsWith(m_home->path()));
    const ReviewKey key = keyOf(animals(), 0);
    judge(history, key, judgements, kNoon);
    const auto schedules = history.folderSchedules(key.folder);
    QCOMPARE(schedules.size(), 1);
    const EntrySchedule schedule = schedules.value(ReviewKeyHash(key));
    const MemoryState expected = FsrsScheduler::firstReview(grade);
    QCOMPARE(schedule.memory.stability, expected.stability);
    QCOMPARE(schedule.memory.difficulty, expected.difficulty);
    QCOMPARE(schedule.reviews, 1);
    QCOMPARE(schedule.dueMs, ReviewHistory::startOfDayAfter(
                                 kNoon, FsrsScheduler::intervalDays(expected.stability)));
    const QList<DayReviews> days =
        history.reviewsByDay(key.folder, QDate(2026, 12, 1), QDate(2026, 12, 2));
    QCOMPARE(days.size(), 2);
    QCOMPARE(days[0].reviews, 1);
    QCOMPARE(days[0].remembered, judgements[0] ? 1 : 0);
    QCOMPARE(days[1].reviews, 0);
}

// The history follows an entry by its texts in its book's title and folder; the book itself
// is never written.
void TestReviewHistory::identityThroughBookChanges_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("kept");
    QTest::newRow("moved to the end") << u"move"_qs << true;
    QTest::newRow("book sorted") << u"sort"_qs << true;
    QTest::newRow("file renamed") << u"rename"_qs << true;
    QTest::newRow("cue edited") << u"cue"_qs << true;
    QTest::newRow("Russian edited") << u"russian"_qs << false;
    QTest::newRow("Japanese edited") << u"japanese"_qs << false;
    QTest::newRow("book retitled") << u"title"_qs << false;
}

void TestReviewHistory::identityThroughBookChanges()
{
    QFETCH(QString, change);
    QFETCH(bool, kept);
    const QString folder = m_home->path() + u"/books"_qs;
    QDir().mkpath(folder);
    WordBook book = animals();
    QCOMPARE(WriteWordBook(folder + u"/animals.utx"_qs, book), QString());
    ReviewHistory history;
    QCOMPARE(history.open(ReviewHistory::defaultPath()), QString());
    judge(history, keyOf(book, 1), {true}, kNoon);

    QString fileName = u"animals.utx"_qs;
    WordEntry &dog = book.entries[1];
    if (change == u"move")
        book.entries.move(1, 2);
    else if (change == u"sort")
        std::sort(book.entries.begin(), book.entries.end(), [](const auto &a, const auto &b) {
            return a[EntryField::Russian] > b[EntryField::Russian];
        });
    else if (change == u"rename")
        fileName = u"zoo.utx"_qs;
    else if (change == u"cue")
        dog[EntryField::Cue] = u"別のヒント"_qs;
    else if (change == u"russian")
        dog[EntryField::Russian] = u"пёс"_qs;
    else if (change == u"japanese")
        dog[EntryField::Japanese] = u"いぬ"_qs;
    else if (change == u"title")
        book.title = u"動物たち"_qs;
    QVERIFY(QFile::remove(folder + u"/animals.utx"_qs));
    QCOMPARE(WriteWordBook(folder + u'/' + fileName, book), QString());

    const QList<ChooserBook> books = ListPracticeBooks(folder);
    const ReviewPlan plan(books, history.folderSchedules(u"Class0/bookA"_qs), kNoon + 30 * kDayMs);
    QCOMPARE(plan.due().size(), kept ? 1 : 0);
    QCOMPARE(plan.progress().value(0).seen, kept ? 1 : 0);
    if (!kept)
        return;
    QString error;
    const auto asked = ReadReviewBook(folder, books, plan.due(), error);
    QVERIFY2(asked, qPrintable(error));
    QCOMPARE(asked->StudySL.size(), 1);
    QCOMPARE(asked->StudySL[0][EntryField::Russian], u"собака"_qs);
    QCOMPARE(asked->origins[0].fileName, fileName);
    const auto isDog = [](const WordEntry &e) { return e[EntryField::Russian] == u"собака"; };
    QCOMPARE(asked->origins[0].number,
             int(std::find_if(book.entries.cbegin(), book.entries.cend(), isDog) -
                 book.entries.cbegin()));
}

// Due entries oldest due first and only once; the weak ones least likely recalled first;
// entries never asked are neither.
void TestReviewHistory::dueAndWeakLists()
{
    const QString folder = m_home->path() + u"/books"_qs;
    QDir().mkpath(folder);
    WordBook book = animals();
    book.entries.append(book.entries[0]); // the same entry twice
    QCOMPARE(WriteWordBook(folder + u"/animals.utx"_qs, book), QString());
    ReviewHistory history;
    QCOMPARE(history.open(ReviewHistory::defaultPath()), QString());
    judge(history, keyOf(book, 0), {true}, kNoon);           // Good: due in 3 days
    judge(history, keyOf(book, 1), {false}, kNoon + kDayMs); // Again: due the next day
    const QList<ChooserBook> books = ListPracticeBooks(folder);

    const ReviewPlan early(books, history.folderSchedules(u"Class0/bookA"_qs), kNoon + kDayMs);
    QCOMPARE(early.due().size(), 0);
    QCOMPARE(early.weak().size(), 2);
    QCOMPARE(early.weak()[0].entry, 0);
    const ReviewPlan later(books, history.folderSchedules(u"Class0/bookA"_qs), kNoon + 5 * kDayMs);
    QCOMPARE(later.due().size(), 2);
    QCOMPARE(later.due()[0].entry, 1);
    QCOMPARE(later.due()[1].entry, 0);
    QCOMPARE(later.weak()[0].entry, 1);
    QCOMPARE(later.progress()[0].due, 2);
    QCOMPARE(later.progress()[0].learned, 0);
    QCOMPARE(early.dueByDay(QDateTime::fromMSecsSinceEpoch(kNoon + kDayMs).date(), 7),
             (QList<int>{0, 1, 1, 0, 0, 0, 0}));
}

// A database that cannot be used is reported once, in Japanese, and left as it was.
void TestReviewHistory::unusableDatabase_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("corrupt") << u"corrupt"_qs << u"壊れています"_qs;
    QTest::newRow("a folder in its place") << u"folder"_qs << u"通常のファイルではない"_qs;
    QTest::newRow("from a newer program") << u"newer"_qs << u"新しいKalvo"_qs;
    QTest::newRow("held by another program") << u"locked"_qs << u"ほかに起動している"_qs;
    QTest::newRow("read-only") << u"readonly"_qs << u"書き込めません"_qs;
}

void TestReviewHistory::unusableDatabase()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    const QString path = ReviewHistory::defaultPath();
    ReviewHistory other;
    QCOMPARE(other.open(path), QString());
    judge(other, keyOf(animals(), 0), {true}, kNoon);
    if (kind != u"locked")
        other.close();
    if (kind == u"corrupt") {
        QByteArray bytes = readFile(path);
        bytes.replace(100, 4000, QByteArray(4000, '\x5a'));
        writeFile(path, bytes);
    } else if (kind == u"folder") {
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkpath(path));
    } else if (kind == u"newer") {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"newer"_qs);
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec(u"PRAGMA user_version = 99"_qs));
        db.close();
        db = {};
        QSqlDatabase::removeDatabase(u"newer"_qs);
    } else if (kind == u"readonly") {
        if (geteuid() == 0)
            QSKIP("root writes a read-only file");
        QFile::setPermissions(path, QFileDevice::ReadOwner);
    }
    const QByteArray before = QFileInfo(path).isFile() ? readFile(path) : QByteArray();
    ReviewHistory history;
    const QString error = history.open(path);
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY(error.contains(QStringLiteral("記録を付けずに")));
    QVERIFY(!history.isOpen());
    QCOMPARE(history.recordJudgement(keyOf(animals(), 1), u"a.utx"_qs, true, true, {}, kNoon),
             QString());
    QVERIFY(history.folderSchedules(u"Class0/bookA"_qs).isEmpty());
    if (kind != u"locked" && kind != u"folder")
        QCOMPARE(readFile(path), before);
}

// The export opens in a spreadsheet as text: UTF-8 with its mark, every cell quoted, a cell
// that looks like a formula kept as text.
void TestReviewHistory::csvExport()
{
    ReviewHistory history;
    QCOMPARE(history.open(ReviewHistory::defaultPath()), QString());
    const ReviewKey key{u"Class0/bookA"_qs, u"a\"b"_qs, u"=1+1"_qs, u"猫"_qs};
    QCOMPARE(history.recordJudgement(key, u"a.utx"_qs, true, false, u"@x"_qs, kNoon), QString());
    QCOMPARE(history.recordJudgement(key, u"a.utx"_qs, false, true, u"-2"_qs, kNoon), QString());
    const QString csv = m_home->path() + u"/history.csv"_qs;
    QCOMPARE(history.exportCsv(csv), QString());
    const QByteArray bytes = readFile(csv);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF\"日時\""));
    const QList<QByteArray> lines = bytes.split('\n');
    QCOMPARE(lines.size(), 3);
    const QString row = QString::fromUtf8(lines[1]);
    QVERIFY2(
        row.contains(u"\"Class0/bookA\",\"a\"\"b\",\"a.utx\",\"'=1+1\",\"猫\",\"不正解\",\"2\","
                     "\"'-2\",\"もう一度\""_qs),
        qPrintable(row));
}

// Killed at any moment while judging, the database holds whole judgements only.
void TestReviewHistory::survivesKills()
{
    const QString path = ReviewHistory::defaultPath();
    QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"check"_qs);
    qint64 lastCount = 0;
    for (int round = 0; round < 300; ++round) {
        QProcess recorder;
        recorder.start(QCoreApplication::applicationFilePath(), {u"--record"_qs, path});
        QVERIFY(recorder.waitForReadyRead(10000));
        QVERIFY(recorder.readAll().startsWith("open"));
        QThread::usleep(QRandomGenerator::global()->bounded(20000));
        ::kill(pid_t(recorder.processId()), SIGKILL);
        QVERIFY(recorder.waitForFinished(10000));

        QSqlDatabase db = QSqlDatabase::database(u"check"_qs, false);
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery check(db);
        QVERIFY(check.exec(u"PRAGMA integrity_check"_qs) && check.next());
        QCOMPARE(check.value(0).toString(), u"ok"_qs);
        QVERIFY(check.exec(u"SELECT (SELECT COUNT(*) FROM reviews),"
                           " (SELECT COALESCE(SUM(reviews), 0) FROM entries)"_qs) &&
                check.next());
        const qint64 count = check.value(0).toLongLong();
        QCOMPARE(check.value(1).toLongLong(), count);
        QVERIFY(count >= lastCount);
        lastCount = count;
        check = QSqlQuery();
        db.close();
    }
    QVERIFY(lastCount > 0);
}

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--record") == 0) {
        QCoreApplication app(argc, argv);
        return recordForever(QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication app(argc, argv);
    TestReviewHistory test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_reviewhistory.moc"
