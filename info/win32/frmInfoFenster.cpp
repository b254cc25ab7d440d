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
    centreOnMonitor();

    m_rules.ShowCurrentPage();
    // The page and the country shown keep the look the pointer gives.
    applyLook(m_parts.panel(m_rules.CurrentPage()), info::hoverLook(info::Role::Navigation));
    applyLook(m_parts.panel(m_rules.CurrentCountry()), info::hoverLook(info::Role::Country));
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

void frmInfoFenster::centreOnMonitor()
{
    const HWND window = m_proc.window();
    MONITORINFO monitor {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT outer;
    GetWindowRect(window, &outer);
    const RECT &screen = monitor.rcMonitor;
    SetWindowPos(window, nullptr,
        screen.left + (screen.right - screen.left - (outer.right - outer.left)) / 2,
        screen.top + (screen.bottom - screen.top - (outer.bottom - outer.top)) / 2, 0, 0,
        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmInfoFenster::setFrameVisible(info::Frame frame, bool visible)
{
    if (const Part *part = m_parts.find(info::frameName(frame)); part && part->window)
        ShowWindow(part->window, visible ? SW_SHOWNA : SW_HIDE);
}

void frmInfoFenster::showNormalLook(info::Page page)
{
    applyLook(m_parts.panel(page), info::normalLook(info::Role::Navigation));
}

void frmInfoFenster::showNormalLook(info::Country country)
{
    applyLook(m_parts.panel(country), info::normalLook(info::Role::Country));
}

platform::WindowHandle frmInfoFenster::handle() const
{
    return static_cast<platform::WindowHandle>(reinterpret_cast<std::intptr_t>(m_proc.window()));
}

} // namespace orv::win32
