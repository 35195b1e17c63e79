#include "x11pastekeys.h"

#include "x11keyboardmap.h"
#include "x11reply.h"

#include <QDeadlineTimer>
#include <QList>
#include <algorithm>
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
constexpr xcb_keysym_t keysymInsert = 0xff63;
constexpr std::array controlKeysyms{xcb_keysym_t{0xffe3}, xcb_keysym_t{0xffe4}}; // Control_L, _R
constexpr std::array shiftKeysyms{xcb_keysym_t{0xffe1}, xcb_keysym_t{0xffe2}};   // Shift_L, _R

// What each paste keystroke holds down around which key.
struct Keystroke {
    PasteKey key;
    bool control;
    bool shift;
    xcb_keysym_t sym;
};
constexpr std::array keystrokes{
    Keystroke{PasteKey::CtrlV, true, false, keysymV},
    Keystroke{PasteKey::CtrlShiftV, true, true, keysymV},
    Keystroke{PasteKey::ShiftInsert, false, true, keysymInsert},
};

constexpr int modifierWaitMs = 1000;
constexpr auto modifierPollInterval = std::chrono::milliseconds(10);

// Rows of the modifier map whose keys change what a keystroke means: Shift, Control, Mod1
// (Alt, Meta), Mod3, Mod4 (Super), Mod5 (AltGr). Lock and Mod2 (Num Lock) are toggles.
constexpr std::array heldModifierRows{0, 2, 3, 5, 6, 7};

const Keystroke &keystrokeOf(PasteKey key)
{
    return *std::find_if(keystrokes.begin(), keystrokes.end(),
                         [key](const Keystroke &stroke) { return stroke.key == key; });
}

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

// The modifiers of the keystroke in the group of its main key, then the main key; empty when a
// modifier is missing from that group.
QList<xcb_keycode_t> keystrokeKeys(const Keystroke &stroke, const X11KeyboardMap &map,
                                   const X11KeyboardMap::Key &main)
{
    QList<xcb_keycode_t> keys;
    if (stroke.control) {
        const auto control = firstKey(map, controlKeysyms, main.group);
        if (!control)
            return {};
        keys.append(*control);
    }
    if (stroke.shift) {
        const auto shift = firstKey(map, shiftKeysyms, main.group);
        if (!shift)
            return {};
        keys.append(*shift);
    }
    keys.append(main.code);
    return keys;
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

PasteResult X11PasteKeys::send(PasteKey key, const std::function<bool()> &targetHasInput)
{
    // A group switch key held by the user changes the group in effect: read it afterwards.
    waitForModifiersReleased();
    X11Reply<xcb_xkb_get_state_reply_t> state(xcb_xkb_get_state_reply(
        m_connection, xcb_xkb_get_state(m_connection, XCB_XKB_ID_USE_CORE_KBD), nullptr));
    if (!state)
        return PasteResult::Failed;
    const Keystroke &stroke = keystrokeOf(key);
    const X11KeyboardMap map = X11KeyboardMap::read(m_connection);
    const auto main = map.find(stroke.sym, state->group);
    if (!main)
        return PasteResult::Failed;
    const QList<xcb_keycode_t> keys = keystrokeKeys(stroke, map, *main);
    if (keys.isEmpty())
        return PasteResult::Failed;

    QList<xcb_void_cookie_t> cookies;
    const bool switchGroup = main->group != state->group;
    if (switchGroup)
        cookies.append(lockGroup(main->group));
    const bool complete = pressAndRelease(keys, targetHasInput, cookies);
    if (switchGroup)
        cookies.append(lockGroup(state->lockedGroup));
    if (!allSucceeded(m_connection, cookies))
        return PasteResult::Failed;
    return complete ? PasteResult::Sent : PasteResult::Interrupted;
}

// Pressed outermost first, each only while the target has the input; then every key pressed
// is released, innermost first, so no key stays down. True when all were pressed.
bool X11PasteKeys::pressAndRelease(const QList<xcb_keycode_t> &keys,
                                   const std::function<bool()> &targetHasInput,
                                   QList<xcb_void_cookie_t> &cookies)
{
    qsizetype pressed = 0;
    while (pressed < keys.size() &&
           sendWhileTargetHasInput({XCB_KEY_PRESS, keys.at(pressed)}, targetHasInput, cookies))
        ++pressed;
    for (qsizetype i = pressed - 1; i >= 0; --i)
        cookies.append(fake({XCB_KEY_RELEASE, keys.at(i)}));
    return pressed == keys.size();
}

// The check and the event under one server grab: no window manager or other client can move
// the input focus between them. The check runs on this connection, so the grab never waits for
// another client.
bool X11PasteKeys::sendWhileTargetHasInput(const KeyEvent &event,
                                           const std::function<bool()> &targetHasInput,
                                           QList<xcb_void_cookie_t> &cookies)
{
    xcb_grab_server(m_connection);
    const bool hasInput = targetHasInput();
    if (hasInput)
        cookies.append(fake(event));
    xcb_ungrab_server(m_connection);
    xcb_flush(m_connection);
    return hasInput;
}

xcb_void_cookie_t X11PasteKeys::lockGroup(int group)
{
    return xcb_xkb_latch_lock_state_checked(m_connection, XCB_XKB_ID_USE_CORE_KBD, 0, 0, 1, group,
                                            0, 0, 0);
}

xcb_void_cookie_t X11PasteKeys::fake(const KeyEvent &event)
{
    return xcb_test_fake_input_checked(m_connection, event.type, event.code, XCB_CURRENT_TIME,
                                       XCB_NONE, 0, 0, 0);
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
