#include "x11pastekeys.h"

#include "x11keyboardmap.h"
#include "x11reply.h"

#include <QDeadlineTimer>
#include <QList>
#include <array>
#include <optional>
#include <thread>
#include <xcb/xcb.h>
#include <xcb/xtest.h>
// xkb.h names a struct member "explicit", a C++ keyword.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

namespace {

constexpr xcb_keysym_t keysymV = 0x0076;
constexpr std::array controlKeysyms{xcb_keysym_t{0xffe3}, xcb_keysym_t{0xffe4}}; // Control_L, _R
constexpr std::array shiftKeysyms{xcb_keysym_t{0xffe1}, xcb_keysym_t{0xffe2}};   // Shift_L, _R

constexpr int modifierWaitMs = 1000;
constexpr auto modifierPollInterval = std::chrono::milliseconds(10);

// Rows of the modifier map whose keys change what a keystroke means: Shift, Control, Mod1
// (Alt, Meta), Mod3, Mod4 (Super), Mod5 (AltGr). Lock and Mod2 (Num Lock) are toggles.
constexpr std::array heldModifierRows{0, 2, 3, 5, 6, 7};

template <std::size_t N>
std::optional<xcb_keycode_t> firstKey(const X11KeyboardMap &map,
                                      const std::array<xcb_keysym_t, N> &syms, int group)
{
    for (xcb_keysym_t sym : syms) {
        if (const auto code = map.keyIn(sym, group))
            return code;
    }
    return std::nullopt;
}

struct KeyEvent {
    uint8_t type;
    xcb_keycode_t code;
};

QList<KeyEvent> pasteEvents(xcb_keycode_t control, std::optional<xcb_keycode_t> shift,
                            xcb_keycode_t v)
{
    QList<KeyEvent> events{{XCB_KEY_PRESS, control}};
    if (shift)
        events.append({XCB_KEY_PRESS, *shift});
    events.append({{XCB_KEY_PRESS, v}, {XCB_KEY_RELEASE, v}});
    if (shift)
        events.append({XCB_KEY_RELEASE, *shift});
    events.append({XCB_KEY_RELEASE, control});
    return events;
}

bool allSucceeded(xcb_connection_t *connection, const QList<xcb_void_cookie_t> &cookies)
{
    bool ok = true;
    for (xcb_void_cookie_t cookie : cookies) {
        X11Reply<xcb_generic_error_t> error(xcb_request_check(connection, cookie));
        ok = ok && !error;
    }
    return ok;
}

} // namespace

X11PasteKeys::X11PasteKeys(xcb_connection_t *connection)
    : m_connection(connection)
{}

bool X11PasteKeys::send(bool terminal)
{
    // A group switch key held by the user changes the group in effect: read it afterwards.
    waitForModifiersReleased();
    X11Reply<xcb_xkb_get_state_reply_t> state(xcb_xkb_get_state_reply(
        m_connection, xcb_xkb_get_state(m_connection, XCB_XKB_ID_USE_CORE_KBD), nullptr));
    if (!state)
        return false;
    const X11KeyboardMap map = X11KeyboardMap::read(m_connection);
    const auto v = map.find(keysymV, state->group);
    if (!v)
        return false;
    const auto control = firstKey(map, controlKeysyms, v->group);
    const auto shift = terminal ? firstKey(map, shiftKeysyms, v->group) : std::nullopt;
    if (!control || (terminal && !shift))
        return false;

    QList<xcb_void_cookie_t> cookies;
    const bool switchGroup = v->group != state->group;
    if (switchGroup)
        cookies.append(xcb_xkb_latch_lock_state_checked(m_connection, XCB_XKB_ID_USE_CORE_KBD, 0, 0,
                                                        1, v->group, 0, 0, 0));
    for (const KeyEvent &event : pasteEvents(*control, shift, v->code))
        cookies.append(xcb_test_fake_input_checked(m_connection, event.type, event.code,
                                                   XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0));
    if (switchGroup)
        cookies.append(xcb_xkb_latch_lock_state_checked(m_connection, XCB_XKB_ID_USE_CORE_KBD, 0, 0,
                                                        1, state->lockedGroup, 0, 0, 0));
    return allSucceeded(m_connection, cookies);
}

bool X11PasteKeys::modifierHeld()
{
    auto mappingCookie = xcb_get_modifier_mapping(m_connection);
    auto keymapCookie = xcb_query_keymap(m_connection);
    X11Reply<xcb_get_modifier_mapping_reply_t> mapping(
        xcb_get_modifier_mapping_reply(m_connection, mappingCookie, nullptr));
    X11Reply<xcb_query_keymap_reply_t> keymap(
        xcb_query_keymap_reply(m_connection, keymapCookie, nullptr));
    if (!mapping || !keymap)
        return false;
    const xcb_keycode_t *codes = xcb_get_modifier_mapping_keycodes(mapping.get());
    const int perRow = mapping->keycodes_per_modifier;
    for (int row : heldModifierRows) {
        for (int i = 0; i < perRow; ++i) {
            const xcb_keycode_t code = codes[row * perRow + i];
            if (code != 0 && (keymap->keys[code / 8] & (1 << (code % 8))))
                return true;
        }
    }
    return false;
}

void X11PasteKeys::waitForModifiersReleased()
{
    const QDeadlineTimer deadline(modifierWaitMs);
    while (modifierHeld() && !deadline.hasExpired())
        std::this_thread::sleep_for(modifierPollInterval);
}
