// SPDX-License-Identifier: MIT
#include "browser/win32/CommandBand.h"

#include "browser/ToolbarDesign.h"
#include "browser/win32/WindowParts.h"
#include "platform/Utf8.h"
#include "resources/Texts.h"
#include "resources/win32/ResourceIds.h"

#include <algorithm>
#include <array>
#include <cwchar>
#include <utility>
#include <windowsx.h>

namespace orv::win32 {

namespace {

using toolbar::Kind;
constexpr auto &kTools = toolbar::commandTools;

int iconResource(toolbar::Icon icon)
{
    switch (icon) {
    case toolbar::Icon::None:
        break;
    case toolbar::Icon::Exit:
        return IDI_TOOL_EXIT;
    case toolbar::Icon::Back:
        return IDI_TOOL_BACK;
    case toolbar::Icon::Forward:
        return IDI_TOOL_FORWARD;
    case toolbar::Icon::Stop:
        return IDI_TOOL_STOP;
    case toolbar::Icon::Refresh:
        return IDI_TOOL_REFRESH;
    case toolbar::Icon::Info:
        return IDI_TOOL_INFO;
    }
    return 0;
}

constexpr int kAddressSlot = static_cast<int>(kTools.size());
const int kCategorySlot
    = static_cast<int>(std::find_if(kTools.begin(), kTools.end(), [](const toolbar::Tool &t) {
          return t.kind == Kind::Combo;
      }) - kTools.begin());

// Sizes at 96 dpi, scaled to the window's DPI.
constexpr int kCategoryWidth = 150;
constexpr int kAddressMinimumWidth = 120;
constexpr int kListHeight = 300;
constexpr int kIconSize = 16;

} // namespace

CommandBand::CommandBand(HWND window)
    : m_toolbar(makeChild(window, TOOLBARCLASSNAMEW,
        WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS | CCS_TOP
            | CCS_NODIVIDER,
        kToolbarId)),
      m_category(makeChild(window, WC_COMBOBOXW,
          WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, kCategoryId)),
      m_address(window)
{
    SendMessageW(m_toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // Buttons without a shown caption show their text as the tip.
    SendMessageW(
        m_toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS | TBSTYLE_EX_DOUBLEBUFFER);
}

CommandBand::~CommandBand()
{
    if (m_images)
        ImageList_Destroy(m_images);
}

void CommandBand::raiseLists()
{
    SetWindowPos(m_category, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(m_address.handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void CommandBand::addTools()
{
    std::array<TBBUTTON, kTools.size() + 1> buttons {};
    // The texts stay with the band for as long as its buttons show them.
    m_labels.clear();
    for (const toolbar::Tool &tool : kTools)
        m_labels.push_back(platform::fromUtf8(toolbar::label(tool)));
    int image = 0;
    for (std::size_t i = 0; i < kTools.size(); ++i) {
        const toolbar::Tool &tool = kTools[i];
        TBBUTTON &button = buttons[i];
        button.idCommand = kFirstToolId + static_cast<int>(i);
        button.fsState = TBSTATE_ENABLED;
        if (tool.kind == Kind::Button) {
            button.iBitmap = image++;
            button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | (tool.captionShown ? BTNS_SHOWTEXT : 0);
            button.iString = reinterpret_cast<INT_PTR>(m_labels[i].c_str());
        } else {
            button.fsStyle = BTNS_SEP; // a combo's slot has the combo's width, set by the layout
        }
    }
    buttons.back().idCommand = kFirstToolId + kAddressSlot;
    buttons.back().fsStyle = BTNS_SEP;
    buttons.back().fsState = TBSTATE_ENABLED;
    SendMessageW(
        m_toolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));

    for (const toolbar::Tool &tool : kTools) {
        if (!tool.enabledAtStart)
            setToolEnabled(tool.name, false);
    }
}

void CommandBand::applyDpi(UINT dpi, HFONT font)
{
    for (HWND control : { m_toolbar, m_category, m_address.handle() })
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    const int size = scaled(kIconSize, dpi);
    HIMAGELIST images
        = ImageList_Create(size, size, ILC_COLOR32, static_cast<int>(kTools.size()), 0);
    for (const toolbar::Tool &tool : kTools) {
        if (tool.kind != Kind::Button)
            continue;
        auto icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
            MAKEINTRESOURCEW(iconResource(tool.icon)), IMAGE_ICON, size, size, 0));
        ImageList_AddIcon(images, icon);
        DestroyIcon(icon);
    }
    SendMessageW(m_toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    if (m_images)
        ImageList_Destroy(m_images);
    m_images = images;
    SendMessageW(m_toolbar, TB_AUTOSIZE, 0, 0);
}

int CommandBand::layout(int width, UINT dpi)
{
    const auto setSlotWidth = [&](int slot, int slotWidth) {
        TBBUTTONINFOW info {};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_SIZE;
        info.cx = static_cast<WORD>(slotWidth);
        SendMessageW(
            m_toolbar, TB_SETBUTTONINFOW, kFirstToolId + slot, reinterpret_cast<LPARAM>(&info));
    };
    setSlotWidth(kCategorySlot, scaled(kCategoryWidth, dpi));
    setSlotWidth(kAddressSlot, 0);
    SendMessageW(m_toolbar, TB_AUTOSIZE, 0, 0);
    RECT lastTool;
    SendMessageW(m_toolbar, TB_GETITEMRECT, kAddressSlot - 1, reinterpret_cast<LPARAM>(&lastTool));
    const int gap = scaled(6, dpi);
    setSlotWidth(kAddressSlot,
        std::max(
            scaled(kAddressMinimumWidth, dpi), static_cast<int>(width - lastTool.right - 2 * gap)));
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
    placeCombo(m_category, kCategorySlot, 0);
    placeCombo(m_address.handle(), kAddressSlot, gap);
    return bandHeight;
}

bool CommandBand::listShown() const
{
    return m_address.listShown() || dropped(m_category);
}

int CommandBand::toolIndex(std::string_view tool) const
{
    for (std::size_t i = 0; i < kTools.size(); ++i) {
        if (tool == kTools[i].name)
            return static_cast<int>(i);
    }
    fail(FailureCode::InvalidCall, "the command band has no tool \"" + std::string(tool) + '"');
}

void CommandBand::setToolEnabled(std::string_view tool, bool enabled)
{
    const int index = toolIndex(tool);
    if (kTools[static_cast<std::size_t>(index)].kind == Kind::Combo)
        EnableWindow(m_category, enabled);
    else
        SendMessageW(m_toolbar, TB_ENABLEBUTTON, kFirstToolId + index,
            MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

bool CommandBand::toolEnabled(std::string_view tool) const
{
    const int index = toolIndex(tool);
    if (kTools[static_cast<std::size_t>(index)].kind == Kind::Combo)
        return IsWindowEnabled(m_category) != FALSE;
    return SendMessageW(m_toolbar, TB_ISBUTTONENABLED, kFirstToolId + index, 0) != 0;
}

std::optional<std::string_view> CommandBand::clickedTool(int id) const
{
    if (id < kFirstToolId || id >= kFirstToolId + kAddressSlot)
        return std::nullopt;
    return kTools[static_cast<std::size_t>(id - kFirstToolId)].name;
}

void CommandBand::setCategoryList(const std::vector<std::string> &entries)
{
    SendMessageW(m_category, CB_RESETCONTENT, 0, 0);
    m_reportedCategory = -1;
    for (const std::string &entry : entries)
        SendMessageW(m_category, CB_ADDSTRING, 0,
            reinterpret_cast<LPARAM>(platform::fromUtf8(entry).c_str()));
}

void CommandBand::selectCategory(int position)
{
    const int count = static_cast<int>(SendMessageW(m_category, CB_GETCOUNT, 0, 0));
    if (position < 0 || position >= count)
        fail(FailureCode::InvalidCall, "ID_Seite has no entry " + std::to_string(position));
    SendMessageW(m_category, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    m_reportedCategory = position;
}

namespace {

// Closing the dropped list by a click on the combo box also reports "ok":
// only a click on an entry of the list, or Enter, picks the entry again.
bool pickedInList(HWND combo)
{
    COMBOBOXINFO info {};
    info.cbSize = sizeof info;
    RECT list {};
    if (!GetComboBoxInfo(combo, &info) || !GetWindowRect(info.hwndList, &list))
        return false;
    const DWORD at = GetMessagePos();
    const POINT pointer { GET_X_LPARAM(at), GET_Y_LPARAM(at) };
    return PtInRect(&list, pointer) || GetKeyState(VK_RETURN) < 0;
}

} // namespace

std::optional<std::string> CommandBand::chosenCategory(int code)
{
    // The list reports its pick before it closes.
    if (code == CBN_DROPDOWN || code == CBN_SELENDCANCEL || code == CBN_CLOSEUP)
        m_pickingFromList = code == CBN_DROPDOWN;
    if (code != CBN_SELCHANGE && code != CBN_SELENDOK)
        return std::nullopt;
    // A list walked through with the arrow keys or the mouse reports each
    // entry passed on the way and the one chosen again; one change each. An
    // entry picked from the dropped list counts even when it is the one shown:
    // it opens that category's page again.
    const bool picked = code == CBN_SELENDOK && std::exchange(m_pickingFromList, false)
        && pickedInList(m_category);
    const int position = static_cast<int>(SendMessageW(m_category, CB_GETCURSEL, 0, 0));
    if (position < 0 || (position == m_reportedCategory && !picked)
        || (code != CBN_SELENDOK && dropped(m_category)))
        return std::nullopt;
    m_reportedCategory = position;
    std::wstring entry(static_cast<std::size_t>(std::max<LRESULT>(
                           0, SendMessageW(m_category, CB_GETLBTEXTLEN, position, 0)))
            + 1,
        L'\0');
    SendMessageW(m_category, CB_GETLBTEXT, position, reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(std::wcslen(entry.c_str()));
    return platform::toUtf8(entry);
}

} // namespace orv::win32
