// SPDX-License-Identifier: MIT
#pragma once

// The Info window of the Windows program: product name and version, the
// maker's offices per country (copyable, with mail links), a sales text, the
// authors with links to their staff pages, a home-page link and a panel for
// the system information tool. Modal over the browser window, made when it
// opens and destroyed when it closes, so each opening starts afresh.
//
// Its design (InfoLayout) becomes parts (InfoParts): child windows where
// something reacts or shows and hides (InfoControls), drawn by InfoPainter;
// pictures, labels and lines are drawn by their container, which lets the
// labels lie transparently on the pictures. Its messages go to
// InfoWindowProc, its modal run to ModalLoop. What any of it does is decided
// by the shared InfoWindowRules, which see this class as their InfoView.

#include "info/InfoWindowRules.h"
#include "info/win32/InfoGdi.h"
#include "info/win32/InfoParts.h"
#include "info/win32/InfoWindowProc.h"

#include <string>
#include <windows.h>

namespace orv::win32 {

class frmInfoFenster final : private info::InfoView
{
public:
    struct Dependencies
    {
        std::string MainHost;
        platform::Platform *platform = nullptr; // the shell that opens links
        int versionMajor = 0;
        int versionMinor = 0;
        int versionRevision = 0;
    };

    // Shows a new window over owner and returns when it has closed; owner
    // takes no input meanwhile. A WM_QUIT that arrives ends the wait and is
    // left for the program's own loop.
    static void ShowModal(const Dependencies &dependencies, HWND owner);

    frmInfoFenster(const frmInfoFenster &) = delete;
    frmInfoFenster &operator=(const frmInfoFenster &) = delete;

private:
    frmInfoFenster(const Dependencies &dependencies, HWND owner);
    ~frmInfoFenster() override;

    // Centred on the whole monitor that holds owner.
    void centreOnMonitor(HWND owner);

    void setFrameVisible(info::Frame frame, bool visible) override;
    void showLook(std::string_view panel, const info::Look &look) override;
    platform::WindowHandle handle() const override;

    Dependencies m_deps;
    info::InfoWindowRules m_rules;
    InfoParts m_parts;
    InfoGdi m_gdi;
    InfoWindowProc m_proc;
};

} // namespace orv::win32
