#pragma once

#include "platform/windowframes.h"
#include "x11atoms.h"

struct xcb_connection_t;

// The frame from the window manager's _NET_FRAME_EXTENTS. Before a window is mapped the
// window manager is asked to set it (_NET_REQUEST_FRAME_EXTENTS), where it says it can.
class X11WindowFrames final : public WindowFrames {
public:
    explicit X11WindowFrames(xcb_connection_t *connection);
    std::optional<QMargins> frameExtents(quintptr id) override;

private:
    std::optional<QMargins> readExtents(xcb_window_t window);
    bool windowManagerAnswersRequests();
    void requestExtents(xcb_window_t window);

    xcb_connection_t *m_connection;
    xcb_window_t m_root;
    X11Atoms m_atoms;
};
