// SPDX-License-Identifier: MIT
// The Win32 backend for real (under Wine here): the contract's preparations
// (registry values written by the test, the probe program, memory device
// contexts, boxes and the shell's dialogs answered by another thread), and
// what only this backend does: windows found, shown and hidden.
#include "Contract.h"
#include "Expect.h"
#include "platform/win32/Win32Platform.h"
#include "sysutil/orvClassWindows.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <shlobj.h>
#include <thread>
#include <windows.h>

using namespace orv;
using namespace orv::test;
namespace fs = std::filesystem;

namespace {

std::string folderOfSelf()
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    return fs::path(self).parent_path().string();
}

// Runs answer on another thread every 20 ms until it returns true or the guard goes.
std::shared_ptr<void> answering(std::function<bool()> answer)
{
    struct Thread
    {
        std::atomic<bool> done = false;
        std::thread thread;
        ~Thread()
        {
            done = true;
            thread.join();
        }
    };
    auto running = std::make_shared<Thread>();
    running->thread = std::thread([&done = running->done, answer] {
        while (!done && !answer())
            Sleep(20);
    });
    return running;
}

class Win32Backend : public Backend
{
public:
    Win32Backend()
    {
        m_dir = fs::temp_directory_path() / ("orvel-test-" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(m_dir);
    }
    ~Win32Backend() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\OrvelBrowserTest");
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }
    std::unique_ptr<Platform> make() override { return std::make_unique<Win32Platform>(); }
    std::wstring path(const std::string &name) override { return (m_dir / name).wstring(); }
    std::uint32_t platformId() override { return 2; } // every system this build runs on is NT
    std::unique_ptr<Platform> seededRegistry() override
    {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\OrvelBrowserTest", 0, nullptr, 0, KEY_WRITE,
            nullptr, &key, nullptr);
        const DWORD number = 0x11F;
        const std::string longText(1500, 'x');
        RegSetValueExA(key, "Text", 0, REG_SZ, reinterpret_cast<const BYTE *>("Hallo"), 6);
        RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&number), 4);
        RegSetValueExA(
            key, "Long", 0, REG_SZ, reinterpret_cast<const BYTE *>(longText.c_str()), 1501);
        const std::wstring wide = L"Gr\u00FC\u00DFe";
        RegSetValueExW(key, L"Wide", 0, REG_SZ, reinterpret_cast<const BYTE *>(wide.c_str()), 12);
        RegCloseKey(key);
        return make();
    }
    std::wstring probe(const std::wstring &out, const std::wstring &arguments) override
    {
        return L'"' + probeProgram() + L"\" \"" + out + L"\" " + arguments;
    }
    ShellTarget shellTarget(const std::wstring &out) override
    {
        return { probeProgram(), L'"' + out + L"\" shell", "shell" };
    }
    std::pair<std::wstring, std::wstring> writer(const std::wstring &out) override
    {
        return { L"C:\\windows\\system32\\cmd.exe", L"/c echo ran> \"" + out + L'"' };
    }
    std::shared_ptr<void> confirmDialogs() override
    {
        // The class's flags let the shell ask before deleting: Yes to each.
        return answering([] {
            DWORD owner = 0;
            const HWND box = FindWindowA("#32770", nullptr);
            if (box && GetWindowThreadProcessId(box, &owner) && owner == GetCurrentProcessId())
                PostMessageA(box, WM_COMMAND, IDYES, 0);
            return false;
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
    std::wstring writeHidden(const std::wstring &folder) override
    {
        writeFile(folder + L"\\two.txt", "2");
        SetFileAttributesW((folder + L"\\two.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
        return L"two.txt";
    }
    DeviceContext surface(int size, std::uint32_t colour) override
    {
        const HDC screen = GetDC(nullptr);
        const HDC dc = CreateCompatibleDC(screen);
        SelectObject(dc, CreateCompatibleBitmap(screen, size, size));
        ReleaseDC(nullptr, screen);
        const HBRUSH brush = CreateSolidBrush(colour);
        const RECT all { 0, 0, size, size };
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        return DeviceContext(reinterpret_cast<INT_PTR>(dc));
    }
    void setPixel(DeviceContext dc, int x, int y, std::uint32_t colour) override
    {
        SetPixel(HDC(INT_PTR(dc)), x, y, colour);
    }
    std::uint32_t pixel(DeviceContext dc, int x, int y) override
    {
        return GetPixel(HDC(INT_PTR(dc)), x, y);
    }
    std::unique_ptr<Platform> withoutScriptShell(int *&attempts) override
    {
        auto platform = std::make_unique<NoScriptShell<Win32Platform>>();
        platform->systemFolder = fs::path(folderOfSelf() + "\\server").wstring();
        attempts = &platform->attempts;
        return platform;
    }
    void setEnvironment(const char *name, const std::string &value) override
    {
        SetEnvironmentVariableA(name, value.empty() ? nullptr : value.c_str());
    }
    std::wstring documents() override
    {
        wchar_t folder[MAX_PATH] = {};
        SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, folder);
        return folder;
    }
    std::shared_ptr<void> answerBox(const std::wstring &caption, std::wstring &text) override
    {
        return answering([caption, &text] {
            const HWND box = FindWindowW(L"#32770", caption.c_str());
            wchar_t shown[64] = {};
            if (box && GetDlgItemTextW(box, 0xFFFF, shown, 64))
                text = shown;
            return box && PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
    }

private:
    std::wstring probeProgram()
    {
        return fs::path(folderOfSelf() + "\\orvel_showprobe.exe").wstring();
    }

    fs::path m_dir;
};

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM w, LPARAM l)
{
    return DefWindowProcA(window, message, w, l);
}

HWND createWindow(const char *className, const char *title)
{
    WNDCLASSA windowClass {};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass); // a second registration fails harmlessly
    return CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW, 40, 30, 300, 200, nullptr,
        nullptr, windowClass.hInstance, nullptr);
}

} // namespace

Backend &orv::test::backend()
{
    static Win32Backend backend;
    return backend;
}

TEST_CASE("windows are found by class and title; the taskbar is hidden and shown")
{
    Win32Platform platform;
    const HWND empty = createWindow("OrvelTestWindow", "");
    const HWND titled = createWindow("OrvelTestWindow", "Orvel Fenster 4711");
    const auto handle = [](HWND window) {
        return WindowHandle(reinterpret_cast<INT_PTR>(window));
    };
    CHECK(platform.findWindow(L"OrvelTestWindow", L"") == handle(empty));
    CHECK(platform.findWindow(std::nullopt, L"Orvel Fenster 4711") == handle(titled));
    CHECK(platform.findWindow(L"OrvelTestWindow", L"Orvel Fenster 4712") == 0);
    CHECK(platform.findWindow(L"OrvelNoSuchClass", std::nullopt) == 0);
    DestroyWindow(empty);
    DestroyWindow(titled);
    // A taskbar of the test's own, where the system has none.
    if (FindWindowA("Shell_TrayWnd", ""))
        return;
    const HWND taskbar = createWindow("Shell_TrayWnd", "");
    ShowWindow(taskbar, SW_SHOWNOACTIVATE);
    orvClassWindows object(platform);
    object.SetStartleiste();
    CHECK_FALSE(IsWindowVisible(taskbar));
    object.SetStartleiste(true);
    CHECK(IsWindowVisible(taskbar));
    object.SetStartleiste(false);
    CHECK_FALSE(IsWindowVisible(taskbar));
    DestroyWindow(taskbar);
    object.SetStartleiste(true); // no taskbar: nothing happens
}

TEST_CASE("file information: versions, short names, the property sheet's answer")
{
    Win32Platform platform;
    orvClassWindows object(platform);
    std::wstring dll = L"C:\\windows\\system32\\kernel32.dll",
                 plain = backend().path("with blank.txt");
    writeFile(plain, "x");
    const std::wstring version = object.GetFileVersion(dll);
    CHECK(std::count(version.begin(), version.end(), L'.') == 3);
    CHECK(object.GetFileVersion(plain) == L"-");
    CHECK(object.GetFileVersion(dll, 3) == L"");
    CHECK_FALSE(object.GetShortFileName(plain).empty());
    CHECK(object.GetShortFileName(backend().path("missing.txt")) == L"");
    std::int32_t window = 0;
    CHECK(object.ShowFileProperties(window, &dll) != 0); // the shell always answers something
}
