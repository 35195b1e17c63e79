// Starts the real program the way a user does, in a temporary home, and checks what it
// leaves on disk and how a second start behaves.
#include "core/singleinstance.h"
#include "testenv.h"

#include <QProcess>
#include <QtTest>
#include <csignal>
#include <functional>
#include <sys/resource.h>

class TestStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void firstStartInstallsAndShutdownWritesSettings();
    void secondInstanceExitsAtOnce_data();
    void secondInstanceExitsAtOnce();
    void staleLockOfCrashedRunIsTakenOver();
    void lockThatCannotBeMadeLetsTheProgramStart();
    void savedSettingsSurviveARestart();

private:
    std::unique_ptr<QProcess> start(const std::function<void()> &childSetup = {},
                                    bool withRuntimeFolder = true);
    void stop(QProcess &process);
    bool waitForFile(const QString &path, int ms = 10000);

    std::unique_ptr<TempHome> m_home;
};

void TestStartup::init()
{
    m_home = std::make_unique<TempHome>();
}

void TestStartup::cleanup()
{
    m_home.reset();
}

std::unique_ptr<QProcess> TestStartup::start(const std::function<void()> &childSetup,
                                             bool withRuntimeFolder)
{
    auto process = std::make_unique<QProcess>();
    if (childSetup)
        process->setChildProcessModifier(childSetup);
    process->setProgram(QStringLiteral(KALVO_BINARY));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
    if (!withRuntimeFolder)
        env.remove(u"XDG_RUNTIME_DIR"_qs);
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start();
    [&] { QVERIFY(process->waitForStarted()); }();
    return process;
}

void TestStartup::stop(QProcess &process)
{
    ::kill(pid_t(process.processId()), SIGTERM);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

bool TestStartup::waitForFile(const QString &path, int ms)
{
    QDeadlineTimer deadline(ms);
    while (!QFileInfo::exists(path) && !deadline.hasExpired())
        QTest::qWait(20);
    return QFileInfo::exists(path);
}

void TestStartup::firstStartInstallsAndShutdownWritesSettings()
{
    auto kalvo = start();
    const QString sys = m_home->configDir() + u"/Sys"_qs;
    QVERIFY(waitForFile(sys + u"/Leaf101.txt"_qs));
    const QString docs = m_home->docsDir();
    for (const auto *book : {u"bookA", u"bookG", u"bookS"}) {
        const QDir folder(docs + u"/Class0/"_qs + QString::fromUtf16(book));
        const QStringList books = folder.entryList({u"*.utx"_qs}, QDir::Files);
        QVERIFY2(!books.isEmpty(), qPrintable(folder.path()));
        // Stored as UTF-16 little-endian with a byte-order mark and CR LF.
        const QByteArray bytes = readFile(folder.filePath(books.first()));
        QVERIFY(bytes.startsWith("\xFF\xFE"));
        QVERIFY(bytes.contains(QByteArray("\r\0\n\0", 4)));
    }
    QVERIFY(QFileInfo(docs + u"/Class5/bookS"_qs).isDir());
    QVERIFY(readFile(m_home->configDir() + u"/Tbl/RussianLayouts.txt"_qs).startsWith("\xFF\xFE"));
    QVERIFY(!QFileInfo::exists(sys + u"/Kalvo.rng"_qs));

    stop(*kalvo);
    const QByteArray settings = readFile(sys + u"/Kalvo.rng"_qs);
    QCOMPARE(settings.count("\r\n"), 48);
    QVERIFY(settings.startsWith("MainLeft,"));
}

// The runtime folder is set in a desktop session and missing in others (su, cron); the lock
// is one whichever start has it.
void TestStartup::secondInstanceExitsAtOnce_data()
{
    QTest::addColumn<bool>("firstHasRuntime");
    QTest::addColumn<bool>("secondHasRuntime");
    QTest::newRow("both with a runtime folder") << true << true;
    QTest::newRow("the first without") << false << true;
    QTest::newRow("the second without") << true << false;
}

void TestStartup::secondInstanceExitsAtOnce()
{
    QFETCH(bool, firstHasRuntime);
    QFETCH(bool, secondHasRuntime);
    auto first = start({}, firstHasRuntime);
    QVERIFY(waitForFile(m_home->configDir() + u"/Sys/Leaf101.txt"_qs));
    QElapsedTimer timer;
    timer.start();
    auto second = start({}, secondHasRuntime);
    QVERIFY(second->waitForFinished(5000));
    QVERIFY2(timer.elapsed() < 3000, "the second instance took too long to give up");
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);
    stop(*first);
}

void TestStartup::staleLockOfCrashedRunIsTakenOver()
{
    auto crashed = start();
    QVERIFY(waitForFile(m_home->configDir() + u"/Sys/Leaf101.txt"_qs));
    crashed->kill();
    QVERIFY(crashed->waitForFinished());
    QVERIFY(QFileInfo::exists(m_home->configDir() + u'/' + SingleInstance::TokenName));

    auto next = start();
    QVERIFY2(!next->waitForFinished(1500), "a stale lock kept the program from starting");
    stop(*next);
}

// A full disk: the lock file cannot be written. Only a live instance ends a start silently.
void TestStartup::lockThatCannotBeMadeLetsTheProgramStart()
{
    auto kalvo = start([] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit nothing{0, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &nothing);
    });
    QVERIFY2(!kalvo->waitForFinished(1500), "a lock that could not be made ended the start");
    QVERIFY(!QFileInfo::exists(m_home->configDir() + u'/' + SingleInstance::TokenName));
    kalvo->kill();
    QVERIFY(kalvo->waitForFinished());
}

void TestStartup::savedSettingsSurviveARestart()
{
    const QString rng = m_home->configDir() + u"/Sys/Kalvo.rng"_qs;
    // The offscreen screen is 800 x 600: this place fits on it.
    writeFile(rng, "MainLeft,10\r\nMainTop,10\r\nMainWidth,780\r\nMainHeight,580\r\n"
                   "RusImeIndex,1\r\nUsrMainFont,\"DejaVu Serif\"\r\n");
    auto kalvo = start();
    QVERIFY(waitForFile(m_home->configDir() + u"/Sys/Leaf101.txt"_qs));
    QTest::qWait(300);
    stop(*kalvo);
    const QByteArray settings = readFile(rng);
    QVERIFY(settings.contains("\r\nRusImeIndex,1\r\n"));
    QVERIFY(settings.contains("\r\nUsrMainFont,\"DejaVu Serif\"\r\n"));
    QVERIFY(
        settings.startsWith("MainLeft,10\r\nMainTop,10\r\nMainWidth,780\r\nMainHeight,580\r\n"));
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
