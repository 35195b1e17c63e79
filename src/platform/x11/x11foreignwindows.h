#pragma once

#include "platform/foreignwindows.h"
#include "x11atoms.h"
#include "x11pastekeys.h"
#include "x11property.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <functional>
#include <memory>
#include <optional>

// Other programs' windows on an X11 display, through a connection of its own: the active
// window from the window manager's _NET_ACTIVE_WINDOW (without an EWMH window manager, the
// input focus climbed to its top-level client window), activation by the EWMH request or by
// raising and focusing, and the paste keystroke through XTest.
class X11ForeignWindows final : public ForeignWindows {
public:
    // Connects to `display` (nullptr: $DISPLAY); nullptr when the display cannot be reached or
    // lacks the XTest or XKB extension. In a Wayland session the display is XWayland's, and a
    // foreground without the X input focus is reported as unseen.
    static std::unique_ptr<X11ForeignWindows> open(const char *display = nullptr,
                                                   bool waylandSession = false);
    ~X11ForeignWindows() override;

    bool available() const override { return true; }
    ForeignWindow foregroundWindow() override;
    // With an EWMH window manager: true once it has made the window the active one, false
    // when it has not within 200 ms.
    bool activate(quintptr id) override;
    PasteResult sendPaste(quintptr target, PasteKey key) override;

private:
    X11ForeignWindows(xcb_connection_t *connection, int screen, bool waylandSession);

    bool hasEwmhWindowManager();
    std::optional<xcb_window_t> ewmhActiveWindow();
    xcb_window_t focusedClientWindow();
    xcb_window_t focusedTopLevel();
    bool hasInputFocus(xcb_window_t window);
    xcb_window_t topLevelOf(xcb_window_t window);
    xcb_window_t clientWindowIn(xcb_window_t topLevel);
    ForeignWindow describe(xcb_window_t window);
    QString title(X11PropertyRequest &netWmName, X11PropertyRequest &wmName) const;
    bool isOwnWindow(xcb_window_t window);
    bool isOwnWindow(X11PropertyRequest &pid, X11PropertyRequest &clientMachine) const;

    bool windowExists(xcb_window_t window);
    bool activateByEwmh(xcb_window_t window);
    bool activateByFocus(xcb_window_t window);
    void raise(xcb_window_t window);
    std::optional<uint32_t> serverTime();
    bool waitForEvent(QDeadlineTimer deadline,
                      const std::function<bool(const xcb_generic_event_t &)> &wanted);
    void discardEvents();

    xcb_connection_t *m_connection;
    xcb_window_t m_root;
    // A small unmapped window of our own whose property changes tell the server's time.
    xcb_window_t m_timeWindow;
    X11Atoms m_atoms;
    X11PasteKeys m_pasteKeys;
    QByteArray m_hostName;
    bool m_waylandSession;
};
