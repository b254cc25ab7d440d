// SPDX-License-Identifier: MIT
#pragma once

// FailingPlatform answers every primitive as the system does when the call
// fails (0, false, an error number, an invalid handle); a test derives from
// it and overrides the few calls it scripts. Message boxes are recorded and
// the system code page is Latin-1. FakePlatform adds a recording shell.
// Standard library only, for both builds.

#include "platform/Platform.h"

#include <optional>
#include <string>
#include <vector>

namespace orv::test {

using namespace orv::platform;

class FailingPlatform : public Platform
{
public:
    std::vector<MessageBoxRequest> messages;

    bool getVersionEx(OsVersionInfo &) override { return false; }
    std::uint32_t regOpenKeyEx(
        std::uint32_t, const std::wstring &, std::uint32_t, RegistryKey &key) override
    {
        key = 0;
        return kErrorFileNotFound;
    }
    std::uint32_t regQueryValueEx(
        RegistryKey, const std::wstring &, std::uint32_t &, std::string &, std::uint32_t &) override
    {
        return kErrorInvalidHandle;
    }
    std::uint32_t regCloseKey(RegistryKey) override { return kErrorInvalidHandle; }
    std::uint32_t startProcess(const std::wstring &, std::int32_t) override
    {
        return kErrorFileNotFound;
    }
    std::intptr_t shellExecute(WindowHandle, const std::wstring &, const std::wstring &,
        const std::optional<std::wstring> &, const std::optional<std::wstring> &,
        std::int32_t) override
    {
        return 0;
    }
    bool shellExecuteEx(ShellExecuteRecord &) override { return false; }
    WindowHandle findWindow(
        const std::optional<std::wstring> &, const std::optional<std::wstring> &) override
    {
        return 0;
    }
    bool setWindowPos(WindowHandle, WindowHandle, std::int32_t, std::int32_t, std::int32_t,
        std::int32_t, std::uint32_t) override
    {
        return false;
    }
    bool fileExists(const std::wstring &) override { return false; }
    std::string toSystemText(std::wstring_view text) override
    {
        std::string result;
        for (const wchar_t c : text)
            result += char(unsigned(c) <= 0xFF ? c : L'?');
        return result;
    }
    std::wstring fromSystemText(std::string_view text) override
    {
        std::wstring result;
        for (const char c : text)
            result += wchar_t(static_cast<unsigned char>(c));
        return result;
    }
    std::int32_t shFileOperation(FileOperationRecord &) override { return 2; }
    bool openClipboard(WindowHandle) override { return false; }
    bool emptyClipboard() override { return false; }
    bool closeClipboard() override { return false; }
    bool isClipboardFormatAvailable(std::uint32_t) override { return false; }
    MemoryHandle setClipboardData(std::uint32_t, MemoryHandle) override { return 0; }
    MemoryHandle getClipboardData(std::uint32_t) override { return 0; }
    MemoryHandle globalAlloc(std::uint32_t, std::size_t) override { return 0; }
    std::uint8_t *globalLock(MemoryHandle, std::size_t &) override { return nullptr; }
    bool globalUnlock(MemoryHandle) override { return false; }
    MemoryHandle globalFree(MemoryHandle block) override { return block; }
    std::uint32_t dragQueryFile(MemoryHandle, std::uint32_t, std::string &, std::uint32_t) override
    {
        return 0;
    }
    std::uintptr_t shGetFileInfo(
        const std::wstring &, std::uint32_t, ShellFileInfo &, std::uint32_t) override
    {
        return 0;
    }
    bool imageListDraw(ImageListHandle, std::int32_t, DeviceContext, std::int32_t, std::int32_t,
        std::uint32_t) override
    {
        return false;
    }
    IconHandle extractAssociatedIcon(const std::wstring &, std::uint16_t &) override { return 0; }
    bool drawIcon(DeviceContext, std::int32_t, std::int32_t, IconHandle) override { return false; }
    bool destroyIcon(IconHandle) override { return false; }
    std::uint32_t getShortPathName(const std::wstring &, std::string &, std::uint32_t) override
    {
        return 0;
    }
    std::uint32_t getFileVersionInfoSize(const std::wstring &) override { return 0; }
    bool getFileVersionInfo(const std::wstring &, std::string &) override { return false; }
    bool verQueryValue(const std::string &, const std::wstring &, std::optional<std::size_t> &,
        std::uint32_t &) override
    {
        return false;
    }
    FileHandle createFile(
        const std::wstring &, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) override
    {
        return kInvalidFileHandle;
    }
    bool getFileTime(FileHandle, std::uint64_t &, std::uint64_t &, std::uint64_t &) override
    {
        return false;
    }
    bool fileTimeToLocalFileTime(std::uint64_t, std::uint64_t &) override { return false; }
    bool fileTimeToSystemTime(std::uint64_t, SystemTime &) override { return false; }
    bool closeHandle(FileHandle) override { return false; }
    std::int32_t shGetSpecialFolderLocation(WindowHandle, std::int32_t, ItemList &list) override
    {
        list = 0;
        return kDispatchException;
    }
    bool shGetPathFromIdList(ItemList, std::string &) override { return false; }
    void coTaskMemFree(ItemList) override { }
    ItemList shBrowseForFolder(BrowseInfo &) override { return 0; }
    SearchHandle findFirstFile(const std::wstring &, FindData &) override
    {
        return kInvalidSearchHandle;
    }
    bool findNextFile(SearchHandle, FindData &) override { return false; }
    bool findClose(SearchHandle) override { return false; }
    std::int32_t doEvents() override { return 0; }
    ScriptShell createScriptShell(ScriptError &error) override
    {
        error = { 429, L"ActiveX component can't create object" };
        return 0;
    }
    bool scriptShellRun(
        ScriptShell, const std::wstring &, std::int32_t, bool, ScriptError &error) override
    {
        error = { kDispatchException, L"" };
        return false;
    }
    bool scriptShellAppActivate(ScriptShell, const std::wstring &) override { return false; }
    bool scriptShellSendKeys(ScriptShell, const std::wstring &) override { return false; }
    void releaseScriptShell(ScriptShell) override { }
    std::wstring getSystemDirectory() override { return L"C:\\Windows\\system32"; }
    std::int32_t getWindowText(WindowHandle, std::string &, std::int32_t) override { return 0; }
    LibraryHandle loadLibrary(const std::wstring &) override { return 0; }
    ProcAddress getProcAddress(LibraryHandle, const std::string &) override { return 0; }
    bool freeLibrary(LibraryHandle) override { return false; }
    ThreadHandle createThread(ProcAddress) override { return 0; }
    std::uint32_t waitForSingleObject(ThreadHandle, std::uint32_t) override { return 0xFFFFFFFF; }
    bool closeThreadHandle(ThreadHandle) override { return false; }
    bool getWindowRect(WindowHandle, Rect &) override { return false; }
    bool screenToClient(WindowHandle, Point &) override { return false; }
    bool moveWindow(
        WindowHandle, std::int32_t, std::int32_t, std::int32_t, std::int32_t, bool) override
    {
        return false;
    }
    std::intptr_t sendMessage(WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) override
    {
        return 0;
    }
    DeviceContext createCompatibleDc(DeviceContext) override { return 0; }
    GdiObject createBitmap(std::int32_t, std::int32_t, std::uint32_t, std::uint32_t) override
    {
        return 0;
    }
    GdiObject createCompatibleBitmap(DeviceContext, std::int32_t, std::int32_t) override
    {
        return 0;
    }
    GdiObject selectObject(DeviceContext, GdiObject) override { return 0; }
    bool deleteObject(GdiObject) override { return false; }
    bool deleteDc(DeviceContext) override { return false; }
    std::uint32_t setBkColor(DeviceContext, std::uint32_t) override { return 0xFFFFFFFF; }
    bool bitBlt(DeviceContext, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
        DeviceContext, std::int32_t, std::int32_t, std::uint32_t) override
    {
        return false;
    }

protected:
    std::int32_t showMessageBox(const MessageBoxRequest &request) override
    {
        messages.push_back(request);
        return 0;
    }
};

} // namespace orv::test

// The shell's calls recorded; each fails unless the test sets a result.
class FakePlatform : public orv::test::FailingPlatform
{
public:
    struct ShellCall
    {
        orv::platform::WindowHandle owner;
        std::wstring verb, file;
        std::optional<std::wstring> parameters, directory;
        std::int32_t show;
    };
    std::vector<ShellCall> shellCalls;
    std::intptr_t shellResult = 0;

    std::intptr_t shellExecute(orv::platform::WindowHandle owner, const std::wstring &verb,
        const std::wstring &file, const std::optional<std::wstring> &parameters,
        const std::optional<std::wstring> &directory, std::int32_t show) override
    {
        shellCalls.push_back({ owner, verb, file, parameters, directory, show });
        return shellResult;
    }
};
