// SPDX-License-Identifier: MIT
#include "app/StartupNotification.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QWidget>

#include <cstring>
#include <xcb/xcb.h>

namespace orv::app {

namespace {

const QByteArray kX11 = "x11:";
const QByteArray kWayland = "wayland:";

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, false, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

// A startup message goes to the root window in pieces of 20 bytes, the
// first of type _NET_STARTUP_INFO_BEGIN, the rest _NET_STARTUP_INFO; the
// text ends with its NUL.
void sendStartupMessage(
    xcb_connection_t *connection, xcb_window_t root, xcb_window_t sender, const QByteArray &text)
{
    const xcb_atom_t begin = atom(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = atom(connection, "_NET_STARTUP_INFO");
    const QByteArray message = text + '\0';
    for (qsizetype offset = 0; offset < message.size(); offset += 20) {
        xcb_client_message_event_t event = {};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 8;
        event.window = sender;
        event.type = offset == 0 ? begin : more;
        std::memcpy(event.data.data8, message.constData() + offset,
            size_t(qMin<qsizetype>(20, message.size() - offset)));
        xcb_send_event(connection, false, root, XCB_EVENT_MASK_PROPERTY_CHANGE,
            reinterpret_cast<const char *>(&event));
    }
}

// Blanks, quotes and backslashes in a value are escaped with a backslash.
QByteArray quoted(const QByteArray &value)
{
    QByteArray result;
    for (const char c : value) {
        if (c == ' ' || c == '"' || c == '\\')
            result += '\\';
        result += c;
    }
    return result;
}

void activateOnX11(QWidget *window, const QByteArray &id)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return;
    xcb_connection_t *connection = x11->connection();
    const xcb_window_t wid = xcb_window_t(window->winId());
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    // The launch's time, which a launcher puts in the id ("..._TIME1234"):
    // the window manager lets a window come forward for a request that is
    // not older than the user's last action elsewhere.
    const QRegularExpressionMatch time
        = QRegularExpression(QStringLiteral("_TIME(\\d+)")).match(QString::fromUtf8(id));
    const uint32_t timestamp
        = time.hasMatch() ? time.captured(1).toUInt() : uint32_t(XCB_CURRENT_TIME);

    xcb_client_message_event_t event = {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = wid;
    event.type = atom(connection, "_NET_ACTIVE_WINDOW");
    event.data.data32[0] = 1; // asked by the application
    event.data.data32[1] = timestamp;
    xcb_send_event(connection, false, screen->root,
        XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
        reinterpret_cast<const char *>(&event));
    sendStartupMessage(connection, screen->root, wid, "remove: ID=" + quoted(id));
    xcb_flush(connection);
}

} // namespace

QByteArray launchId()
{
    if (const QByteArray x11 = qgetenv("DESKTOP_STARTUP_ID"); !x11.isEmpty())
        return kX11 + x11;
    if (const QByteArray wayland = qgetenv("XDG_ACTIVATION_TOKEN"); !wayland.isEmpty())
        return kWayland + wayland;
    return {};
}

void activateForLaunch(QWidget *window, const QByteArray &id)
{
    if (window->isMinimized())
        return;
    window->raise();
    if (id.startsWith(kX11)) {
        activateOnX11(window, id.mid(kX11.size()));
        return;
    }
    // The Wayland platform takes the token from the environment for the
    // next activation and then drops it.
    if (id.startsWith(kWayland))
        qputenv("XDG_ACTIVATION_TOKEN", id.mid(kWayland.size()));
    window->activateWindow();
}

} // namespace orv::app
