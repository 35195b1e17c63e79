#pragma once

#include <optional>
#include <vector>
#include <xcb/xproto.h>

// The key symbols of every key in every layout group, from the server's XKB keyboard
// description: which key types a symbol, and in which group.
class X11KeyboardMap {
public:
    struct Key {
        xcb_keycode_t code = 0;
        int group = 0;
    };

    // Reads the core keyboard's map; the map is empty when the request fails. The connection
    // must have the XKB extension in use.
    static X11KeyboardMap read(xcb_connection_t *connection);

    // The key that gives `sym` at its first level (no modifiers) while `group` is in effect.
    std::optional<xcb_keycode_t> keyIn(xcb_keysym_t sym, int group) const;
    // The key that gives `sym` at its first level in `preferred` group, else in the first other
    // group that has such a key.
    std::optional<Key> find(xcb_keysym_t sym, int preferred) const;

private:
    struct KeySyms {
        xcb_keycode_t code;
        uint8_t groupInfo;
        int width;
        std::vector<xcb_keysym_t> syms;

        // The group whose symbols the key gives while `group` is in effect, by the key's rule
        // for groups it does not have; -1 for a key without symbols.
        int groupFor(int group) const;
        xcb_keysym_t firstLevel(int group) const;
    };

    std::vector<KeySyms> m_keys;
};
