#pragma once

#include "platform/keylockstate.h"

// Caps Lock from the Lock bit (0x2, the same in X11 and XKB masks) of the current key event's
// native modifiers; without an event it is taken as off.
class NullKeyLockState final : public KeyLockState {
public:
    bool capsLock(const QKeyEvent *current) const override;
};
