#include "platformservices.h"

#include "foreignwindows.h"
#include "null/nullforeignwindows.h"
#include "null/nullkeylockstate.h"
#include "null/nullwindowframes.h"
#include "x11/x11foreignwindows.h"
#include "x11/x11keylockstate.h"
#include "x11/x11windowframes.h"

#include <QGuiApplication>
#include <memory>
#include <qguiapplication_platform.h>

namespace {

xcb_connection_t *x11Connection()
{
    if (QGuiApplication::platformName() != QLatin1StringView("xcb"))
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// A Wayland desktop, where Qt on xcb talks to XWayland and sees only the X programs.
bool isWaylandSession()
{
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1StringView("wayland");
}

std::unique_ptr<KeyLockState> makeKeyLocks()
{
    if (xcb_connection_t *connection = x11Connection())
        return std::make_unique<X11KeyLockState>(connection);
    return std::make_unique<NullKeyLockState>();
}

// A connection of its own (same display as Qt's): waiting for the server's events there does
// not compete with Qt's event reader.
std::unique_ptr<ForeignWindows> makeForeignWindows()
{
    if (x11Connection()) {
        if (std::unique_ptr<X11ForeignWindows> windows =
                X11ForeignWindows::open(nullptr, isWaylandSession()))
            return windows;
    }
    return std::make_unique<NullForeignWindows>();
}

std::unique_ptr<WindowFrames> makeWindowFrames()
{
    if (xcb_connection_t *connection = x11Connection())
        return std::make_unique<X11WindowFrames>(connection);
    return std::make_unique<NullWindowFrames>();
}

KeyLockState *g_keyLocksOverride = nullptr;
ForeignWindows *g_foreignWindowsOverride = nullptr;

} // namespace

namespace PlatformServices {

KeyLockState &keyLocks()
{
    static const std::unique_ptr<KeyLockState> platform = makeKeyLocks();
    return g_keyLocksOverride ? *g_keyLocksOverride : *platform;
}

void setKeyLocks(KeyLockState *state)
{
    g_keyLocksOverride = state;
}

ForeignWindows &foreignWindows()
{
    static const std::unique_ptr<ForeignWindows> platform = makeForeignWindows();
    return g_foreignWindowsOverride ? *g_foreignWindowsOverride : *platform;
}

void setForeignWindows(ForeignWindows *windows)
{
    g_foreignWindowsOverride = windows;
}

WindowFrames &windowFrames()
{
    static const std::unique_ptr<WindowFrames> platform = makeWindowFrames();
    return *platform;
}

} // namespace PlatformServices

bool GetKeyLock(int virtualKey, const QKeyEvent *current)
{
    constexpr int capsLockKey = 20;
    return virtualKey == capsLockKey && PlatformServices::keyLocks().capsLock(current);
}
