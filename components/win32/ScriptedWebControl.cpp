// SPDX-License-Identifier: MIT
#include "components/win32/ScriptedWebControl.h"

#include "components/OwnPages.h"
#include "core/Failure.h"
#include "platform/Utf8.h"
#include "platform/win32/WindowObject.h"
#include "resources/Texts.h"

namespace orv::win32 {

namespace {

constexpr wchar_t kPageClass[] = L"OrvelScriptedPage";
constexpr UINT_PTR kStepTimer = 1;

void registerPageClass(WNDPROC procedure)
{
    WNDCLASSEXW page {};
    page.cbSize = sizeof page;
    page.lpfnWndProc = procedure;
    page.hInstance = GetModuleHandleW(nullptr);
    page.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    page.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    page.lpszClassName = kPageClass;
    RegisterClassExW(&page); // fails harmlessly when a second control registers it again
}

} // namespace

ScriptedWebControl::ScriptedWebControl(HWND container, WebControlEvents &events, LoadScript script)
    : m_container(container), m_events(events), m_script(std::move(script))
{
    registerPageClass(&ScriptedWebControl::pageProc);
    m_page = CreateWindowExW(0, kPageClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0,
        0, m_container, nullptr, GetModuleHandleW(nullptr), this);
    if (!m_page)
        fail(FailureCode::ControlFailed, "scripted web control: no page window");
}

ScriptedWebControl::~ScriptedWebControl()
{
    SetWindowLongPtrW(m_page, GWLP_USERDATA, 0);
    DestroyWindow(m_page);
}

void ScriptedWebControl::setSilent(bool)
{
}

void ScriptedWebControl::Navigate(const std::string &address)
{
    if (!m_history.empty())
        m_history.resize(m_position + 1);
    m_history.push_back(address);
    m_position = m_history.size() - 1;
    load();
}

void ScriptedWebControl::GoBack()
{
    if (m_history.empty() || m_position == 0)
        fail(FailureCode::ControlFailed, "no page to go back to");
    --m_position;
    load();
}

void ScriptedWebControl::GoForward()
{
    if (m_position + 1 >= m_history.size())
        fail(FailureCode::ControlFailed, "no page to go forward to");
    ++m_position;
    load();
}

void ScriptedWebControl::Stop()
{
    if (m_pending.empty())
        return;
    KillTimer(m_page, kStepTimer);
    m_pending.assign({ { LoadStep::Kind::Complete }, { LoadStep::Kind::Progress, -1, 0 } });
    SetTimer(m_page, kStepTimer, 0, nullptr);
}

void ScriptedWebControl::Refresh()
{
    if (!m_history.empty())
        load();
}

void ScriptedWebControl::Move(int left, int top, int width, int height)
{
    const UINT dpi = GetDpiForWindow(m_container);
    MoveWindow(m_page, twipsToPixels(left, dpi), twipsToPixels(top, dpi), twipsToPixels(width, dpi),
        twipsToPixels(height, dpi), TRUE);
}

void ScriptedWebControl::focus()
{
    SetFocus(m_page);
}

void ScriptedWebControl::load()
{
    // The page shows its address at once; the notifications follow from the
    // message loop, as an engine's do, never inside the call.
    SetWindowTextW(m_page, platform::fromUtf8(m_history[m_position]).c_str());
    InvalidateRect(m_page, nullptr, TRUE);
    m_pending.assign(m_script.begin(), m_script.end());
    SetTimer(m_page, kStepTimer, 0, nullptr);
}

void ScriptedWebControl::play()
{
    KillTimer(m_page, kStepTimer);
    // A notification's handler may let messages run and start another load,
    // which replaces the steps; each step is taken off before it runs.
    while (!m_pending.empty()) {
        const LoadStep step = m_pending.front();
        m_pending.pop_front();
        if (step.kind == LoadStep::Kind::Wait) {
            SetTimer(m_page, kStepTimer, static_cast<UINT>(step.first), nullptr);
            return;
        }
        run(step);
    }
}

void ScriptedWebControl::run(const LoadStep &step)
{
    using Kind = LoadStep::Kind;
    switch (step.kind) {
    case Kind::Begin:
        m_events.DownloadBegin();
        break;
    case Kind::Progress:
        m_events.ProgressChange(step.first, step.second);
        break;
    case Kind::Status:
        m_events.StatusTextChange(step.text);
        break;
    case Kind::History:
        m_events.CommandStateChange(CommandForward, m_position + 1 < m_history.size());
        m_events.CommandStateChange(CommandBack, m_position > 0);
        break;
    case Kind::Complete:
        m_events.DownloadComplete();
        break;
    case Kind::Unreachable: {
        const auto failure = static_cast<ReachFailure>(step.first);
        m_events.StatusTextChange(
            std::string(failure == ReachFailure::Certificate ? texts::statusCertificateRejected
                                                             : texts::statusLoadFailed)
            + m_history[m_position]);
        SetWindowTextW(
            m_page, platform::fromUtf8(std::string(reachFailureSentence(failure))).c_str());
        InvalidateRect(m_page, nullptr, TRUE);
        break;
    }
    case Kind::Wait:
        break;
    }
}

LRESULT CALLBACK ScriptedWebControl::pageProc(
    HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *self = windowObject<ScriptedWebControl>(window, message, lParam);
    switch (message) {
    case WM_TIMER:
        if (self && wParam == kStepTimer)
            self->play();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        wchar_t address[2048] = L"";
        GetWindowTextW(window, address, static_cast<int>(std::size(address)));
        RECT area;
        GetClientRect(window, &area);
        InflateRect(&area, -8, -8);
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, address, -1, &area, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_LBUTTONDOWN:
        SetFocus(window);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace orv::win32
