// SPDX-License-Identifier: MIT
#pragma once

// The Info window of the Windows program: product name and version, the
// maker's offices per country (copyable, with mail links), a sales text, the
// authors with links to their staff pages, a home-page link and a panel for
// the system information tool. Modal over the browser window, made when it
// opens and destroyed when it closes, so each opening starts afresh.
//
// Its design (InfoLayout) becomes child windows where something reacts or
// shows and hides (panels, frames, the sales text, the copy buttons); the
// pictures, labels and lines are drawn by their container, which lets the
// labels lie transparently on the pictures. What any of it does is decided
// by the shared InfoWindowRules.

#include "info/InfoLayout.h"
#include "info/InfoWindowRules.h"

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>
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
    enum class PartKind { Picture, Label, Line, Panel, Frame, OutlinedFrame, TextBox, CopyButton };

    // One control of the design, with its window if it has one.
    struct Part
    {
        frmInfoFenster *owner = nullptr;
        std::string name {}; // array members as name_index
        std::string container {}; // empty: the window
        PartKind kind = PartKind::Frame;
        RECT place {}; // twips: left, top, width, height
        std::wstring text {};
        info::Font font {};
        std::uint32_t back = info::kUnset, fore = info::kUnset;
        info::Role role = info::Role::None;
        bool dragSurface = false;
        std::string target {}; // where a link goes; a copy button's text
        int picture = 0; // resource
        bool underline = false;
        bool hand = false;
        HWND window = nullptr;
        HBITMAP bitmap = nullptr;
        bool tracking = false;
        bool pressed = false;
    };

    frmInfoFenster(const Dependencies &dependencies, HWND owner);
    ~frmInfoFenster() override;

    void makeParts();
    void addPart(Part part);
    void createWindows();
    void applyDpi();
    int px(int twips) const { return MulDiv(twips, static_cast<int>(m_dpi), 1440); }
    RECT pixelRect(const Part &part) const;
    Part *find(std::string_view name);
    Part *partOf(HWND window);
    HFONT font(const info::Font &font, bool underline);
    HBRUSH brush(std::uint32_t color);
    HWND container(const Part &part);

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK partProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handlePartMessage(Part &part, UINT message, WPARAM wParam, LPARAM lParam);
    // Background, then the parts drawn by the container named (empty: the window).
    void paintContainer(HWND window, std::string_view name, std::uint32_t back);
    void paintPart(HDC dc, const Part &part);
    void drawCopyButton(const DRAWITEMSTRUCT &item);
    void apply(Part &part, const info::Look &look);
    void pointerEntered(Part &part);
    void pointerLeft(Part &part);
    void clicked(Part &part);
    void copyOffice(const Part &button);
    bool filterMessage(const MSG &message);
    void close() { m_closing = true; }
    template <class Call> void guarded(Call &&call);

    void setFrameVisible(info::Frame frame, bool visible) override;
    void showNormalLook(info::Page page) override;
    void showNormalLook(info::Country country) override;
    platform::WindowHandle handle() const override;

    Dependencies m_deps;
    HWND m_window = nullptr;
    HWND m_tips = nullptr;
    UINT m_dpi = 96;
    bool m_closing = false;
    std::vector<std::unique_ptr<Part>> m_parts;
    std::map<std::tuple<std::string_view, double, bool, bool>, HFONT> m_fonts;
    std::map<std::uint32_t, HBRUSH> m_brushes;
    info::InfoWindowRules m_rules;
};

} // namespace orv::win32
