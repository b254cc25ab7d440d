// SPDX-License-Identifier: MIT
#pragma once

// The launcher's startup notification. A desktop that starts the program
// gives it an id (DESKTOP_STARTUP_ID on X11, XDG_ACTIVATION_TOKEN on
// Wayland); the first window ends that notification when it shows (the
// toolkit does this itself). A later start that hands its line over passes
// its id on, and the running window uses it: it ends the launcher's
// notification and asks to be activated with the time of the user's launch,
// which the window manager's focus rules accept.

#include <QByteArray>

class QWidget;

namespace orv::app {

// This start's id, DESKTOP_STARTUP_ID or else XDG_ACTIVATION_TOKEN, prefixed
// with its kind ("x11:" or "wayland:"); empty when the launcher gave none.
QByteArray launchId();

// Raises and activates the window for a later start with the given id (as
// launchId() wrote it), and ends that start's notification.
void activateForLaunch(QWidget *window, const QByteArray &id);

} // namespace orv::app
