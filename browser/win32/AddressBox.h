// SPDX-License-Identifier: MIT
#pragma once

// The address box txtEingabe: an edit field with a drop-down list that
// mirrors the address history entry by entry (the rules keep the history,
// the list only shows it). It sits in its slot of the command band.

#include <optional>
#include <string>
#include <windows.h>

namespace orv::win32 {

class AddressBox
{
public:
    explicit AddressBox(HWND window);

    HWND handle() const { return m_box; }
    // The box itself or its edit field.
    bool holds(HWND control) const;
    bool listShown() const;
    // The keyboard goes into the box, its whole text selected for typing over.
    void focusAll();

    std::string text() const;
    void setText(const std::string &text);
    void addEntry(const std::string &text); // in front
    void moveEntryToFront(int index);
    // The list opens on this entry next time.
    void markEntry(int index);
    // The entry the user picked from the list, from a notification of the box.
    std::optional<int> picked(int code) const;

private:
    HWND m_box;
};

} // namespace orv::win32
