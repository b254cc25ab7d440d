// SPDX-License-Identifier: MIT
#pragma once

// The browser window of the Windows program, drawn with the system's common
// controls: the command band (a toolbar with the design's tools, the
// category combo ID_Seite and the address box txtEingabe), the status band
// (the panes Status_Info, time and date, and the block meter's frame), and
// between them the browser area, which the web control covers, or, when it
// cannot show pages, a German message saying what is missing. What any of
// it does is decided by the shared BrowserWindowRules, which the window
// owns and hands every input and every notification of the web control.

#include "browser/BrowserWindowRules.h"
#include "browser/win32/CommandBand.h"
#include "browser/win32/Keys.h"
#include "browser/win32/StatusBand.h"
#include "components/win32/HostedControl.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <windows.h>

namespace orv {
class SettingsStore;
}

namespace orv::win32 {

class frmBrowser final : public BrowserView, private WebControlEvents, private HostedControlEvents
{
public:
    // Makes the window (hidden), its web control and its rules; the store
    // keeps the placement and outlives the window.
    frmBrowser(Hosts hosts, SettingsStore &store, const WebControlFactory &makeControl);
    ~frmBrowser() override;
    frmBrowser(const frmBrowser &) = delete;
    frmBrowser &operator=(const frmBrowser &) = delete;

    // The load step: the rules fill and name the window, then the placement
    // stored under that caption is restored.
    void load(const std::string &commandLine);
    // Unless the placement already showed it (maximized, minimized).
    void show(int showCommand);
    HWND handle() const { return m_window; }
    // The window's keys, seen before the control that has the focus.
    bool filterMessage(MSG &message);

    void setCaption(const std::string &caption) override;
    void setCategoryList(const std::vector<std::string> &entries) override;
    void selectCategory(int position) override;
    void setAddressText(const std::string &text) override;
    void addHistoryEntry(const std::string &text) override;
    void moveHistoryEntryToFront(int index) override;
    void markHistoryEntry(int index) override;
    void setToolEnabled(std::string_view tool, bool enabled) override;
    void setStatusText(const std::string &text) override;
    void setMeterAreaVisible(bool visible) override;
    MeterCanvas &meter() override { return m_statusBand->meter(); }
    void closeWindow() override;
    void showInfoWindow() override;

private:
    static constexpr UINT kRunPageKey = WM_APP + 1; // a key of the page, from the message loop
    static constexpr UINT_PTR kClockTimer = 1;

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void create();
    void applyDpi();
    void layout();
    void command(WPARAM wParam, LPARAM lParam);
    bool runKey(const KeyCommand &key);
    void Form_Unload();
    // Calls into the rules from Windows' callbacks: a failure they let
    // through must not unwind through the system's code.
    void guarded(const std::function<void()> &call);

    // The web control's notifications, for the rules once they exist.
    void StatusTextChange(const std::string &text) override;
    void ProgressChange(std::int32_t progress, std::int32_t progressMax) override;
    void CommandStateChange(std::int32_t command, bool enable) override;
    void DownloadBegin() override;
    void DownloadComplete() override;

    void ControlUnavailable(ControlProblem problem, HRESULT code) override;
    bool PageKey(UINT virtualKey, bool alt, bool ctrl, bool shift) override;

    Hosts m_hosts;
    SettingsStore &m_store;
    WebControlFactory m_makeControl;
    // Made with the web control, which they steer.
    std::unique_ptr<BrowserWindowRules> m_rules;
    HWND m_window = nullptr;
    // Made with the window's children, when the system creates the window.
    std::unique_ptr<CommandBand> m_band; // Band1
    std::unique_ptr<StatusBand> m_statusBand;
    HWND m_message = nullptr; // the browser area's text when there is no control
    HWND m_lastFocus = nullptr; // where the keyboard was when the window was left
    std::unique_ptr<HostedWebControl> m_control;
    HFONT m_font = nullptr;
    RECT m_reportedArea { -1, -1, -1, -1 };
    bool m_controlMissing = false;
    bool m_loaded = false;
};

} // namespace orv::win32
