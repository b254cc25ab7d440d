// SPDX-License-Identifier: MIT
// The Win32 adapters under the utility class, on real windows (under Wine
// here, with the null graphics driver): a COMBOBOX window resized and its
// list widened, file icons drawn into a STATIC picture window, and a
// transparent copy between two picture boxes.
#include "Watchdog.h"
#include "platform/win32/Win32Controls.h"
#include "platform/win32/Win32Platform.h"
#include "sysutil/orvClassWindows.h"

#include <QTest>

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <windows.h>

using namespace orv;
using namespace orv::platform;
using orv::test::Watchdog;
using namespace orv::platform::win32;

namespace {

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM w, LPARAM l)
{
    return DefWindowProcA(window, message, w, l);
}

HWND createChild(HWND parent, const char *className, DWORD style, int x, int y, int w, int h)
{
    return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
        nullptr, GetModuleHandleA(nullptr), nullptr);
}

// The points of a bitmap that differ from the background.
int drawnPixels(HBITMAP bitmap, COLORREF background)
{
    if (!bitmap)
        return 0;
    BITMAP info {};
    GetObjectA(bitmap, sizeof info, &info);
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    int count = 0;
    for (int y = 0; y < info.bmHeight; ++y) {
        for (int x = 0; x < info.bmWidth; ++x)
            count += GetPixel(dc, x, y) != background ? 1 : 0;
    }
    SelectObject(dc, previous);
    DeleteDC(dc);
    return count;
}

COLORREF pixelOf(HBITMAP bitmap, int x, int y)
{
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    const COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return colour;
}

} // namespace

class TestWin32Controls : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_watchdog = std::make_unique<Watchdog>(std::chrono::seconds(60));
        WNDCLASSA windowClass {};
        windowClass.lpfnWndProc = windowProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "OrvelControlsForm";
        RegisterClassA(&windowClass);
        m_form = CreateWindowExA(0, windowClass.lpszClassName, "Form", WS_OVERLAPPEDWINDOW, 40, 30,
            400, 300, nullptr, nullptr, windowClass.hInstance, nullptr);
        QVERIFY(m_form != nullptr);
        ShowWindow(m_form, SW_SHOW);
    }
    void cleanupTestCase()
    {
        DestroyWindow(m_form);
        m_watchdog.reset();
    }

    void comboBoxHeight()
    {
        const HWND window = createChild(m_form, "COMBOBOX", CBS_DROPDOWNLIST, 10, 20, 120, 100);
        QVERIFY(window != nullptr);
        // The window's height includes the dropped list; where the list ends
        // against the box differs between systems, so the change is compared.
        const auto droppedBottom = [&] {
            RECT dropped {};
            SendMessageA(window, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            return std::int32_t(dropped.bottom);
        };
        const std::int32_t before = droppedBottom();
        Win32Platform platform;
        orvClassWindows object(platform);
        Win32Form form(m_form);
        Win32ComboBox combo(window, form);
        object.SetComboBoxHeight(combo, 150);
        QCOMPARE(droppedBottom() - before, 50);
        // Place and width stay.
        RECT closed {};
        GetWindowRect(window, &closed);
        POINT corner { closed.left, closed.top };
        ScreenToClient(m_form, &corner);
        QCOMPARE(std::int32_t(corner.x), 10);
        QCOMPARE(std::int32_t(corner.y), 20);
        QCOMPARE(std::int32_t(closed.right - closed.left), 120);
        DestroyWindow(window);
    }

    void comboListWidth_data()
    {
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("scaleMode");
        QTest::addColumn<double>("fixWidth");
        QTest::addColumn<int>("expected"); // -1: the longest entry's width decides
        // clang-format off
        QTest::newRow("fixed pixels, half down to even") << 0 << 3 << 100.5  << 100;
        QTest::newRow("fixed pixels, half up to even")   << 0 << 3 << 101.5  << 102;
        QTest::newRow("fixed twips")                     << 0 << 1 << 1500.0 << 100;
        QTest::newRow("eight entries: margin only")      << 8 << 3 << -1.0   << -1;
        QTest::newRow("nine entries: and a scroll bar")  << 9 << 3 << -1.0   << -1;
        QTest::newRow("nine entries, form in twips")     << 9 << 1 << -1.0   << -1;
        // clang-format on
    }
    void comboListWidth()
    {
        QFETCH(int, entries);
        QFETCH(int, scaleMode);
        QFETCH(double, fixWidth);
        QFETCH(int, expected);
        // Narrower than any width asked for: the list is never held to the box's width.
        const HWND window
            = createChild(m_form, "COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 10, 20, 30, 100);
        QVERIFY(window != nullptr);
        std::string longest;
        for (int i = 0; i < entries; ++i) {
            longest.assign(std::size_t(i + 1), 'W');
            SendMessageA(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(longest.c_str()));
        }
        const HDC screen = GetDC(m_form);
        QCOMPARE(GetDeviceCaps(screen, LOGPIXELSX), 96); // the rows' pixel numbers assume it
        Win32Platform platform;
        orvClassWindows object(platform);
        Win32Form form(m_form, scaleMode);
        Win32ComboBox combo(window, form);
        if (fixWidth >= 0) {
            object.ComboSetListWidth(combo, fixWidth, scaleMode);
        } else {
            object.ComboSetListWidth(combo);
            // Measured in the form's font (the default one: a form sets none).
            const HGDIOBJ previous = SelectObject(screen, GetStockObject(DEFAULT_GUI_FONT));
            SIZE extent {};
            GetTextExtentPoint32A(screen, longest.c_str(), int(longest.size()), &extent);
            SelectObject(screen, previous);
            expected = int(std::nearbyint(double(extent.cx) + 5 + (entries > 8 ? 15 : 0)));
        }
        ReleaseDC(m_form, screen);
        QCOMPARE(std::int32_t(SendMessageA(window, CB_GETDROPPEDWIDTH, 0, 0)), expected);
        DestroyWindow(window);
    }

    void fileIcons()
    {
        const HWND window = createChild(m_form, "STATIC", SS_BITMAP, 150, 20, 40, 40);
        QVERIFY(window != nullptr);
        Win32Platform platform;
        orvClassWindows object(platform);
        Win32PictureBox picture(window);
        // The class asks for the file's second icon (index 1). Wine gives no
        // icon then for a file with one icon or none (Windows falls back on a
        // default one); the shell's library has many.
        char system[MAX_PATH] = {};
        GetSystemDirectoryA(system, MAX_PATH);
        std::wstring file = platform.fromSystemText(std::string(system) + "\\shell32.dll");

        object.GetFileIcon(picture, file);
        QVERIFY(picture.picture() != nullptr);
        QVERIFY(reinterpret_cast<HBITMAP>(SendMessageA(window, STM_GETIMAGE, IMAGE_BITMAP, 0))
            == picture.picture());
        QVERIFY(drawnPixels(picture.picture(), picture.background()) > 0);

        // The system image list: the flags are kept as they are; what this
        // system answers is recorded, and a picture is drawn exactly when it
        // answers with a list.
        for (const bool large : { false, true }) {
            const bool found = object.GetFileIconEx(picture, file, large);
            std::fprintf(stdout, "INFO   : GetFileIconEx (%s icon) under this system: %s\n",
                large ? "large" : "small", found ? "drawn" : "no image list");
            QCOMPARE(drawnPixels(picture.picture(), picture.background()) > 0, found);
        }
        DestroyWindow(window);
    }

    void transparentCopy()
    {
        const HWND sourceWindow = createChild(m_form, "STATIC", SS_BITMAP, 0, 100, 4, 4);
        const HWND targetWindow = createChild(m_form, "STATIC", SS_BITMAP, 0, 120, 6, 6);
        Win32PictureBox source(sourceWindow);
        Win32PictureBox target(targetWindow);
        const auto fill = [](const Win32PictureBox &picture, int size, COLORREF colour) {
            const HBRUSH brush = CreateSolidBrush(colour);
            const RECT all { 0, 0, size, size };
            FillRect(reinterpret_cast<HDC>(INT_PTR(picture.hDC())), &all, brush);
            DeleteObject(brush);
        };
        // Source: a red point on green, the transparent colour; target: blue.
        fill(source, 4, RGB(0, 255, 0));
        SetPixel(reinterpret_cast<HDC>(INT_PTR(source.hDC())), 1, 1, RGB(255, 0, 0));
        fill(target, 6, RGB(0, 0, 255));
        Win32Platform platform;
        orvClassWindows object(platform);
        std::int32_t out = target.hDC(), dst = target.hDC(), src = source.hDC();
        std::int32_t x = 0, y = 0, xx = 3, yy = 3, colour = RGB(0, 255, 0);
        object.TranspPic(out, dst, src, x, y, xx, yy, 2, 1, colour);
        target.PictureFromImage();
        QCOMPARE(pixelOf(target.picture(), 3, 2), RGB(255, 0, 0));
        QCOMPARE(pixelOf(target.picture(), 2, 1), RGB(0, 0, 255));
        QCOMPARE(pixelOf(target.picture(), 4, 3), RGB(0, 0, 255));
        DestroyWindow(sourceWindow);
        DestroyWindow(targetWindow);
    }

private:
    std::unique_ptr<Watchdog> m_watchdog;
    HWND m_form = nullptr;
};

QTEST_APPLESS_MAIN(TestWin32Controls)
#include "tst_win32controls.moc"
