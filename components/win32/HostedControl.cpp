// SPDX-License-Identifier: MIT
#include "components/win32/HostedControl.h"

#include "core/Failure.h"

#include <cmath>

namespace orv::win32 {

namespace {

class MissingWebControl final : public HostedWebControl
{
public:
    void setSilent(bool) override { }
    void Navigate(const std::string &) override { }
    void GoBack() override
    {
        fail(FailureCode::ControlFailed, "no web control: no page to go back to");
    }
    void GoForward() override
    {
        fail(FailureCode::ControlFailed, "no web control: no page to go forward to");
    }
    void Stop() override { }
    void Refresh() override { }
    void Move(int, int, int, int) override { }
    void focus() override { }
};

} // namespace

std::unique_ptr<HostedWebControl> makeMissingWebControl(
    HWND, WebControlEvents &, HostedControlEvents &host)
{
    host.ControlUnavailable(ControlProblem::NotBuilt, S_OK);
    return std::make_unique<MissingWebControl>();
}

int twipsToPixels(int twips, UINT dpi)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / 1440.0));
}

int pixelsToTwips(int pixels, UINT dpi)
{
    return static_cast<int>(std::lround(static_cast<double>(pixels) * 1440.0 / dpi));
}

} // namespace orv::win32
