// SPDX-License-Identifier: MIT
#pragma once

// The browser window of the Windows program, drawn with the system's common
// controls: the command band (a toolbar with the design's tools, the
// category combo ID_Seite and the address box txtEingabe), the status band
// (the panes Status_Info, time and date, and the block meter's frame), and
// between them the browser area, which the web control covers, or, when it
// cannot show pages, a German message saying what is missing. What any of
// it does is the rules' business (BrowserWindowRules).

#include "browser/win32/BrowserWindowRules.h"
#include "browser/win32/Keys.h"
#include "browser/win32/MeterSurface.h"
#include "components/win32/HostedControl.h"

#include <memory>
#include <string>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

namespace orv::win32 {

class frmBrowser final : public BrowserWindowView, private HostedControlEvents
{
public:
    // Makes the window (hidden) and its web control; the rules receive the
    // control's notifications and outlive the window.
    frmBrowser(BrowserWindowRules &rules, const WebControlFactory &makeControl);
    ~frmBrowser() override;
    frmBrowser(const frmBrowser &) = delete;
    frmBrowser &operator=(const frmBrowser &) = delete;

    // The load step: the rules fill and name the window (Form_Load); from
    // then on they hear of the free client area.
    void load(const std::string &commandLine);
    // At the design size for the monitor's DPI unless the rules placed it.
    void show(int showCommand);
    HWND handle() const { return m_window; }
    // The window's keys, seen before the control that has the focus.
    bool filterMessage(MSG &message);

    std::string caption() const override;
    void setCaption(const std::string &caption) override;
    void setToolEnabled(const std::string &tool, bool enabled) override;
    bool toolEnabled(const std::string &tool) const override;
    void setStatusText(const std::string &text) override;
    void clearCategories() override;
    void addCategory(const std::string &text) override;
    void selectCategory(int position) override;
    std::string categoryText() const override;
    std::string addressText() const override;
    void setAddressText(const std::string &text) override;
    void setAddressHistory(const std::vector<std::string> &entries) override;
    MeterSurface &meter() override { return *m_meter; }
    WebControl &browser() override { return *m_control; }
    void unload() override;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void create();
    void applyDpi();
    void layout();
    void command(WPARAM wParam, LPARAM lParam);
    void updateClock();
    bool runKey(const KeyCommand &key);
    int toolIndex(const std::string &tool) const;
    // Calls into the rules from Windows' callbacks: a failure they let
    // through must not unwind through the system's code.
    template <class Call> void guarded(Call &&call);

    void ControlUnavailable(ControlProblem problem, HRESULT code) override;
    bool PageKey(UINT virtualKey, bool alt, bool ctrl, bool shift) override;

    BrowserWindowRules &m_rules;
    WebControlFactory m_makeControl;
    HWND m_window = nullptr;
    HWND m_toolbar = nullptr;
    HWND m_category = nullptr; // ID_Seite
    HWND m_address = nullptr; // txtEingabe
    HWND m_status = nullptr;
    HWND m_message = nullptr; // the browser area's text when there is no control
    HWND m_lastFocus = nullptr; // where the keyboard was when the window was left
    std::unique_ptr<MeterSurface> m_meter;
    std::unique_ptr<HostedWebControl> m_control;
    HFONT m_font = nullptr;
    HIMAGELIST m_images = nullptr;
    RECT m_reportedArea { -1, -1, -1, -1 };
    int m_reportedCategory = -1;
    bool m_controlMissing = false;
    bool m_loaded = false;
    bool m_placed = false;
};

} // namespace orv::win32
