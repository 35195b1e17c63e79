#pragma once

// Small pieces every benchmark uses.

#include <QApplication>
#include <QElapsedTimer>
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
