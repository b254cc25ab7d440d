// SPDX-License-Identifier: MIT
#include "components/win32/WebView2Control.h"

#include "WebView2.h"
#include "components/OwnPages.h"
#include "components/win32/ComSupport.h"
#include "components/win32/FailedLoads.h"
#include "components/win32/NavigationProgress.h"
#include "components/win32/NavigationRouting.h"
#include "components/win32/WebView2Start.h"
#include "core/Failure.h"

#include <string>
#include <utility>

namespace orv::win32 {

namespace {

// The seam's operations on the engine's view, and the engine's events
// handed to the parts that deal with them: the start (WebView2Start), the
// routing of navigations (NavigationRouting), pages that fail
// (FailedLoads) and the progress the window shows (NavigationProgress).
class WebView2Control final : public HostedWebControl
{
public:
    WebView2Control(
        HWND container, WebControlEvents &events, HostedControlEvents &host, TrustedHosts trusted)
        : m_container(container), m_events(events), m_host(host), m_progress(events),
          m_self(std::make_shared<WebView2Control *>(this)), m_routing(std::move(trusted)),
          m_failedLoads(m_view, m_routing, events),
          m_start(
              container, [this](ICoreWebView2Controller *controller) { ready(controller); },
              [this](ControlProblem problem, HRESULT code) { unavailable(problem, code); })
    {
        m_start.start();
    }
    ~WebView2Control() override
    {
        *m_self = nullptr;
        m_failedLoads.stopRetrying();
        if (m_controller)
            m_controller->Close();
        m_view.reset();
        m_controller.reset();
    }
    WebView2Control(const WebView2Control &) = delete;
    WebView2Control &operator=(const WebView2Control &) = delete;

    void setSilent(bool silent) override
    {
        m_silent = silent;
        applySettings();
    }

    void Navigate(const std::string &address) override
    {
        m_address = address;
        if (!m_view)
            return; // opened once the engine is ready
        // An address the engine refuses (an empty box gives "http://") is
        // the control's to deal with, as a load that failed: the caller
        // still keeps it in the address box's history.
        if (FAILED(m_routing.open(*m_view.get(), address)))
            m_events.StatusTextChange(unopenedAddressStatus(address));
    }

    void GoBack() override
    {
        if (!m_view || !m_failedLoads.tools().back)
            fail(FailureCode::ControlFailed, "no page to go back to");
        m_failedLoads.step(-1);
    }

    void GoForward() override
    {
        if (!m_view || !m_failedLoads.tools().forward)
            fail(FailureCode::ControlFailed, "no page to go forward to");
        m_failedLoads.step(1);
    }

    void Stop() override
    {
        if (m_view)
            m_view->Stop();
    }

    void Refresh() override
    {
        // Reloading our own page would only show it again.
        if (m_failedLoads.showing())
            m_failedLoads.retryNow();
        else if (m_view)
            m_view->Reload();
    }

    void Move(int left, int top, int width, int height) override
    {
        const UINT dpi = GetDpiForWindow(m_container);
        m_bounds = { twipsToPixels(left, dpi), twipsToPixels(top, dpi),
            twipsToPixels(left + width, dpi), twipsToPixels(top + height, dpi) };
        if (m_controller)
            m_controller->put_Bounds(m_bounds);
    }

    void focus() override
    {
        if (m_controller)
            m_controller->MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON_PROGRAMMATIC);
    }

private:
    void unavailable(ControlProblem problem, HRESULT code)
    {
        if (m_reportedMissing)
            return;
        m_reportedMissing = true;
        m_host.ControlUnavailable(problem, code);
    }

    void ready(ICoreWebView2Controller *controller)
    {
        m_controller = ComPtr<ICoreWebView2Controller>::share(controller);
        if (FAILED(m_controller->get_CoreWebView2(m_view.put())) || !m_view)
            return m_start.failed(E_FAIL);
        m_controller->put_Bounds(m_bounds);
        m_controller->put_IsVisible(TRUE);
        applySettings();
        listen();
        if (!m_address.empty())
            Navigate(m_address);
    }

    void applySettings()
    {
        ComPtr<ICoreWebView2Settings> settings;
        if (!m_view || FAILED(m_view->get_Settings(settings.put())) || !settings)
            return;
        // The status text goes to the window's status pane, not over the page.
        settings->put_IsStatusBarEnabled(FALSE);
        // The program's own page replaces the engine's for pages that cannot be reached.
        settings->put_IsBuiltInErrorPageEnabled(FALSE);
        settings->put_AreDefaultScriptDialogsEnabled(m_silent ? FALSE : TRUE);
    }

    // The engine's events, each to the part that deals with it.
    void listen()
    {
        using Self = WebView2Control;
        ICoreWebView2 *view = m_view.get();
        const auto on = [this](auto *source, auto add, const IID &iid, auto call) {
            subscribe(m_self, source, add, iid, call);
        };
        on(view, &ICoreWebView2::add_NavigationStarting,
            IID_ICoreWebView2NavigationStartingEventHandler,
            [](Self &self, auto, auto *arguments) { self.navigationStarting(arguments); });
        on(view, &ICoreWebView2::add_ContentLoading, IID_ICoreWebView2ContentLoadingEventHandler,
            [](Self &self, auto, auto *arguments) {
                self.m_progress.contentLoading(navigationOf(arguments));
            });
        on(view, &ICoreWebView2::add_NavigationCompleted,
            IID_ICoreWebView2NavigationCompletedEventHandler,
            [](Self &self, auto, auto *arguments) { self.navigationCompleted(arguments); });
        on(view, &ICoreWebView2::add_NewWindowRequested,
            IID_ICoreWebView2NewWindowRequestedEventHandler,
            [](Self &self, auto, auto *arguments) { self.newWindowRequested(arguments); });
        on(view, &ICoreWebView2::add_HistoryChanged, IID_ICoreWebView2HistoryChangedEventHandler,
            [](Self &self, auto, auto) { self.m_failedLoads.reportHistory(); });
        on(view, &ICoreWebView2::add_ProcessFailed, IID_ICoreWebView2ProcessFailedEventHandler,
            [](Self &self, auto, auto *arguments) { self.processFailed(arguments); });
        if (auto view2 = m_view.query<ICoreWebView2_2>(IID_ICoreWebView2_2))
            on(view2.get(), &ICoreWebView2_2::add_DOMContentLoaded,
                IID_ICoreWebView2DOMContentLoadedEventHandler,
                [](Self &self, auto, auto *arguments) {
                    self.m_progress.domContentLoaded(navigationOf(arguments));
                });
        // Never ask: an untrusted certificate fails the load, and the failed
        // load of the page says so. Older runtimes lack the event and refuse
        // such certificates by themselves.
        if (auto view14 = m_view.query<ICoreWebView2_14>(IID_ICoreWebView2_14))
            on(view14.get(), &ICoreWebView2_14::add_ServerCertificateErrorDetected,
                IID_ICoreWebView2ServerCertificateErrorDetectedEventHandler,
                [](Self &self, auto, auto *arguments) {
                    self.m_failedLoads.certificateRefused(arguments);
                });
        if (auto view12 = m_view.query<ICoreWebView2_12>(IID_ICoreWebView2_12))
            on(view12.get(), &ICoreWebView2_12::add_StatusBarTextChanged,
                IID_ICoreWebView2StatusBarTextChangedEventHandler,
                [](Self &self, ICoreWebView2 *sender, auto) { self.reportStatusText(sender); });
        on(m_controller.get(), &ICoreWebView2Controller::add_AcceleratorKeyPressed,
            IID_ICoreWebView2AcceleratorKeyPressedEventHandler,
            [](Self &self, auto, auto *arguments) { self.acceleratorKey(arguments); });
    }

    void navigationStarting(ICoreWebView2NavigationStartingEventArgs *arguments)
    {
        const auto started = m_routing.starting(m_view.get(), arguments);
        if (!started)
            return;
        if (!started->redirect)
            m_failedLoads.started();
        m_progress.starting(started->id);
    }

    void navigationCompleted(ICoreWebView2NavigationCompletedEventArgs *arguments)
    {
        const std::uint64_t id = navigationOf(arguments);
        m_progress.completed(id);
        if (const auto loaded = m_routing.ended(id))
            m_failedLoads.completed(*loaded, arguments);
    }

    void newWindowRequested(ICoreWebView2NewWindowRequestedEventArgs *arguments)
    {
        const auto address = m_routing.newWindow(m_view.get(), arguments);
        if (address)
            Navigate(*address);
    }

    void reportStatusText(ICoreWebView2 *sender)
    {
        const auto view12
            = ComPtr<ICoreWebView2>::share(sender).query<ICoreWebView2_12>(IID_ICoreWebView2_12);
        LPWSTR text = nullptr;
        if (view12 && SUCCEEDED(view12->get_StatusBarText(&text)))
            m_events.StatusTextChange(takeText(text));
    }

    void acceleratorKey(ICoreWebView2AcceleratorKeyPressedEventArgs *arguments)
    {
        COREWEBVIEW2_KEY_EVENT_KIND kind;
        UINT key = 0;
        COREWEBVIEW2_PHYSICAL_KEY_STATUS status {};
        if (FAILED(arguments->get_KeyEventKind(&kind)) || FAILED(arguments->get_VirtualKey(&key))
            || FAILED(arguments->get_PhysicalKeyStatus(&status)))
            return;
        if (kind != COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN
            && kind != COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_DOWN)
            return;
        const bool alt
            = kind == COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_DOWN || GetKeyState(VK_MENU) < 0;
        const bool ours
            = m_host.PageKey(key, alt, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0);
        if (ours)
            arguments->put_Handled(TRUE);
    }

    void processFailed(ICoreWebView2ProcessFailedEventArgs *arguments)
    {
        COREWEBVIEW2_PROCESS_FAILED_KIND kind;
        if (FAILED(arguments->get_ProcessFailedKind(&kind)))
            return;
        if (kind != COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED
            && kind != COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_EXITED)
            return;
        m_progress.abandoned();
        if (kind == COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED) {
            // The engine is gone with its controller: start it again, on the
            // address last opened.
            m_controller->Close();
            m_view.reset();
            m_controller.reset();
            m_start.start();
        }
    }

    HWND m_container;
    WebControlEvents &m_events;
    HostedControlEvents &m_host;
    NavigationProgress m_progress;
    // What the engine's callbacks reach the control through; cleared when it
    // goes, so a late callback finds nobody.
    std::shared_ptr<WebView2Control *> m_self;
    NavigationRouting m_routing;
    ComPtr<ICoreWebView2Controller> m_controller;
    ComPtr<ICoreWebView2> m_view;
    FailedLoads m_failedLoads;
    WebView2Start m_start;
    RECT m_bounds {};
    std::string m_address;
    bool m_silent = false;
    bool m_reportedMissing = false;
};

} // namespace

std::unique_ptr<HostedWebControl> makeWebView2Control(
    HWND container, WebControlEvents &events, HostedControlEvents &host, TrustedHosts trusted)
{
    return std::make_unique<WebView2Control>(container, events, host, std::move(trusted));
}

} // namespace orv::win32
