// SPDX-License-Identifier: MIT
#include "components/win32/WebView2Control.h"

#include "WebView2.h"
#include "components/win32/ComSupport.h"
#include "components/win32/NavigationProgress.h"
#include "core/Application.h"
#include "core/Failure.h"
#include "platform/Utf8.h"

#include <objbase.h>
#include <shlobj.h>
#include <string>
#include <vector>

namespace orv::win32 {

namespace {

using CreateEnvironment
    = HRESULT(STDAPICALLTYPE *)(PCWSTR, PCWSTR, ICoreWebView2EnvironmentOptions *,
        ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler *);
using AvailableVersion = HRESULT(STDAPICALLTYPE *)(PCWSTR, LPWSTR *);

const HRESULT kFileNotFound = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);

HRESULT copyOut(const wchar_t *text, LPWSTR *value)
{
    if (!value)
        return E_POINTER;
    const std::size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    *value = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (!*value)
        return E_OUTOFMEMORY;
    memcpy(*value, text, bytes);
    return S_OK;
}

std::string takeText(LPWSTR text)
{
    if (!text)
        return {};
    std::string result = platform::toUtf8(text);
    CoTaskMemFree(text);
    return result;
}

// The engine's start-up options, fixed: WRL's ready-made class is not
// available with mingw-w64.
class EnvironmentOptions final : public ComObject<ICoreWebView2EnvironmentOptions>
{
public:
    EnvironmentOptions() : ComObject(IID_ICoreWebView2EnvironmentOptions) { }

    HRESULT STDMETHODCALLTYPE get_AdditionalBrowserArguments(LPWSTR *value) override
    {
        return copyOut(L"", value);
    }
    HRESULT STDMETHODCALLTYPE put_AdditionalBrowserArguments(LPCWSTR) override { return E_NOTIMPL; }
    // The pages' language, the engine's own dialogs and the Accept-Language
    // the web site sees.
    HRESULT STDMETHODCALLTYPE get_Language(LPWSTR *value) override
    {
        return copyOut(L"de-DE", value);
    }
    HRESULT STDMETHODCALLTYPE put_Language(LPCWSTR) override { return E_NOTIMPL; }
    // The runtime the SDK was made for; the loader picks an installed one at
    // least as new.
    HRESULT STDMETHODCALLTYPE get_TargetCompatibleBrowserVersion(LPWSTR *value) override
    {
        return copyOut(ORVEL_WEBVIEW2_TARGET_VERSION, value);
    }
    HRESULT STDMETHODCALLTYPE put_TargetCompatibleBrowserVersion(LPCWSTR) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_AllowSingleSignOnUsingOSPrimaryAccount(BOOL *allow) override
    {
        if (!allow)
            return E_POINTER;
        *allow = FALSE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_AllowSingleSignOnUsingOSPrimaryAccount(BOOL) override
    {
        return E_NOTIMPL;
    }
};

std::wstring userDataFolder()
{
    PWSTR local = nullptr;
    if (FAILED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &local))) {
        CoTaskMemFree(local);
        return {};
    }
    std::wstring folder = std::wstring(local) + L'\\' + application::wideTitle + L"\\WebView2";
    CoTaskMemFree(local);
    return folder;
}

// Whether a text names its scheme ("https://...", "about:blank", "mailto:...").
bool hasScheme(const std::string &address)
{
    const auto colon = address.find(':');
    if (colon == std::string::npos || colon < 2)
        return false; // "c:\..." is a drive, not a scheme
    for (std::size_t i = 0; i < colon; ++i) {
        const char c = address[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letter && (i == 0 || !((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.')))
            return false;
    }
    return true;
}

class WebView2Control final : public HostedWebControl
{
public:
    WebView2Control(HWND container, WebControlEvents &events, HostedControlEvents &host)
        : m_container(container), m_events(events), m_host(host), m_progress(events),
          m_self(std::make_shared<WebView2Control *>(this))
    {
        start();
    }
    ~WebView2Control() override
    {
        *m_self = nullptr;
        if (m_controller)
            m_controller->Close();
        m_view.reset();
        m_controller.reset();
        m_environment.reset();
        // The loader stays loaded: the engine may still hold code of it
        // until the process ends.
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
        const std::wstring uri = platform::fromUtf8(address);
        HRESULT result = m_view->Navigate(uri.c_str());
        // The engine takes only complete addresses; the old control completed
        // "www.example.com" to a web address itself.
        if (result == E_INVALIDARG && !hasScheme(address))
            result = m_view->Navigate((L"http://" + uri).c_str());
        if (FAILED(result))
            fail(FailureCode::ControlFailed, "the web control cannot open \"" + address + '"');
    }

    void GoBack() override
    {
        BOOL possible = FALSE;
        if (!m_view || FAILED(m_view->get_CanGoBack(&possible)) || !possible)
            fail(FailureCode::ControlFailed, "no page to go back to");
        m_view->GoBack();
    }

    void GoForward() override
    {
        BOOL possible = FALSE;
        if (!m_view || FAILED(m_view->get_CanGoForward(&possible)) || !possible)
            fail(FailureCode::ControlFailed, "no page to go forward to");
        m_view->GoForward();
    }

    void Stop() override
    {
        if (m_view)
            m_view->Stop();
    }

    void Refresh() override
    {
        if (m_view)
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

    void start()
    {
        // Only from beside the program or the system folder, never from the
        // current folder, where anyone may have put a DLL of that name.
        if (!m_loader)
            m_loader = LoadLibraryExW(L"WebView2Loader.dll", nullptr,
                LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (!m_loader)
            return unavailable(ControlProblem::LoaderMissing, HRESULT_FROM_WIN32(GetLastError()));
        const auto create = reinterpret_cast<CreateEnvironment>(reinterpret_cast<void *>(
            GetProcAddress(m_loader, "CreateCoreWebView2EnvironmentWithOptions")));
        const auto version = reinterpret_cast<AvailableVersion>(reinterpret_cast<void *>(
            GetProcAddress(m_loader, "GetAvailableCoreWebView2BrowserVersionString")));
        if (!create || !version)
            return unavailable(
                ControlProblem::LoaderMissing, HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND));

        LPWSTR installed = nullptr;
        const HRESULT found = version(nullptr, &installed);
        const bool runtime = SUCCEEDED(found) && installed;
        CoTaskMemFree(installed);
        if (!runtime)
            return unavailable(
                ControlProblem::RuntimeMissing, FAILED(found) ? found : kFileNotFound);

        auto self = m_self;
        auto created = makeHandler<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler>(
            IID_ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler,
            [self](HRESULT result, ICoreWebView2Environment *environment) -> HRESULT {
                if (WebView2Control *control = *self)
                    control->environmentCreated(result, environment);
                return S_OK;
            });
        const ComPtr<ICoreWebView2EnvironmentOptions> options
            = ComPtr<ICoreWebView2EnvironmentOptions>::adopt(new EnvironmentOptions);
        const std::wstring folder = userDataFolder();
        const HRESULT result = create(
            nullptr, folder.empty() ? nullptr : folder.c_str(), options.get(), created.get());
        if (FAILED(result))
            failedToStart(result);
    }

    void failedToStart(HRESULT result)
    {
        unavailable(
            result == kFileNotFound ? ControlProblem::RuntimeMissing : ControlProblem::StartFailed,
            result);
    }

    void environmentCreated(HRESULT result, ICoreWebView2Environment *environment)
    {
        if (FAILED(result) || !environment)
            return failedToStart(FAILED(result) ? result : E_FAIL);
        m_environment = ComPtr<ICoreWebView2Environment>::share(environment);
        auto self = m_self;
        auto created = makeHandler<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler>(
            IID_ICoreWebView2CreateCoreWebView2ControllerCompletedHandler,
            [self](HRESULT result, ICoreWebView2Controller *controller) -> HRESULT {
                if (WebView2Control *control = *self)
                    control->controllerCreated(result, controller);
                return S_OK;
            });
        const HRESULT started
            = m_environment->CreateCoreWebView2Controller(m_container, created.get());
        if (FAILED(started))
            failedToStart(started);
    }

    void controllerCreated(HRESULT result, ICoreWebView2Controller *controller)
    {
        if (FAILED(result) || !controller)
            return failedToStart(FAILED(result) ? result : E_FAIL);
        m_controller = ComPtr<ICoreWebView2Controller>::share(controller);
        if (FAILED(m_controller->get_CoreWebView2(m_view.put())) || !m_view)
            return failedToStart(E_FAIL);
        m_controller->put_Bounds(m_bounds);
        m_controller->put_IsVisible(TRUE);
        applySettings();
        subscribe();
        if (!m_address.empty()) {
            try {
                Navigate(m_address);
            } catch (const Failure &) {
                // An address the engine refuses leaves the page empty, as
                // the same address typed later does.
            }
        }
    }

    void applySettings()
    {
        ComPtr<ICoreWebView2Settings> settings;
        if (!m_view || FAILED(m_view->get_Settings(settings.put())) || !settings)
            return;
        // The status text goes to the window's status pane, not over the page.
        settings->put_IsStatusBarEnabled(FALSE);
        settings->put_AreDefaultScriptDialogsEnabled(m_silent ? FALSE : TRUE);
    }

    template <class Interface, class Function>
    ComPtr<Interface> handler(const IID &iid, Function call)
    {
        auto self = m_self;
        return makeHandler<Interface>(iid, [self, call](auto... args) -> HRESULT {
            if (WebView2Control *control = *self)
                call(*control, args...);
            return S_OK;
        });
    }

    static std::uint64_t navigationOf(auto *arguments)
    {
        UINT64 id = 0;
        arguments->get_NavigationId(&id);
        return id;
    }

    // The engine keeps its own reference to each handler until it closes.
    void subscribe()
    {
        EventRegistrationToken token;
        m_view->add_NavigationStarting(
            handler<ICoreWebView2NavigationStartingEventHandler>(
                IID_ICoreWebView2NavigationStartingEventHandler,
                [](WebView2Control &control, ICoreWebView2 *,
                    ICoreWebView2NavigationStartingEventArgs *arguments) {
                    control.m_progress.starting(navigationOf(arguments));
                })
                .get(),
            &token);
        m_view->add_ContentLoading(handler<ICoreWebView2ContentLoadingEventHandler>(
                                       IID_ICoreWebView2ContentLoadingEventHandler,
                                       [](WebView2Control &control, ICoreWebView2 *,
                                           ICoreWebView2ContentLoadingEventArgs *arguments) {
                                           control.m_progress.contentLoading(
                                               navigationOf(arguments));
                                       })
                                       .get(),
            &token);
        m_view->add_NavigationCompleted(
            handler<ICoreWebView2NavigationCompletedEventHandler>(
                IID_ICoreWebView2NavigationCompletedEventHandler,
                [](WebView2Control &control, ICoreWebView2 *,
                    ICoreWebView2NavigationCompletedEventArgs *arguments) {
                    control.m_progress.completed(navigationOf(arguments));
                })
                .get(),
            &token);
        m_view->add_HistoryChanged(handler<ICoreWebView2HistoryChangedEventHandler>(
                                       IID_ICoreWebView2HistoryChangedEventHandler,
                                       [](WebView2Control &control, ICoreWebView2 *, IUnknown *) {
                                           control.reportHistory();
                                       })
                                       .get(),
            &token);
        m_view->add_ProcessFailed(handler<ICoreWebView2ProcessFailedEventHandler>(
                                      IID_ICoreWebView2ProcessFailedEventHandler,
                                      [](WebView2Control &control, ICoreWebView2 *,
                                          ICoreWebView2ProcessFailedEventArgs *arguments) {
                                          control.processFailed(arguments);
                                      })
                                      .get(),
            &token);
        if (auto view2 = m_view.query<ICoreWebView2_2>(IID_ICoreWebView2_2)) {
            view2->add_DOMContentLoaded(handler<ICoreWebView2DOMContentLoadedEventHandler>(
                                            IID_ICoreWebView2DOMContentLoadedEventHandler,
                                            [](WebView2Control &control, ICoreWebView2 *,
                                                ICoreWebView2DOMContentLoadedEventArgs *arguments) {
                                                control.m_progress.domContentLoaded(
                                                    navigationOf(arguments));
                                            })
                                            .get(),
                &token);
        }
        if (auto view12 = m_view.query<ICoreWebView2_12>(IID_ICoreWebView2_12)) {
            view12->add_StatusBarTextChanged(
                handler<ICoreWebView2StatusBarTextChangedEventHandler>(
                    IID_ICoreWebView2StatusBarTextChangedEventHandler,
                    [](WebView2Control &control, ICoreWebView2 *sender, IUnknown *) {
                        control.reportStatusText(sender);
                    })
                    .get(),
                &token);
        }
        m_controller->add_AcceleratorKeyPressed(
            handler<ICoreWebView2AcceleratorKeyPressedEventHandler>(
                IID_ICoreWebView2AcceleratorKeyPressedEventHandler,
                [](WebView2Control &control, ICoreWebView2Controller *,
                    ICoreWebView2AcceleratorKeyPressedEventArgs *arguments) {
                    control.acceleratorKey(arguments);
                })
                .get(),
            &token);
    }

    void reportHistory()
    {
        BOOL back = FALSE;
        BOOL forward = FALSE;
        m_view->get_CanGoBack(&back);
        m_view->get_CanGoForward(&forward);
        m_events.CommandStateChange(CommandForward, forward != FALSE);
        m_events.CommandStateChange(CommandBack, back != FALSE);
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
            m_environment.reset();
            start();
        }
    }

    HWND m_container;
    WebControlEvents &m_events;
    HostedControlEvents &m_host;
    NavigationProgress m_progress;
    // What the engine's callbacks reach the control through; cleared when it
    // goes, so a late callback finds nobody.
    std::shared_ptr<WebView2Control *> m_self;
    HMODULE m_loader = nullptr;
    ComPtr<ICoreWebView2Environment> m_environment;
    ComPtr<ICoreWebView2Controller> m_controller;
    ComPtr<ICoreWebView2> m_view;
    RECT m_bounds {};
    std::string m_address;
    bool m_silent = false;
    bool m_reportedMissing = false;
};

} // namespace

std::unique_ptr<HostedWebControl> makeWebView2Control(
    HWND container, WebControlEvents &events, HostedControlEvents &host)
{
    return std::make_unique<WebView2Control>(container, events, host);
}

} // namespace orv::win32
