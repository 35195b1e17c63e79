// Prints the time from process start to the first painted main window, as a ratio to a bare
// QMainWindow of the same size, both started as fresh processes. The folder tree is warm: a
// first start has created the data folders and the settings file, as after an earlier run.
//
// The bench starts itself as a child: "--kalvo" starts the way src/app/main.cpp does,
// "--bare W H" shows only an empty QMainWindow. A child prints its window's size once the
// window has been painted, then closes it (the main window writes its settings, as at every
// end). Run it on a platform that paints: offscreen or an X server.

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
#include <QTimer>
#include <QTranslator>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 21;

// Reports the window's size after its first paint has reached the screen, then closes it.
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
            static_cast<QWidget *>(watched)->window() != m_window)
            return false;
        m_seen = true;
        // The whole window is painted and flushed in the pass this paint belongs to.
        QTimer::singleShot(0, this, [this] {
            std::printf("%d %d\n", m_window->width(), m_window->height());
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
    window.resize(size);
    FirstPaint paint(&window);
    window.show();
    return QApplication::exec();
}

struct Start {
    qint64 ns = 0;
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
    Start start{timer.nsecsElapsed(), {}};
    const QList<QByteArray> size = child.readLine().trimmed().split(' ');
    child.waitForFinished(30000);
    if (size.size() == 2)
        start.size = QSize(size[0].toInt(), size[1].toInt());
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
    std::vector<double> ratios;
    for (int run = 0; run < kRuns; ++run) {
        const qint64 plain = timeChild(bare, environment).ns;
        ratios.push_back(double(timeChild(kalvo, environment).ns) / plain);
    }
    std::printf("%d starts each, %dx%d, process start to first painted window, median of the "
                "start ratios\n",
                kRuns, size.width(), size.height());
    std::printf("bare QMainWindow: 1.00x (baseline)\n");
    std::printf("warm start of the main window / bare QMainWindow: %.2fx\n", median(ratios));
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
