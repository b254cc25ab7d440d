// SPDX-License-Identifier: MIT
#include "browser/win32/AddressBox.h"

#include "browser/win32/WindowParts.h"
#include "platform/Utf8.h"

#include <commctrl.h>

namespace orv::win32 {

AddressBox::AddressBox(HWND window)
    : m_box(makeChild(window, WC_COMBOBOXW,
        WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, kAddressId))
{
}

bool AddressBox::holds(HWND control) const
{
    return control == m_box || GetParent(control) == m_box;
}

bool AddressBox::listShown() const
{
    return dropped(m_box);
}

void AddressBox::focusAll()
{
    SetFocus(m_box);
    SendMessageW(m_box, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

std::string AddressBox::text() const
{
    return platform::toUtf8(windowText(m_box));
}

void AddressBox::setText(const std::string &text)
{
    SetWindowTextW(m_box, platform::fromUtf8(text).c_str());
}

void AddressBox::addEntry(const std::string &text)
{
    SendMessageW(
        m_box, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(platform::fromUtf8(text).c_str()));
}

void AddressBox::moveEntryToFront(int index)
{
    if (index <= 0)
        return;
    const LRESULT length = SendMessageW(m_box, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR)
        fail(FailureCode::InvalidCall, "txtEingabe has no entry " + std::to_string(index));
    std::wstring entry(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(m_box, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(static_cast<std::size_t>(length));
    // Removing and inserting entries leaves the edit field as it was.
    const std::wstring shown = windowText(m_box);
    SendMessageW(m_box, CB_DELETESTRING, index, 0);
    SendMessageW(m_box, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    SetWindowTextW(m_box, shown.c_str());
}

void AddressBox::markEntry(int index)
{
    SendMessageW(m_box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::optional<int> AddressBox::picked(int code) const
{
    if (code != CBN_SELENDOK)
        return std::nullopt;
    const int position = static_cast<int>(SendMessageW(m_box, CB_GETCURSEL, 0, 0));
    if (position < 0)
        return std::nullopt;
    return position;
}

} // namespace orv::win32
