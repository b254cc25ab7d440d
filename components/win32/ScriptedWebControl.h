// SPDX-License-Identifier: MIT
#pragma once

// A stand-in for the web control that loads nothing: each Navigate, GoBack,
// GoForward and Refresh plays the load script's notifications from the
// message loop, on a timer, with a history of its own. The window's tests
// drive the real window code with it where no engine can run. Its page is a
// plain child window that shows the address and carries it as its text.

#include "components/win32/HostedControl.h"
#include "components/win32/LoadScript.h"

#include <deque>
#include <string>
#include <vector>

namespace orv::win32 {

class ScriptedWebControl final : public HostedWebControl
{
public:
    ScriptedWebControl(HWND container, WebControlEvents &events, LoadScript script);
    ~ScriptedWebControl() override;
    ScriptedWebControl(const ScriptedWebControl &) = delete;
    ScriptedWebControl &operator=(const ScriptedWebControl &) = delete;

    void setSilent(bool silent) override;
    void Navigate(const std::string &address) override;
    void GoBack() override;
    void GoForward() override;
    // Ends the load at once, as a cancelled navigation does.
    void Stop() override;
    void Refresh() override;
    void Move(int left, int top, int width, int height) override;
    void focus() override;

private:
    static LRESULT CALLBACK pageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void load();
    void play();
    void run(const LoadStep &step);

    HWND m_container;
    HWND m_page = nullptr;
    WebControlEvents &m_events;
    LoadScript m_script;
    std::deque<LoadStep> m_pending;
    std::vector<std::string> m_history;
    std::size_t m_position = 0;
};

} // namespace orv::win32
