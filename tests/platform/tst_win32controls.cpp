// SPDX-License-Identifier: MIT
// The Win32 control adapters on real windows (under Wine here, with the null
// graphics driver).
#include "ControlsContract.h"
#include "Expect.h"
#include "platform/Platform.h"
#include "sysutil/controls/SystemControls.h"

#include <windows.h>

using namespace orv;

namespace {

class Win32Controls : public test::Controls
{
public:
    Win32Controls()
    {
        WNDCLASSA windowClass {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "OrvelControlsForm";
        RegisterClassA(&windowClass);
        m_window = CreateWindowExA(0, windowClass.lpszClassName, "Form", WS_OVERLAPPEDWINDOW, 40,
            30, 400, 300, nullptr, nullptr, windowClass.hInstance, nullptr);
        ShowWindow(m_window, SW_SHOW);
    }
    ~Win32Controls() override { DestroyWindow(m_window); }

    ComboBoxObject &combo(std::int32_t scaleMode, int entries) override
    {
        m_form = std::make_unique<controls::SystemForm>(m_window, scaleMode);
        DestroyWindow(m_box);
        m_box = CreateWindowExA(0, "COMBOBOX", "",
            WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, 10, 20, 4, 24, m_window, nullptr,
            GetModuleHandleA(nullptr), nullptr);
        for (int i = 0; i < entries; ++i)
            SendMessageA(
                m_box, CB_ADDSTRING, 0, LPARAM(std::string(std::size_t(i + 1), 'W').c_str()));
        m_combo = std::make_unique<controls::SystemComboBox>(m_box, *m_form);
        return *m_combo;
    }
    int comboHeight() override
    {
        // The window's height includes the dropped list.
        RECT dropped {};
        SendMessageA(m_box, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        return dropped.bottom - dropped.top;
    }
    bool comboKeptPlace() override
    {
        RECT box {};
        GetWindowRect(m_box, &box);
        POINT corner { box.left, box.top };
        ScreenToClient(m_window, &corner);
        return corner.x == 10 && corner.y == 20 && box.right - box.left == 4;
    }
    int listWidth() override { return int(SendMessageA(m_box, CB_GETDROPPEDWIDTH, 0, 0)); }
    double textWidth(const std::wstring &text) override
    {
        // The form's font is the default one: a form sets none.
        const HDC dc = GetDC(m_window);
        const HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SIZE extent {};
        GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
        SelectObject(dc, previous);
        ReleaseDC(m_window, dc);
        return extent.cx;
    }

private:
    HWND m_window = nullptr, m_box = nullptr;
    std::unique_ptr<controls::SystemForm> m_form;
    std::unique_ptr<controls::SystemComboBox> m_combo;
};

} // namespace

TEST_CASE("the control adapters keep the controls contract")
{
    Win32Controls controls;
    const std::unique_ptr<platform::Platform> platform = platform::createSystemPlatform();
    for (const std::string &wrong : test::controlsContract(controls, *platform))
        FAIL_CHECK(wrong);
}
