// SPDX-License-Identifier: MIT
#include "info/win32/frmInfoFenster.h"

#include "core/Failure.h"
#include "info/win32/InfoControls.h"
#include "info/win32/ModalLoop.h"
#include "platform/Utf8.h"
#include "resources/Texts.h"
#include "resources/win32/ResourceIds.h"

namespace orv::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"frmInfoFenster";

// Only one Info window at a time, even if a second request slipped through.
bool g_open = false;

void registerClasses(HINSTANCE instance)
{
    WNDCLASSEXW windowClass {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP));
    windowClass.lpfnWndProc = &InfoWindowProc::windowProc;
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass); // fails harmlessly when it exists
    windowClass.hIcon = nullptr;
    windowClass.lpfnWndProc = &InfoWindowProc::partProc;
    windowClass.lpszClassName = kPartClass;
    RegisterClassExW(&windowClass);
}

} // namespace

frmInfoFenster::frmInfoFenster(const Dependencies &dependencies, HWND owner)
    : m_deps(dependencies), m_rules(*this, m_deps.MainHost, m_deps.platform),
      m_parts(
          m_deps.MainHost, { m_deps.versionMajor, m_deps.versionMinor, m_deps.versionRevision }),
      m_proc(m_parts, m_gdi, m_rules)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    registerClasses(instance);
    // On the owner's monitor, so that the window takes that monitor's DPI.
    RECT ownerRect {};
    GetWindowRect(owner, &ownerRect);
    const HWND window = CreateWindowExW(WS_EX_DLGMODALFRAME, kWindowClass,
        platform::fromUtf8(texts::info::title).c_str(),
        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, ownerRect.left, ownerRect.top, 0, 0,
        owner, nullptr, instance, &m_proc);
    if (!window)
        fail(FailureCode::ControlFailed, "the Info window cannot be made");
    try {
        createPartWindows(window, m_parts);
    } catch (...) {
        // The destructor does not run for an object that was never made.
        DestroyWindow(window);
        throw;
    }
    applyDpi(window, m_parts, m_gdi);
    centreOnMonitor(owner);
    m_rules.Form_Load();
}

frmInfoFenster::~frmInfoFenster()
{
    if (const HWND window = m_proc.window())
        DestroyWindow(window);
}

void frmInfoFenster::ShowModal(const Dependencies &dependencies, HWND owner)
{
    if (g_open)
        return;
    g_open = true;
    struct Reset
    {
        ~Reset() { g_open = false; }
    } reset;

    frmInfoFenster window(dependencies, owner);
    // Ends before the window goes: the owner is enabled again first.
    ModalLoop modal(owner);
    modal.run(window.m_proc);
}

void frmInfoFenster::centreOnMonitor(HWND owner)
{
    const HWND window = m_proc.window();
    MONITORINFO monitor {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner ? owner : window, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT outer;
    GetWindowRect(window, &outer);
    const RECT &area = monitor.rcMonitor;
    const double twipsPerPixel = 1440.0 / m_gdi.dpi();
    const info::ScreenPoint at = info::centredPlace(
        { area.left, area.top, area.right - area.left, area.bottom - area.top },
        outer.right - outer.left, outer.bottom - outer.top, twipsPerPixel, twipsPerPixel);
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmInfoFenster::setFrameVisible(info::Frame frame, bool visible)
{
    if (const Part *part = m_parts.find(info::frameName(frame)); part && part->window)
        ShowWindow(part->window, visible ? SW_SHOWNA : SW_HIDE);
}

void frmInfoFenster::showLook(std::string_view panel, const info::Look &look)
{
    if (Part *part = m_parts.find(panel))
        applyLook(*part, look);
}

platform::WindowHandle frmInfoFenster::handle() const
{
    return static_cast<platform::WindowHandle>(reinterpret_cast<std::intptr_t>(m_proc.window()));
}

} // namespace orv::win32
