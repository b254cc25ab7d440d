// SPDX-License-Identifier: MIT
#include "browser/win32/frmBrowser.h"

#include "browser/ToolbarDesign.h"
#include "browser/win32/WindowParts.h"
#include "core/Application.h"
#include "core/Failure.h"
#include "core/Steps.h"
#include "info/win32/frmInfoFenster.h"
#include "modules/SettingsStore.h"
#include "modules/modDeclare.h"
#include "modules/win32/WindowPlacement.h"
#include "platform/Utf8.h"
#include "platform/win32/Font.h"
#include "resources/Texts.h"
#include "resources/win32/ResourceIds.h"

#include <algorithm>

namespace orv::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"frmBrowser";

// The design's client area, 10440 x 4980 twips, in pixels at 96 dpi.
constexpr int kDesignClientWidth = 696;
constexpr int kDesignClientHeight = 332;

} // namespace

frmBrowser::frmBrowser(Hosts hosts, SettingsStore &store, const WebControlFactory &makeControl)
    : m_hosts(std::move(hosts)), m_store(store), m_makeControl(makeControl)
{
    WNDCLASSEXW windowClass {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &frmBrowser::windowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(IDI_APP));
    windowClass.hIconSm
        = static_cast<HICON>(LoadImageW(windowClass.hInstance, MAKEINTRESOURCEW(IDI_APP),
            IMAGE_ICON, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);
    // No caption at design time: the rules give it before the window shows.
    m_window = CreateWindowExW(0, kWindowClass, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
        windowClass.hInstance, this);
    if (!m_window)
        fail(FailureCode::ControlFailed, "the browser window cannot be made");
}

frmBrowser::~frmBrowser()
{
    if (m_window)
        DestroyWindow(m_window);
    if (m_font)
        DeleteObject(m_font);
}

void frmBrowser::create()
{
    m_band = std::make_unique<CommandBand>(m_window);
    m_statusBand = std::make_unique<StatusBand>(m_window);
    m_message = makeChild(m_window, WC_EDITW,
        WS_CLIPSIBLINGS | ES_MULTILINE | ES_READONLY | ES_NOHIDESEL, kMessageId);
    m_band->raiseLists();
    applyDpi();
    m_band->addTools();

    m_statusBand->updateClock();
    SetTimer(m_window, kClockTimer, 1000, nullptr);

    try {
        m_control = m_makeControl(m_window, *this, *this);
    } catch (const Failure &) {
        ControlUnavailable(ControlProblem::StartFailed, E_FAIL);
    }
    if (!m_control)
        m_control = makeMissingWebControl(m_window, *this, *this);
    m_rules = std::make_unique<BrowserWindowRules>(m_hosts, *m_control, *this);
}

void frmBrowser::applyDpi()
{
    const UINT dpi = GetDpiForWindow(m_window);
    if (m_font)
        DeleteObject(m_font);
    m_font = makeFont(platform::fromUtf8(toolbar::fontFamily), toolbar::fontPoints, dpi);
    for (HWND control : { m_statusBand->handle(), m_message })
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
    m_band->applyDpi(dpi, m_font);
}

void frmBrowser::load(const std::string &commandLine)
{
    // The design size for the monitor's DPI, which a stored placement replaces.
    const UINT dpi = GetDpiForWindow(m_window);
    RECT frame { 0, 0, scaled(kDesignClientWidth, dpi), scaled(kDesignClientHeight, dpi) };
    AdjustWindowRectExForDpi(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0, dpi);
    SetWindowPos(m_window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_loaded = true;
    guarded([&] {
        m_rules->Form_Load(commandLine);
        StepRunner steps("load step");
        steps.step([&] {
            HwndPlacementWindow window(m_window);
            LoadWindowPlacement(window, m_store);
        });
    });
    layout();
}

void frmBrowser::show(int showCommand)
{
    if (!IsWindowVisible(m_window))
        ShowWindow(m_window, showCommand);
    UpdateWindow(m_window);
}

void frmBrowser::Form_Unload()
{
    runUntrapped("storing the window placement", [&] {
        const HwndPlacementWindow window(m_window);
        SaveWindowPlacement(window, m_store);
    });
    runUntrapped("storing the window placement", [&] { m_store.flush(); });
}

void frmBrowser::layout()
{
    if (!m_band)
        return; // sizes the system sends before the children exist
    const UINT dpi = GetDpiForWindow(m_window);
    RECT client;
    GetClientRect(m_window, &client);
    const int bandHeight = m_band->layout(client.right, dpi);
    const int statusHeight = m_statusBand->layout(client.right, dpi, m_font);

    // The browser area between the bands.
    const RECT area { 0, bandHeight, client.right,
        std::max(static_cast<LONG>(bandHeight), client.bottom - statusHeight) };
    MoveWindow(
        m_message, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
    RECT textRect { 0, 0, area.right - area.left, area.bottom - area.top };
    InflateRect(&textRect, -scaled(24, dpi), -scaled(16, dpi));
    SendMessageW(m_message, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&textRect));
    const RECT twips { pixelsToTwips(area.left, dpi), pixelsToTwips(area.top, dpi),
        pixelsToTwips(area.right - area.left, dpi), pixelsToTwips(area.bottom - area.top, dpi) };
    if (m_loaded && m_control && !EqualRect(&twips, &m_reportedArea)) {
        m_reportedArea = twips;
        guarded([&] { m_control->Move(twips.left, twips.top, twips.right, twips.bottom); });
    }
}

void frmBrowser::setCaption(const std::string &caption)
{
    SetWindowTextW(m_window, platform::fromUtf8(caption).c_str());
}

void frmBrowser::setToolEnabled(std::string_view tool, bool enabled)
{
    m_band->setToolEnabled(tool, enabled);
}

void frmBrowser::setStatusText(const std::string &text)
{
    m_statusBand->setText(text);
}

void frmBrowser::setCategoryList(const std::vector<std::string> &entries)
{
    m_band->setCategoryList(entries);
}

void frmBrowser::selectCategory(int position)
{
    m_band->selectCategory(position);
}

void frmBrowser::setAddressText(const std::string &text)
{
    m_band->address().setText(text);
}

void frmBrowser::addHistoryEntry(const std::string &text)
{
    m_band->address().addEntry(text);
}

void frmBrowser::moveHistoryEntryToFront(int index)
{
    m_band->address().moveEntryToFront(index);
}

void frmBrowser::markHistoryEntry(int index)
{
    m_band->address().markEntry(index);
}

void frmBrowser::setMeterAreaVisible(bool visible)
{
    m_statusBand->meterSurface().setAreaVisible(visible);
}

void frmBrowser::closeWindow()
{
    PostMessageW(m_window, WM_CLOSE, 0, 0);
}

void frmBrowser::showInfoWindow()
{
    // Returns when the Info window has closed; this window takes no input meanwhile.
    frmInfoFenster::ShowModal(
        { m_hosts.MainHost, &platform::systemPlatform(), application::versionMajor,
            application::versionMinor, application::versionRevision },
        m_window);
}

} // namespace orv::win32
