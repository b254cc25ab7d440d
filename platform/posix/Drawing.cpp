// SPDX-License-Identifier: MIT
// The Linux backend's windows and drawing: Qt widgets and images behind the
// window handles and device contexts.
#include "platform/posix/Objects.h"
#include "platform/posix/Services.h"
#include "platform/posix/State.h"

#include <QComboBox>
#include <QListView>
#include <QWidget>

namespace orv::platform {

using namespace posix;

std::int32_t SystemPlatform::getWindowText(
    WindowHandle window, std::string &buffer, std::int32_t length)
{
    QWidget *widget = posix::widgetOf(window);
    if (!widget || length <= 0)
        return 0;
    const std::string title = widget->windowTitle().toStdString();
    if (buffer.size() < std::size_t(length))
        buffer.resize(std::size_t(length), '\0');
    const std::size_t count = std::min(title.size(), std::size_t(length - 1));
    std::copy_n(title.begin(), count, buffer.begin());
    buffer[count] = '\0';
    return static_cast<std::int32_t>(count);
}

bool SystemPlatform::getWindowRect(WindowHandle window, Rect &rect)
{
    QWidget *widget = posix::widgetOf(window);
    if (!widget)
        return false;
    const QPoint corner = widget->mapToGlobal(QPoint(0, 0));
    rect = { corner.x(), corner.y(), corner.x() + widget->width(), corner.y() + widget->height() };
    return true;
}

bool SystemPlatform::screenToClient(WindowHandle window, Point &point)
{
    QWidget *widget = posix::widgetOf(window);
    if (!widget)
        return false;
    const QPoint local = widget->mapFromGlobal(QPoint(point.x, point.y));
    point = { local.x(), local.y() };
    return true;
}

bool SystemPlatform::moveWindow(WindowHandle window, std::int32_t x, std::int32_t y,
    std::int32_t width, std::int32_t height, bool repaint)
{
    QWidget *widget = posix::widgetOf(window);
    if (!widget)
        return false;
    widget->setGeometry(x, y, width, height);
    if (repaint)
        widget->update();
    return true;
}

std::intptr_t SystemPlatform::sendMessage(
    WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t)
{
    auto *combo = qobject_cast<QComboBox *>(posix::widgetOf(window));
    // CB_SETDROPPEDWIDTH: the list's minimum width in pixels.
    if (!combo || message != 0x160)
        return -1; // CB_ERR
    const int width = int(std::min<std::uintptr_t>(wParam, 0x7FFFFFFF));
    combo->view()->setMinimumWidth(width);
    return width;
}

DeviceContext SystemPlatform::createCompatibleDc(DeviceContext dc)
{
    return posix::createCompatibleDc(dc);
}

GdiObject SystemPlatform::createBitmap(
    std::int32_t width, std::int32_t height, std::uint32_t planes, std::uint32_t bitsPerPixel)
{
    return posix::createBitmap(width, height, planes == 1 && bitsPerPixel == 1);
}

GdiObject SystemPlatform::createCompatibleBitmap(
    DeviceContext dc, std::int32_t width, std::int32_t height)
{
    return posix::createCompatibleBitmap(dc, width, height);
}

GdiObject SystemPlatform::selectObject(DeviceContext dc, GdiObject object)
{
    return posix::selectObject(dc, object);
}

bool SystemPlatform::deleteObject(GdiObject object)
{
    return posix::deleteObject(object);
}

bool SystemPlatform::deleteDc(DeviceContext dc)
{
    return posix::deleteDc(dc);
}

std::uint32_t SystemPlatform::setBkColor(DeviceContext dc, std::uint32_t colour)
{
    return posix::setBkColor(dc, colour);
}

bool SystemPlatform::bitBlt(DeviceContext target, std::int32_t x, std::int32_t y,
    std::int32_t width, std::int32_t height, DeviceContext source, std::int32_t sourceX,
    std::int32_t sourceY, std::uint32_t rasterOperation)
{
    return posix::bitBlt(target, x, y, width, height, source, sourceX, sourceY, rasterOperation);
}

} // namespace orv::platform
