#pragma once

#include <QByteArray>
#include <QList>
#include <xcb/xproto.h>

// A window property as the server holds it; type none when the window or the property does not
// exist.
struct X11Property {
    xcb_atom_t type = XCB_ATOM_NONE;
    int format = 0;
    QByteArray data;

    bool exists() const { return type != XCB_ATOM_NONE; }
    // The items of a 32-bit property (CARDINAL, WINDOW, ATOM); empty for other formats.
    QList<quint32> values32() const;
};

// A property request sent at once and answered when taken, so that asking for several
// properties costs one round trip.
class X11PropertyRequest {
public:
    X11PropertyRequest(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property);
    ~X11PropertyRequest();
    X11PropertyRequest(const X11PropertyRequest &) = delete;
    X11PropertyRequest &operator=(const X11PropertyRequest &) = delete;

    // Waits for the answer; only the first call has one.
    X11Property take();

private:
    xcb_connection_t *m_connection;
    xcb_get_property_cookie_t m_cookie;
    bool m_pending = true;
};

X11Property readX11Property(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property);
