#include "shell/WindowManagerClose.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QTimer>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace corvane::shell {

namespace {

quint32 internAtom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 1, quint16(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const quint32 atom = reply ? reply->atom : 0;
    std::free(reply);
    return atom;
}

} // namespace

WindowManagerClose::WindowManagerClose(QWidget* window) : m_window(window)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return; // not on X11: nothing to watch
    m_protocolsAtom = internAtom(x11->connection(), "WM_PROTOCOLS");
    m_deleteWindowAtom = internAtom(x11->connection(), "WM_DELETE_WINDOW");
    if (m_protocolsAtom && m_deleteWindowAtom)
        qApp->installNativeEventFilter(this);
}

WindowManagerClose::~WindowManagerClose()
{
    if (qApp)
        qApp->removeNativeEventFilter(this);
}

namespace {

// The top bit of an X event's response type marks one another client sent.
constexpr std::uint8_t EventCodeMask = 0x7f;
// WM_PROTOCOLS messages carry their atoms as 32-bit values.
constexpr std::uint8_t AtomFormat = 32;
// More boxes than the program ever stacks on one another.
constexpr int MostStackedBoxes = 32;

} // namespace

bool WindowManagerClose::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t" || !m_window || !m_window->windowHandle())
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & EventCodeMask) != XCB_CLIENT_MESSAGE)
        return false;
    const auto* request = reinterpret_cast<const xcb_client_message_event_t*>(event);
    if (request->format != AtomFormat || request->type != m_protocolsAtom ||
        request->data.data32[0] != m_deleteWindowAtom || request->window != m_window->winId())
        return false;
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == m_window)
        return false; // Qt delivers it to the close query itself
    closeOverBoxes();
    return true;
}

void WindowManagerClose::closeOverBoxes()
{
    // Each box's own wait returns once its loop runs again; the close comes
    // after, from the loop the boxes were opened from.
    for (int guard = 0; guard < MostStackedBoxes; ++guard) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == m_window)
            break;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->done(QDialog::Rejected);
        else
            modal->hide();
    }
    QTimer::singleShot(0, m_window.data(), [window = m_window] {
        if (window)
            window->close();
    });
}

} // namespace corvane::shell
