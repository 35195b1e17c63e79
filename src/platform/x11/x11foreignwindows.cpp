#include "x11foreignwindows.h"

#include "x11compoundtext.h"
#include "x11reply.h"

#include <QSysInfo>
#include <array>
#include <deque>
#include <poll.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>
// xkb.h names a struct member "explicit", a C++ keyword.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

namespace {

// Titles are read to at most 254 UTF-16 code units.
constexpr qsizetype maxTitleLength = 254;
constexpr int activationWaitMs = 200;
constexpr int serverTimeWaitMs = 1000;
// EWMH source indication of a pager: the request comes from the user's direct action.
constexpr uint32_t sourceIndicationPager = 2;
constexpr int maxWindowsSearched = 1024;
constexpr int maxTreeDepth = 64;

// The paste keys of terminal emulators by WM_CLASS instance or class name (compared
// case-insensitively). The xterm family pastes the primary selection with Shift+Insert and
// takes Ctrl+V, with or without Shift, as "literal next"; the newer terminals paste the
// clipboard with Ctrl+Shift+V. Every other window pastes with Ctrl+V.
struct TerminalClass {
    QLatin1StringView name;
    PasteKey key;
};
constexpr std::array terminalClasses{
    TerminalClass{QLatin1StringView("xterm"), PasteKey::ShiftInsert},
    TerminalClass{QLatin1StringView("uxterm"), PasteKey::ShiftInsert},
    TerminalClass{QLatin1StringView("rxvt"), PasteKey::ShiftInsert},
    TerminalClass{QLatin1StringView("urxvt"), PasteKey::ShiftInsert},
    TerminalClass{QLatin1StringView("gnome-terminal"), PasteKey::CtrlShiftV},
    TerminalClass{QLatin1StringView("konsole"), PasteKey::CtrlShiftV},
    TerminalClass{QLatin1StringView("xfce4-terminal"), PasteKey::CtrlShiftV},
    TerminalClass{QLatin1StringView("kitty"), PasteKey::CtrlShiftV},
    TerminalClass{QLatin1StringView("alacritty"), PasteKey::CtrlShiftV},
    TerminalClass{QLatin1StringView("tilix"), PasteKey::CtrlShiftV},
    TerminalClass{QLatin1StringView("terminator"), PasteKey::CtrlShiftV},
    TerminalClass{QLatin1StringView("st-256color"), PasteKey::CtrlShiftV},
    TerminalClass{QLatin1StringView("foot"), PasteKey::CtrlShiftV},
};
// Parts of names that mark a terminal emulator wherever they occur (rxvt-unicode,
// mate-terminal, lxterminal, qterminal …), tried in this order.
constexpr std::array terminalClassFragments{
    TerminalClass{QLatin1StringView("rxvt"), PasteKey::ShiftInsert},
    TerminalClass{QLatin1StringView("terminal"), PasteKey::CtrlShiftV},
};

std::optional<PasteKey> terminalPasteKey(const QString &name)
{
    for (const TerminalClass &terminal : terminalClasses) {
        if (name.compare(terminal.name, Qt::CaseInsensitive) == 0)
            return terminal.key;
    }
    for (const TerminalClass &fragment : terminalClassFragments) {
        if (name.contains(fragment.name, Qt::CaseInsensitive))
            return fragment.key;
    }
    return std::nullopt;
}

// WM_CLASS holds the instance name and the class name, each ended by a NUL.
PasteKey pasteKeyOf(const QByteArray &wmClass)
{
    for (const QByteArray &name : wmClass.split('\0')) {
        if (name.isEmpty())
            continue;
        if (const std::optional<PasteKey> key = terminalPasteKey(QString::fromLatin1(name)))
            return *key;
    }
    return PasteKey::CtrlV;
}

QByteArray withoutTrailingNuls(QByteArray bytes)
{
    while (bytes.endsWith('\0'))
        bytes.chop(1);
    return bytes;
}

// Cut to the length read, without leaving half a surrogate pair at the end.
QString cutTitle(QString title)
{
    if (title.size() <= maxTitleLength)
        return title;
    title.truncate(maxTitleLength);
    if (title.back().isHighSurrogate())
        title.chop(1);
    return title;
}

quint32 firstValue(const X11Property &property)
{
    const QList<quint32> values = property.values32();
    return values.isEmpty() ? 0 : values.first();
}

bool hasExtensions(xcb_connection_t *connection)
{
    const xcb_query_extension_reply_t *xtest = xcb_get_extension_data(connection, &xcb_test_id);
    if (!xtest || !xtest->present)
        return false;
    X11Reply<xcb_xkb_use_extension_reply_t> xkb(xcb_xkb_use_extension_reply(
        connection, xcb_xkb_use_extension(connection, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION),
        nullptr));
    return xkb && xkb->supported;
}

xcb_window_t rootOfScreen(xcb_connection_t *connection, int screen)
{
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screen && it.rem > 1; ++i)
        xcb_screen_next(&it);
    return it.data->root;
}

} // namespace

std::unique_ptr<X11ForeignWindows> X11ForeignWindows::open(const char *display, bool waylandSession)
{
    int screen = 0;
    xcb_connection_t *connection = xcb_connect(display, &screen);
    if (xcb_connection_has_error(connection) || !hasExtensions(connection)) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return std::unique_ptr<X11ForeignWindows>(
        new X11ForeignWindows(connection, screen, waylandSession));
}

X11ForeignWindows::X11ForeignWindows(xcb_connection_t *connection, int screen, bool waylandSession)
    : m_connection(connection)
    , m_root(rootOfScreen(connection, screen))
    , m_timeWindow(xcb_generate_id(connection))
    , m_atoms(X11Atoms::intern(connection))
    , m_pasteKeys(connection)
    , m_hostName(QSysInfo::machineHostName().toLocal8Bit())
    , m_waylandSession(waylandSession)
{
    const uint32_t eventMask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_timeWindow, m_root, -1, -1, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &eventMask);
    xcb_flush(m_connection);
}

X11ForeignWindows::~X11ForeignWindows()
{
    xcb_destroy_window(m_connection, m_timeWindow);
    xcb_disconnect(m_connection);
}

// In a Wayland session XWayland's window manager reports no active window while a native
// Wayland window has the input, as Weston's does, or keeps the last X window active but moves
// the X input focus away from it; either way the window with the input is unseen. On X11 no
// active window means the desktop.
ForeignWindow X11ForeignWindows::foregroundWindow()
{
    const std::optional<xcb_window_t> active = ewmhActiveWindow();
    const xcb_window_t window = active ? *active : focusedClientWindow();
    if (m_waylandSession && !hasInputFocus(window))
        return ForeignWindow{.shell = true, .unseen = true};
    return describe(window);
}

bool X11ForeignWindows::activate(quintptr id)
{
    const auto window = static_cast<xcb_window_t>(id);
    if (window != id || window == XCB_NONE || window == m_root || !windowExists(window))
        return false;
    return hasEwmhWindowManager() ? activateByEwmh(window) : activateByFocus(window);
}

// The target is checked before each key event: a paste must never land in a window the user
// switched to meanwhile.
PasteResult X11ForeignWindows::sendPaste(quintptr target, PasteKey key)
{
    const auto window = static_cast<xcb_window_t>(target);
    if (window != target)
        return PasteResult::Failed;
    return m_pasteKeys.send(key, [this, window] { return hasInputFocus(window); });
}

bool X11ForeignWindows::hasEwmhWindowManager()
{
    return ewmhActiveWindow().has_value();
}

// The window manager's active window; nothing when no EWMH window manager runs: the root's
// check window must name itself (a crashed manager leaves a stale one behind) and the root
// must carry _NET_ACTIVE_WINDOW.
std::optional<xcb_window_t> X11ForeignWindows::ewmhActiveWindow()
{
    X11PropertyRequest checkRequest(m_connection, m_root, m_atoms.netSupportingWmCheck);
    X11PropertyRequest activeRequest(m_connection, m_root, m_atoms.netActiveWindow);
    const quint32 check = firstValue(checkRequest.take());
    const X11Property active = activeRequest.take();
    if (check == XCB_NONE || !active.exists())
        return std::nullopt;
    if (firstValue(readX11Property(m_connection, check, m_atoms.netSupportingWmCheck)) != check)
        return std::nullopt;
    return firstValue(active);
}

xcb_window_t X11ForeignWindows::focusedClientWindow()
{
    const xcb_window_t topLevel = focusedTopLevel();
    if (topLevel == XCB_NONE || topLevel == m_root)
        return topLevel;
    return clientWindowIn(topLevel);
}

// True when the X input focus is inside the window's top-level window.
bool X11ForeignWindows::hasInputFocus(xcb_window_t window)
{
    if (window == XCB_NONE || window == m_root)
        return false;
    const xcb_window_t focused = focusedTopLevel();
    return focused != XCB_NONE && focused == topLevelOf(window);
}

// The child of the root that holds the input focus (with focus-follows-pointer, the pointer);
// the root, or none.
xcb_window_t X11ForeignWindows::focusedTopLevel()
{
    X11Reply<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    if (!focus || focus->focus == XCB_NONE)
        return XCB_NONE;
    xcb_window_t window = focus->focus;
    if (window == XCB_INPUT_FOCUS_POINTER_ROOT) {
        X11Reply<xcb_query_pointer_reply_t> pointer(xcb_query_pointer_reply(
            m_connection, xcb_query_pointer(m_connection, m_root), nullptr));
        window = pointer && pointer->child != XCB_NONE ? pointer->child : m_root;
    }
    return window == m_root ? m_root : topLevelOf(window);
}

// The child of the root that holds `window` (a window manager's frame, or the client itself);
// none when the window is gone.
xcb_window_t X11ForeignWindows::topLevelOf(xcb_window_t window)
{
    for (int depth = 0; depth < maxTreeDepth; ++depth) {
        X11Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, window), nullptr));
        if (!tree)
            return XCB_NONE;
        if (tree->parent == m_root || tree->parent == XCB_NONE)
            return window;
        window = tree->parent;
    }
    return window;
}

// The client window, which carries WM_STATE once a window manager manages it, searched
// breadth first under the top-level window; the top-level window itself when none has it
// (no window manager, or an override-redirect window such as a menu).
xcb_window_t X11ForeignWindows::clientWindowIn(xcb_window_t topLevel)
{
    std::deque<xcb_window_t> pending{topLevel};
    for (int searched = 0; !pending.empty() && searched < maxWindowsSearched; ++searched) {
        const xcb_window_t window = pending.front();
        pending.pop_front();
        X11PropertyRequest state(m_connection, window, m_atoms.wmState);
        const xcb_query_tree_cookie_t treeCookie = xcb_query_tree(m_connection, window);
        X11Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(m_connection, treeCookie, nullptr));
        if (state.take().exists())
            return window;
        if (tree) {
            const xcb_window_t *children = xcb_query_tree_children(tree.get());
            pending.insert(pending.end(), children,
                           children + xcb_query_tree_children_length(tree.get()));
        }
    }
    return topLevel;
}

ForeignWindow X11ForeignWindows::describe(xcb_window_t window)
{
    if (window == XCB_NONE || window == m_root)
        return ForeignWindow{.id = window, .shell = true};
    X11PropertyRequest netWmName(m_connection, window, m_atoms.netWmName);
    X11PropertyRequest wmName(m_connection, window, XCB_ATOM_WM_NAME);
    X11PropertyRequest wmClass(m_connection, window, XCB_ATOM_WM_CLASS);
    X11PropertyRequest windowType(m_connection, window, m_atoms.netWmWindowType);
    X11PropertyRequest pid(m_connection, window, m_atoms.netWmPid);
    X11PropertyRequest clientMachine(m_connection, window, XCB_ATOM_WM_CLIENT_MACHINE);

    ForeignWindow result{.id = window};
    result.title = cutTitle(title(netWmName, wmName));
    const QList<quint32> types = windowType.take().values32();
    result.shell = types.contains(m_atoms.netWmWindowTypeDesktop) ||
                   types.contains(m_atoms.netWmWindowTypeDock) || isOwnWindow(pid, clientMachine);
    result.pasteKey = pasteKeyOf(wmClass.take().data);
    return result;
}

// _NET_WM_NAME in UTF-8, else WM_NAME in the encoding its type names (Latin-1 for STRING).
QString X11ForeignWindows::title(X11PropertyRequest &netWmName, X11PropertyRequest &wmName) const
{
    const X11Property netName = netWmName.take();
    if (netName.type == m_atoms.utf8String)
        return QString::fromUtf8(withoutTrailingNuls(netName.data));
    const X11Property name = wmName.take();
    const QByteArray bytes = withoutTrailingNuls(name.data);
    if (name.type == m_atoms.compoundText)
        return decodeCompoundText(bytes);
    if (name.type == m_atoms.utf8String)
        return QString::fromUtf8(bytes);
    return QString::fromLatin1(bytes);
}

bool X11ForeignWindows::isOwnWindow(xcb_window_t window)
{
    X11PropertyRequest pid(m_connection, window, m_atoms.netWmPid);
    X11PropertyRequest clientMachine(m_connection, window, XCB_ATOM_WM_CLIENT_MACHINE);
    return isOwnWindow(pid, clientMachine);
}

// Qt marks each of its windows with the process id and the host name. A window manager's
// frame carries the manager's own, or none.
bool X11ForeignWindows::isOwnWindow(X11PropertyRequest &pid,
                                    X11PropertyRequest &clientMachine) const
{
    const X11Property pidProperty = pid.take();
    const X11Property machine = clientMachine.take();
    if (pidProperty.values32().size() != 1 || firstValue(pidProperty) != quint32(getpid()))
        return false;
    return !machine.exists() || withoutTrailingNuls(machine.data) == m_hostName;
}

bool X11ForeignWindows::windowExists(xcb_window_t window)
{
    xcb_generic_error_t *error = nullptr;
    X11Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        m_connection, xcb_get_window_attributes(m_connection, window), &error));
    X11Reply<xcb_generic_error_t> ownedError(error);
    return attributes != nullptr;
}

// The EWMH request to the window manager, with a fresh server time: managers refuse
// activation requests with time 0 or an old time as focus stealing.
bool X11ForeignWindows::activateByEwmh(xcb_window_t window)
{
    const std::optional<uint32_t> time = serverTime();
    if (!time)
        return false;
    discardEvents();
    const uint32_t watchRoot = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &watchRoot);
    const std::optional<xcb_window_t> current = ewmhActiveWindow();
    bool active = current == window;
    if (!active) {
        xcb_client_message_event_t request{};
        request.response_type = XCB_CLIENT_MESSAGE;
        request.format = 32;
        request.window = window;
        request.type = m_atoms.netActiveWindow;
        request.data.data32[0] = sourceIndicationPager;
        request.data.data32[1] = *time;
        request.data.data32[2] = current && isOwnWindow(*current) ? *current : XCB_NONE;
        xcb_send_event(m_connection, 0, m_root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&request));
    }
    raise(window);
    if (!active) {
        active = waitForEvent(QDeadlineTimer(activationWaitMs), [&](const xcb_generic_event_t &e) {
            if ((e.response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
                return false;
            const auto &change = reinterpret_cast<const xcb_property_notify_event_t &>(e);
            return change.window == m_root && change.atom == m_atoms.netActiveWindow &&
                   ewmhActiveWindow() == window;
        });
    }
    const uint32_t noEvents = XCB_EVENT_MASK_NO_EVENT;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &noEvents);
    xcb_flush(m_connection);
    return active;
}

// Without an EWMH window manager: raise the window and give it the input focus; the server
// refuses the focus for a window that is not viewable.
bool X11ForeignWindows::activateByFocus(xcb_window_t window)
{
    raise(window);
    const uint32_t time = serverTime().value_or(XCB_CURRENT_TIME);
    X11Reply<xcb_generic_error_t> error(xcb_request_check(
        m_connection,
        xcb_set_input_focus_checked(m_connection, XCB_INPUT_FOCUS_PARENT, window, time)));
    return !error;
}

void X11ForeignWindows::raise(xcb_window_t window)
{
    const uint32_t stackMode = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(m_connection, window, XCB_CONFIG_WINDOW_STACK_MODE, &stackMode);
}

// The server's time now: appending nothing to a property of our own window still makes the
// server send a PropertyNotify, stamped with its current time.
std::optional<uint32_t> X11ForeignWindows::serverTime()
{
    xcb_change_property(m_connection, XCB_PROP_MODE_APPEND, m_timeWindow, m_atoms.timeProbe,
                        XCB_ATOM_STRING, 8, 0, nullptr);
    std::optional<uint32_t> time;
    waitForEvent(QDeadlineTimer(serverTimeWaitMs), [&](const xcb_generic_event_t &e) {
        if ((e.response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
            return false;
        const auto &change = reinterpret_cast<const xcb_property_notify_event_t &>(e);
        if (change.window != m_timeWindow || change.atom != m_atoms.timeProbe)
            return false;
        time = change.time;
        return true;
    });
    return time;
}

bool X11ForeignWindows::waitForEvent(QDeadlineTimer deadline,
                                     const std::function<bool(const xcb_generic_event_t &)> &wanted)
{
    xcb_flush(m_connection);
    while (!xcb_connection_has_error(m_connection)) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
            X11Reply<xcb_generic_event_t> owned(event);
            if (wanted(*event))
                return true;
        }
        const qint64 remaining = deadline.remainingTime();
        if (remaining == 0)
            return false;
        pollfd socket{xcb_get_file_descriptor(m_connection), POLLIN, 0};
        ::poll(&socket, 1, static_cast<int>(remaining));
    }
    return false;
}

// Events of earlier calls and errors of requests whose failure does not matter (raising a
// window that was closed meanwhile).
void X11ForeignWindows::discardEvents()
{
    while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection))
        std::free(event);
}
