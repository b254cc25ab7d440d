// SPDX-License-Identifier: MIT
#include "platform/posix/Objects.h"

#include <map>
#include <memory>
#include <mutex>

namespace orv::platform::posix {

namespace {

struct Bitmap
{
    QImage image;
    bool monochrome = false;
};

struct Context
{
    QImage *surface = nullptr; // a registered surface, or
    std::shared_ptr<Bitmap> bitmap; // the selected bitmap of a memory context
    GdiObject selected = 0;
    std::uint32_t background = 0xFFFFFF; // white
    std::uint32_t text = 0; // black
};

struct Registry
{
    std::mutex mutex;
    std::map<WindowHandle, QPointer<QWidget>> widgets;
    std::map<DeviceContext, Context> contexts;
    std::map<GdiObject, std::shared_ptr<Bitmap>> bitmaps;
    WindowHandle nextWindow = 0x10010;
    DeviceContext nextContext = 0x20010;
    GdiObject nextObject = 0x30010;
};

Registry &registry()
{
    static Registry instance;
    return instance;
}

std::shared_ptr<Bitmap> newBitmap(std::int32_t width, std::int32_t height, bool monochrome)
{
    auto bitmap = std::make_shared<Bitmap>();
    bitmap->image = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    // A new monochrome bitmap is black, as the system's are.
    bitmap->image.fill(Qt::black);
    bitmap->monochrome = monochrome;
    return bitmap;
}

QImage *imageLocked(Registry &r, DeviceContext dc)
{
    const auto found = r.contexts.find(dc);
    if (found == r.contexts.end())
        return nullptr;
    if (found->second.surface)
        return found->second.surface;
    return found->second.bitmap ? &found->second.bitmap->image : nullptr;
}

bool monochromeLocked(Registry &r, DeviceContext dc)
{
    const auto found = r.contexts.find(dc);
    return found != r.contexts.end() && !found->second.surface && found->second.bitmap
        && found->second.bitmap->monochrome;
}

} // namespace

QRgb toQRgb(std::uint32_t colour)
{
    return qRgb(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

std::uint32_t fromQRgb(QRgb rgb)
{
    return std::uint32_t(qRed(rgb)) | (std::uint32_t(qGreen(rgb)) << 8)
        | (std::uint32_t(qBlue(rgb)) << 16);
}

WindowHandle registerWidget(QWidget *widget)
{
    Registry &r = registry();
    const std::lock_guard lock(r.mutex);
    for (const auto &[handle, known] : r.widgets) {
        if (known == widget)
            return handle;
    }
    const WindowHandle handle = r.nextWindow++;
    r.widgets[handle] = widget;
    return handle;
}

QWidget *widgetOf(WindowHandle window)
{
    Registry &r = registry();
    const std::lock_guard lock(r.mutex);
    const auto found = r.widgets.find(window);
    return found == r.widgets.end() ? nullptr : found->second.data();
}

DeviceContext registerSurface(QImage *image)
{
    Registry &r = registry();
    const std::lock_guard lock(r.mutex);
    const DeviceContext dc = r.nextContext++;
    r.contexts[dc].surface = image;
    return dc;
}

void unregisterSurface(DeviceContext dc)
{
    Registry &r = registry();
    const std::lock_guard lock(r.mutex);
    r.contexts.erase(dc);
}

QImage *imageOf(DeviceContext dc)
{
    Registry &r = registry();
    const std::lock_guard lock(r.mutex);
    return imageLocked(r, dc);
}

DeviceContext createCompatibleDc(DeviceContext)
{
    Registry &r = registry();
    const std::lock_guard lock(r.mutex);
    const DeviceContext dc = r.nextContext++;
    // A new memory context holds a 1 x 1 monochrome bitmap of its own.
    r.contexts[dc].bitmap = newBitmap(1, 1, true);
    return dc;
}

GdiObject createBitmap(std::int32_t width, std::int32_t height, bool monochrome)
{
    if (width < 0 || height < 0)
        return 0;
    Registry &r = registry();
    const std::lock_guard lock(r.mutex);
    const GdiObject object = r.nextObject++;
    r.bitmaps[object] = newBitmap(width, height, monochrome);
    return object;
}

GdiObject createCompatibleBitmap(DeviceContext dc, std::int32_t width, std::int32_t height)
{
    bool monochrome = false;
    {
        Registry &r = registry();
        const std::lock_guard lock(r.mutex);
        monochrome = monochromeLocked(r, dc);
    }
    return createBitmap(width, height, monochrome);
}

GdiObject selectObject(DeviceContext dc, GdiObject object)
{
    Registry &r = registry();
    const std::lock_guard lock(r.mutex);
    const auto context = r.contexts.find(dc);
    if (context == r.contexts.end() || context->second.surface)
        return 0;
    std::shared_ptr<Bitmap> bitmap;
    if (object != 0) {
        const auto found = r.bitmaps.find(object);
        if (found == r.bitmaps.end())
            return 0;
        bitmap = found->second;
    } else {
        return 0;
    }
    const GdiObject previous = context->second.selected;
    // The context's own first bitmap gets a handle when it is handed out.
    GdiObject handed = previous;
    if (handed == 0) {
        handed = r.nextObject++;
        r.bitmaps[handed] = context->second.bitmap;
    }
    context->second.bitmap = bitmap;
    context->second.selected = object;
    return handed;
}

bool deleteObject(GdiObject object)
{
    Registry &r = registry();
    const std::lock_guard lock(r.mutex);
    return r.bitmaps.erase(object) == 1;
}

bool deleteDc(DeviceContext dc)
{
    Registry &r = registry();
    const std::lock_guard lock(r.mutex);
    const auto found = r.contexts.find(dc);
    if (found == r.contexts.end() || found->second.surface)
        return false;
    r.contexts.erase(found);
    return true;
}

std::uint32_t setBkColor(DeviceContext dc, std::uint32_t colour)
{
    Registry &r = registry();
    const std::lock_guard lock(r.mutex);
    const auto found = r.contexts.find(dc);
    if (found == r.contexts.end())
        return 0xFFFFFFFF; // CLR_INVALID
    return std::exchange(found->second.background, colour & 0xFFFFFF);
}

bool bitBlt(DeviceContext target, std::int32_t x, std::int32_t y, std::int32_t width,
    std::int32_t height, DeviceContext source, std::int32_t sourceX, std::int32_t sourceY,
    std::uint32_t rasterOperation)
{
    Registry &r = registry();
    const std::lock_guard lock(r.mutex);
    QImage *to = imageLocked(r, target);
    QImage *from = imageLocked(r, source);
    if (!to || !from)
        return false;
    const bool toMono = monochromeLocked(r, target);
    const bool fromMono = monochromeLocked(r, source);
    const Context &sourceContext = r.contexts[source];
    const Context &targetContext = r.contexts[target];
    // A copy of the source, so that a context copied onto itself reads the
    // pixels as they were.
    const QImage input = from->copy();
    for (std::int32_t row = 0; row < height; ++row) {
        for (std::int32_t column = 0; column < width; ++column) {
            const std::int64_t tx = std::int64_t(x) + column, ty = std::int64_t(y) + row;
            const std::int64_t sx = std::int64_t(sourceX) + column;
            const std::int64_t sy = std::int64_t(sourceY) + row;
            if (tx < 0 || ty < 0 || tx >= to->width() || ty >= to->height())
                continue;
            std::uint32_t s = 0;
            if (sx >= 0 && sy >= 0 && sx < input.width() && sy < input.height())
                s = fromQRgb(input.pixel(int(sx), int(sy)));
            if (!fromMono && toMono)
                s = s == sourceContext.background ? 0xFFFFFF : 0;
            else if (fromMono && !toMono)
                s = s != 0 ? targetContext.background : targetContext.text;
            const std::uint32_t d = fromQRgb(to->pixel(int(tx), int(ty)));
            std::uint32_t result = 0;
            switch (rasterOperation) {
            case 0xCC0020: // SRCCOPY
                result = s;
                break;
            case 0x330008: // NOTSRCCOPY
                result = ~s;
                break;
            case 0x8800C6: // SRCAND
                result = s & d;
                break;
            case 0x660046: // SRCPAINT
                result = s | d;
                break;
            default:
                return false;
            }
            result &= 0xFFFFFF;
            if (toMono)
                result = result != 0 ? 0xFFFFFF : 0;
            to->setPixel(int(tx), int(ty), toQRgb(result));
        }
    }
    return true;
}

} // namespace orv::platform::posix
