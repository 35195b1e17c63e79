#include "x11property.h"

#include "x11reply.h"

#include <cstring>
#include <xcb/xcb.h>

namespace {

// 64 KiB: far more than any title or list of atoms, and the text is cut shorter anyway.
constexpr uint32_t maxLength32 = 16384;

} // namespace

QList<quint32> X11Property::values32() const
{
    QList<quint32> values;
    if (format != 32)
        return values;
    values.resize(data.size() / 4);
    std::memcpy(values.data(), data.constData(), values.size() * 4);
    return values;
}

X11PropertyRequest::X11PropertyRequest(xcb_connection_t *connection, xcb_window_t window,
                                       xcb_atom_t property)
    : m_connection(connection)
    , m_cookie(xcb_get_property(connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0,
                                maxLength32))
{}

X11PropertyRequest::~X11PropertyRequest()
{
    if (m_pending)
        xcb_discard_reply(m_connection, m_cookie.sequence);
}

X11Property X11PropertyRequest::take()
{
    X11Property property;
    if (!m_pending)
        return property;
    m_pending = false;
    xcb_generic_error_t *error = nullptr;
    X11Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(m_connection, m_cookie, &error));
    X11Reply<xcb_generic_error_t> ownedError(error);
    if (!reply || reply->type == XCB_ATOM_NONE)
        return property;
    property.type = reply->type;
    property.format = reply->format;
    property.data = QByteArray(static_cast<const char *>(xcb_get_property_value(reply.get())),
                               xcb_get_property_value_length(reply.get()));
    return property;
}

X11Property readX11Property(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property)
{
    return X11PropertyRequest(connection, window, property).take();
}
