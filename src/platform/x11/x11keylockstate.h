#pragma once

#include "platform/keylockstate.h"

struct xcb_connection_t;

// Caps Lock from the current key event's X state; without an event, from the X server: the
// XKB locked modifiers, else the core pointer query's mask.
class X11KeyLockState final : public KeyLockState {
public:
    explicit X11KeyLockState(xcb_connection_t *connection);
    bool capsLock(const QKeyEvent *current) const override;

private:
    xcb_connection_t *m_connection;
    bool m_hasXkb = false;
};
