// SPDX-License-Identifier: MIT
#include "browser/win32/frmBrowser.h"

#include "browser/win32/MissingControlText.h"
#include "core/Application.h"
#include "core/Failure.h"
#include "core/Steps.h"
#include "info/win32/frmInfoFenster.h"
#include "modules/SettingsStore.h"
#include "modules/modDeclare.h"
#include "modules/win32/WindowPlacement.h"
#include "platform/Utf8.h"
#include "resources/Texts.h"
#include "resources/win32/ResourceIds.h"

#include <algorithm>
#include <array>
#include <commctrl.h>
#include <cwchar>
#include <iterator>

namespace orv::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"frmBrowser";

enum ControlId : int {
    kToolbarId = 200,
    kCategoryId, // ID_Seite
    kAddressId, // txtEingabe
    kStatusId,
    kMessageId,
    kFirstToolId = 1000, // + the tool's index in kTools
};

enum Message : UINT { kRunPageKey = WM_APP + 1 };
constexpr UINT_PTR kClockTimer = 1;

struct ToolDesign
{
    enum Kind { Button, Separator, Combo };
    const char *name;
    Kind kind;
    const wchar_t *text; // the caption, or the tip where the caption is not shown
    bool captionShown;
    int icon;
};

// The command band's tools in their order; the address box follows them.
constexpr std::array kTools {
    ToolDesign { "ID_Beenden", ToolDesign::Button, L"Beenden", true, IDI_TOOL_EXIT },
    ToolDesign { "Tool5", ToolDesign::Separator, L"", false, 0 },
    ToolDesign { "ID_Zurück", ToolDesign::Button, L"Zurück", true, IDI_TOOL_BACK },
    ToolDesign { "ID_Vorwärts", ToolDesign::Button, L"Vorwärts", false, IDI_TOOL_FORWARD },
    ToolDesign { "Tool8", ToolDesign::Separator, L"", false, 0 },
    ToolDesign { "ID_Stop", ToolDesign::Button, L"Stop", true, IDI_TOOL_STOP },
    ToolDesign { "ID_Aktualisieren", ToolDesign::Button, L"Aktualisieren", true, IDI_TOOL_REFRESH },
    ToolDesign { "ID_Seite", ToolDesign::Combo, L"Kategorie", false, 0 },
    ToolDesign { "ID_Info", ToolDesign::Button, L"Info", false, IDI_TOOL_INFO },
};
constexpr int kAddressSlot = static_cast<int>(kTools.size());

// Sizes at 96 dpi, scaled to the window's DPI. The design's client area is
// 10440 x 4980 twips; the meter's frame 2325 twips wide.
constexpr int kDesignClientWidth = 696;
constexpr int kDesignClientHeight = 332;
constexpr int kMeterWidth = 155;
constexpr int kCategoryWidth = 150;
constexpr int kAddressMinimumWidth = 120;
constexpr int kListHeight = 300;
constexpr int kIconSize = 16;

int scaled(int pixels, UINT dpi)
{
    return MulDiv(pixels, static_cast<int>(dpi), 96);
}

std::wstring windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool dropped(HWND combo)
{
    return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

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
    if (m_images)
        ImageList_Destroy(m_images);
}

template <class Call> void frmBrowser::guarded(Call &&call)
{
    try {
        call();
    } catch (const Failure &failure) {
        const std::wstring text = L"Laufzeitfehler " + std::to_wstring(failure.number()) + L":\r\n"
            + platform::fromUtf8(failure.what());
        MessageBoxW(m_window, text.c_str(), application::wideTitle, MB_OK | MB_ICONERROR);
    } catch (const std::exception &failure) {
        MessageBoxW(m_window, platform::fromUtf8(failure.what()).c_str(), application::wideTitle,
            MB_OK | MB_ICONERROR);
    }
}

LRESULT CALLBACK frmBrowser::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *self
            = static_cast<frmBrowser *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto *self = reinterpret_cast<frmBrowser *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->handleMessage(message, wParam, lParam);
}

LRESULT frmBrowser::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        create();
        return 0;
    case WM_SIZE:
        layout();
        return 0;
    case WM_DPICHANGED: {
        applyDpi();
        const RECT *suggested = reinterpret_cast<const RECT *>(lParam);
        SetWindowPos(m_window, nullptr, suggested->left, suggested->top,
            suggested->right - suggested->left, suggested->bottom - suggested->top,
            SWP_NOZORDER | SWP_NOACTIVATE);
        layout();
        return 0;
    }
    case WM_COMMAND:
        command(wParam, lParam);
        return 0;
    case WM_TIMER:
        if (wParam == kClockTimer)
            updateClock();
        return 0;
    case kRunPageKey:
        runKey(keyCommand(
            static_cast<UINT>(wParam), (lParam & 1) != 0, (lParam & 2) != 0, (lParam & 4) != 0));
        return 0;
    case WM_ACTIVATE:
        // Back in the window, the keyboard returns to where it was.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focused = GetFocus();
            m_lastFocus = focused && IsChild(m_window, focused) ? focused : nullptr;
        }
        break;
    case WM_SETFOCUS:
        if (m_lastFocus && IsWindow(m_lastFocus) && IsChild(m_window, m_lastFocus))
            SetFocus(m_lastFocus);
        else if (m_controlMissing || !m_control)
            SetFocus(m_address);
        else
            m_control->focus();
        return 0;
    case WM_CTLCOLORSTATIC:
        // The message in the browser area reads like a page, not like a dialog.
        if (reinterpret_cast<HWND>(lParam) == m_message) {
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
            SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        }
        break;
    case WM_CLOSE:
        // Closing is never refused; the placement is stored first.
        guarded([&] { Form_Unload(); });
        DestroyWindow(m_window);
        return 0;
    case WM_DESTROY:
        KillTimer(m_window, kClockTimer);
        // The engine's window goes while its container still exists.
        m_control.reset();
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        m_window = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void frmBrowser::create()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const auto child = [&](DWORD exStyle, const wchar_t *className, DWORD style, int id) {
        HWND made = CreateWindowExW(exStyle, className, L"", WS_CHILD | style, 0, 0, 0, 0, m_window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        if (!made)
            fail(FailureCode::ControlFailed, "a control of the browser window cannot be made");
        return made;
    };
    // Created in design order: command band, browser control, meter, address box.
    m_toolbar = child(0, TOOLBARCLASSNAMEW,
        WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS | CCS_TOP
            | CCS_NODIVIDER,
        kToolbarId);
    SendMessageW(m_toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // Buttons without a shown caption show their text as the tip.
    SendMessageW(
        m_toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS | TBSTYLE_EX_DOUBLEBUFFER);
    m_category = child(
        0, WC_COMBOBOXW, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, kCategoryId);
    m_status = child(0, STATUSCLASSNAMEW, WS_VISIBLE | WS_CLIPSIBLINGS | SBARS_SIZEGRIP, kStatusId);
    m_message = child(
        0, WC_EDITW, WS_CLIPSIBLINGS | ES_MULTILINE | ES_READONLY | ES_NOHIDESEL, kMessageId);
    m_meter = std::make_unique<MeterSurface>(m_status);
    m_meterCanvas = std::make_unique<MeterSurfaceCanvas>(*m_meter);
    m_address = child(0, WC_COMBOBOXW,
        WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, kAddressId);
    // Above the toolbar, whose slots they fill.
    SetWindowPos(m_category, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(m_address, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    applyDpi();

    std::array<TBBUTTON, kTools.size() + 1> buttons {};
    int image = 0;
    for (std::size_t i = 0; i < kTools.size(); ++i) {
        const ToolDesign &tool = kTools[i];
        TBBUTTON &button = buttons[i];
        button.idCommand = kFirstToolId + static_cast<int>(i);
        button.fsState = TBSTATE_ENABLED;
        if (tool.kind == ToolDesign::Button) {
            button.iBitmap = image++;
            button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | (tool.captionShown ? BTNS_SHOWTEXT : 0);
            button.iString = reinterpret_cast<INT_PTR>(tool.text);
        } else {
            button.fsStyle = BTNS_SEP; // a combo's slot has the combo's width, set by the layout
        }
    }
    buttons.back().idCommand = kFirstToolId + kAddressSlot;
    buttons.back().fsStyle = BTNS_SEP;
    buttons.back().fsState = TBSTATE_ENABLED;
    SendMessageW(
        m_toolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));

    // Nothing to go back or forward to and nothing loading before the first report.
    for (const std::string_view tool : { names::idZurueck, names::idVorwaerts, names::idStop })
        setToolEnabled(tool, false);

    updateClock();
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
    NONCLIENTMETRICSW metrics {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    if (m_font)
        DeleteObject(m_font);
    m_font = CreateFontIndirectW(&metrics.lfMessageFont);
    for (HWND control : { m_toolbar, m_category, m_address, m_status, m_message })
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);

    const int size = scaled(kIconSize, dpi);
    HIMAGELIST images
        = ImageList_Create(size, size, ILC_COLOR32, static_cast<int>(kTools.size()), 0);
    for (const ToolDesign &tool : kTools) {
        if (tool.kind != ToolDesign::Button)
            continue;
        auto icon = static_cast<HICON>(LoadImageW(
            GetModuleHandleW(nullptr), MAKEINTRESOURCEW(tool.icon), IMAGE_ICON, size, size, 0));
        ImageList_AddIcon(images, icon);
        DestroyIcon(icon);
    }
    SendMessageW(m_toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    if (m_images)
        ImageList_Destroy(m_images);
    m_images = images;
    SendMessageW(m_toolbar, TB_AUTOSIZE, 0, 0);
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
    const UINT dpi = GetDpiForWindow(m_window);
    RECT client;
    GetClientRect(m_window, &client);

    // The command band: the category combo and the address box in their
    // slots, the address box taking the width the tools leave.
    const auto setSlotWidth = [&](int slot, int width) {
        TBBUTTONINFOW info {};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_SIZE;
        info.cx = static_cast<WORD>(width);
        SendMessageW(
            m_toolbar, TB_SETBUTTONINFOW, kFirstToolId + slot, reinterpret_cast<LPARAM>(&info));
    };
    const int categorySlot
        = static_cast<int>(std::find_if(kTools.begin(), kTools.end(), [](const ToolDesign &t) {
              return t.kind == ToolDesign::Combo;
          }) - kTools.begin());
    setSlotWidth(categorySlot, scaled(kCategoryWidth, dpi));
    setSlotWidth(kAddressSlot, 0);
    SendMessageW(m_toolbar, TB_AUTOSIZE, 0, 0);
    RECT lastTool;
    SendMessageW(m_toolbar, TB_GETITEMRECT, kAddressSlot - 1, reinterpret_cast<LPARAM>(&lastTool));
    const int gap = scaled(6, dpi);
    setSlotWidth(kAddressSlot,
        std::max(scaled(kAddressMinimumWidth, dpi),
            static_cast<int>(client.right - lastTool.right - 2 * gap)));
    SendMessageW(m_toolbar, TB_AUTOSIZE, 0, 0);
    RECT band;
    GetWindowRect(m_toolbar, &band);
    const int bandHeight = band.bottom - band.top;
    const auto placeCombo = [&](HWND combo, int slot, int inset) {
        RECT slotRect;
        SendMessageW(m_toolbar, TB_GETITEMRECT, slot, reinterpret_cast<LPARAM>(&slotRect));
        RECT comboRect;
        GetWindowRect(combo, &comboRect);
        const int height = comboRect.bottom - comboRect.top;
        MoveWindow(combo, slotRect.left + inset, std::max(0, (bandHeight - height) / 2),
            slotRect.right - slotRect.left - 2 * inset, scaled(kListHeight, dpi), TRUE);
    };
    placeCombo(m_category, categorySlot, 0);
    placeCombo(m_address, kAddressSlot, gap);

    // The status band: Status_Info takes what the meter, time and date leave.
    SendMessageW(m_status, WM_SIZE, 0, 0);
    HDC dc = GetDC(m_status);
    HGDIOBJ previous = SelectObject(dc, m_font);
    SIZE timeSize {};
    SIZE dateSize {};
    GetTextExtentPoint32W(dc, L"00:00", 5, &timeSize);
    GetTextExtentPoint32W(dc, L"00.00.0000", 10, &dateSize);
    SelectObject(dc, previous);
    ReleaseDC(m_status, dc);
    const int padding = scaled(12, dpi);
    const int grip = GetSystemMetricsForDpi(SM_CXVSCROLL, dpi);
    const int dateWidth = dateSize.cx + padding + grip;
    const int timeWidth = timeSize.cx + padding;
    const int meterWidth = scaled(kMeterWidth, dpi) + padding;
    std::array<int, 4> edges { static_cast<int>(client.right) - dateWidth - timeWidth - meterWidth,
        static_cast<int>(client.right) - dateWidth - timeWidth,
        static_cast<int>(client.right) - dateWidth, -1 };
    edges[0] = std::max(edges[0], 0);
    SendMessageW(m_status, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    RECT meterPart;
    SendMessageW(m_status, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&meterPart));
    InflateRect(&meterPart, -scaled(3, dpi), -scaled(2, dpi));
    m_meter->place(meterPart);
    updateClock(); // the panes exist only now
    RECT statusRect;
    GetWindowRect(m_status, &statusRect);

    // The browser area between the bands.
    const RECT area { 0, bandHeight, client.right,
        std::max(
            static_cast<LONG>(bandHeight), client.bottom - (statusRect.bottom - statusRect.top)) };
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

void frmBrowser::command(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    const HWND from = reinterpret_cast<HWND>(lParam);
    if (from == m_toolbar && id >= kFirstToolId && id < kFirstToolId + kAddressSlot) {
        guarded([&] {
            m_rules->ActiveBar31_ToolClick(
                kTools[static_cast<std::size_t>(id - kFirstToolId)].name);
        });
    } else if (from == m_category && (code == CBN_SELCHANGE || code == CBN_SELENDOK)) {
        // A list walked through with the arrow keys or the mouse reports each
        // entry passed on the way and the one chosen again; one change each.
        const int position = static_cast<int>(SendMessageW(m_category, CB_GETCURSEL, 0, 0));
        if (position >= 0 && position != m_reportedCategory
            && (code == CBN_SELENDOK || !dropped(m_category))) {
            m_reportedCategory = position;
            std::wstring entry(static_cast<std::size_t>(std::max<LRESULT>(
                                   0, SendMessageW(m_category, CB_GETLBTEXTLEN, position, 0)))
                    + 1,
                L'\0');
            SendMessageW(
                m_category, CB_GETLBTEXT, position, reinterpret_cast<LPARAM>(entry.data()));
            entry.resize(std::wcslen(entry.c_str()));
            guarded([&] { m_rules->ActiveBar31_ComboSelChange(platform::toUtf8(entry)); });
        }
    } else if (from == m_address && code == CBN_SELENDOK) {
        const int position = static_cast<int>(SendMessageW(m_address, CB_GETCURSEL, 0, 0));
        if (position >= 0)
            guarded([&] { m_rules->txtEingabe_Click(position); });
    }
}

bool frmBrowser::filterMessage(MSG &message)
{
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN)
        return false;
    if (message.hwnd != m_window && !IsChild(m_window, message.hwnd))
        return false;
    const UINT key = static_cast<UINT>(message.wParam);
    const bool inAddress = message.hwnd == m_address || GetParent(message.hwnd) == m_address;
    // An open list takes Enter and Esc itself: they choose or close.
    if ((key == VK_RETURN || key == VK_ESCAPE) && (dropped(m_address) || dropped(m_category)))
        return false;
    // The main Enter and the keypad's Enter are both VK_RETURN.
    if (key == VK_RETURN && inAddress) {
        guarded([&] { m_rules->txtEingabe_KeyPress(13, addressText()); });
        return true;
    }
    const bool alt = message.message == WM_SYSKEYDOWN || GetKeyState(VK_MENU) < 0;
    return runKey(keyCommand(key, alt, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0));
}

bool frmBrowser::runKey(const KeyCommand &key)
{
    if (key.focusAddress) {
        SetFocus(m_address);
        SendMessageW(m_address, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
        return true;
    }
    if (!key.tool)
        return false;
    // A disabled tool produces no click, from its key neither.
    if (toolEnabled(key.tool))
        guarded([&] { m_rules->ActiveBar31_ToolClick(key.tool); });
    return true;
}

bool frmBrowser::PageKey(UINT virtualKey, bool alt, bool ctrl, bool shift)
{
    if (!keyCommand(virtualKey, alt, ctrl, shift))
        return false;
    // Run from the message loop, not inside the engine's callback.
    PostMessageW(
        m_window, kRunPageKey, virtualKey, (alt ? 1 : 0) | (ctrl ? 2 : 0) | (shift ? 4 : 0));
    return true;
}

void frmBrowser::ControlUnavailable(ControlProblem problem, HRESULT code)
{
    if (m_controlMissing)
        return;
    m_controlMissing = true;
    SetWindowTextW(m_message, missingControlText(problem, code).c_str());
    ShowWindow(m_message, SW_SHOWNA);
    SetWindowPos(m_message, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void frmBrowser::updateClock()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t time[16];
    std::swprintf(time, std::size(time), L"%02u:%02u", now.wHour, now.wMinute);
    wchar_t date[64] = L"";
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date,
        static_cast<int>(std::size(date)), nullptr);
    // Rewritten only when changed, so the panes do not flicker each second.
    for (const auto &[part, text] : { std::pair { 2, time }, std::pair { 3, date } }) {
        wchar_t shown[64] = L"";
        if (LOWORD(SendMessageW(m_status, SB_GETTEXTLENGTHW, part, 0)) < std::size(shown))
            SendMessageW(m_status, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(shown));
        if (std::wcscmp(shown, text) != 0)
            SendMessageW(m_status, SB_SETTEXTW, part, reinterpret_cast<LPARAM>(text));
    }
}

int frmBrowser::toolIndex(std::string_view tool) const
{
    for (std::size_t i = 0; i < kTools.size(); ++i) {
        if (tool == kTools[i].name)
            return static_cast<int>(i);
    }
    fail(FailureCode::InvalidCall, "the command band has no tool \"" + std::string(tool) + '"');
}

void frmBrowser::setCaption(const std::string &caption)
{
    SetWindowTextW(m_window, platform::fromUtf8(caption).c_str());
}

void frmBrowser::setToolEnabled(std::string_view tool, bool enabled)
{
    const int index = toolIndex(tool);
    if (kTools[static_cast<std::size_t>(index)].kind == ToolDesign::Combo)
        EnableWindow(m_category, enabled);
    else
        SendMessageW(m_toolbar, TB_ENABLEBUTTON, kFirstToolId + index,
            MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

bool frmBrowser::toolEnabled(std::string_view tool) const
{
    const int index = toolIndex(tool);
    if (kTools[static_cast<std::size_t>(index)].kind == ToolDesign::Combo)
        return IsWindowEnabled(m_category) != FALSE;
    return SendMessageW(m_toolbar, TB_ISBUTTONENABLED, kFirstToolId + index, 0) != 0;
}

void frmBrowser::setStatusText(const std::string &text)
{
    SendMessageW(
        m_status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(platform::fromUtf8(text).c_str()));
    UpdateWindow(m_status);
}

void frmBrowser::setCategoryList(const std::vector<std::string> &entries)
{
    SendMessageW(m_category, CB_RESETCONTENT, 0, 0);
    m_reportedCategory = -1;
    for (const std::string &entry : entries)
        SendMessageW(m_category, CB_ADDSTRING, 0,
            reinterpret_cast<LPARAM>(platform::fromUtf8(entry).c_str()));
}

void frmBrowser::selectCategory(int position)
{
    const int count = static_cast<int>(SendMessageW(m_category, CB_GETCOUNT, 0, 0));
    if (position < 0 || position >= count)
        fail(FailureCode::InvalidCall, "ID_Seite has no entry " + std::to_string(position));
    SendMessageW(m_category, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    m_reportedCategory = position;
}

std::string frmBrowser::addressText() const
{
    return platform::toUtf8(windowText(m_address));
}

void frmBrowser::setAddressText(const std::string &text)
{
    SetWindowTextW(m_address, platform::fromUtf8(text).c_str());
}

void frmBrowser::addHistoryEntry(const std::string &text)
{
    SendMessageW(
        m_address, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(platform::fromUtf8(text).c_str()));
}

void frmBrowser::moveHistoryEntryToFront(int index)
{
    if (index <= 0)
        return;
    const LRESULT length = SendMessageW(m_address, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR)
        fail(FailureCode::InvalidCall, "txtEingabe has no entry " + std::to_string(index));
    std::wstring entry(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(m_address, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(static_cast<std::size_t>(length));
    // Removing and inserting entries leaves the edit field as it was.
    const std::wstring shown = windowText(m_address);
    SendMessageW(m_address, CB_DELETESTRING, index, 0);
    SendMessageW(m_address, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    SetWindowTextW(m_address, shown.c_str());
}

void frmBrowser::markHistoryEntry(int index)
{
    SendMessageW(m_address, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void frmBrowser::setMeterAreaVisible(bool visible)
{
    m_meter->setAreaVisible(visible);
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

void frmBrowser::StatusTextChange(const std::string &text)
{
    if (m_rules)
        m_rules->StatusTextChange(text);
}

void frmBrowser::ProgressChange(std::int32_t progress, std::int32_t progressMax)
{
    if (m_rules)
        m_rules->ProgressChange(progress, progressMax);
}

void frmBrowser::CommandStateChange(std::int32_t command, bool enable)
{
    if (m_rules)
        m_rules->CommandStateChange(command, enable);
}

void frmBrowser::DownloadBegin()
{
    if (m_rules)
        m_rules->DownloadBegin();
}

void frmBrowser::DownloadComplete()
{
    if (m_rules)
        m_rules->DownloadComplete();
}

} // namespace orv::win32
