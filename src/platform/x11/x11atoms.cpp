#include "x11atoms.h"

#include "x11reply.h"

#include <array>
#include <cstring>
#include <xcb/xcb.h>

namespace {

struct AtomName {
    const char *name;
    xcb_atom_t X11Atoms::*member;
};

constexpr std::array atomNames{
    AtomName{"_NET_SUPPORTED", &X11Atoms::netSupported},
    AtomName{"_NET_SUPPORTING_WM_CHECK", &X11Atoms::netSupportingWmCheck},
    AtomName{"_NET_REQUEST_FRAME_EXTENTS", &X11Atoms::netRequestFrameExtents},
    AtomName{"_NET_FRAME_EXTENTS", &X11Atoms::netFrameExtents},
    AtomName{"_NET_ACTIVE_WINDOW", &X11Atoms::netActiveWindow},
    AtomName{"_NET_WM_NAME", &X11Atoms::netWmName},
    AtomName{"_NET_WM_WINDOW_TYPE", &X11Atoms::netWmWindowType},
    AtomName{"_NET_WM_WINDOW_TYPE_DESKTOP", &X11Atoms::netWmWindowTypeDesktop},
    AtomName{"_NET_WM_WINDOW_TYPE_DOCK", &X11Atoms::netWmWindowTypeDock},
    AtomName{"_NET_WM_PID", &X11Atoms::netWmPid},
    AtomName{"WM_STATE", &X11Atoms::wmState},
    AtomName{"UTF8_STRING", &X11Atoms::utf8String},
    AtomName{"COMPOUND_TEXT", &X11Atoms::compoundText},
    AtomName{"_KALVO_TIME_PROBE", &X11Atoms::timeProbe},
};

} // namespace

X11Atoms X11Atoms::intern(xcb_connection_t *connection)
{
    std::array<xcb_intern_atom_cookie_t, atomNames.size()> cookies;
    for (std::size_t i = 0; i < atomNames.size(); ++i) {
        const char *name = atomNames[i].name;
        cookies[i] = xcb_intern_atom(connection, 0, std::strlen(name), name);
    }
    X11Atoms atoms;
    for (std::size_t i = 0; i < atomNames.size(); ++i) {
        X11Reply<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(connection, cookies[i], nullptr));
        if (reply)
            atoms.*atomNames[i].member = reply->atom;
    }
    return atoms;
}
