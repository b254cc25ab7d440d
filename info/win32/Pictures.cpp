// SPDX-License-Identifier: MIT
#include "info/win32/Pictures.h"

#include "resources/win32/ResourceIds.h"

#include <utility>
#include <wincodec.h>

namespace orv::win32 {

namespace {

// Releases a COM interface at the end of a scope.
template <class T> class Com
{
public:
    Com() = default;
    ~Com()
    {
        if (m_pointer)
            m_pointer->Release();
    }
    Com(const Com &) = delete;
    Com &operator=(const Com &) = delete;
    T **out() { return &m_pointer; }
    T *operator->() const { return m_pointer; }
    T *get() const { return m_pointer; }

private:
    T *m_pointer = nullptr;
};

} // namespace

int pictureResource(std::string_view file)
{
    static constexpr std::pair<std::string_view, int> pictures[]
        = { { "banner.svg", IDR_PICTURE_BANNER }, { "side.svg", IDR_PICTURE_SIDE },
              { "footer.svg", IDR_PICTURE_FOOTER }, { "clipboard.svg", IDR_PICTURE_CLIPBOARD } };
    for (const auto &[name, resource] : pictures) {
        if (name == file)
            return resource;
    }
    return 0;
}

HBITMAP loadPicture(int resource, int width, int height)
{
    if (resource == 0 || width <= 0 || height <= 0)
        return nullptr;
    const HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found
        = FindResourceW(module, MAKEINTRESOURCEW(resource), MAKEINTRESOURCEW(10)); // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    auto *bytes = loaded ? static_cast<BYTE *>(LockResource(loaded)) : nullptr;
    if (!bytes)
        return nullptr;

    Com<IWICImagingFactory> factory;
    Com<IWICStream> stream;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    Com<IWICBitmapScaler> scaler;
    Com<IWICFormatConverter> converter;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
            IID_IWICImagingFactory, reinterpret_cast<void **>(factory.out())))
        || FAILED(factory->CreateStream(stream.out()))
        || FAILED(stream->InitializeFromMemory(bytes, SizeofResource(module, found)))
        || FAILED(factory->CreateDecoderFromStream(
            stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.out()))
        || FAILED(decoder->GetFrame(0, frame.out()))
        || FAILED(factory->CreateBitmapScaler(scaler.out()))
        || FAILED(scaler->Initialize(frame.get(), static_cast<UINT>(width),
            static_cast<UINT>(height), WICBitmapInterpolationModeFant))
        || FAILED(factory->CreateFormatConverter(converter.out()))
        || FAILED(converter->Initialize(scaler.get(), GUID_WICPixelFormat32bppPBGRA,
            WICBitmapDitherTypeNone, nullptr, 0, WICBitmapPaletteTypeCustom)))
        return nullptr;

    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down, as the converter writes its rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return nullptr;
    const UINT stride = static_cast<UINT>(width) * 4;
    if (FAILED(converter->CopyPixels(
            nullptr, stride, stride * static_cast<UINT>(height), static_cast<BYTE *>(bits)))) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}

void drawPicture(HDC dc, HBITMAP picture, int x, int y)
{
    BITMAP size {};
    if (!picture || !GetObjectW(picture, sizeof size, &size))
        return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, picture);
    const BLENDFUNCTION blend { AC_SRC_OVER, 0, 255, AC_SRC_ALPHA };
    AlphaBlend(
        dc, x, y, size.bmWidth, size.bmHeight, source, 0, 0, size.bmWidth, size.bmHeight, blend);
    SelectObject(source, previous);
    DeleteDC(source);
}

} // namespace orv::win32
