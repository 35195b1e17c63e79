#pragma once

#include "platform/foreignwindows.h"

#include <QList>
#include <functional>
#include <xcb/xproto.h>

// The paste keystrokes through the XTest extension (Ctrl+V, Ctrl+Shift+V, Shift+Insert), every
// key pressed and released again, with the key codes of the current keyboard map.
class X11PasteKeys {
public:
    // The connection must have the XTest and XKB extensions.
    explicit X11PasteKeys(xcb_connection_t *connection);

    // Waits up to a second for the user to let go of Shift, Ctrl, Alt and the other modifier
    // keys, then sends the keystroke. When its key is only in another layout group, that group
    // is locked for the keystroke and the previous one locked again afterwards. Each key event
    // is sent with the server grabbed, right after `targetHasInput` (which must use this
    // connection alone) said yes, so no other client can move the input in between; after a
    // no, only the keys already pressed are released. Returns once the server has processed
    // the events.
    PasteResult send(PasteKey key, const std::function<bool()> &targetHasInput);

private:
    struct KeyEvent {
        uint8_t type;
        xcb_keycode_t code;
    };

    bool modifierHeld();
    void waitForModifiersReleased();
    bool pressAndRelease(const QList<xcb_keycode_t> &keys,
                         const std::function<bool()> &targetHasInput,
                         QList<xcb_void_cookie_t> &cookies);
    bool sendWhileTargetHasInput(const KeyEvent &event, const std::function<bool()> &targetHasInput,
                                 QList<xcb_void_cookie_t> &cookies);
    xcb_void_cookie_t lockGroup(int group);
    xcb_void_cookie_t fake(const KeyEvent &event);

    xcb_connection_t *m_connection;
};
