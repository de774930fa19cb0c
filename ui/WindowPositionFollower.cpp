#include "WindowPositionFollower.h"

#include <QGuiApplication>
#include <QWindow>

#include <cstdint>
#include <cstdlib>
#include <memory>

#include <xcb/xcb.h>

namespace corvane {

namespace {

xcb_connection_t* x11Connection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply>
using ReplyPointer = std::unique_ptr<Reply, FreeReply>;

bool isRoot(xcb_connection_t* connection, xcb_window_t window)
{
    for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection)); screens.rem; xcb_screen_next(&screens))
        if (screens.data->root == window)
            return true;
    return false;
}

} // namespace

void WindowPositionFollower::install()
{
    if (!x11Connection())
        return;
    static WindowPositionFollower follower; // lives as long as the application's event loop
    qGuiApp->installNativeEventFilter(&follower);
}

bool WindowPositionFollower::isOwnTopLevel(quint32 window)
{
    for (QWindow* topLevel : QGuiApplication::topLevelWindows())
        if (topLevel->handle() && topLevel->winId() == window)
            return true;
    return false;
}

bool WindowPositionFollower::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    // The top bit of the response type marks an event another client sent.
    constexpr std::uint8_t EventCodeMask = 0x7F;
    switch (event->response_type & EventCodeMask) {
    case XCB_REPARENT_NOTIFY: {
        const auto* reparent = static_cast<const xcb_reparent_notify_event_t*>(message);
        // Seen on the window itself (Qt watches its structure), not on a
        // frame the follower watches.
        if (reparent->event == reparent->window && isOwnTopLevel(reparent->window))
            reparented(reparent->window, reparent->parent);
        break;
    }
    case XCB_CONFIGURE_NOTIFY: {
        const auto* configure = static_cast<const xcb_configure_notify_event_t*>(message);
        if (const auto held = m_frames.constFind(configure->window); held != m_frames.cend())
            announcePosition(*held);
        break;
    }
    case XCB_DESTROY_NOTIFY: m_frames.remove(static_cast<const xcb_destroy_notify_event_t*>(message)->window); break;
    default: break;
    }
    return false; // Qt handles every event as it would
}

void WindowPositionFollower::reparented(quint32 window, quint32 parent)
{
    xcb_connection_t* connection = x11Connection();
    m_frames.removeIf([window](const auto& entry) { return entry.value() == window; });
    // Every window between the window and the root: a frame may sit in a
    // frame of its own, and moving any of them moves the window.
    const uint32_t structure = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    for (xcb_window_t ancestor = parent; ancestor != XCB_NONE && !isRoot(connection, ancestor);) {
        xcb_change_window_attributes(connection, ancestor, XCB_CW_EVENT_MASK, &structure);
        m_frames.insert(ancestor, window);
        const ReplyPointer<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(connection, xcb_query_tree(connection, ancestor), nullptr));
        ancestor = tree ? tree->parent : XCB_NONE;
    }
    announcePosition(window);
}

void WindowPositionFollower::announcePosition(quint32 window)
{
    xcb_connection_t* connection = x11Connection();
    const ReplyPointer<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    if (!geometry)
        return;
    const ReplyPointer<xcb_translate_coordinates_reply_t> origin(xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, window, geometry->root, 0, 0), nullptr));
    if (!origin)
        return;
    // What a window manager sends after it moved a window: the position in
    // root coordinates. With an empty event mask it goes to the window's
    // creator only, not to the window manager.
    xcb_configure_notify_event_t notice{};
    notice.response_type = XCB_CONFIGURE_NOTIFY;
    notice.event = window;
    notice.window = window;
    notice.above_sibling = XCB_NONE;
    notice.x = origin->dst_x;
    notice.y = origin->dst_y;
    notice.width = geometry->width;
    notice.height = geometry->height;
    notice.border_width = geometry->border_width;
    xcb_send_event(connection, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&notice));
    xcb_flush(connection);
}

} // namespace corvane
