// SPDX-License-Identifier: MIT
#pragma once

// FailingPlatform answers every primitive as the system does when the call
// fails (0, false, an error number, an invalid handle); a test derives from
// it and overrides the few calls it scripts. Message boxes and the shell's
// calls are recorded (the shell fails, or raises, unless a test sets its
// result) and the system code page is UTF-8. Standard library only, for both
// builds.

#include "core/Failure.h"
#include "platform/Platform.h"
#include "platform/Utf8.h"

#include <optional>
#include <string>
#include <vector>

namespace orv::test {

using namespace orv::platform;
// Short names that keep an overriding primitive on one line.
using W = std::wstring;
using OW = std::optional<W>;
using S = std::string;
using u32 = std::uint32_t;
using i32 = std::int32_t;
using u64 = std::uint64_t;
using ip = std::intptr_t;
using Offset = std::optional<std::size_t>;

class FailingPlatform : public Platform
{
public:
    struct ShellCall
    {
        WindowHandle owner;
        W verb, file;
        OW parameters, directory;
        i32 show;
    };
    std::vector<MessageBoxRequest> messages;
    std::vector<ShellCall> shellCalls;
    ip shellResult = 0;
    bool shellRaises = false;

    bool getVersionEx(OsVersionInfo &) override { return false; }
    // Not found; an invalid handle.
    u32 regOpenKeyEx(u32, const W &, u32, RegistryKey &key) override { return key = 0, 2; }
    u32 regQueryValueEx(RegistryKey, const W &, u32 &, S &, u32 &) override { return 6; }
    u32 regCloseKey(RegistryKey) override { return kErrorInvalidHandle; }
    u32 startProcess(const W &, i32) override { return kErrorFileNotFound; }
    ip shellExecute(i32 owner, const W &verb, const W &file, const OW &parameters, const OW &dir,
        i32 show) override
    {
        shellCalls.push_back({ owner, verb, file, parameters, dir, show });
        if (shellRaises)
            orv::fail(orv::FailureCode::ControlFailed, "shell raised");
        return shellResult;
    }
    bool shellExecuteEx(ShellExecuteRecord &) override { return false; }
    WindowHandle findWindow(const OW &, const OW &) override { return 0; }
    bool setWindowPos(i32, i32, i32, i32, i32, i32, u32) override { return false; }
    bool fileExists(const W &) override { return false; }
    S toSystemText(std::wstring_view text) override { return toUtf8(text); }
    W fromSystemText(std::string_view text) override { return fromUtf8(text); }
    i32 shFileOperation(FileOperationRecord &) override { return 2; }
    bool openClipboard(WindowHandle) override { return false; }
    bool emptyClipboard() override { return false; }
    bool closeClipboard() override { return false; }
    bool isClipboardFormatAvailable(u32) override { return false; }
    MemoryHandle setClipboardData(u32, MemoryHandle) override { return 0; }
    MemoryHandle getClipboardData(u32) override { return 0; }
    MemoryHandle globalAlloc(u32, std::size_t) override { return 0; }
    std::uint8_t *globalLock(MemoryHandle, std::size_t &) override { return nullptr; }
    bool globalUnlock(MemoryHandle) override { return false; }
    MemoryHandle globalFree(MemoryHandle block) override { return block; }
    u32 dragQueryFile(MemoryHandle, u32, S &, u32) override { return 0; }
    std::uintptr_t shGetFileInfo(const W &, u32, ShellFileInfo &, u32) override { return 0; }
    bool imageListDraw(ImageListHandle, i32, i32, i32, i32, u32) override { return false; }
    IconHandle extractAssociatedIcon(const W &, std::uint16_t &) override { return 0; }
    bool drawIcon(DeviceContext, i32, i32, IconHandle) override { return false; }
    bool destroyIcon(IconHandle) override { return false; }
    u32 getShortPathName(const W &, S &, u32) override { return 0; }
    u32 getFileVersionInfoSize(const W &) override { return 0; }
    bool getFileVersionInfo(const W &, S &) override { return false; }
    bool verQueryValue(const S &, const W &, Offset &, u32 &) override { return false; }
    FileHandle createFile(const W &, u32, u32, u32, u32) override { return kInvalidFileHandle; }
    bool getFileTime(FileHandle, u64 &, u64 &, u64 &) override { return false; }
    bool fileTimeToLocalFileTime(u64, u64 &) override { return false; }
    bool fileTimeToSystemTime(u64, SystemTime &) override { return false; }
    bool closeHandle(FileHandle) override { return false; }
    i32 shGetSpecialFolderLocation(i32, i32, ItemList &list) override { return list = 0, -1; }
    bool shGetPathFromIdList(ItemList, S &) override { return false; }
    void coTaskMemFree(ItemList) override { }
    ItemList shBrowseForFolder(BrowseInfo &) override { return 0; }
    SearchHandle findFirstFile(const W &, FindData &) override { return kInvalidSearchHandle; }
    bool findNextFile(SearchHandle, FindData &) override { return false; }
    bool findClose(SearchHandle) override { return false; }
    i32 doEvents() override { return 0; }
    ScriptShell createScriptShell(ScriptError &error) override
    {
        return error = { 429, L"ActiveX component can't create object" }, 0;
    }
    bool scriptShellRun(ScriptShell, const W &, i32, bool, ScriptError &error) override
    {
        return error = { kDispatchException, L"" }, false;
    }
    bool scriptShellAppActivate(ScriptShell, const W &) override { return false; }
    bool scriptShellSendKeys(ScriptShell, const W &) override { return false; }
    void releaseScriptShell(ScriptShell) override { }
    W getSystemDirectory() override { return L"C:\\Windows\\system32"; }
    i32 getWindowText(WindowHandle, S &, i32) override { return 0; }
    LibraryHandle loadLibrary(const W &) override { return 0; }
    ProcAddress getProcAddress(LibraryHandle, const S &) override { return 0; }
    bool freeLibrary(LibraryHandle) override { return false; }
    ThreadHandle createThread(ProcAddress) override { return 0; }
    u32 waitForSingleObject(ThreadHandle, u32) override { return 0xFFFFFFFF; }
    bool closeThreadHandle(ThreadHandle) override { return false; }
    bool getWindowRect(WindowHandle, Rect &) override { return false; }
    bool screenToClient(WindowHandle, Point &) override { return false; }
    bool moveWindow(WindowHandle, i32, i32, i32, i32, bool) override { return false; }
    ip sendMessage(i32, u32, std::uintptr_t, ip) override { return 0; }
    DeviceContext createCompatibleDc(DeviceContext) override { return 0; }
    GdiObject createBitmap(i32, i32, u32, u32) override { return 0; }
    GdiObject createCompatibleBitmap(DeviceContext, i32, i32) override { return 0; }
    GdiObject selectObject(DeviceContext, GdiObject) override { return 0; }
    bool deleteObject(GdiObject) override { return false; }
    bool deleteDc(DeviceContext) override { return false; }
    u32 setBkColor(DeviceContext, u32) override { return 0xFFFFFFFF; }
    bool bitBlt(i32, i32, i32, i32, i32, i32, i32, i32, u32) override { return false; }

protected:
    i32 showMessageBox(const MessageBoxRequest &request) override
    {
        return messages.push_back(request), 0;
    }
};

} // namespace orv::test
