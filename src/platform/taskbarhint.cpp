#include "platform/taskbarhint.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

namespace TaskbarHint {
namespace {

xcb_atom_t internAtom(xcb_connection_t *connection, const char *name)
{
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(qstrlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}

} // namespace

void apply(QWidget *window, bool skipTaskbar)
{
    if (!window || !window->testAttribute(Qt::WA_WState_Created) ||
        QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    const auto nativeWindow = static_cast<xcb_window_t>(window->winId());
    // Atoms never change for a display connection: one round trip each per process.
    static const xcb_atom_t stateAtom = internAtom(connection, "_NET_WM_STATE");
    static const xcb_atom_t skipAtom = internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    if (stateAtom == XCB_ATOM_NONE || skipAtom == XCB_ATOM_NONE)
        return;

    if (window->isVisible() && window->windowHandle() && window->windowHandle()->isExposed()) {
        // A mapped window's state belongs to the window manager: ask it.
        xcb_client_message_event_t event = {};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = nativeWindow;
        event.type = stateAtom;
        event.data.data32[0] = skipTaskbar ? 1 : 0; // _NET_WM_STATE_ADD / _REMOVE
        event.data.data32[1] = skipAtom;
        event.data.data32[3] = 1; // source: normal application
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        xcb_send_event(connection, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&event));
    } else {
        // Before mapping the property is ours to write. Qt adds the states it
        // manages itself (such as stays-on-top) when it maps the window and
        // keeps ours, so writing just our state loses nothing.
        if (skipTaskbar)
            xcb_change_property(connection, XCB_PROP_MODE_REPLACE, nativeWindow, stateAtom,
                                XCB_ATOM_ATOM, 32, 1, &skipAtom);
        else
            xcb_delete_property(connection, nativeWindow, stateAtom);
    }
    xcb_flush(connection);
}

} // namespace TaskbarHint
