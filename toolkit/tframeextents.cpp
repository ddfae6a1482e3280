#include "toolkit/tframeextents.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

namespace tk {

namespace {

struct FreeDeleter {
    void operator()(void *p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// _NET_FRAME_EXTENTS of the window: left, right, top, bottom.
std::optional<QMargins> readExtents(xcb_connection_t *c, xcb_window_t window, xcb_atom_t extents)
{
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4), nullptr));
    if (!reply || reply->type != XCB_ATOM_CARDINAL || reply->format != 32
        || xcb_get_property_value_length(reply.get()) != 16)
        return std::nullopt;
    const auto *v = static_cast<const std::uint32_t *>(xcb_get_property_value(reply.get()));
    return QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
}

// Device pixels to the window's logical ones, rounded as the toolkit rounds its own frame margins.
QMargins logical(const QMargins &device, qreal ratio)
{
    const auto scale = [ratio](int v) { return qRound(v / ratio); };
    return QMargins(scale(device.left()), scale(device.top()), scale(device.right()), scale(device.bottom()));
}

// Whether the window manager lists `wanted` among the hints it supports.
bool supported(xcb_connection_t *c, xcb_window_t root, xcb_atom_t wanted)
{
    const xcb_atom_t list = atom(c, "_NET_SUPPORTED");
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, root, list, XCB_ATOM_ATOM, 0, 4096), nullptr));
    if (!reply || reply->type != XCB_ATOM_ATOM || reply->format != 32)
        return false;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::find(atoms, atoms + count, wanted) != atoms + count;
}

} // namespace

std::optional<QMargins> frameExtents(QWindow *window, std::chrono::milliseconds wait)
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (window == nullptr || x11 == nullptr || x11->connection() == nullptr)
        return std::nullopt;
    xcb_connection_t *c = x11->connection();
    const auto id = xcb_window_t(window->winId());
    const xcb_atom_t extents = atom(c, "_NET_FRAME_EXTENTS");
    const qreal ratio = window->devicePixelRatio();
    if (const auto known = readExtents(c, id, extents))
        return logical(*known, ratio);

    const Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr));
    const xcb_atom_t request = atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    if (!geometry || !supported(c, geometry->root, request))
        return std::nullopt;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(c, 0, geometry->root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(c);
    // The answer is a property the window manager sets, usually within a few milliseconds; the
    // events that would announce it are read by the toolkit's own event loop, which is busy
    // showing this window, so the property itself is polled.
    const auto deadline = std::chrono::steady_clock::now() + wait;
    do {
        if (const auto answered = readExtents(c, id, extents))
            return logical(*answered, ratio);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}

} // namespace tk
