// SPDX-License-Identifier: MIT
#pragma once

// What code above the platform layer needs of the Linux backend's handles:
// the widgets application, and Qt widgets and images registered under the
// 32-bit window handles and device contexts the class passes around. Qt's
// types are only named here, so this header needs no Qt include path.

#include "platform/Platform.h"

class QApplication;
class QImage;
class QWidget;

namespace orv::platform::posix {

// The widgets application the clipboard, icons and dialogs need: the
// program's own, or one made on first use when there is a display (a
// command-line program); nullptr without either.
QApplication *widgetApplication();

// A widget under a window handle for as long as it lives.
WindowHandle registerWidget(QWidget *widget);
QWidget *widgetOf(WindowHandle window);

// An image a caller draws on (a picture box's surface) as a device context.
// The image must outlive its registration; unregister before destroying it.
DeviceContext registerSurface(QImage *image);
void unregisterSurface(DeviceContext dc);
// The image behind a device context (a surface or a memory context's
// bitmap); nullptr for none.
QImage *imageOf(DeviceContext dc);

} // namespace orv::platform::posix
