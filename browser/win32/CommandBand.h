// SPDX-License-Identifier: MIT
#pragma once

// The command band Band1: a toolbar with the design's tools in their order,
// the category list ID_Seite in its slot among them, and the address box
// txtEingabe after them, taking the width the tools leave.

#include "browser/win32/AddressBox.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

namespace orv::win32 {

class CommandBand
{
public:
    explicit CommandBand(HWND window);
    ~CommandBand();
    CommandBand(const CommandBand &) = delete;
    CommandBand &operator=(const CommandBand &) = delete;

    // The tools, once their icons are there; Zurück, Vorwärts and Stop wait
    // for the web control's first report.
    void addTools();
    // Above the toolbar, whose slots they fill; once every control is made.
    void raiseLists();
    // The font and the tools' icons for the window's DPI.
    void applyDpi(UINT dpi, HFONT font);
    // Across the window's width; the band's height.
    int layout(int width, UINT dpi);

    HWND toolbar() const { return m_toolbar; }
    AddressBox &address() { return m_address; }
    const AddressBox &address() const { return m_address; }
    // Whether ID_Seite or the address box shows its list.
    bool listShown() const;

    void setToolEnabled(std::string_view tool, bool enabled);
    bool toolEnabled(std::string_view tool) const;
    // The tool a command of the toolbar clicked, if any.
    std::optional<std::string_view> clickedTool(int id) const;

    void setCategoryList(const std::vector<std::string> &entries);
    void selectCategory(int position);
    // The entry the user chose, from a notification of ID_Seite: once for
    // each change, and once for each pick from the dropped list.
    std::optional<std::string> chosenCategory(int code);
    HWND category() const { return m_category; }

private:
    int toolIndex(std::string_view tool) const;

    HWND m_toolbar;
    HWND m_category; // ID_Seite
    AddressBox m_address; // txtEingabe
    HIMAGELIST m_images = nullptr;
    std::vector<std::wstring> m_labels;
    int m_reportedCategory = -1;
    bool m_pickingFromList = false; // the list is dropped and nothing picked yet
};

} // namespace orv::win32
