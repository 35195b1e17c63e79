// The call of a second start to the running instance, both ends in one test process.
#include "core/instancecall.h"
#include "testenv.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QtTest>
#include <atomic>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// The running instance's listener on a thread of its own, as it runs in a process of its own:
// the caller's blocking wait leaves it free to answer.
class Listener {
public:
    explicit Listener(const QString &folder)
        : m_call(new InstanceCall(folder))
    {
        QObject::connect(
            m_call, &InstanceCall::showRequested, m_call, [this] { ++shown; },
            Qt::DirectConnection);
        m_call->moveToThread(&m_thread);
        m_thread.start();
    }

    ~Listener()
    {
        QMetaObject::invokeMethod(
            m_call, [this] { delete m_call; }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }

    bool listen()
    {
        bool listening = false;
        QMetaObject::invokeMethod(
            m_call, [&] { listening = m_call->listen(); }, Qt::BlockingQueuedConnection);
        return listening;
    }

    std::atomic<int> shown{0};

private:
    QThread m_thread;
    InstanceCall *m_call;
};

// What a crash leaves: a socket file that nothing listens on.
void leaveStaleSocket(const QString &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    QVERIFY(name.size() < qsizetype(sizeof address.sun_path));
    memcpy(address.sun_path, name.constData(), name.size());
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(fd >= 0);
    QCOMPARE(bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    close(fd);
    QVERIFY(QFileInfo::exists(path));
}

} // namespace

class TestInstanceCall : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { m_home = std::make_unique<TempHome>(); }
    void cleanup() { m_home.reset(); }
    void secondStartReachesTheRunningInstance_data();
    void secondStartReachesTheRunningInstance();
    void badClientsAreDropped_data();
    void badClientsAreDropped();

private:
    std::unique_ptr<TempHome> m_home;
};

enum class First { Listening, ListeningOverStaleSocket, Missing, Stuck };

void TestInstanceCall::secondStartReachesTheRunningInstance_data()
{
    QTest::addColumn<First>("first");
    QTest::addColumn<int>("folderDepth");
    QTest::addColumn<InstanceCall::Answer>("answer");
    QTest::newRow("running instance") << First::Listening << 1 << InstanceCall::Answer::Shown;
    QTest::newRow("stale socket of a crashed run")
        << First::ListeningOverStaleSocket << 1 << InstanceCall::Answer::Shown;
    // Too deep for a socket address beside the lock.
    QTest::newRow("deep folder") << First::Listening << 12 << InstanceCall::Answer::Shown;
    QTest::newRow("no instance") << First::Missing << 1 << InstanceCall::Answer::NoInstance;
    QTest::newRow("stale socket, no instance")
        << First::ListeningOverStaleSocket << 1 << InstanceCall::Answer::NoInstance;
    QTest::newRow("stuck instance") << First::Stuck << 1 << InstanceCall::Answer::NoAnswer;
}

void TestInstanceCall::secondStartReachesTheRunningInstance()
{
    QFETCH(First, first);
    QFETCH(int, folderDepth);
    QFETCH(InstanceCall::Answer, answer);
    QString folder = m_home->configDir();
    for (int i = 0; i < folderDepth; ++i)
        folder += QStringLiteral("/folder-of-a-deep-home");
    QDir().mkpath(folder);
    const InstanceCall second(folder);
    QVERIFY(QFile::encodeName(second.socketPath()).size() < 104);

    Listener listener(folder);
    QLocalServer stuck;
    if (first == First::ListeningOverStaleSocket)
        leaveStaleSocket(second.socketPath());
    if (first == First::Stuck)
        QVERIFY(stuck.listen(second.socketPath()));
    else if (answer != InstanceCall::Answer::NoInstance)
        QVERIFY(listener.listen());

    QElapsedTimer timer;
    timer.start();
    QCOMPARE(second.askToShow(300), answer);
    QVERIFY2(timer.elapsed() < 1000, "the second start waited too long");
    QTRY_COMPARE(listener.shown.load(), answer == InstanceCall::Answer::Shown ? 1 : 0);
}

void TestInstanceCall::badClientsAreDropped_data()
{
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<int>("droppedWithinMs");
    QTest::newRow("unknown request") << QByteArray("raise everything\n") << 500;
    QTest::newRow("endless line") << QByteArray(4096, 'x') << 500;
    QTest::newRow("silence") << QByteArray() << 3000;
}

// A client that sends anything but the request is dropped within a bound, and the caller after
// it is answered meanwhile.
void TestInstanceCall::badClientsAreDropped()
{
    QFETCH(QByteArray, sent);
    QFETCH(int, droppedWithinMs);
    const QString folder = m_home->configDir();
    QDir().mkpath(folder);
    Listener listener(folder);
    QVERIFY(listener.listen());
    const InstanceCall second(folder);

    QLocalSocket bad;
    bad.connectToServer(second.socketPath());
    QVERIFY(bad.waitForConnected(1000));
    bad.write(sent);
    bad.flush();
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(second.askToShow(1000), InstanceCall::Answer::Shown);
    QVERIFY(bad.state() == QLocalSocket::UnconnectedState || bad.waitForDisconnected(3000));
    QVERIFY2(timer.elapsed() < droppedWithinMs, "the bad client was kept too long");
    QTRY_COMPARE(listener.shown.load(), 1);
}

QTEST_GUILESS_MAIN(TestInstanceCall)
#include "tst_instancecall.moc"
