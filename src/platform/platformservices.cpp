#include "platformservices.h"

#include "null/nullkeylockstate.h"
#include "x11/x11keylockstate.h"

#include <QGuiApplication>
#include <qguiapplication_platform.h>
#include <memory>

namespace {

xcb_connection_t *x11Connection()
{
    if (QGuiApplication::platformName() != QLatin1StringView("xcb"))
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

std::unique_ptr<KeyLockState> makeKeyLocks()
{
    if (xcb_connection_t *connection = x11Connection())
        return std::make_unique<X11KeyLockState>(connection);
    return std::make_unique<NullKeyLockState>();
}

KeyLockState *g_keyLocksOverride = nullptr;

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

} // namespace PlatformServices

bool GetKeyLock(int virtualKey, const QKeyEvent *current)
{
    constexpr int capsLockKey = 20;
    return virtualKey == capsLockKey && PlatformServices::keyLocks().capsLock(current);
}
