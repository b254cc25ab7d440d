// SPDX-License-Identifier: MIT
#include "components/win32/WebView2Start.h"

#include "core/Application.h"

#include <cstring>
#include <cwchar>
#include <objbase.h>
#include <shlobj.h>
#include <string>

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

} // namespace

WebView2Start::WebView2Start(HWND container, Ready ready, Unavailable unavailable)
    : m_container(container), m_ready(std::move(ready)), m_unavailable(std::move(unavailable)),
      m_self(std::make_shared<WebView2Start *>(this))
{
}

WebView2Start::~WebView2Start()
{
    *m_self = nullptr;
    m_environment.reset();
    // The loader stays loaded: the engine may still hold code of it until
    // the process ends.
}

void WebView2Start::start()
{
    m_environment.reset();
    // Only from beside the program or the system folder, never from the
    // current folder, where anyone may have put a DLL of that name.
    if (!m_loader)
        m_loader = LoadLibraryExW(L"WebView2Loader.dll", nullptr,
            LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!m_loader)
        return m_unavailable(ControlProblem::LoaderMissing, HRESULT_FROM_WIN32(GetLastError()));
    const auto create = reinterpret_cast<CreateEnvironment>(reinterpret_cast<void *>(
        GetProcAddress(m_loader, "CreateCoreWebView2EnvironmentWithOptions")));
    const auto version = reinterpret_cast<AvailableVersion>(reinterpret_cast<void *>(
        GetProcAddress(m_loader, "GetAvailableCoreWebView2BrowserVersionString")));
    if (!create || !version)
        return m_unavailable(
            ControlProblem::LoaderMissing, HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND));

    LPWSTR installed = nullptr;
    const HRESULT found = version(nullptr, &installed);
    const bool runtime = SUCCEEDED(found) && installed;
    CoTaskMemFree(installed);
    if (!runtime)
        return m_unavailable(ControlProblem::RuntimeMissing, FAILED(found) ? found : kFileNotFound);

    auto self = m_self;
    auto created = makeHandler<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler>(
        IID_ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler,
        [self](HRESULT result, ICoreWebView2Environment *environment) -> HRESULT {
            if (WebView2Start *start = *self)
                start->environmentCreated(result, environment);
            return S_OK;
        });
    const ComPtr<ICoreWebView2EnvironmentOptions> options
        = ComPtr<ICoreWebView2EnvironmentOptions>::adopt(new EnvironmentOptions);
    const std::wstring folder = userDataFolder();
    const HRESULT result
        = create(nullptr, folder.empty() ? nullptr : folder.c_str(), options.get(), created.get());
    if (FAILED(result))
        failed(result);
}

void WebView2Start::failed(HRESULT result)
{
    m_unavailable(
        result == kFileNotFound ? ControlProblem::RuntimeMissing : ControlProblem::StartFailed,
        result);
}

void WebView2Start::environmentCreated(HRESULT result, ICoreWebView2Environment *environment)
{
    if (FAILED(result) || !environment)
        return failed(FAILED(result) ? result : E_FAIL);
    m_environment = ComPtr<ICoreWebView2Environment>::share(environment);
    auto self = m_self;
    auto created = makeHandler<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler>(
        IID_ICoreWebView2CreateCoreWebView2ControllerCompletedHandler,
        [self](HRESULT result, ICoreWebView2Controller *controller) -> HRESULT {
            if (WebView2Start *start = *self) {
                if (FAILED(result) || !controller)
                    start->failed(FAILED(result) ? result : E_FAIL);
                else
                    start->m_ready(controller);
            }
            return S_OK;
        });
    const HRESULT started = m_environment->CreateCoreWebView2Controller(m_container, created.get());
    if (FAILED(started))
        failed(started);
}

} // namespace orv::win32
