#include "x11keylockstate.h"

#include <QKeyEvent>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>
// xkb.h names a struct member "explicit", a C++ keyword.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

namespace {

struct FreeDeleter {
    void operator()(void *p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

} // namespace

X11KeyLockState::X11KeyLockState(xcb_connection_t *connection)
    : m_connection(connection)
{
    Reply<xcb_xkb_use_extension_reply_t> reply(xcb_xkb_use_extension_reply(
        m_connection, xcb_xkb_use_extension(m_connection, XCB_XKB_MAJOR_VERSION,
                                            XCB_XKB_MINOR_VERSION),
        nullptr));
    m_hasXkb = reply && reply->supported;
}

bool X11KeyLockState::capsLock(const QKeyEvent *current) const
{
    // The state the X server sent with the key event holds for that event, even when later
    // events have changed the server's state since.
    if (current)
        return (current->nativeModifiers() & XCB_MOD_MASK_LOCK) != 0;
    if (m_hasXkb) {
        Reply<xcb_xkb_get_state_reply_t> state(xcb_xkb_get_state_reply(
            m_connection, xcb_xkb_get_state(m_connection, XCB_XKB_ID_USE_CORE_KBD), nullptr));
        if (state)
            return (state->lockedMods & XCB_MOD_MASK_LOCK) != 0;
    }
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
    Reply<xcb_query_pointer_reply_t> pointer(xcb_query_pointer_reply(
        m_connection, xcb_query_pointer(m_connection, screen->root), nullptr));
    return pointer && (pointer->mask & XCB_MOD_MASK_LOCK) != 0;
}
