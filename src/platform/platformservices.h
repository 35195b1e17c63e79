#pragma once

class ForeignWindows;
class KeyLockState;
class WindowFrames;

// The desktop services of the platform Qt runs on: the X11 backends on xcb, the null backends
// everywhere else (Wayland, offscreen tests). Chosen once, at first use.
namespace PlatformServices {

KeyLockState &keyLocks();

// Replaces the key lock backend (tests); nullptr restores the platform's own.
void setKeyLocks(KeyLockState *state);

ForeignWindows &foreignWindows();

// Replaces the foreign window backend (tests); nullptr restores the platform's own.
void setForeignWindows(ForeignWindows *windows);

WindowFrames &windowFrames();

} // namespace PlatformServices

class QKeyEvent;

// True when the lock key's toggle is on; only Caps Lock (virtual key 20) is known. `current`
// is the key event being handled, if any.
bool GetKeyLock(int virtualKey, const QKeyEvent *current = nullptr);
