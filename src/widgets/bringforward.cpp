#include "bringforward.h"

#include "platform/foreignwindows.h"
#include "platform/platformservices.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace {

// How long a window manager may take to hand over the input where the platform cannot say.
constexpr int kActivationWaitMs = 500;

void alertUnlessActive(QWidget *window)
{
    if (!window->isActiveWindow())
        QApplication::alert(window);
}

} // namespace

void BringForward(QWidget *window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    // On X11 the window manager is asked as for the transfer's target: as the user's own
    // request, with a fresh server time. Qt's request carries the time of the last event the
    // program saw, which managers refuse as focus stealing.
    ForeignWindows &windows = PlatformServices::foreignWindows();
    if (windows.available()) {
        if (!windows.activate(window->winId()))
            QApplication::alert(window);
        return;
    }
    window->activateWindow();
    QTimer::singleShot(kActivationWaitMs, window, [window] { alertUnlessActive(window); });
}
