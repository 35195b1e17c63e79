#pragma once

#include <xcb/xproto.h>

// The paste keystroke through the XTest extension: Ctrl+V, or Ctrl+Shift+V, every key
// pressed and released again, with the key codes of the current keyboard map.
class X11PasteKeys {
public:
    // The connection must have the XTest and XKB extensions.
    explicit X11PasteKeys(xcb_connection_t *connection);

    // Waits up to a second for the user to let go of Shift, Ctrl, Alt and the other modifier
    // keys, then sends the keystroke. When `v` is only in another layout group, that group is
    // locked for the keystroke and the previous one locked again afterwards. Returns once the
    // server has processed the events; false when a key is missing from the map or a request
    // failed.
    bool send(bool terminal);

private:
    bool modifierHeld();
    void waitForModifiersReleased();

    xcb_connection_t *m_connection;
};
