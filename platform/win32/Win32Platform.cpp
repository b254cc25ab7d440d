// SPDX-License-Identifier: MIT
// The Win32 backend: each primitive is the named call in its 8-bit ("A")
// form, texts converted with the system code page (CP_ACP) at the call. The
// script shell object is reached through its dispatch interface.
#include "platform/SystemPlatform.h"

// windows.h comes first: the shell's header builds on it.
// clang-format off
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <commctrl.h>
#include <oleauto.h>
// clang-format on

#include <algorithm>
#include <cstring>
#include <tuple>
#include <vector>

namespace orv::platform {

namespace {

// Window handles are 32-bit values sign-extended to the pointer's width;
// registry roots like 0x80000002 likewise.
HWND toHwnd(WindowHandle handle)
{
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(handle));
}

WindowHandle fromHwnd(HWND window)
{
    return static_cast<WindowHandle>(reinterpret_cast<INT_PTR>(window));
}

HKEY toHkey(std::uint32_t root)
{
    return reinterpret_cast<HKEY>(static_cast<INT_PTR>(static_cast<LONG>(root)));
}

// An 8-bit text kept alive for the call; nullopt passes a null pointer.
class CallText
{
public:
    CallText(Platform &platform, const std::optional<std::wstring> &text)
    {
        if (text) {
            m_text = platform.toSystemText(*text);
            m_present = true;
        }
    }
    const char *get() const { return m_present ? m_text.c_str() : nullptr; }

private:
    std::string m_text;
    bool m_present = false;
};

HDC toHdc(DeviceContext dc)
{
    return reinterpret_cast<HDC>(static_cast<INT_PTR>(dc));
}

DeviceContext fromHdc(HDC dc)
{
    return static_cast<DeviceContext>(reinterpret_cast<INT_PTR>(dc));
}

std::uint64_t fromFileTime(const FILETIME &time)
{
    return (std::uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME toFileTime(std::uint64_t time)
{
    return { static_cast<DWORD>(time & 0xFFFFFFFF), static_cast<DWORD>(time >> 32) };
}

// A BSTR owned for one call.
class Bstr
{
public:
    explicit Bstr(const std::wstring &text) : m_text(SysAllocString(text.c_str())) { }
    ~Bstr() { SysFreeString(m_text); }
    Bstr(const Bstr &) = delete;
    Bstr &operator=(const Bstr &) = delete;
    BSTR get() const { return m_text; }

private:
    BSTR m_text;
};

// Calls a method of the script shell by name; arguments in call order.
HRESULT invokeByName(IDispatch *object, const wchar_t *name, std::vector<VARIANT> arguments,
    VARIANT *result, ScriptError &error)
{
    DISPID id = 0;
    LPOLESTR names[] = { const_cast<LPOLESTR>(name) };
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) {
        error = { static_cast<std::int32_t>(hr), L"Unknown name" };
        return hr;
    }
    // Dispatch takes its arguments last to first.
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPPARAMS parameters { reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0 };
    EXCEPINFO exception {};
    hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, result,
        &exception, nullptr);
    if (FAILED(hr)) {
        std::wstring description;
        if (exception.bstrDescription)
            description = exception.bstrDescription;
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrHelpFile);
        error = { static_cast<std::int32_t>(hr), description };
    }
    return hr;
}

// Calls a method of the script shell that takes one text; whether it
// succeeded (its result and failure text are not wanted).
bool invokeWithText(ScriptShell shell, const wchar_t *name, const std::wstring &text)
{
    const Bstr argumentText(text);
    VARIANT argument {};
    argument.vt = VT_BSTR;
    argument.bstrVal = argumentText.get();
    VARIANT result;
    VariantInit(&result);
    ScriptError error;
    const HRESULT hr
        = invokeByName(reinterpret_cast<IDispatch *>(shell), name, { argument }, &result, error);
    VariantClear(&result);
    return SUCCEEDED(hr);
}

BOOL CALLBACK countWindow(HWND window, LPARAM count)
{
    if (IsWindowVisible(window))
        ++*reinterpret_cast<std::int32_t *>(count);
    return TRUE;
}

} // namespace

// The system keeps all the state: there is nothing of our own.
struct SystemPlatform::State
{
};

SystemPlatform::SystemPlatform() : SystemPlatform(std::make_unique<State>())
{
}

SystemPlatform::SystemPlatform(std::unique_ptr<State> state) : m_state(std::move(state))
{
}

SystemPlatform::~SystemPlatform() = default;

bool SystemPlatform::getVersionEx(OsVersionInfo &info)
{
    OSVERSIONINFOA record {};
    record.dwOSVersionInfoSize = info.size;
    if (!GetVersionExA(&record))
        return false;
    info.majorVersion = record.dwMajorVersion;
    info.minorVersion = record.dwMinorVersion;
    info.buildNumber = record.dwBuildNumber;
    info.platformId = record.dwPlatformId;
    static_assert(sizeof(record.szCSDVersion) == std::tuple_size_v<decltype(info.servicePack)>);
    std::memcpy(info.servicePack.data(), record.szCSDVersion, info.servicePack.size());
    return true;
}

std::uint32_t SystemPlatform::regOpenKeyEx(
    std::uint32_t root, const std::wstring &subKey, std::uint32_t access, RegistryKey &key)
{
    HKEY opened = nullptr;
    const LONG result
        = RegOpenKeyExA(toHkey(root), toSystemText(subKey).c_str(), 0, access, &opened);
    key = result == ERROR_SUCCESS ? reinterpret_cast<RegistryKey>(opened) : 0;
    return static_cast<std::uint32_t>(result);
}

std::uint32_t SystemPlatform::regQueryValueEx(RegistryKey key, const std::wstring &valueName,
    std::uint32_t &type, std::string &data, std::uint32_t &size)
{
    DWORD valueType = 0;
    // Never offer the call more room than the buffer has.
    DWORD byteCount = static_cast<DWORD>(std::min<std::size_t>(size, data.size()));
    const LONG result
        = RegQueryValueExA(reinterpret_cast<HKEY>(key), toSystemText(valueName).c_str(), nullptr,
            &valueType, reinterpret_cast<BYTE *>(data.data()), &byteCount);
    type = valueType;
    size = byteCount;
    return static_cast<std::uint32_t>(result);
}

std::uint32_t SystemPlatform::regCloseKey(RegistryKey key)
{
    return static_cast<std::uint32_t>(RegCloseKey(reinterpret_cast<HKEY>(key)));
}

std::uint32_t SystemPlatform::startProcess(const std::wstring &commandLine, std::int32_t show)
{
    // CreateProcessA may write into the command line: give it its own buffer.
    std::string buffer = toSystemText(commandLine);
    buffer.push_back('\0');
    STARTUPINFOA startup {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION process {};
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
            &startup, &process))
        return static_cast<std::uint32_t>(GetLastError());
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return kErrorSuccess;
}

std::intptr_t SystemPlatform::shellExecute(WindowHandle owner, const std::wstring &verb,
    const std::wstring &file, const std::optional<std::wstring> &parameters,
    const std::optional<std::wstring> &directory, std::int32_t show)
{
    const CallText verbText(*this, verb);
    const CallText fileText(*this, file);
    const CallText parameterText(*this, parameters);
    const CallText directoryText(*this, directory);
    const HINSTANCE result = ShellExecuteA(toHwnd(owner), verbText.get(), fileText.get(),
        parameterText.get(), directoryText.get(), show);
    return reinterpret_cast<std::intptr_t>(result);
}

bool SystemPlatform::shellExecuteEx(ShellExecuteRecord &record)
{
    const CallText verbText(*this, record.verb);
    const CallText fileText(*this, record.file);
    const CallText parameterText(*this, record.parameters);
    const CallText directoryText(*this, record.directory);
    SHELLEXECUTEINFOA info {};
    // The record's size names its 32-bit layout; this build's layout is wider.
    info.cbSize = record.size == 60 ? sizeof info : record.size;
    info.fMask = record.mask;
    info.hwnd = toHwnd(record.window);
    info.lpVerb = verbText.get();
    info.lpFile = fileText.get();
    info.lpParameters = parameterText.get();
    info.lpDirectory = directoryText.get();
    info.nShow = record.show;
    const BOOL result = ShellExecuteExA(&info);
    record.instanceResult = static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(info.hInstApp));
    // Nothing in the class waits on the process it asked to keep.
    if (info.hProcess)
        CloseHandle(info.hProcess);
    return result != FALSE;
}

WindowHandle SystemPlatform::findWindow(
    const std::optional<std::wstring> &className, const std::optional<std::wstring> &title)
{
    const CallText classText(*this, className);
    const CallText titleText(*this, title);
    return fromHwnd(FindWindowA(classText.get(), titleText.get()));
}

bool SystemPlatform::setWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x,
    std::int32_t y, std::int32_t width, std::int32_t height, std::uint32_t flags)
{
    return SetWindowPos(toHwnd(window), toHwnd(insertAfter), x, y, width, height, flags) != FALSE;
}

bool SystemPlatform::fileExists(const std::wstring &path)
{
    WIN32_FIND_DATAA found {};
    const HANDLE search = FindFirstFileA(toSystemText(path).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::int32_t SystemPlatform::shFileOperation(FileOperationRecord &record)
{
    const std::string from = toSystemText(record.from);
    const std::string to = record.to ? toSystemText(*record.to) : std::string();
    SHFILEOPSTRUCTA operation {};
    operation.hwnd = toHwnd(record.owner);
    operation.wFunc = record.function;
    operation.pFrom = from.c_str();
    operation.pTo = record.to ? to.c_str() : nullptr;
    operation.fFlags = record.flags;
    const int result = SHFileOperationA(&operation);
    record.aborted = operation.fAnyOperationsAborted != FALSE;
    return result;
}

bool SystemPlatform::openClipboard(WindowHandle owner)
{
    return OpenClipboard(toHwnd(owner)) != FALSE;
}

bool SystemPlatform::emptyClipboard()
{
    return EmptyClipboard() != FALSE;
}

bool SystemPlatform::closeClipboard()
{
    return CloseClipboard() != FALSE;
}

bool SystemPlatform::isClipboardFormatAvailable(std::uint32_t format)
{
    return IsClipboardFormatAvailable(format) != FALSE;
}

MemoryHandle SystemPlatform::setClipboardData(std::uint32_t format, MemoryHandle block)
{
    return reinterpret_cast<MemoryHandle>(
        SetClipboardData(format, reinterpret_cast<HANDLE>(block)));
}

MemoryHandle SystemPlatform::getClipboardData(std::uint32_t format)
{
    return reinterpret_cast<MemoryHandle>(GetClipboardData(format));
}

MemoryHandle SystemPlatform::globalAlloc(std::uint32_t flags, std::size_t size)
{
    return reinterpret_cast<MemoryHandle>(GlobalAlloc(flags, size));
}

std::uint8_t *SystemPlatform::globalLock(MemoryHandle block, std::size_t &size)
{
    size = GlobalSize(reinterpret_cast<HGLOBAL>(block));
    return static_cast<std::uint8_t *>(GlobalLock(reinterpret_cast<HGLOBAL>(block)));
}

bool SystemPlatform::globalUnlock(MemoryHandle block)
{
    GlobalUnlock(reinterpret_cast<HGLOBAL>(block));
    return true;
}

MemoryHandle SystemPlatform::globalFree(MemoryHandle block)
{
    return reinterpret_cast<MemoryHandle>(GlobalFree(reinterpret_cast<HGLOBAL>(block)));
}

std::uint32_t SystemPlatform::dragQueryFile(
    MemoryHandle drop, std::uint32_t index, std::string &buffer, std::uint32_t length)
{
    if (index == 0xFFFFFFFF || length == 0)
        return DragQueryFileA(reinterpret_cast<HDROP>(drop), index, nullptr, 0);
    if (buffer.size() < length)
        buffer.resize(length, ' ');
    return DragQueryFileA(reinterpret_cast<HDROP>(drop), index, buffer.data(), length);
}

std::uintptr_t SystemPlatform::shGetFileInfo(
    const std::wstring &path, std::uint32_t attributes, ShellFileInfo &info, std::uint32_t flags)
{
    SHFILEINFOA record {};
    const DWORD_PTR result
        = SHGetFileInfoA(toSystemText(path).c_str(), attributes, &record, sizeof record, flags);
    info.iconHandle = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(record.hIcon));
    info.iconIndex = record.iIcon;
    info.attributes = record.dwAttributes;
    std::memcpy(info.displayName.data(), record.szDisplayName, info.displayName.size());
    std::memcpy(info.typeName.data(), record.szTypeName, info.typeName.size());
    return result;
}

bool SystemPlatform::imageListDraw(ImageListHandle list, std::int32_t index, DeviceContext dc,
    std::int32_t x, std::int32_t y, std::uint32_t style)
{
    if (list == 0)
        return false;
    return ImageList_Draw(reinterpret_cast<HIMAGELIST>(list), index, toHdc(dc), x, y, style)
        != FALSE;
}

IconHandle SystemPlatform::extractAssociatedIcon(const std::wstring &path, std::uint16_t &index)
{
    // The call may write a longer path into its argument.
    std::string buffer = toSystemText(path);
    buffer.resize(std::max<std::size_t>(buffer.size() + 1, MAX_PATH), '\0');
    WORD iconIndex = index;
    const HICON icon = ExtractAssociatedIconA(nullptr, buffer.data(), &iconIndex);
    index = iconIndex;
    return reinterpret_cast<IconHandle>(icon);
}

bool SystemPlatform::drawIcon(DeviceContext dc, std::int32_t x, std::int32_t y, IconHandle icon)
{
    return DrawIcon(toHdc(dc), x, y, reinterpret_cast<HICON>(icon)) != FALSE;
}

bool SystemPlatform::destroyIcon(IconHandle icon)
{
    return DestroyIcon(reinterpret_cast<HICON>(icon)) != FALSE;
}

std::uint32_t SystemPlatform::getShortPathName(
    const std::wstring &longPath, std::string &buffer, std::uint32_t length)
{
    if (buffer.size() < length)
        buffer.resize(length, ' ');
    return GetShortPathNameA(toSystemText(longPath).c_str(), buffer.data(), length);
}

std::uint32_t SystemPlatform::getFileVersionInfoSize(const std::wstring &path)
{
    DWORD ignored = 0;
    return GetFileVersionInfoSizeA(toSystemText(path).c_str(), &ignored);
}

bool SystemPlatform::getFileVersionInfo(const std::wstring &path, std::string &data)
{
    return GetFileVersionInfoA(
               toSystemText(path).c_str(), 0, static_cast<DWORD>(data.size()), data.data())
        != FALSE;
}

bool SystemPlatform::verQueryValue(const std::string &data, const std::wstring &block,
    std::optional<std::size_t> &offset, std::uint32_t &length)
{
    void *value = nullptr;
    UINT valueLength = 0;
    offset.reset();
    length = 0;
    if (!VerQueryValueA(data.data(), toSystemText(block).c_str(), &value, &valueLength))
        return false;
    const auto *address = static_cast<const char *>(value);
    if (address && address >= data.data() && address < data.data() + data.size())
        offset = static_cast<std::size_t>(address - data.data());
    length = valueLength;
    return true;
}

FileHandle SystemPlatform::createFile(const std::wstring &path, std::uint32_t access,
    std::uint32_t share, std::uint32_t disposition, std::uint32_t attributes)
{
    return reinterpret_cast<FileHandle>(CreateFileA(
        toSystemText(path).c_str(), access, share, nullptr, disposition, attributes, nullptr));
}

bool SystemPlatform::getFileTime(
    FileHandle file, std::uint64_t &creation, std::uint64_t &lastAccess, std::uint64_t &lastWrite)
{
    FILETIME times[3] {};
    if (!GetFileTime(reinterpret_cast<HANDLE>(file), &times[0], &times[1], &times[2]))
        return false;
    creation = fromFileTime(times[0]);
    lastAccess = fromFileTime(times[1]);
    lastWrite = fromFileTime(times[2]);
    return true;
}

bool SystemPlatform::fileTimeToLocalFileTime(std::uint64_t utc, std::uint64_t &local)
{
    const FILETIME in = toFileTime(utc);
    FILETIME out {};
    if (!FileTimeToLocalFileTime(&in, &out))
        return false;
    local = fromFileTime(out);
    return true;
}

bool SystemPlatform::fileTimeToSystemTime(std::uint64_t time, SystemTime &fields)
{
    const FILETIME in = toFileTime(time);
    SYSTEMTIME out {};
    if (!FileTimeToSystemTime(&in, &out))
        return false;
    fields = { out.wYear, out.wMonth, out.wDayOfWeek, out.wDay, out.wHour, out.wMinute, out.wSecond,
        out.wMilliseconds };
    return true;
}

bool SystemPlatform::closeHandle(FileHandle handle)
{
    return CloseHandle(reinterpret_cast<HANDLE>(handle)) != FALSE;
}

std::int32_t SystemPlatform::shGetSpecialFolderLocation(
    WindowHandle owner, std::int32_t folder, ItemList &list)
{
    PIDLIST_ABSOLUTE items = nullptr;
    const HRESULT result = SHGetSpecialFolderLocation(toHwnd(owner), folder, &items);
    list = reinterpret_cast<ItemList>(items);
    return static_cast<std::int32_t>(result);
}

bool SystemPlatform::shGetPathFromIdList(ItemList list, std::string &buffer)
{
    // The call writes up to MAX_PATH bytes whatever the buffer.
    std::string path(std::max<std::size_t>(buffer.size(), MAX_PATH), '\0');
    if (list == 0 || !SHGetPathFromIDListA(reinterpret_cast<PCIDLIST_ABSOLUTE>(list), path.data()))
        return false;
    const std::size_t length = std::min(std::strlen(path.c_str()) + 1, buffer.size());
    std::copy_n(path.begin(), length, buffer.begin());
    return true;
}

void SystemPlatform::coTaskMemFree(ItemList list)
{
    CoTaskMemFree(reinterpret_cast<void *>(list));
}

ItemList SystemPlatform::shBrowseForFolder(BrowseInfo &info)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // The dialog writes up to MAX_PATH bytes of display name.
    std::string name = info.displayName;
    name.resize(std::max<std::size_t>(name.size() + 1, MAX_PATH), '\0');
    const std::string title = toSystemText(info.title);
    BROWSEINFOA record {};
    record.hwndOwner = toHwnd(info.owner);
    record.pidlRoot = reinterpret_cast<PCIDLIST_ABSOLUTE>(info.root);
    record.pszDisplayName = name.data();
    record.lpszTitle = title.c_str();
    record.ulFlags = info.flags;
    const PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&record);
    std::copy_n(name.begin(), info.displayName.size(), info.displayName.begin());
    return reinterpret_cast<ItemList>(chosen);
}

namespace {

void copyFindData(const WIN32_FIND_DATAA &found, FindData &data)
{
    data.attributes = found.dwFileAttributes;
    std::memcpy(data.fileName.data(), found.cFileName, data.fileName.size());
}

} // namespace

SearchHandle SystemPlatform::findFirstFile(const std::wstring &pattern, FindData &data)
{
    WIN32_FIND_DATAA found {};
    const HANDLE search = FindFirstFileA(toSystemText(pattern).c_str(), &found);
    if (search != INVALID_HANDLE_VALUE)
        copyFindData(found, data);
    return reinterpret_cast<SearchHandle>(search);
}

bool SystemPlatform::findNextFile(SearchHandle search, FindData &data)
{
    WIN32_FIND_DATAA found {};
    if (!FindNextFileA(reinterpret_cast<HANDLE>(search), &found))
        return false;
    copyFindData(found, data);
    return true;
}

bool SystemPlatform::findClose(SearchHandle search)
{
    return FindClose(reinterpret_cast<HANDLE>(search)) != FALSE;
}

std::int32_t SystemPlatform::doEvents()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    std::int32_t count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

ScriptShell SystemPlatform::createScriptShell(ScriptError &error)
{
    // The object lives in this apartment; a second initialisation is harmless.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CLSID id {};
    IDispatch *object = nullptr;
    HRESULT hr = CLSIDFromProgID(L"Wscript.Shell", &id);
    if (SUCCEEDED(hr))
        hr = CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
            IID_IDispatch, reinterpret_cast<void **>(&object));
    if (FAILED(hr) || !object) {
        // How an automation client reports an object it cannot create.
        error = { 429, L"ActiveX component can't create object" };
        return 0;
    }
    return reinterpret_cast<ScriptShell>(object);
}

bool SystemPlatform::scriptShellRun(ScriptShell shell, const std::wstring &command,
    std::int32_t style, bool wait, ScriptError &error)
{
    const Bstr text(command);
    VARIANT arguments[3] {};
    arguments[0].vt = VT_BSTR;
    arguments[0].bstrVal = text.get();
    arguments[1].vt = VT_I4;
    arguments[1].lVal = style;
    arguments[2].vt = VT_BOOL;
    arguments[2].boolVal = wait ? VARIANT_TRUE : VARIANT_FALSE;
    VARIANT result;
    VariantInit(&result);
    const HRESULT hr = invokeByName(reinterpret_cast<IDispatch *>(shell), L"Run",
        { arguments[0], arguments[1], arguments[2] }, &result, error);
    VariantClear(&result);
    return SUCCEEDED(hr);
}

bool SystemPlatform::scriptShellAppActivate(ScriptShell shell, const std::wstring &title)
{
    return invokeWithText(shell, L"AppActivate", title);
}

bool SystemPlatform::scriptShellSendKeys(ScriptShell shell, const std::wstring &keys)
{
    return invokeWithText(shell, L"SendKeys", keys);
}

void SystemPlatform::releaseScriptShell(ScriptShell shell)
{
    if (shell != 0)
        reinterpret_cast<IDispatch *>(shell)->Release();
}

std::wstring SystemPlatform::getSystemDirectory()
{
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return fromSystemText(std::string_view(folder, std::min<UINT>(length, MAX_PATH)));
}

std::int32_t SystemPlatform::getWindowText(
    WindowHandle window, std::string &buffer, std::int32_t length)
{
    if (length <= 0)
        return 0;
    if (buffer.size() < static_cast<std::size_t>(length))
        buffer.resize(static_cast<std::size_t>(length), '\0');
    return GetWindowTextA(toHwnd(window), buffer.data(), length);
}

LibraryHandle SystemPlatform::loadLibrary(const std::wstring &path)
{
    return reinterpret_cast<LibraryHandle>(LoadLibraryA(toSystemText(path).c_str()));
}

ProcAddress SystemPlatform::getProcAddress(LibraryHandle library, const std::string &name)
{
    return reinterpret_cast<ProcAddress>(
        GetProcAddress(reinterpret_cast<HMODULE>(library), name.c_str()));
}

bool SystemPlatform::freeLibrary(LibraryHandle library)
{
    return FreeLibrary(reinterpret_cast<HMODULE>(library)) != FALSE;
}

ThreadHandle SystemPlatform::createThread(ProcAddress startRoutine)
{
    // The export takes no argument; the thread's one argument is ignored by
    // the calling convention of this platform.
    DWORD id = 0;
    return reinterpret_cast<ThreadHandle>(CreateThread(
        nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(startRoutine), nullptr, 0, &id));
}

std::uint32_t SystemPlatform::waitForSingleObject(ThreadHandle thread, std::uint32_t milliseconds)
{
    return WaitForSingleObject(reinterpret_cast<HANDLE>(thread), milliseconds);
}

bool SystemPlatform::closeThreadHandle(ThreadHandle thread)
{
    return CloseHandle(reinterpret_cast<HANDLE>(thread)) != FALSE;
}

bool SystemPlatform::getWindowRect(WindowHandle window, Rect &rect)
{
    RECT r {};
    if (!GetWindowRect(toHwnd(window), &r))
        return false;
    rect = { r.left, r.top, r.right, r.bottom };
    return true;
}

bool SystemPlatform::screenToClient(WindowHandle window, Point &point)
{
    POINT p { point.x, point.y };
    if (!ScreenToClient(toHwnd(window), &p))
        return false;
    point = { p.x, p.y };
    return true;
}

bool SystemPlatform::moveWindow(WindowHandle window, std::int32_t x, std::int32_t y,
    std::int32_t width, std::int32_t height, bool repaint)
{
    return MoveWindow(toHwnd(window), x, y, width, height, repaint) != FALSE;
}

std::intptr_t SystemPlatform::sendMessage(
    WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
{
    return SendMessageA(toHwnd(window), message, wParam, lParam);
}

DeviceContext SystemPlatform::createCompatibleDc(DeviceContext dc)
{
    return fromHdc(CreateCompatibleDC(toHdc(dc)));
}

GdiObject SystemPlatform::createBitmap(
    std::int32_t width, std::int32_t height, std::uint32_t planes, std::uint32_t bitsPerPixel)
{
    return reinterpret_cast<GdiObject>(CreateBitmap(width, height, planes, bitsPerPixel, nullptr));
}

GdiObject SystemPlatform::createCompatibleBitmap(
    DeviceContext dc, std::int32_t width, std::int32_t height)
{
    return reinterpret_cast<GdiObject>(CreateCompatibleBitmap(toHdc(dc), width, height));
}

GdiObject SystemPlatform::selectObject(DeviceContext dc, GdiObject object)
{
    return reinterpret_cast<GdiObject>(SelectObject(toHdc(dc), reinterpret_cast<HGDIOBJ>(object)));
}

bool SystemPlatform::deleteObject(GdiObject object)
{
    return DeleteObject(reinterpret_cast<HGDIOBJ>(object)) != FALSE;
}

bool SystemPlatform::deleteDc(DeviceContext dc)
{
    return DeleteDC(toHdc(dc)) != FALSE;
}

std::uint32_t SystemPlatform::setBkColor(DeviceContext dc, std::uint32_t colour)
{
    return SetBkColor(toHdc(dc), colour);
}

bool SystemPlatform::bitBlt(DeviceContext target, std::int32_t x, std::int32_t y,
    std::int32_t width, std::int32_t height, DeviceContext source, std::int32_t sourceX,
    std::int32_t sourceY, std::uint32_t rasterOperation)
{
    return BitBlt(
               toHdc(target), x, y, width, height, toHdc(source), sourceX, sourceY, rasterOperation)
        != FALSE;
}

std::string SystemPlatform::toSystemText(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int needed
        = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, result.data(), needed, nullptr, nullptr);
    return result;
}

std::wstring SystemPlatform::fromSystemText(std::string_view text)
{
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, result.data(), needed);
    return result;
}

std::int32_t SystemPlatform::showMessageBox(const MessageBoxRequest &request)
{
    return MessageBoxA(toHwnd(request.owner), toSystemText(request.text).c_str(),
        toSystemText(request.caption).c_str(), request.flags);
}

std::optional<int> runClipboardKeeper(int, char **)
{
    // The system clipboard keeps its data after its owner ends.
    return std::nullopt;
}

} // namespace orv::platform
