// SPDX-License-Identifier: MIT
#include "components/win32/WebView2Control.h"

#include "WebView2.h"
#include "components/OwnPages.h"
#include "components/win32/ComSupport.h"
#include "components/win32/NavigationProgress.h"
#include "core/Application.h"
#include "core/Failure.h"
#include "platform/Platform.h"
#include "platform/Utf8.h"
#include "resources/Texts.h"

#include <map>
#include <objbase.h>
#include <optional>
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

// The engine hands over addresses as texts it has already made canonical
// (lower-case scheme and host, punycode, percent-encoding), so the rules'
// own parser splits them; it is the one the trusted hosts' entries go
// through, and it is tested in both builds.
WebAddress addressOf(const std::string &uri)
{
    if (auto address = parseWebAddress(uri))
        return *address;
    WebAddress unknown; // no scheme: the routing drops it
    unknown.text = uri;
    return unknown;
}

std::string hostOfSource(ICoreWebView2 *view)
{
    LPWSTR source = nullptr;
    if (!view || FAILED(view->get_Source(&source)))
        return {};
    return addressOf(takeText(source)).hostAndPort();
}

// What a failed navigation means for the user. Nothing: no failure of
// reaching the page (the user stopped it, it was routed elsewhere, it became
// a download, or the server's own error page arrived).
enum class Failed { Nothing, Unreachable, LoginNeeded };

std::pair<Failed, ReachFailure> failureOf(COREWEBVIEW2_WEB_ERROR_STATUS status)
{
    switch (status) {
    case COREWEBVIEW2_WEB_ERROR_STATUS_CERTIFICATE_COMMON_NAME_IS_INCORRECT:
    case COREWEBVIEW2_WEB_ERROR_STATUS_CERTIFICATE_EXPIRED:
    case COREWEBVIEW2_WEB_ERROR_STATUS_CLIENT_CERTIFICATE_CONTAINS_ERRORS:
    case COREWEBVIEW2_WEB_ERROR_STATUS_CERTIFICATE_REVOKED:
    case COREWEBVIEW2_WEB_ERROR_STATUS_CERTIFICATE_IS_INVALID:
        return { Failed::Unreachable, ReachFailure::Certificate };
    case COREWEBVIEW2_WEB_ERROR_STATUS_DISCONNECTED:
        return { Failed::Unreachable, ReachFailure::NoNetwork };
    case COREWEBVIEW2_WEB_ERROR_STATUS_HOST_NAME_NOT_RESOLVED:
        return { Failed::Unreachable, ReachFailure::NameNotFound };
    case COREWEBVIEW2_WEB_ERROR_STATUS_CANNOT_CONNECT:
    case COREWEBVIEW2_WEB_ERROR_STATUS_CONNECTION_ABORTED:
    case COREWEBVIEW2_WEB_ERROR_STATUS_CONNECTION_RESET:
        return { Failed::Unreachable, ReachFailure::Refused };
    case COREWEBVIEW2_WEB_ERROR_STATUS_TIMEOUT:
        return { Failed::Unreachable, ReachFailure::Timeout };
    case COREWEBVIEW2_WEB_ERROR_STATUS_SERVER_UNREACHABLE:
    case COREWEBVIEW2_WEB_ERROR_STATUS_ERROR_HTTP_INVALID_SERVER_RESPONSE:
    case COREWEBVIEW2_WEB_ERROR_STATUS_REDIRECT_FAILED:
    case COREWEBVIEW2_WEB_ERROR_STATUS_UNEXPECTED_ERROR:
        return { Failed::Unreachable, ReachFailure::Other };
    case COREWEBVIEW2_WEB_ERROR_STATUS_VALID_AUTHENTICATION_CREDENTIALS_REQUIRED:
    case COREWEBVIEW2_WEB_ERROR_STATUS_VALID_PROXY_AUTHENTICATION_REQUIRED:
        return { Failed::LoginNeeded, ReachFailure::Other };
    case COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN: // an HTTP error: the server's page shows
    case COREWEBVIEW2_WEB_ERROR_STATUS_OPERATION_CANCELED:
    default:
        return { Failed::Nothing, ReachFailure::Other };
    }
}

class WebView2Control;

// Retries wait on timers of the thread, not of a window: the control may
// live in a container that is being rebuilt. The callback finds its control
// by the timer's number.
std::map<UINT_PTR, std::weak_ptr<WebView2Control *>> &retryTimers()
{
    static std::map<UINT_PTR, std::weak_ptr<WebView2Control *>> timers;
    return timers;
}

// Steps over own pages and failed entries in the history give up after
// this many, so that a history of nothing else cannot keep the view busy.
constexpr int kMostSteps = 16;

// A navigation under way, as it started (a redirect moves its address).
struct Loading
{
    std::uint64_t id = 0;
    WebAddress address;
    NavigationKind kind = NavigationKind::Other;
};

class WebView2Control final : public HostedWebControl
{
public:
    WebView2Control(
        HWND container, WebControlEvents &events, HostedControlEvents &host, TrustedHosts trusted)
        : m_container(container), m_events(events), m_host(host), m_progress(events),
          m_self(std::make_shared<WebView2Control *>(this)), m_router(std::move(trusted))
    {
        start();
    }
    ~WebView2Control() override
    {
        *m_self = nullptr;
        stopRetrying();
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
        // The window's own navigation, as typed: it stays here.
        m_windowNavigates = true;
        HRESULT result = m_view->Navigate(uri.c_str());
        // The engine takes only complete addresses; the old control completed
        // "www.example.com" to a web address itself.
        if (result == E_INVALIDARG && !hasScheme(address))
            result = m_view->Navigate((L"http://" + uri).c_str());
        if (FAILED(result)) {
            m_windowNavigates = false;
            fail(FailureCode::ControlFailed, "the web control cannot open \"" + address + '"');
        }
    }

    void GoBack() override
    {
        if (!m_view || !tools().back)
            fail(FailureCode::ControlFailed, "no page to go back to");
        step(-1);
    }

    void GoForward() override
    {
        if (!m_view || !tools().forward)
            fail(FailureCode::ControlFailed, "no page to go forward to");
        step(1);
    }

    void Stop() override
    {
        if (m_view)
            m_view->Stop();
    }

    void Refresh() override
    {
        // Reloading our own page would only show it again.
        if (!m_router.standIn().text.empty())
            retryNow();
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
        // The program's own page replaces the engine's for pages that cannot be reached.
        settings->put_IsBuiltInErrorPageEnabled(FALSE);
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
                    control.navigationStarting(arguments);
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
                    control.navigationCompleted(arguments);
                })
                .get(),
            &token);
        m_view->add_NewWindowRequested(
            handler<ICoreWebView2NewWindowRequestedEventHandler>(
                IID_ICoreWebView2NewWindowRequestedEventHandler,
                [](WebView2Control &control, ICoreWebView2 *,
                    ICoreWebView2NewWindowRequestedEventArgs *arguments) {
                    control.newWindowRequested(arguments);
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
        // Never ask: an untrusted certificate fails the load, and the failed
        // load of the page says so. Older runtimes lack the event and refuse
        // such certificates by themselves.
        if (auto view14 = m_view.query<ICoreWebView2_14>(IID_ICoreWebView2_14)) {
            view14->add_ServerCertificateErrorDetected(
                handler<ICoreWebView2ServerCertificateErrorDetectedEventHandler>(
                    IID_ICoreWebView2ServerCertificateErrorDetectedEventHandler,
                    [](WebView2Control &control, ICoreWebView2 *,
                        ICoreWebView2ServerCertificateErrorDetectedEventArgs *arguments) {
                        control.certificateRefused(arguments);
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

    // Back and Forward as the rules see them: our page is no entry of the
    // history, whatever the engine made of it.
    HistoryTools tools() const
    {
        BOOL back = FALSE;
        BOOL forward = FALSE;
        if (m_view) {
            m_view->get_CanGoBack(&back);
            m_view->get_CanGoForward(&forward);
        }
        if (m_router.standIn().text.empty())
            return { back != FALSE, forward != FALSE };
        // The engine's Back leads to the failed entry under our page; the
        // entry's own was taken before our page went up.
        return historyTools(m_coversCurrentEntry, m_backUnderOwnPage, forward != FALSE);
    }

    void reportHistory()
    {
        const HistoryTools now = tools();
        m_events.CommandStateChange(CommandForward, now.forward);
        m_events.CommandStateChange(CommandBack, now.back);
    }

    static NavigationKind kindOf(ICoreWebView2NavigationStartingEventArgs *arguments, bool user)
    {
        const auto args3 = ComPtr<ICoreWebView2NavigationStartingEventArgs>::share(arguments)
                               .query<ICoreWebView2NavigationStartingEventArgs3>(
                                   IID_ICoreWebView2NavigationStartingEventArgs3);
        COREWEBVIEW2_NAVIGATION_KIND kind = COREWEBVIEW2_NAVIGATION_KIND_NEW_DOCUMENT;
        if (args3)
            args3->get_NavigationKind(&kind);
        if (kind == COREWEBVIEW2_NAVIGATION_KIND_RELOAD)
            return NavigationKind::Reload;
        if (kind == COREWEBVIEW2_NAVIGATION_KIND_BACK_OR_FORWARD)
            return NavigationKind::BackForward;
        // A link click and a form the user sent are both the user's; the
        // routing treats them alike.
        return user ? NavigationKind::Link : NavigationKind::Other;
    }

    void navigationStarting(ICoreWebView2NavigationStartingEventArgs *arguments)
    {
        LPWSTR uri = nullptr;
        BOOL user = FALSE;
        BOOL redirect = FALSE;
        if (FAILED(arguments->get_Uri(&uri)))
            return;
        const WebAddress target = addressOf(takeText(uri));
        arguments->get_IsUserInitiated(&user);
        arguments->get_IsRedirected(&redirect);
        NavigationKind kind = kindOf(arguments, user != FALSE);
        if (!redirect && std::exchange(m_windowNavigates, false))
            kind = NavigationKind::Typed;

        const Route route = m_router.route(
            kind, user != FALSE, redirect != FALSE, target, hostOfSource(m_view.get()));
        if (route != Route::Stay) {
            arguments->put_Cancel(TRUE);
            // Mail, phone and other sites open in the desktop's default program.
            if (route == Route::Shell)
                platform::systemPlatform().shellExecute(platform::WindowHandle(0), std::wstring(),
                    platform::fromUtf8(target.text), std::nullopt, std::nullopt, 1);
            return;
        }
        const std::uint64_t id = navigationOf(arguments);
        if (!redirect) {
            m_loading = { id, target, kind };
            m_certificateRefused.clear(); // said, if at all, after the start
        } else if (m_loading.id == id) {
            m_loading.address = target;
        }
        m_progress.starting(id);
    }

    void newWindowRequested(ICoreWebView2NewWindowRequestedEventArgs *arguments)
    {
        // A one-window browser: links with a target and window.open() load
        // here, after the same routing as every other navigation; the
        // engine's window for them is never made.
        arguments->put_Handled(TRUE);
        LPWSTR uri = nullptr;
        BOOL user = FALSE;
        if (FAILED(arguments->get_Uri(&uri)))
            return;
        const WebAddress target = addressOf(takeText(uri));
        arguments->get_IsUserInitiated(&user);
        const Route route = m_router.route(user ? NavigationKind::Link : NavigationKind::Other,
            user != FALSE, false, target, hostOfSource(m_view.get()));
        if (route == Route::Shell)
            platform::systemPlatform().shellExecute(platform::WindowHandle(0), std::wstring(),
                platform::fromUtf8(target.text), std::nullopt, std::nullopt, 1);
        if (route != Route::Stay)
            return;
        try {
            Navigate(target.text);
        } catch (const Failure &) {
            // An address the engine refuses opens nothing, as a dead link does.
        }
    }

    void certificateRefused(ICoreWebView2ServerCertificateErrorDetectedEventArgs *arguments)
    {
        arguments->put_Action(COREWEBVIEW2_SERVER_CERTIFICATE_ERROR_ACTION_CANCEL);
        LPWSTR uri = nullptr;
        if (SUCCEEDED(arguments->get_RequestUri(&uri)))
            m_certificateRefused = takeText(uri);
    }

    void navigationCompleted(ICoreWebView2NavigationCompletedEventArgs *arguments)
    {
        const std::uint64_t id = navigationOf(arguments);
        BOOL success = FALSE;
        COREWEBVIEW2_WEB_ERROR_STATUS status = COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN;
        arguments->get_IsSuccess(&success);
        arguments->get_WebErrorStatus(&status);
        m_progress.completed(id);
        if (id != m_loading.id)
            return;
        const Loading loaded = std::exchange(m_loading, {});
        const bool ownPage = loaded.address.scheme == "data" || loaded.address.scheme == "about";
        if (m_stepping != 0) {
            // A step in the history landed on one of our pages or on an
            // entry that failed: on to the next, in the same direction.
            if ((ownPage || !success) && ++m_steps < kMostSteps && continueStep())
                return;
            m_stepping = 0;
        }
        if (ownPage)
            return; // ours, shown
        if (success) {
            if (loaded.address.text == m_router.standIn().text)
                showRealPage();
            m_hadPage = true;
            return;
        }
        auto [failed, failure] = failureOf(status);
        const bool certificate = !m_certificateRefused.empty()
            && std::exchange(m_certificateRefused, {}) == loaded.address.text;
        if (certificate) {
            failed = Failed::Unreachable;
            failure = ReachFailure::Certificate;
        }
        if (failed == Failed::Nothing)
            return;
        showOwnPage(loaded, failed, failure);
    }

    void showOwnPage(const Loading &loaded, Failed failed, ReachFailure failure)
    {
        const bool retry = loaded.address.text == m_router.standIn().text;
        m_events.StatusTextChange(
            std::string(failed == Failed::LoginNeeded      ? texts::statusLoginCancelled
                    : failure == ReachFailure::Certificate ? texts::statusCertificateRejected
                                                           : texts::statusLoadFailed)
            + loaded.address.text);
        if (!retry) {
            // A new address that failed never became the user's entry; a
            // step in the history or a reload that failed is the entry itself.
            const bool entryExisted = loaded.kind == NavigationKind::BackForward
                || loaded.kind == NavigationKind::Reload;
            m_coversCurrentEntry = ownPageCoversCurrentEntry(true, !m_hadPage, entryExisted);
            // The failed entry is the current one now; our page goes on top.
            BOOL back = FALSE;
            m_view->get_CanGoBack(&back);
            m_backUnderOwnPage = back != FALSE;
            m_retryWaitMs = 0;
            m_router.setStandIn(loaded.address);
        }
        const std::string html = failed == Failed::LoginNeeded
            ? loginNeededPageHtml(loaded.address)
            : unreachablePageHtml(failure, loaded.address);
        m_view->NavigateToString(platform::fromUtf8(html).c_str());
        if (failed == Failed::Unreachable && retriesAfter(failure))
            retryLater();
        else
            stopRetrying();
        reportHistory();
    }

    void showRealPage()
    {
        m_router.setStandIn({});
        m_coversCurrentEntry = false;
        stopRetrying();
        reportHistory();
    }

    void retryLater()
    {
        stopRetrying();
        m_retryWaitMs = nextRetryWaitMs(m_retryWaitMs, {});
        m_retryTimer = SetTimer(nullptr, 0, UINT(m_retryWaitMs), &WebView2Control::retryTimer);
        if (m_retryTimer)
            retryTimers()[m_retryTimer] = m_self;
    }

    void stopRetrying()
    {
        if (!m_retryTimer)
            return;
        KillTimer(nullptr, m_retryTimer);
        retryTimers().erase(m_retryTimer);
        m_retryTimer = 0;
    }

    static void CALLBACK retryTimer(HWND, UINT, UINT_PTR timer, DWORD)
    {
        const auto found = retryTimers().find(timer);
        const auto self = found == retryTimers().end() ? nullptr : found->second.lock();
        if (self && *self)
            (*self)->retryNow();
        else
            KillTimer(nullptr, timer);
    }

    // The engine loads the address again: it answers with the live page,
    // or fails once more and our page comes back after a longer wait.
    void retryNow()
    {
        stopRetrying();
        const std::string address = m_router.standIn().text;
        if (!m_view || address.empty())
            return;
        m_windowNavigates = true;
        if (FAILED(m_view->Navigate(platform::fromUtf8(address).c_str())))
            m_windowNavigates = false;
    }

    // Back and Forward pass over our pages and the failed entries under
    // them, which the engine keeps in its history.
    void step(int direction)
    {
        // Leaving our page: with Back to the entry under it, where the user
        // came from.
        if (!m_router.standIn().text.empty())
            showRealPage();
        m_stepping = direction;
        m_steps = 0;
        if (!continueStep())
            m_stepping = 0;
    }

    bool continueStep()
    {
        BOOL possible = FALSE;
        if (m_stepping < 0 && SUCCEEDED(m_view->get_CanGoBack(&possible)) && possible)
            return SUCCEEDED(m_view->GoBack());
        if (m_stepping > 0 && SUCCEEDED(m_view->get_CanGoForward(&possible)) && possible)
            return SUCCEEDED(m_view->GoForward());
        return false;
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
    // Where navigations go; it also holds the address our page stands in for.
    NavigationRouter m_router;
    bool m_windowNavigates = false;
    Loading m_loading;
    std::string m_certificateRefused;
    bool m_hadPage = false;
    bool m_coversCurrentEntry = false;
    bool m_backUnderOwnPage = false;
    int m_retryWaitMs = 0;
    UINT_PTR m_retryTimer = 0;
    int m_stepping = 0;
    int m_steps = 0;
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
    HWND container, WebControlEvents &events, HostedControlEvents &host, TrustedHosts trusted)
{
    return std::make_unique<WebView2Control>(container, events, host, std::move(trusted));
}

} // namespace orv::win32
