#pragma once

// Small pieces every benchmark uses.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <ctime>
#include <vector>

inline double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// The CPU time the process has spent, user and system, in all its threads: unlike the wall
// time, a load on the machine does not stretch it.
inline qint64 ProcessCpuNs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// Points HOME and the XDG folders the program reads at `home`, before anything reads them, so
// that a bench reads and writes nothing of the user's.
inline void UseHome(const QString &home)
{
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/.config")).toUtf8());
    const QString runtime = home + QStringLiteral("/run");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    qunsetenv("XDG_DOCUMENTS_DIR");
    qunsetenv("XDG_CACHE_HOME");
}

// The process's resident memory in MiB, as /proc/self/status gives it; 0 where it cannot.
inline double ResidentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}

// Shows the window and waits until it is exposed, at most 5 s.
inline void showAndWait(QWidget *window)
{
    window->show();
    QElapsedTimer timer;
    timer.start();
    while (!window->windowHandle()->isExposed() && timer.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    QApplication::processEvents();
}
