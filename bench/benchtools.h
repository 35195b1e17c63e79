#pragma once

// Small pieces every benchmark uses.

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <vector>

inline double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
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
