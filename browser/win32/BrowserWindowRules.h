// SPDX-License-Identifier: MIT
#pragma once

// The Windows browser window draws and takes input; what follows from an
// input or from a notification of the web control is decided elsewhere, by
// an implementation of BrowserWindowRules (the toolkit-free core's, which
// the Linux window shares). The window calls the rules at each of its
// events; the rules act on the window through BrowserWindowView.
// Texts are UTF-8; coordinates are twips, as everywhere in the window's rules.

#include "components/WebControl.h"

#include <string>
#include <vector>

namespace orv::win32 {

class MeterSurface;

// What the rules can do with the window. Tools and panes are looked up by
// the names of their design ("ID_Zurück", "ID_Seite", "Status_Info").
class BrowserWindowView
{
public:
    virtual ~BrowserWindowView() = default;

    virtual std::string caption() const = 0;
    virtual void setCaption(const std::string &caption) = 0;
    // Throws Failure(InvalidCall) for a name the command band lacks.
    virtual void setToolEnabled(const std::string &tool, bool enabled) = 0;
    virtual bool toolEnabled(const std::string &tool) const = 0;
    // The status band's pane Status_Info; shown at once.
    virtual void setStatusText(const std::string &text) = 0;

    // The category combo ID_Seite. Selecting from here does not report a
    // change back. Throws Failure(InvalidCall) for a position beyond the list.
    virtual void clearCategories() = 0;
    virtual void addCategory(const std::string &text) = 0;
    virtual void selectCategory(int position) = 0;
    virtual std::string categoryText() const = 0;

    // The address box txtEingabe and its drop-down list.
    virtual std::string addressText() const = 0;
    virtual void setAddressText(const std::string &text) = 0;
    virtual void setAddressHistory(const std::vector<std::string> &entries) = 0;

    virtual MeterSurface &meter() = 0;
    virtual WebControl &browser() = 0;

    // Closes the window once the current event is handled, which ends the
    // program; BrowserWindowRules::Form_Unload runs first.
    virtual void unload() = 0;
};

// The window's events. The web control's notifications come here too: the
// rules are the control's WebControlEvents.
class BrowserWindowRules : public WebControlEvents
{
public:
    // The window and its control exist, not yet shown; commandLine is the
    // program's command line after the program's name.
    virtual void Form_Load(BrowserWindowView &view, const std::string &commandLine) = 0;
    // A tool of the command band was clicked, or its key pressed: its name.
    virtual void ToolClick(const std::string &tool) = 0;
    // The user chose another entry of the combo tool named.
    virtual void ComboSelChange(const std::string &tool) = 0;
    // Enter (or the keypad's Enter) in the address box.
    virtual void AddressEnter() = 0;
    // An entry picked from the address box's list.
    virtual void AddressPick(int position) = 0;
    // The area the bands leave free, in the window's client coordinates.
    virtual void ClientAreaChanged(int left, int top, int width, int height) = 0;
    // The window is closing (close button, system, or unload()); it cannot be refused.
    virtual void Form_Unload() = 0;
};

} // namespace orv::win32
