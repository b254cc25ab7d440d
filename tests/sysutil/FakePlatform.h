// SPDX-License-Identifier: MIT
#pragma once

// FakePlatform answers every primitive as the system does when the call fails
// (0, false, an error number, an invalid handle) unless the fields next to it
// script another answer; starts, the short name and the calls on an opened
// clipboard or a created script shell succeed unless scripted to fail. A test
// may also derive and override. Message boxes, starts and the shell's calls
// are recorded (the shell fails, or raises, unless a test sets its result) and
// the system code page is UTF-8. Standard library only, for both builds.

#include "core/Failure.h"
#include "platform/Platform.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
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

class FakePlatform : public Platform
{
public:
    std::vector<MessageBoxRequest> messages;

    // A version query that fails, raises, or gives this version.
    bool versionRaises = false;
    std::optional<OsVersionInfo> version;
    bool getVersionEx(OsVersionInfo &info) override
    {
        if (versionRaises)
            fail(FailureCode::ControlFailed, "version query raised");
        info = version.value_or(info);
        return version.has_value();
    }
    // Registry values by name (PATH, MSINFO) of the system information
    // keys, type 99 failing the query; keys counted open.
    std::map<W, std::pair<u32, S>> values;
    int open = 0;
    u32 regOpenKeyEx(u32 root, const W &key, u32, RegistryKey &handle) override
    {
        const bool found = root == kHkeyLocalMachine
            && values.contains(key.ends_with(L"MSINFO") ? L"PATH" : L"MSINFO");
        return (handle = found ? ++open : 0) ? kErrorSuccess : kErrorFileNotFound;
    }
    u32 regQueryValueEx(RegistryKey, const W &name, u32 &type, S &data, u32 &size) override
    {
        const auto &[valueType, bytes] = values.at(name);
        size = u32(bytes.copy(data.data(), data.size()));
        return (type = valueType) == 99 ? kErrorFileNotFound : kErrorSuccess;
    }
    u32 regCloseKey(RegistryKey key) override { return key ? (--open, 0) : kErrorInvalidHandle; }
    // Starts recorded with their show value; the command lines missing fail.
    std::vector<W> started;
    std::set<W> missing;
    u32 startProcess(const W &line, i32 show) override
    {
        started.push_back(line + L" /" + std::to_wstring(show));
        return missing.contains(line) ? kErrorFileNotFound : kErrorSuccess;
    }
    // Owner, verb, file, parameters, folder, show value.
    std::vector<std::tuple<WindowHandle, W, W, OW, OW, i32>> shellCalls;
    ip shellResult = 0;
    bool shellRaises = false;
    ip shellExecute(i32 owner, const W &verb, const W &file, const OW &parameters, const OW &dir,
        i32 show) override
    {
        shellCalls.emplace_back(owner, verb, file, parameters, dir, show);
        if (shellRaises)
            orv::fail(orv::FailureCode::ControlFailed, "shell raised");
        return shellResult;
    }
    bool shellExecuteEx(ShellExecuteRecord &) override { return false; }
    // A spreadsheet window on request.
    bool spreadsheet = false;
    i32 findWindow(const OW &name, const OW &) override { return spreadsheet && name == L"XLMAIN"; }
    bool setWindowPos(i32, i32, i32, i32, i32, i32, u32) override { return false; }
    // Files that exist.
    std::set<W> files;
    bool fileExists(const W &path) override { return files.contains(path); }
    S toSystemText(std::wstring_view text) override { return toUtf8(text); }
    W fromSystemText(std::string_view text) override { return fromUtf8(text); }
    i32 shFileOperation(FileOperationRecord &) override { return 2; }
    // A clipboard that opens on request, memory that may run out.
    bool opens = false, allocates = true, isOpen = false;
    std::map<MemoryHandle, std::string> memory;
    bool openClipboard(WindowHandle) override { return isOpen = opens; }
    bool emptyClipboard() override { return true; }
    bool closeClipboard() override { return !(isOpen = false); }
    bool isClipboardFormatAvailable(u32) override { return false; }
    MemoryHandle setClipboardData(u32, MemoryHandle) override { return 0; }
    MemoryHandle getClipboardData(u32) override { return 0; }
    MemoryHandle globalAlloc(u32, std::size_t size) override
    {
        memory[memory.size() + 1] = std::string(size, '\0');
        return allocates ? memory.size() : (memory.clear(), 0);
    }
    std::uint8_t *globalLock(MemoryHandle block, std::size_t &size) override
    {
        size = memory.at(block).size();
        return reinterpret_cast<std::uint8_t *>(memory.at(block).data());
    }
    bool globalUnlock(MemoryHandle) override { return false; }
    MemoryHandle globalFree(MemoryHandle block) override { return memory.erase(block) ? 0 : 1; }
    u32 dragQueryFile(MemoryHandle, u32, S &, u32) override { return 0; }
    // A file's names and icon, given with an image list; drawing between yields.
    std::uintptr_t imageList = 0;
    std::vector<i32> drawn;
    int yields = 0;
    std::uintptr_t shGetFileInfo(const W &, u32, ShellFileInfo &info, u32) override
    {
        if (imageList) {
            std::copy_n("a.txt\0junk", 10, info.displayName.begin());
            std::copy_n("Textdokument", 12, info.typeName.begin());
            info.iconIndex = 7;
        }
        return imageList;
    }
    bool imageListDraw(ImageListHandle list, i32 index, i32, i32, i32, u32) override
    {
        return (drawn.push_back(index), list);
    }
    IconHandle extractAssociatedIcon(const W &, std::uint16_t &) override { return 0; }
    bool drawIcon(DeviceContext, i32, i32, IconHandle) override { return false; }
    bool destroyIcon(IconHandle) override { return false; }
    // A short name, the needed room given when it does not fit.
    std::string shortPath = "C:\\PROGRA~1\\x.exe";
    u32 getShortPathName(const W &, S &buffer, u32 length) override
    {
        if (shortPath.size() >= length)
            return u32(shortPath.size() + 1);
        buffer.replace(0, shortPath.size() + 1, shortPath + '\0');
        return u32(shortPath.size());
    }
    // Version data with its root block at an offset.
    std::string versionData;
    Offset root = 8;
    u32 getFileVersionInfoSize(const W &) override { return u32(versionData.size()); }
    bool getFileVersionInfo(const W &, S &data) override { return (data = versionData, 1); }
    bool verQueryValue(const S &, const W &block, Offset &offset, u32 &length) override
    {
        std::tie(offset, length) = std::pair { root, 52 };
        return block == L"\\" && root;
    }
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
    i32 doEvents() override { return ++yields; }
    // The script shell: creations that fail first (-1: all), Run's errors in
    // order, the windows activated and keys sent in one list; the
    // registration's library and thread counted.
    int failingCreations = -1, live = 0, libraries = 0, threads = 0;
    bool threadEnds = true;
    u32 waited = 0;
    std::vector<ScriptError> runErrors;
    std::vector<W> runs, sent;
    std::vector<bool> waits;
    ScriptShell createScriptShell(ScriptError &error) override
    {
        if (failingCreations == 0)
            return ++live;
        failingCreations -= failingCreations > 0;
        return error = { 429, L"ActiveX component can't create object" }, 0;
    }
    bool scriptShellRun(ScriptShell, const W &run, i32 style, bool wait, ScriptError &e) override
    {
        runs.push_back(style == 1 ? run : L"style?");
        waits.push_back(wait);
        const bool raised = runs.size() <= runErrors.size() && runErrors[runs.size() - 1].number;
        e = raised ? runErrors[runs.size() - 1] : e;
        return !raised;
    }
    bool scriptShellAppActivate(ScriptShell, const W &t) override { return sent.push_back(t), 1; }
    bool scriptShellSendKeys(ScriptShell, const W &k) override { return sent.push_back(k), 1; }
    void releaseScriptShell(ScriptShell shell) override { live -= shell != 0; }
    W getSystemDirectory() override { return L"C:\\Windows\\system32"; }
    i32 getWindowText(i32, S &title, i32) override { return title.replace(0, 6, "Mappe1"), 6; }
    LibraryHandle loadLibrary(const W &) override { return ++libraries; }
    ProcAddress getProcAddress(LibraryHandle, const S &n) override
    {
        return n == "DllRegisterServer";
    }
    bool freeLibrary(LibraryHandle) override { return libraries--; }
    ThreadHandle createThread(ProcAddress) override { return ++threads; }
    u32 waitForSingleObject(ThreadHandle, u32 ms) override { return waited = ms, !threadEnds; }
    bool closeThreadHandle(ThreadHandle) override { return threads--; }
    bool getWindowRect(WindowHandle, Rect &) override { return false; }
    bool screenToClient(WindowHandle, Point &) override { return false; }
    bool moveWindow(WindowHandle, i32, i32, i32, i32, bool) override { return false; }
    ip sendMessage(i32, u32, std::uintptr_t, ip) override { return 0; }
    // Drawing: background colours kept as the system keeps them, objects counted.
    std::map<DeviceContext, u32> backgrounds { { 0x10, 0xFFFFFF } };
    int made = 0, deleted = 0;
    DeviceContext createCompatibleDc(DeviceContext) override { return ++made; }
    GdiObject createBitmap(i32, i32, u32, u32) override { return ++made; }
    GdiObject createCompatibleBitmap(DeviceContext, i32, i32) override { return ++made; }
    GdiObject selectObject(DeviceContext, GdiObject) override { return 0; }
    bool deleteObject(GdiObject) override { return ++deleted; }
    bool deleteDc(DeviceContext) override { return ++deleted; }
    u32 setBkColor(i32 dc, u32 c) override { return std::exchange(backgrounds[dc], c & 0xFFFFFF); }
    bool bitBlt(i32, i32, i32, i32, i32, i32, i32, i32, u32) override { return false; }

protected:
    i32 showMessageBox(const MessageBoxRequest &box) override { return messages.push_back(box), 0; }
};

} // namespace orv::test
