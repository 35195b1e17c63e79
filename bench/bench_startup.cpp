// Prints what a start costs up to the main window mapped and painted, as a ratio to a bare
// QMainWindow of the same size holding a QTextEdit, both started as fresh processes. The
// figure is the CPU time the process spent (user and system), which a load on the machine does
// not stretch; the wall time is printed beside it. The folder tree is warm: a first start has
// created the data folders and the settings file, as after an earlier run.
//
// The bench starts itself as a child: "--kalvo" starts the way src/app/main.cpp does,
// "--bare W H" shows only the QMainWindow with its QTextEdit. A child prints its window's size
// and its CPU time once the window is exposed and painted, then closes it (the main window
// writes its settings, as at every end). Run it on a platform that paints: offscreen or an X
// server.

#include "benchtools.h"
#include "core/folders.h"
#include "core/singleinstance.h"
#include "mainwin/tmainfrm.h"
#include "platform/termination.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLibraryInfo>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QTranslator>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 21;
constexpr double kGoal = 1.3;

// Reports the window's size and the CPU time spent so far once the window is exposed (mapped,
// on X11) and its first paint has been flushed, then closes it.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget *window)
        : m_window(window)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_seen || event->type() != QEvent::Paint || !watched->isWidgetType() ||
            static_cast<QWidget *>(watched)->window() != m_window ||
            !m_window->windowHandle()->isExposed())
            return false;
        m_seen = true;
        // The whole window is painted and flushed in the pass this paint belongs to.
        QTimer::singleShot(0, this, [this] {
            std::printf("%d %d %lld\n", m_window->width(), m_window->height(),
                        static_cast<long long>(ProcessCpuNs()));
            std::fflush(stdout);
            m_window->close();
            QApplication::quit();
        });
        return false;
    }

private:
    QWidget *m_window;
    bool m_seen = false;
};

// The start of src/app/main.cpp, up to the window's first paint.
int runKalvo(int argc, char *argv[])
{
    QApplication app(argc, argv);
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    SingleInstance instance;
    if (instance.acquire() == SingleInstance::Result::HeldElsewhere)
        return 1;
    QApplication::setDesktopFileName(QStringLiteral("kalvo"));
    SetFolderVars(PlatformBaseFolders(QApplication::applicationDirPath()));
    TerminationSignals termination;
    TMainFrm mainFrm;
    FirstPaint paint(&mainFrm);
    mainFrm.show();
    return QApplication::exec();
}

int runBare(int argc, char *argv[], QSize size)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QTextEdit);
    window.resize(size);
    FirstPaint paint(&window);
    window.show();
    return QApplication::exec();
}

struct Start {
    qint64 wallNs = 0;
    qint64 cpuNs = 0;
    QSize size;
};

// Starts the bench as a child with `arguments` and times it until it reports its size.
Start timeChild(const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    child.start(QCoreApplication::applicationFilePath(), arguments);
    while (!child.canReadLine() && child.waitForReadyRead(30000)) {
    }
    Start start{timer.nsecsElapsed(), 0, {}};
    const QList<QByteArray> report = child.readLine().trimmed().split(' ');
    child.waitForFinished(30000);
    if (report.size() == 3) {
        start.size = QSize(report[0].toInt(), report[1].toInt());
        start.cpuNs = report[2].toLongLong();
    }
    return start;
}

int runParent(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
    environment.remove(QStringLiteral("XDG_DOCUMENTS_DIR"));

    // The first start installs the data and writes the settings: the tree is warm after it.
    const QStringList kalvo{QStringLiteral("--kalvo")};
    timeChild(kalvo, environment);
    const QSize size = timeChild(kalvo, environment).size;
    if (size.isEmpty()) {
        std::fprintf(stderr, "the main window did not report its first paint\n");
        return 1;
    }
    const QStringList bare{QStringLiteral("--bare"), QString::number(size.width()),
                           QString::number(size.height())};
    timeChild(bare, environment);
    // Each start is compared with the bare start just before it, so a load that comes and goes
    // on the machine weighs on both alike.
    std::vector<double> cpuRatios;
    std::vector<double> wallRatios;
    std::vector<double> cpuMs;
    for (int run = 0; run < kRuns; ++run) {
        const Start plain = timeChild(bare, environment);
        const Start start = timeChild(kalvo, environment);
        if (plain.cpuNs == 0 || start.cpuNs == 0) {
            std::fprintf(stderr, "a start did not report its first paint\n");
            return 1;
        }
        cpuRatios.push_back(double(start.cpuNs) / plain.cpuNs);
        wallRatios.push_back(double(start.wallNs) / plain.wallNs);
        cpuMs.push_back(start.cpuNs / 1e6);
    }
    std::printf("%d starts each, %dx%d, process start to the window mapped and painted, "
                "median of the start ratios\n",
                kRuns, size.width(), size.height());
    std::printf("bare QMainWindow with a QTextEdit: 1.00x (baseline)\n");
    std::printf("warm start of the main window / baseline: %.2fx CPU time, %.1f ms "
                "(goal <= %.1fx); %.2fx wall time\n",
                median(cpuRatios), median(cpuMs), kGoal, median(wallRatios));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (mode == "--kalvo")
        return runKalvo(argc, argv);
    if (mode == "--bare" && argc > 3)
        return runBare(argc, argv, QSize(std::atoi(argv[2]), std::atoi(argv[3])));
    return runParent(argc, argv);
}
