// SPDX-License-Identifier: MIT
#include "info/win32/frmInfoFenster.h"

#include "core/Failure.h"
#include "core/Steps.h"
#include "info/win32/Pictures.h"
#include "platform/Utf8.h"
#include "resources/Texts.h"
#include "resources/win32/ResourceIds.h"

#include <algorithm>
#include <cmath>
#include <commctrl.h>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <utility>

namespace orv::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"frmInfoFenster";
constexpr wchar_t kPartClass[] = L"OrvelInfoPart";
constexpr int kFirstControlId = 100;
constexpr int kCopyPictureSize = 16; // pixels at 96 dpi

// The panels that stand for a page or a country, in the rules' order.
constexpr std::pair<info::Page, std::string_view> kPagePanels[]
    = { { info::Page::Kontakt, "pnlKontakt" }, { info::Page::Vertrieb, "pnlVertrieb" },
          { info::Page::Autoren, "pnlAutoren" } };
constexpr std::pair<info::Country, std::string_view> kCountryPanels[]
    = { { info::Country::Österreich, "pnlÖsterreich" },
          { info::Country::Deutschland, "pnlDeutschland" } };
// The frames of info::Frame, in its order.
constexpr std::string_view kFrames[] = { "frameLand", "frameKontakt", "frameVertrieb",
    "frameAutoren", "frameOlmbach", "frameKestadt", "frameSarnfeld" };

// Only one Info window at a time, even if a second request slipped through.
bool g_open = false;

COLORREF colorRef(std::uint32_t color)
{
    if (color == info::kButtonText)
        return GetSysColor(COLOR_BTNTEXT);
    return RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
}

// An edit control breaks lines only at CR LF.
std::wstring withCrLf(const std::string &text)
{
    std::wstring result;
    for (const wchar_t c : platform::fromUtf8(text)) {
        if (c == L'\n' && (result.empty() || result.back() != L'\r'))
            result += L'\r';
        result += c;
    }
    return result;
}

} // namespace

frmInfoFenster::frmInfoFenster(const Dependencies &dependencies, HWND owner)
    : m_deps(dependencies), m_rules(*this, m_deps.MainHost, m_deps.platform)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP));
    windowClass.lpfnWndProc = &frmInfoFenster::windowProc;
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass); // fails harmlessly when it exists
    windowClass.hIcon = nullptr;
    windowClass.lpfnWndProc = &frmInfoFenster::partProc;
    windowClass.lpszClassName = kPartClass;
    RegisterClassExW(&windowClass);

    makeParts();
    // On the owner's monitor, so that the window takes that monitor's DPI.
    RECT ownerRect {};
    GetWindowRect(owner, &ownerRect);
    m_window = CreateWindowExW(WS_EX_DLGMODALFRAME, kWindowClass,
        platform::fromUtf8(texts::info::title).c_str(),
        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, ownerRect.left, ownerRect.top, 0, 0,
        owner, nullptr, instance, this);
    if (!m_window)
        fail(FailureCode::ControlFailed, "the Info window cannot be made");
    try {
        createWindows();
    } catch (...) {
        // The destructor does not run for an object that was never made.
        DestroyWindow(m_window);
        throw;
    }
    applyDpi();

    MONITORINFO monitor {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(m_window, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT outer;
    GetWindowRect(m_window, &outer);
    const RECT &screen = monitor.rcMonitor;
    SetWindowPos(m_window, nullptr,
        screen.left + (screen.right - screen.left - (outer.right - outer.left)) / 2,
        screen.top + (screen.bottom - screen.top - (outer.bottom - outer.top)) / 2, 0, 0,
        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    m_rules.ShowCurrentPage();
    // The page and the country shown keep the look the pointer gives.
    apply(*find("pnlKontakt"), info::hoverLook(info::Role::Navigation));
    apply(*find("pnlÖsterreich"), info::hoverLook(info::Role::Country));
}

frmInfoFenster::~frmInfoFenster()
{
    if (m_window)
        DestroyWindow(m_window);
    for (const auto &part : m_parts) {
        if (part->bitmap)
            DeleteObject(part->bitmap);
    }
    for (const auto &[key, handle] : m_fonts)
        DeleteObject(handle);
    for (const auto &[color, handle] : m_brushes)
        DeleteObject(handle);
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
    EnableWindow(owner, FALSE);
    ShowWindow(window.m_window, SW_SHOW);
    SetForegroundWindow(window.m_window);
    UpdateWindow(window.m_window);
    MSG message;
    while (!window.m_closing && window.m_window) {
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (result == -1)
            break;
        if (window.filterMessage(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // The owner takes input again before this window goes, so that the
    // system gives the activation back to it, not to another program.
    EnableWindow(owner, TRUE);
}

template <class Call> void frmInfoFenster::guarded(Call &&call)
{
    // Called from the system's callbacks: nothing may unwind through them. A
    // failure goes where the program reports the ones no handler traps.
    try {
        runUntrapped("the Info window", std::forward<Call>(call));
    } catch (const std::exception &failure) {
        reportUnhandledFailure(
            "the Info window", Failure(FailureCode::ControlFailed, failure.what()));
    }
}

void frmInfoFenster::makeParts()
{
    const auto kindOf = [](info::Kind kind) {
        switch (kind) {
        case info::Kind::Picture:
            return PartKind::Picture;
        case info::Kind::Label:
            return PartKind::Label;
        case info::Kind::Panel:
            return PartKind::Panel;
        case info::Kind::Frame:
            return PartKind::Frame;
        case info::Kind::OutlinedFrame:
            return PartKind::OutlinedFrame;
        case info::Kind::TextBox:
            return PartKind::TextBox;
        case info::Kind::Line:
            break;
        }
        return PartKind::Line;
    };
    for (const info::Control &c : info::kControls) {
        Part part { .owner = this,
            .name = std::string(c.name) + (c.index < 0 ? "" : '_' + std::to_string(c.index)),
            .container = std::string(c.container),
            .kind = kindOf(c.kind),
            .place = { c.left, c.top, c.width, c.height },
            .text = c.kind == info::Kind::Picture ? std::wstring() : platform::fromUtf8(c.text),
            .font = c.font,
            .back = c.back,
            .fore = c.fore,
            .role = c.role,
            .dragSurface = c.dragSurface };
        if (c.kind == info::Kind::Picture)
            part.picture = pictureResource(c.text);
        if (c.role == info::Role::HomeLink || c.role == info::Role::AuthorLink)
            part.target = info::linkTarget(c, m_deps.MainHost);
        if (c.name == "lblVersion") {
            part.text = platform::fromUtf8(info::versionText(
                m_deps.versionMajor, m_deps.versionMinor, m_deps.versionRevision));
            part.place.left = info::kVersionLeft;
        }
        if (c.kind == info::Kind::TextBox)
            part.text = withCrLf(info::salesText());
        // Where the resize rule puts the pages and the country column.
        for (const info::Place &place : info::kRunTimePlaces) {
            if (place.name == c.name)
                part.place = { place.left, place.top, place.width, place.height };
        }
        addPart(std::move(part));
    }

    for (const info::OfficeBlock &block : info::kOffices) {
        const std::string name(block.office.name);
        const std::string frame = "frame" + name;
        addPart({ .owner = this,
            .name = frame,
            .container = "frameKontakt",
            .kind = PartKind::Frame,
            .place = { info::kOfficeLeft, block.top, info::kOfficeWidth, block.height },
            .back = info::kDarkRed,
            .dragSurface = true });
        const auto &[left, top, width, height] = info::kCopyButtonPlace;
        addPart({ .owner = this,
            .name = "cmdKopieren" + name,
            .container = frame,
            .kind = PartKind::CopyButton,
            .place = { left, top, width, height },
            .text = platform::fromUtf8(texts::info::copyTip),
            .back = info::kDarkRed,
            // The copy text is the office's own, not read back from the labels.
            .target = info::copyText(block.office),
            .picture = pictureResource("clipboard.svg") });
        const auto lines = info::officeLabels(block.office);
        for (std::size_t i = 0; i < lines.size(); ++i)
            addPart({ .owner = this,
                .name = "lbl" + name + '_' + std::to_string(i),
                .container = frame,
                .kind = PartKind::Label,
                .place
                = { info::kOfficeLabelLeft, info::kOfficeLabelStep * static_cast<int>(i), 0, 240 },
                .text = platform::fromUtf8(lines[i]),
                .font = info::kArial975,
                .fore = info::kWhite,
                .dragSurface = true });
        addPart({ .owner = this,
            .name = "lnk" + name,
            .container = frame,
            .kind = PartKind::Panel,
            .place = { info::kMailLinkLeft, info::kMailLinkTop, block.mailLinkWidth,
                info::kMailLinkHeight },
            .text = platform::fromUtf8(block.office.mailShown),
            .font = info::kArial975,
            .role = info::Role::MailLink,
            .target = info::mailTarget(block.office) });
    }
}

void frmInfoFenster::addPart(Part part)
{
    if (part.kind == PartKind::Panel)
        apply(part, info::normalLook(part.role));
    m_parts.push_back(std::make_unique<Part>(std::move(part)));
}

void frmInfoFenster::createWindows()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    int id = kFirstControlId;
    for (const auto &owned : m_parts) {
        Part &part = *owned;
        const wchar_t *className = kPartClass;
        DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        DWORD exStyle = 0;
        std::wstring text = part.text;
        switch (part.kind) {
        case PartKind::Picture:
        case PartKind::Label:
        case PartKind::Line:
            continue; // drawn by their container
        case PartKind::Panel:
            break;
        case PartKind::Frame:
        case PartKind::OutlinedFrame:
            // Frames show no text; their name tells them apart to tools that read windows.
            text = platform::fromUtf8(part.name);
            style |= WS_CLIPCHILDREN;
            exStyle = WS_EX_CONTROLPARENT;
            break;
        case PartKind::TextBox:
            className = WC_EDITW;
            style |= WS_TABSTOP | ES_MULTILINE | ES_READONLY;
            break;
        case PartKind::CopyButton:
            className = WC_BUTTONW;
            style |= WS_TABSTOP | BS_OWNERDRAW;
            break;
        }
        part.window = CreateWindowExW(exStyle, className, text.c_str(), style, 0, 0, 0, 0,
            container(part), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, &part);
        if (!part.window)
            fail(FailureCode::ControlFailed,
                "the Info window's control " + part.name + " cannot be made");
    }

    m_tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
        CW_USEDEFAULT, m_window, nullptr, instance, nullptr);
    for (const auto &owned : m_parts) {
        const std::string_view tip = owned->kind == PartKind::CopyButton ? texts::info::copyTip
            : owned->role == info::Role::HomeLink                        ? texts::info::homePageTip
            : owned->role == info::Role::SystemInfo ? texts::info::systemInfoTip
                                                    : std::string_view();
        if (tip.empty() || !m_tips)
            continue;
        std::wstring text = platform::fromUtf8(tip);
        TOOLINFOW tool {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = m_window;
        tool.uId = reinterpret_cast<UINT_PTR>(owned->window);
        tool.lpszText = text.data();
        SendMessageW(m_tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

HWND frmInfoFenster::container(const Part &part)
{
    if (part.container.empty())
        return m_window;
    const Part *parent = find(part.container);
    return parent ? parent->window : m_window;
}

void frmInfoFenster::applyDpi()
{
    m_dpi = GetDpiForWindow(m_window);
    if (m_dpi == 0)
        m_dpi = 96;
    for (const auto &[key, handle] : m_fonts)
        DeleteObject(handle);
    m_fonts.clear();

    RECT frame { 0, 0, px(info::kClientWidth), px(info::kClientHeight) };
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(m_window, GWL_STYLE)),
        FALSE, static_cast<DWORD>(GetWindowLongPtrW(m_window, GWL_EXSTYLE)), m_dpi);
    SetWindowPos(m_window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    for (const auto &owned : m_parts) {
        Part &part = *owned;
        const RECT r = pixelRect(part);
        if (part.window)
            MoveWindow(part.window, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
        if (part.kind == PartKind::TextBox)
            SendMessageW(
                part.window, WM_SETFONT, reinterpret_cast<WPARAM>(font(part.font, false)), FALSE);
        if (part.picture) {
            if (part.bitmap)
                DeleteObject(part.bitmap);
            const int side = MulDiv(kCopyPictureSize, static_cast<int>(m_dpi), 96);
            part.bitmap = part.kind == PartKind::CopyButton
                ? loadPicture(part.picture, side, side)
                : loadPicture(part.picture, r.right - r.left, r.bottom - r.top);
        }
    }
    RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

RECT frmInfoFenster::pixelRect(const Part &part) const
{
    const RECT &p = part.place;
    if (part.kind == PartKind::Line) {
        // A pixel wide whichever way it runs, from one end to the other.
        const int x1 = px(p.left), y1 = px(p.top), x2 = px(p.left + p.right),
                  y2 = px(p.top + p.bottom);
        RECT r { std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2) };
        r.right = std::max(r.right, r.left + 1);
        r.bottom = std::max(r.bottom, r.top + 1);
        return r;
    }
    return { px(p.left), px(p.top), px(p.left) + px(p.right), px(p.top) + px(p.bottom) };
}

frmInfoFenster::Part *frmInfoFenster::find(std::string_view name)
{
    for (const auto &part : m_parts) {
        if (part->name == name)
            return part.get();
    }
    return nullptr;
}

frmInfoFenster::Part *frmInfoFenster::partOf(HWND window)
{
    for (const auto &part : m_parts) {
        if (part->window == window)
            return part.get();
    }
    return nullptr;
}

HFONT frmInfoFenster::font(const info::Font &font, bool underline)
{
    const auto key = std::tuple { font.family, font.points, font.bold, underline };
    if (const auto found = m_fonts.find(key); found != m_fonts.end())
        return found->second;
    LOGFONTW description {};
    description.lfHeight = -static_cast<LONG>(std::lround(font.points * m_dpi / 72.0));
    description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    description.lfUnderline = underline ? TRUE : FALSE;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = CLEARTYPE_QUALITY;
    const std::wstring face = platform::fromUtf8(font.family.empty() ? "Arial" : font.family);
    std::wcsncpy(description.lfFaceName, face.c_str(), std::size(description.lfFaceName) - 1);
    HFONT made = CreateFontIndirectW(&description);
    m_fonts.emplace(key, made);
    return made;
}

HBRUSH frmInfoFenster::brush(std::uint32_t color)
{
    if (const auto found = m_brushes.find(color); found != m_brushes.end())
        return found->second;
    HBRUSH made = CreateSolidBrush(colorRef(color));
    m_brushes.emplace(color, made);
    return made;
}

LRESULT CALLBACK frmInfoFenster::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *self = static_cast<frmInfoFenster *>(
            reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto *self = reinterpret_cast<frmInfoFenster *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->handleMessage(message, wParam, lParam);
}

LRESULT CALLBACK frmInfoFenster::partProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *part = static_cast<Part *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        part->window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(part));
    }
    auto *part = reinterpret_cast<Part *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!part)
        return DefWindowProcW(window, message, wParam, lParam);
    return part->owner->handlePartMessage(*part, message, wParam, lParam);
}

LRESULT frmInfoFenster::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND window = m_window;
    switch (message) {
    case WM_NCHITTEST: {
        // The background moves the window, as a title bar does.
        const LRESULT hit = DefWindowProcW(window, message, wParam, lParam);
        return hit == HTCLIENT ? HTCAPTION : hit;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        paintContainer(window, "", info::kDarkRed);
        return 0;
    case WM_COMMAND:
        // Esc as a dialog reports it; Enter (IDOK) means nothing here.
        if (LOWORD(wParam) == IDCANCEL)
            close();
        return 0;
    case WM_CLOSE:
        // The close button or Alt+F4: the modal loop ends and destroys the window.
        close();
        return 0;
    case WM_DPICHANGED: {
        const RECT *suggested = reinterpret_cast<const RECT *>(lParam);
        SetWindowPos(window, nullptr, suggested->left, suggested->top, 0, 0,
            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        applyDpi();
        return 0;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        m_window = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT frmInfoFenster::handlePartMessage(Part &part, UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND window = part.window;
    const bool reacts = part.kind == PartKind::Panel;
    switch (message) {
    case WM_NCHITTEST:
        // A drag surface lets the press through to the window below, which moves.
        if (part.dragSurface)
            return HTTRANSPARENT;
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        paintContainer(window, part.name, part.back);
        return 0;
    case WM_SETCURSOR:
        if (part.hand && LOWORD(lParam) == HTCLIENT) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE:
        if (reacts && !part.tracking) {
            TRACKMOUSEEVENT track { sizeof track, TME_LEAVE, window, 0 };
            part.tracking = TrackMouseEvent(&track) != FALSE;
            pointerEntered(part);
        }
        return 0;
    case WM_MOUSELEAVE:
        part.tracking = false;
        part.pressed = false;
        pointerLeft(part);
        return 0;
    case WM_LBUTTONDOWN:
        part.pressed = reacts;
        return 0;
    case WM_LBUTTONUP: {
        const POINT at { static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)) };
        RECT client;
        GetClientRect(window, &client);
        if (std::exchange(part.pressed, false) && PtInRect(&client, at))
            clicked(part);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        if (const Part *child = partOf(reinterpret_cast<HWND>(lParam))) {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, colorRef(child->fore == info::kUnset ? info::kWhite : child->fore));
            SetBkColor(dc, colorRef(child->back));
            return reinterpret_cast<LRESULT>(brush(child->back));
        }
        break;
    case WM_DRAWITEM:
        drawCopyButton(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            if (const Part *button = partOf(reinterpret_cast<HWND>(lParam));
                button && button->kind == PartKind::CopyButton)
                copyOffice(*button);
        }
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        part.window = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void frmInfoFenster::paintContainer(HWND window, std::string_view name, std::uint32_t back)
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, brush(back == info::kUnset ? info::kDarkRed : back));
    SetBkMode(dc, TRANSPARENT);
    if (const Part *self = name.empty() ? nullptr : find(name)) {
        if (self->kind == PartKind::OutlinedFrame) {
            // Its outline in the text colour, as a frame without a caption.
            FrameRect(dc, &client, brush(self->fore));
        } else if (self->kind == PartKind::Panel) {
            // Centred captions may use the whole width; links start at the left edge.
            const bool link
                = self->role == info::Role::AuthorLink || self->role == info::Role::MailLink;
            RECT area = client;
            if (link)
                InflateRect(&area, -MulDiv(2, static_cast<int>(m_dpi), 96), 0);
            const HGDIOBJ previous = SelectObject(dc, font(self->font, self->underline));
            SetTextColor(dc, colorRef(self->fore));
            DrawTextW(dc, self->text.c_str(), static_cast<int>(self->text.size()), &area,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (link ? DT_LEFT : DT_CENTER));
            SelectObject(dc, previous);
        }
    }
    for (const auto &part : m_parts) {
        if (!part->window && part->container == name)
            paintPart(dc, *part);
    }
    EndPaint(window, &paint);
}

void frmInfoFenster::paintPart(HDC dc, const Part &part)
{
    RECT r = pixelRect(part);
    switch (part.kind) {
    case PartKind::Picture:
        drawPicture(dc, part.bitmap, r.left, r.top);
        break;
    case PartKind::Line:
        FillRect(dc, &r, brush(part.back));
        break;
    case PartKind::Label: {
        // Transparent, one line, as wide as its text.
        const HGDIOBJ previous = SelectObject(dc, font(part.font, false));
        SetTextColor(dc, colorRef(part.fore));
        DrawTextW(dc, part.text.c_str(), static_cast<int>(part.text.size()), &r,
            DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
        SelectObject(dc, previous);
        break;
    }
    default:
        break;
    }
}

void frmInfoFenster::drawCopyButton(const DRAWITEMSTRUCT &item)
{
    const Part *button = partOf(item.hwndItem);
    if (!button)
        return;
    const HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, brush(button->back));
    // A raised bevel in lighter and darker shades of the face, sunken while pressed.
    const bool down = (item.itemState & ODS_SELECTED) != 0;
    const std::uint32_t light = 0xE8585A, dark = 0x450102;
    const RECT top { r.left, r.top, r.right, r.top + 1 },
        left { r.left, r.top, r.left + 1, r.bottom },
        bottom { r.left, r.bottom - 1, r.right, r.bottom },
        right { r.right - 1, r.top, r.right, r.bottom };
    FillRect(dc, &top, brush(down ? dark : light));
    FillRect(dc, &left, brush(down ? dark : light));
    FillRect(dc, &bottom, brush(down ? light : dark));
    FillRect(dc, &right, brush(down ? light : dark));
    BITMAP size {};
    if (button->bitmap && GetObjectW(button->bitmap, sizeof size, &size))
        drawPicture(dc, button->bitmap, (r.right - r.left - size.bmWidth) / 2 + (down ? 1 : 0),
            (r.bottom - r.top - size.bmHeight) / 2 + (down ? 1 : 0));
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&r, -2, -2);
        DrawFocusRect(dc, &r);
    }
}

void frmInfoFenster::apply(Part &part, const info::Look &look)
{
    if (look.back)
        part.back = *look.back;
    if (look.fore)
        part.fore = *look.fore;
    if (look.underline)
        part.underline = *look.underline;
    part.hand = look.hand;
    if (part.window)
        InvalidateRect(part.window, nullptr, FALSE);
}

void frmInfoFenster::pointerEntered(Part &part)
{
    apply(part, info::hoverLook(part.role));
}

void frmInfoFenster::pointerLeft(Part &part)
{
    // A selected page or country keeps its look; the rules say when it goes.
    for (const auto &[page, name] : kPagePanels) {
        if (part.name == name)
            return guarded([&] { m_rules.pointerLeft(page); });
    }
    for (const auto &[country, name] : kCountryPanels) {
        if (part.name == name)
            return guarded([&] { m_rules.pointerLeft(country); });
    }
    apply(part, info::normalLook(part.role));
}

void frmInfoFenster::clicked(Part &part)
{
    guarded([&] {
        switch (part.role) {
        case info::Role::Navigation:
            for (const auto &[page, name] : kPagePanels) {
                if (part.name == name)
                    m_rules.pageClicked(page);
            }
            break;
        case info::Role::Country:
            for (const auto &[country, name] : kCountryPanels) {
                if (part.name == name)
                    m_rules.countryClicked(country);
            }
            break;
        case info::Role::Close:
            close();
            break;
        case info::Role::SystemInfo:
            m_rules.pnlSysteminfo_Click();
            break;
        case info::Role::HomeLink:
        case info::Role::AuthorLink:
        case info::Role::MailLink:
            m_rules.openLink(part.target);
            break;
        case info::Role::None:
            break;
        }
    });
}

void frmInfoFenster::copyOffice(const Part &button)
{
    const std::wstring text = platform::fromUtf8(button.target);
    // Another program may hold the clipboard for a moment.
    bool opened = false;
    for (int attempt = 0; attempt < 10 && !(opened = OpenClipboard(m_window) != FALSE); ++attempt)
        Sleep(20);
    if (!opened) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_UNICODETEXT, memory))
            GlobalFree(memory);
    }
    CloseClipboard();
}

bool frmInfoFenster::filterMessage(const MSG &message)
{
    if (message.hwnd != m_window && !IsChild(m_window, message.hwnd))
        return false;
    // The window sees Esc before its controls do, whichever has the focus.
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
        close();
        return true;
    }
    // Tab and the arrow keys move the focus between the text and the buttons.
    return IsDialogMessageW(m_window, const_cast<MSG *>(&message)) != FALSE;
}

void frmInfoFenster::setFrameVisible(info::Frame frame, bool visible)
{
    if (Part *part = find(kFrames[static_cast<std::size_t>(frame)]); part && part->window)
        ShowWindow(part->window, visible ? SW_SHOWNA : SW_HIDE);
}

void frmInfoFenster::showNormalLook(info::Page page)
{
    for (const auto &[each, name] : kPagePanels) {
        if (each == page)
            apply(*find(name), info::normalLook(info::Role::Navigation));
    }
}

void frmInfoFenster::showNormalLook(info::Country country)
{
    for (const auto &[each, name] : kCountryPanels) {
        if (each == country)
            apply(*find(name), info::normalLook(info::Role::Country));
    }
}

platform::WindowHandle frmInfoFenster::handle() const
{
    return static_cast<platform::WindowHandle>(reinterpret_cast<std::intptr_t>(m_window));
}

} // namespace orv::win32
