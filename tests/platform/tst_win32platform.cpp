// SPDX-License-Identifier: MIT
// The Win32 backend for real (under Wine here): the contract's preparations
// (registry values written by the test, the probe program, memory device
// contexts, the shell's dialogs answered by another thread, real windows for
// the control adapters), and what only this backend does: windows found,
// shown and hidden.
#include "Contract.h"
#include "Expect.h"
#include "platform/SystemPlatform.h"
#include "sysutil/controls/SystemControls.h"

#include <algorithm>
#include <filesystem>
#include <shlobj.h>
#include <thread>
#include <windows.h>

using namespace orv;
using namespace orv::test;
namespace fs = std::filesystem;

namespace {

std::wstring besideSelf(const char *name)
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    return (fs::path(self).parent_path() / name).make_preferred().wstring();
}

HWND createWindow(const char *className, const char *title)
{
    WNDCLASSA windowClass {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass); // a second registration fails harmlessly
    return CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW, 40, 30, 300, 200, nullptr,
        nullptr, windowClass.hInstance, nullptr);
}

// Real windows (under Wine here, with the null graphics driver).
class Win32Controls : public Controls
{
public:
    Win32Controls() : m_window(createWindow("OrvelControlsForm", "Form"))
    {
        ShowWindow(m_window, SW_SHOW);
    }
    ~Win32Controls() override { DestroyWindow(m_window); }

    ComboBoxObject &combo(std::int32_t scaleMode, int entries) override
    {
        m_form = std::make_unique<controls::SystemForm>(m_window, scaleMode);
        DestroyWindow(m_box);
        m_box = CreateWindowExA(0, "COMBOBOX", "",
            WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, 10, 20, 4, 24, m_window, nullptr,
            GetModuleHandleA(nullptr), nullptr);
        for (int i = 0; i < entries; ++i)
            SendMessageA(
                m_box, CB_ADDSTRING, 0, LPARAM(std::string(std::size_t(i + 1), 'W').c_str()));
        m_combo = std::make_unique<controls::SystemComboBox>(m_box, *m_form);
        return *m_combo;
    }
    std::array<int, 4> comboPlace() override
    {
        // How far the box reaches down is its dropped list's rectangle.
        RECT box {}, dropped {};
        GetWindowRect(m_box, &box);
        POINT corner { box.left, box.top };
        ScreenToClient(m_window, &corner);
        SendMessageA(m_box, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        return { corner.x, corner.y, box.right - box.left, dropped.bottom - dropped.top };
    }
    int listWidth() override { return int(SendMessageA(m_box, CB_GETDROPPEDWIDTH, 0, 0)); }
    double textWidth(const std::wstring &text) override
    {
        // The form's font is the default one: a form sets none.
        const HDC dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SIZE extent {};
        GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
        DeleteDC(dc);
        return extent.cx;
    }

private:
    HWND m_window = nullptr, m_box = nullptr;
    std::unique_ptr<controls::SystemForm> m_form;
    std::unique_ptr<controls::SystemComboBox> m_combo;
};

class Win32Backend : public Backend
{
public:
    ~Win32Backend() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\OrvelBrowserTest"); }
    std::unique_ptr<Platform> make() override { return std::make_unique<SystemPlatform>(); }
    std::unique_ptr<Platform> seededRegistry() override
    {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\OrvelBrowserTest", 0, nullptr, 0, KEY_WRITE,
            nullptr, &key, nullptr);
        const DWORD number = 0x11F;
        RegSetValueExA(key, "Text", 0, REG_SZ, reinterpret_cast<const BYTE *>("Hallo"), 6);
        RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&number), 4);
        RegSetValueExA(key, "Long", 0, REG_SZ,
            reinterpret_cast<const BYTE *>(std::string(1500, 'x').c_str()), 1501);
        RegSetValueExW(
            key, L"Wide", 0, REG_SZ, reinterpret_cast<const BYTE *>(L"Gr\u00FC\u00DFe"), 12);
        RegCloseKey(key);
        return make();
    }
    std::wstring probe() override { return besideSelf("orvel_showprobe.exe"); }
    std::tuple<std::wstring, std::optional<std::wstring>, std::string> shellTarget(
        const std::wstring &out) override
    {
        return { probe(), L'"' + out + L"\" shell", "shell" };
    }
    std::shared_ptr<void> confirmDialogs() override
    {
        // The class's flags let the shell ask before deleting: Yes to each,
        // from another thread.
        return std::make_shared<std::jthread>([](std::stop_token stop) {
            for (DWORD owner = 0; !stop.stop_requested(); Sleep(20)) {
                const HWND box = FindWindowA("#32770", nullptr);
                if (box && GetWindowThreadProcessId(box, &owner) && owner == GetCurrentProcessId())
                    PostMessageA(box, WM_COMMAND, IDYES, 0);
            }
        });
    }
    std::wstring binned(const std::string &name) override
    {
        // Wine's recycle bin is the host's freedesktop trash.
        const char *data = std::getenv("XDG_DATA_HOME");
        return (fs::path("Z:" + std::string(data ? data : "/nowhere")) / "Trash/files" / name)
            .make_preferred()
            .wstring();
    }
    std::shared_ptr<void> holdOpen(const std::wstring &file, bool &refuses) override
    {
        refuses = true;
        const HANDLE other = CreateFileW(file.c_str(), GENERIC_READ,
            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        return std::shared_ptr<void>(other, CloseHandle);
    }
    void setWriteTime(const std::wstring &file) override
    {
        const SYSTEMTIME local { 2024, 3, 0, 9, 9, 5, 7, 800 };
        FILETIME localTime {}, utc {};
        SystemTimeToFileTime(&local, &localTime);
        LocalFileTimeToFileTime(&localTime, &utc);
        const HANDLE handle = CreateFileW(
            file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        SetFileTime(handle, nullptr, nullptr, &utc);
        CloseHandle(handle);
    }
    void hide(const std::wstring &file) override
    {
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN);
    }
    DeviceContext surface(int size, std::uint32_t colour) override
    {
        const HDC screen = GetDC(nullptr);
        const HDC dc = CreateCompatibleDC(screen);
        SelectObject(dc, CreateCompatibleBitmap(screen, size, size));
        ReleaseDC(nullptr, screen);
        SetDCBrushColor(dc, colour);
        const RECT all { 0, 0, size, size };
        FillRect(dc, &all, HBRUSH(GetStockObject(DC_BRUSH)));
        return DeviceContext(reinterpret_cast<INT_PTR>(dc));
    }
    std::uint32_t pixel(DeviceContext dc, int x, int y) override
    {
        return GetPixel(HDC(INT_PTR(dc)), x, y);
    }
    std::wstring server() override { return besideSelf("server\\wshom.ocx"); }
    std::wstring documents() override
    {
        wchar_t folder[MAX_PATH] = {};
        SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, folder);
        return folder;
    }
    std::unique_ptr<Controls> controls() override { return std::make_unique<Win32Controls>(); }
};

} // namespace

Backend &orv::test::backend()
{
    static Win32Backend backend;
    return backend;
}

TEST_CASE_FIXTURE(WithClass, "windows by class and title, the taskbar hidden and shown; versions")
{
    const HWND titled = createWindow("OrvelTestWindow", "Orvel Fenster 4711");
    CHECK(platform->findWindow(L"OrvelTestWindow", L"Orvel Fenster 4711")
        == WindowHandle(reinterpret_cast<INT_PTR>(titled)));
    CHECK(platform->findWindow(std::nullopt, L"Orvel Fenster 4712") == 0);
    DestroyWindow(titled);
    std::wstring dll = L"C:\\windows\\system32\\kernel32.dll", version = object.GetFileVersion(dll);
    CHECK(std::count(version.begin(), version.end(), L'.') == 3);
    CHECK(object.GetFileVersion(dll, 3) == L"");
    // A taskbar of the test's own, where the system has none.
    if (FindWindowA("Shell_TrayWnd", ""))
        return;
    const HWND taskbar = createWindow("Shell_TrayWnd", "");
    ShowWindow(taskbar, SW_SHOWNOACTIVATE);
    object.SetStartleiste();
    CHECK_FALSE(IsWindowVisible(taskbar));
    object.SetStartleiste(true);
    CHECK(IsWindowVisible(taskbar));
    DestroyWindow(taskbar);
    object.SetStartleiste(true); // no taskbar: nothing happens
}
