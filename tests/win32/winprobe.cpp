// SPDX-License-Identifier: MIT
// Reads the browser window of another process the way an accessibility tool
// would, for the window tests, which drive it with real X input: its
// caption, its child windows, the command band's tools and the status
// band's panes, one line each, in UTF-8, rectangles in screen pixels:
//   window CAPTION | rect L T R B
//   state enabled|disabled            (whether the window takes input)
//   child CLASS ID visible|hidden enabled|disabled L T R B | TEXT
//   tool INDEX enabled|disabled L T R B | TEXT
//   pane INDEX | TEXT
//   item ID INDEX | TEXT              (the entries of each combo box)
//   menu open                         (a pop-up menu shows, as the system menu)
// Controls that keep their texts in their own process (toolbar, status
// bar, combo lists) are read through memory lent in that process.
// "winprobe info" reads the Info window (window, state and child lines);
// "winprobe clipboard" prints the clipboard's text with CR and LF written
// as \r and \n. Exit code 1: no such window, or no text.
#include "platform/Utf8.h"

#include <windows.h>
// After windows.h, which it needs.
#include <array>
#include <commctrl.h>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>

namespace {

class RemoteMemory
{
public:
    explicit RemoteMemory(HWND window)
    {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        m_process = OpenProcess(
            PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process);
        if (m_process)
            m_memory = VirtualAllocEx(m_process, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteMemory()
    {
        if (m_memory)
            VirtualFreeEx(m_process, m_memory, 0, MEM_RELEASE);
        if (m_process)
            CloseHandle(m_process);
    }
    // Emptied first: a control that writes nothing must not show what was there.
    LPARAM address() const
    {
        static const std::array<char, kSize> zeros {};
        WriteProcessMemory(m_process, m_memory, zeros.data(), kSize, nullptr);
        return reinterpret_cast<LPARAM>(m_memory);
    }
    template <class T> T read() const
    {
        T value {};
        ReadProcessMemory(m_process, m_memory, &value, sizeof value, nullptr);
        return value;
    }
    std::string text() const
    {
        auto buffer = read<std::array<wchar_t, kSize / sizeof(wchar_t)>>();
        buffer.back() = L'\0';
        return orv::platform::toUtf8(buffer.data());
    }
    static constexpr std::size_t kSize = 8192;

private:
    HANDLE m_process = nullptr;
    void *m_memory = nullptr;
};

// WM_GETTEXT itself: GetWindowText gives only the captions of another
// process's windows, not what its controls hold.
std::string textOf(HWND window)
{
    wchar_t text[4096] = L"";
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(
        window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &copied);
    return orv::platform::toUtf8(text);
}

// One line: what the test's grep sees must not be split.
std::string oneLine(std::string text)
{
    for (char &c : text) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return text;
}

void printRect(const RECT &r)
{
    std::printf("%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
}

void printToolbar(HWND toolbar, const RemoteMemory &remote)
{
    const int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        SendMessageW(toolbar, TB_GETBUTTON, i, remote.address());
        const auto button = remote.read<TBBUTTON>();
        SendMessageW(toolbar, TB_GETITEMRECT, i, remote.address());
        RECT r = remote.read<RECT>();
        MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT *>(&r), 2);
        std::string text;
        if (!(button.fsStyle & BTNS_SEP)
            && SendMessageW(toolbar, TB_GETBUTTONTEXTW, button.idCommand, 0) > 0) {
            SendMessageW(toolbar, TB_GETBUTTONTEXTW, button.idCommand, remote.address());
            text = remote.text();
        }
        std::printf("tool %d %s ", i, (button.fsState & TBSTATE_ENABLED) ? "enabled" : "disabled");
        printRect(r);
        std::printf(" | %s\n", text.c_str());
    }
}

BOOL CALLBACK printChild(HWND child, LPARAM context)
{
    const RemoteMemory &remote = *reinterpret_cast<RemoteMemory *>(context);
    wchar_t className[128] = L"";
    GetClassNameW(child, className, 128);
    RECT r;
    GetWindowRect(child, &r);
    const int id = GetDlgCtrlID(child);
    std::printf("child %s %d %s %s ", orv::platform::toUtf8(className).c_str(), id,
        IsWindowVisible(child) ? "visible" : "hidden",
        IsWindowEnabled(child) ? "enabled" : "disabled");
    printRect(r);
    std::printf(" | %s\n", oneLine(textOf(child)).c_str());
    const std::wstring name = className;
    if (name == TOOLBARCLASSNAMEW)
        printToolbar(child, remote);
    if (name == STATUSCLASSNAMEW) {
        const int parts = static_cast<int>(SendMessageW(child, SB_GETPARTS, 0, 0));
        for (int i = 0; i < parts; ++i) {
            SendMessageW(child, SB_GETTEXTW, i, remote.address());
            std::printf("pane %d | %s\n", i, oneLine(remote.text()).c_str());
        }
    }
    if (name == WC_COMBOBOXW) {
        const int count = static_cast<int>(SendMessageW(child, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            if (SendMessageW(child, CB_GETLBTEXTLEN, i, 0) * sizeof(wchar_t) >= RemoteMemory::kSize)
                continue;
            // Wine carries this message's text across processes itself, as
            // it does WM_GETTEXT; Windows writes into the lent memory.
            std::array<wchar_t, RemoteMemory::kSize / sizeof(wchar_t)> local {};
            SendMessageW(child, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(local.data()));
            local.back() = L'\0';
            std::string text = orv::platform::toUtf8(local.data());
            if (text.empty()) {
                SendMessageW(child, CB_GETLBTEXT, i, remote.address());
                text = remote.text();
            }
            std::printf("item %d %d | %s\n", id, i, text.c_str());
        }
    }
    return TRUE;
}

int printClipboard()
{
    if (!OpenClipboard(nullptr))
        return 1;
    std::string text;
    bool found = false;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto *wide = static_cast<const wchar_t *>(GlobalLock(data))) {
            found = true;
            for (const char c : orv::platform::toUtf8(wide))
                text += c == '\r' ? std::string("\\r")
                    : c == '\n'   ? std::string("\\n")
                                  : std::string(1, c);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    if (!found)
        return 1;
    std::printf("clipboard | %s\n", text.c_str());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    // Lines end in LF alone, as the shell that reads them expects.
    _setmode(_fileno(stdout), _O_BINARY);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "clipboard")
        return printClipboard();
    HWND window = FindWindowW(mode == "info" ? L"frmInfoFenster" : L"frmBrowser", nullptr);
    if (!window)
        return 1;
    RemoteMemory remote(window);
    RECT r;
    GetWindowRect(window, &r);
    std::printf("window %s | rect ", oneLine(textOf(window)).c_str());
    printRect(r);
    std::printf("\nstate %s\n", IsWindowEnabled(window) ? "enabled" : "disabled");
    EnumChildWindows(window, printChild, reinterpret_cast<LPARAM>(&remote));
    for (HWND menu = nullptr; (menu = FindWindowExW(nullptr, menu, L"#32768", nullptr));) {
        if (IsWindowVisible(menu))
            return std::printf("menu open\n"), 0;
    }
    return 0;
}
