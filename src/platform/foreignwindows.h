#pragma once

#include <QString>
#include <QtGlobal>

// The keystroke a window pastes with by default.
enum class PasteKey {
    // Most programs: the clipboard.
    CtrlV,
    // Terminal emulators of the newer kind: the clipboard (Ctrl+V is "literal next" there).
    CtrlShiftV,
    // The xterm family: the primary selection.
    ShiftInsert,
};

// How a paste keystroke ended.
enum class PasteResult {
    Sent,
    // The target lost the input before the keystroke was complete: nothing more was sent.
    Interrupted,
    // A key is missing from the keyboard map or a request failed.
    Failed,
};

// A top-level window of the desktop, as the transfer sees it.
struct ForeignWindow {
    // The native window id; 0 when no window has the input.
    quintptr id = 0;
    QString title;
    // The desktop, a dock or panel, the root window, or one of Kalvo's own windows: never a
    // transfer target.
    bool shell = false;
    PasteKey pasteKey = PasteKey::CtrlV;
    // A window the platform cannot see has the input: in a Wayland session, an X server sees
    // only X programs, so while a native Wayland window has the input which one it is, and
    // whether it would take a paste, is unknown.
    bool unseen = false;
};

// The other programs' windows: which one has the input, bringing one to the front, and the
// paste keystroke. Where the platform lets no program watch or drive other windows (Wayland,
// offscreen) the backend is not available and the user pastes by hand.
class ForeignWindows {
public:
    virtual ~ForeignWindows() = default;

    virtual bool available() const = 0;
    // The top-level window that has the user's input at this moment.
    virtual ForeignWindow foregroundWindow() = 0;
    // Brings the window to the front and gives it the input; false when it no longer exists
    // or the window manager refused.
    virtual bool activate(quintptr id) = 0;
    // Sends the paste keystroke `key` to the window `target`, every key pressed and released
    // again; waits up to a second for keys the user still holds. Each key event goes out only
    // while `target` still has the input; once it has not, only the keys already pressed are
    // released.
    virtual PasteResult sendPaste(quintptr target, PasteKey key) = 0;
};
