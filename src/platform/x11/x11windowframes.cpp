#include "x11windowframes.h"

#include "x11property.h"

#include <QDeadlineTimer>
#include <QThread>
#include <xcb/xcb.h>

namespace {

// The window manager answers a request at once; a busy one gets this long.
constexpr int kAnswerTime = 200;
constexpr int kPollInterval = 2;

} // namespace

X11WindowFrames::X11WindowFrames(xcb_connection_t *connection)
    : m_connection(connection)
    , m_root(xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root)
    , m_atoms(X11Atoms::intern(connection))
{}

std::optional<QMargins> X11WindowFrames::frameExtents(quintptr id)
{
    const auto window = xcb_window_t(id);
    if (const std::optional<QMargins> known = readExtents(window))
        return known;
    if (!windowManagerAnswersRequests())
        return std::nullopt;
    requestExtents(window);
    const QDeadlineTimer deadline(kAnswerTime);
    while (!deadline.hasExpired()) {
        if (const std::optional<QMargins> answer = readExtents(window))
            return answer;
        QThread::msleep(kPollInterval);
    }
    return std::nullopt;
}

// _NET_FRAME_EXTENTS: left, right, top, bottom.
std::optional<QMargins> X11WindowFrames::readExtents(xcb_window_t window)
{
    const QList<quint32> extents =
        readX11Property(m_connection, window, m_atoms.netFrameExtents).values32();
    if (extents.size() != 4)
        return std::nullopt;
    return QMargins(int(extents[0]), int(extents[2]), int(extents[1]), int(extents[3]));
}

bool X11WindowFrames::windowManagerAnswersRequests()
{
    const QList<quint32> supported =
        readX11Property(m_connection, m_root, m_atoms.netSupported).values32();
    return supported.contains(m_atoms.netRequestFrameExtents);
}

void X11WindowFrames::requestExtents(xcb_window_t window)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = m_atoms.netRequestFrameExtents;
    xcb_send_event(m_connection, 0, m_root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(m_connection);
}
