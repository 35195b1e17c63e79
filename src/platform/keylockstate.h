#pragma once

class QKeyEvent;

// The toggle state of the lock keys.
class KeyLockState {
public:
    virtual ~KeyLockState() = default;
    // True while Caps Lock is on. `current` is the key event being handled, if any; a backend
    // without a keyboard state of its own reads the event's native modifiers.
    virtual bool capsLock(const QKeyEvent *current) const = 0;
};
