// SPDX-License-Identifier: MIT
#pragma once

// A platform that records every call the utility class makes and answers as
// the test scripts it: version record, registry contents, which command lines
// fail to start, the shell's results, the taskbar window. Its system code page
// is Latin-1 (one byte per character, like the Western Windows code page for
// the texts used here). Standard library only, for both builds.

#include "core/Failure.h"
#include "platform/Platform.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

class FakePlatform : public orv::platform::Platform
{
public:
    using WindowHandle = orv::platform::WindowHandle;
    using RegistryKey = orv::platform::RegistryKey;

    struct Value
    {
        std::uint32_t type = orv::platform::kRegText;
        std::string bytes;
    };

    // --- answers ---
    std::optional<orv::platform::OsVersionInfo> version; // nullopt: the query fails
    bool versionRaises = false;
    // (root, key path) -> value name -> value; a key with no values exists too.
    std::map<std::pair<std::uint32_t, std::wstring>, std::map<std::wstring, Value>> registry;
    std::set<std::wstring> unreadableValues; // exist, but the query fails
    std::set<std::wstring> files;
    std::set<std::wstring> unstartable; // command lines whose start fails
    bool startRaises = false;
    std::intptr_t shellResult = 42;
    bool shellRaises = false;
    bool shellExResult = true;
    std::int32_t shellExInstance = 42;
    WindowHandle taskbar = 0;
    std::map<std::wstring, WindowHandle> windowsByClass; // other classes than the taskbar's

    // Clipboard and global memory.
    bool clipboardOpens = true;
    bool allocationFails = false;
    bool clipboardRefuses = false;
    std::map<std::uint32_t, std::string> clipboard; // format -> block
    // File information.
    orv::platform::ShellFileInfo fileInfo;
    std::uintptr_t imageList = 0x5000;
    orv::platform::IconHandle icon = 0x6000;
    std::int32_t openWindows = 1;
    std::map<std::wstring, std::string> shortPaths; // long -> short; missing: none
    std::optional<std::string> versionData; // nullopt: no version information
    std::optional<std::size_t> versionRoot = 0; // the root block's place in the data
    std::set<std::wstring> lockedFiles; // open elsewhere
    std::map<std::wstring, std::array<std::uint64_t, 3>> fileTimes;
    std::uint64_t localBias = 0;
    std::map<std::uint64_t, orv::platform::SystemTime> calendar;
    std::int32_t specialFolderResult = 0;
    std::string documentsPath = "C:\\Users\\u\\Documents";
    std::optional<std::string> chosenFolder; // nullopt: the dialog is cancelled
    std::map<std::wstring, std::vector<orv::platform::FindData>> searches; // pattern -> entries
    // Script shell: how many creations fail before one succeeds (-1: all).
    int failingShellCreations = 0;
    std::vector<std::optional<orv::platform::ScriptError>> runErrors; // per Run, in order
    std::map<WindowHandle, std::string> windowTitles;
    // Libraries: loadable files and their exports; whether threads end in time.
    std::set<std::wstring> libraries;
    std::set<std::string> exports;
    bool threadEnds = true;
    // Windows: rectangles on the screen and client origins.
    std::map<WindowHandle, orv::platform::Rect> windowRects;
    std::map<WindowHandle, orv::platform::Point> clientOrigins;

    // --- records ---
    struct Started
    {
        std::wstring commandLine;
        std::int32_t show;
    };
    struct ShellCall
    {
        WindowHandle owner;
        std::wstring verb;
        std::wstring file;
        std::optional<std::wstring> parameters;
        std::optional<std::wstring> directory;
        std::int32_t show;
    };
    struct WindowPosition
    {
        WindowHandle window;
        WindowHandle insertAfter;
        std::int32_t x, y, width, height;
        std::uint32_t flags;
    };
    std::vector<std::uint32_t> versionSizes;
    std::vector<std::uint32_t> openedAccess;
    std::vector<std::uint32_t> openedRoots;
    std::vector<RegistryKey> closedKeys;
    std::vector<Started> started;
    std::vector<ShellCall> shellCalls;
    std::vector<orv::platform::ShellExecuteRecord> shellExRecords;
    std::vector<std::pair<std::optional<std::wstring>, std::optional<std::wstring>>> windowLookups;
    std::vector<WindowPosition> positions;
    std::vector<orv::platform::MessageBoxRequest> messages;
    std::vector<std::string> calls; // names of the calls below, in order
    std::vector<orv::platform::FileOperationRecord> fileOperations;
    std::vector<std::uint32_t> fileInfoFlags;
    struct Drawn
    {
        std::uintptr_t source; // image list or icon
        std::int32_t index;
        orv::platform::DeviceContext dc;
        std::uint32_t style;
    };
    std::vector<Drawn> drawn;
    struct Opened
    {
        std::wstring path;
        std::uint32_t access, share, disposition, attributes;
    };
    std::vector<Opened> openedFiles;
    std::vector<orv::platform::BrowseInfo> browsed;
    struct Run
    {
        std::wstring command;
        std::int32_t style;
        bool wait;
    };
    std::vector<Run> runs;
    std::vector<std::wstring> activated, sentKeys, loaded;
    std::vector<std::string> lookedUp;
    struct Move
    {
        WindowHandle window;
        std::int32_t x, y, width, height;
        bool repaint;
    };
    std::vector<Move> moves;
    struct Message
    {
        WindowHandle window;
        std::uint32_t message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
    };
    std::vector<Message> sent;
    struct Blit
    {
        orv::platform::DeviceContext target;
        std::int32_t x, y, width, height;
        orv::platform::DeviceContext source;
        std::int32_t sourceX, sourceY;
        std::uint32_t operation;
    };
    std::vector<Blit> blits;
    std::map<orv::platform::DeviceContext, std::uint32_t> backgrounds;
    std::vector<orv::platform::GdiObject> deletedObjects;
    std::vector<orv::platform::DeviceContext> deletedDcs;
    std::size_t liveMemory() const { return m_memory.size(); }

    std::size_t openKeyCount() const { return m_open.size(); }

    bool getVersionEx(orv::platform::OsVersionInfo &info) override
    {
        versionSizes.push_back(info.size);
        if (versionRaises)
            orv::fail(orv::FailureCode::ControlFailed, "version query raised");
        if (!version || info.size != orv::platform::kOsVersionInfoSize)
            return false;
        info = *version;
        info.size = orv::platform::kOsVersionInfoSize;
        return true;
    }

    std::uint32_t regOpenKeyEx(std::uint32_t root, const std::wstring &subKey, std::uint32_t access,
        RegistryKey &key) override
    {
        openedRoots.push_back(root);
        openedAccess.push_back(access);
        key = 0;
        if (!registry.contains({ root, subKey }))
            return orv::platform::kErrorFileNotFound;
        key = m_nextKey++;
        m_open[key] = { root, subKey };
        return orv::platform::kErrorSuccess;
    }

    std::uint32_t regQueryValueEx(RegistryKey key, const std::wstring &valueName,
        std::uint32_t &type, std::string &data, std::uint32_t &size) override
    {
        const auto open = m_open.find(key);
        if (open == m_open.end())
            return orv::platform::kErrorInvalidHandle;
        const auto &values = registry[open->second];
        const auto value = values.find(valueName);
        if (value == values.end() || unreadableValues.contains(valueName))
            return orv::platform::kErrorFileNotFound;
        type = value->second.type;
        const std::size_t room = std::min<std::size_t>(size, data.size());
        size = static_cast<std::uint32_t>(value->second.bytes.size());
        if (value->second.bytes.size() > room)
            return orv::platform::kErrorMoreData;
        std::copy(value->second.bytes.begin(), value->second.bytes.end(), data.begin());
        return orv::platform::kErrorSuccess;
    }

    std::uint32_t regCloseKey(RegistryKey key) override
    {
        closedKeys.push_back(key);
        return m_open.erase(key) == 1 ? orv::platform::kErrorSuccess
                                      : orv::platform::kErrorInvalidHandle;
    }

    std::uint32_t startProcess(const std::wstring &commandLine, std::int32_t show) override
    {
        started.push_back({ commandLine, show });
        if (startRaises)
            orv::fail(orv::FailureCode::ControlFailed, "start raised");
        if (commandLine.empty() || unstartable.contains(commandLine))
            return orv::platform::kErrorFileNotFound;
        return orv::platform::kErrorSuccess;
    }

    std::intptr_t shellExecute(WindowHandle owner, const std::wstring &verb,
        const std::wstring &file, const std::optional<std::wstring> &parameters,
        const std::optional<std::wstring> &directory, std::int32_t show) override
    {
        shellCalls.push_back({ owner, verb, file, parameters, directory, show });
        if (shellRaises)
            orv::fail(orv::FailureCode::ControlFailed, "shell raised");
        return shellResult;
    }

    bool shellExecuteEx(orv::platform::ShellExecuteRecord &record) override
    {
        shellExRecords.push_back(record);
        record.instanceResult = shellExInstance;
        return shellExResult;
    }

    WindowHandle findWindow(const std::optional<std::wstring> &className,
        const std::optional<std::wstring> &title) override
    {
        windowLookups.emplace_back(className, title);
        if (className) {
            if (const auto found = windowsByClass.find(*className); found != windowsByClass.end())
                return found->second;
            if (*className != L"Shell_TrayWnd")
                return 0;
        }
        return taskbar;
    }

    bool setWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x, std::int32_t y,
        std::int32_t width, std::int32_t height, std::uint32_t flags) override
    {
        positions.push_back({ window, insertAfter, x, y, width, height, flags });
        return window != 0;
    }

    // --- file operations ---
    std::int32_t shFileOperation(orv::platform::FileOperationRecord &record) override
    {
        calls.push_back("shFileOperation");
        fileOperations.push_back(record);
        return 0;
    }

    // --- clipboard: blocks are bytes in m_memory, the clipboard owns what it takes ---
    bool openClipboard(WindowHandle) override
    {
        calls.push_back("openClipboard");
        return clipboardOpens;
    }
    bool emptyClipboard() override
    {
        calls.push_back("emptyClipboard");
        clipboard.clear();
        return true;
    }
    bool closeClipboard() override
    {
        calls.push_back("closeClipboard");
        return true;
    }
    bool isClipboardFormatAvailable(std::uint32_t format) override
    {
        return clipboard.contains(format);
    }
    orv::platform::MemoryHandle setClipboardData(
        std::uint32_t format, orv::platform::MemoryHandle block) override
    {
        calls.push_back("setClipboardData");
        if (clipboardRefuses || !m_memory.contains(block))
            return 0;
        allocationFlags = m_flags[block];
        clipboard[format] = m_memory[block];
        m_memory.erase(block);
        return block;
    }
    orv::platform::MemoryHandle getClipboardData(std::uint32_t format) override
    {
        if (!clipboard.contains(format))
            return 0;
        m_memory[0xC11] = clipboard[format];
        return 0xC11;
    }
    orv::platform::MemoryHandle globalAlloc(std::uint32_t flags, std::size_t size) override
    {
        if (allocationFails)
            return 0;
        const orv::platform::MemoryHandle handle = m_nextMemory++;
        m_memory[handle] = std::string(size, (flags & 0x40) ? '\0' : '?');
        m_flags[handle] = flags;
        return handle;
    }
    std::uint8_t *globalLock(orv::platform::MemoryHandle block, std::size_t &size) override
    {
        const auto found = m_memory.find(block);
        if (found == m_memory.end())
            return nullptr;
        size = found->second.size();
        return reinterpret_cast<std::uint8_t *>(found->second.data());
    }
    bool globalUnlock(orv::platform::MemoryHandle) override { return true; }
    orv::platform::MemoryHandle globalFree(orv::platform::MemoryHandle block) override
    {
        return m_memory.erase(block) == 1 ? 0 : block;
    }
    std::uint32_t dragQueryFile(orv::platform::MemoryHandle drop, std::uint32_t index,
        std::string &buffer, std::uint32_t length) override
    {
        const std::string &block = m_memory.at(drop);
        std::vector<std::string> names;
        for (std::size_t at = 20; at < block.size() && block[at] != '\0';) {
            const std::size_t end = block.find('\0', at);
            names.push_back(block.substr(at, end - at));
            at = end + 1;
        }
        if (index == 0xFFFFFFFF)
            return static_cast<std::uint32_t>(names.size());
        const std::string &name = names.at(index);
        const std::size_t count = std::min<std::size_t>(name.size(), length - 1);
        std::copy_n(name.begin(), count, buffer.begin());
        buffer[count] = '\0';
        return static_cast<std::uint32_t>(count);
    }
    std::uint32_t allocationFlags = 0;

    // --- file information ---
    std::uintptr_t shGetFileInfo(const std::wstring &, std::uint32_t,
        orv::platform::ShellFileInfo &info, std::uint32_t flags) override
    {
        fileInfoFlags.push_back(flags);
        info = fileInfo;
        return imageList;
    }
    bool imageListDraw(orv::platform::ImageListHandle list, std::int32_t index,
        orv::platform::DeviceContext dc, std::int32_t, std::int32_t, std::uint32_t style) override
    {
        calls.push_back("imageListDraw");
        drawn.push_back({ list, index, dc, style });
        return list != 0;
    }
    orv::platform::IconHandle extractAssociatedIcon(const std::wstring &, std::uint16_t &) override
    {
        calls.push_back("extractAssociatedIcon");
        return icon;
    }
    bool drawIcon(orv::platform::DeviceContext dc, std::int32_t, std::int32_t,
        orv::platform::IconHandle drawnIcon) override
    {
        calls.push_back("drawIcon");
        drawn.push_back({ drawnIcon, 0, dc, 0 });
        return true;
    }
    bool destroyIcon(orv::platform::IconHandle) override
    {
        calls.push_back("destroyIcon");
        return true;
    }
    std::int32_t doEvents() override
    {
        calls.push_back("doEvents");
        return openWindows;
    }
    std::uint32_t getShortPathName(
        const std::wstring &longPath, std::string &buffer, std::uint32_t length) override
    {
        const auto found = shortPaths.find(longPath);
        if (found == shortPaths.end())
            return 0;
        if (found->second.size() >= length)
            return static_cast<std::uint32_t>(found->second.size() + 1);
        std::copy(found->second.begin(), found->second.end(), buffer.begin());
        buffer[found->second.size()] = '\0';
        return static_cast<std::uint32_t>(found->second.size());
    }
    std::uint32_t getFileVersionInfoSize(const std::wstring &) override
    {
        return versionData ? static_cast<std::uint32_t>(versionData->size()) : 0;
    }
    bool getFileVersionInfo(const std::wstring &, std::string &data) override
    {
        std::copy_n(versionData->begin(), std::min(data.size(), versionData->size()), data.begin());
        return true;
    }
    bool verQueryValue(const std::string &, const std::wstring &block,
        std::optional<std::size_t> &offset, std::uint32_t &length) override
    {
        if (block != L"\\")
            return false;
        offset = versionRoot;
        length = 52;
        return versionRoot.has_value();
    }
    orv::platform::FileHandle createFile(const std::wstring &path, std::uint32_t access,
        std::uint32_t share, std::uint32_t disposition, std::uint32_t attributes) override
    {
        openedFiles.push_back({ path, access, share, disposition, attributes });
        if (!fileTimes.contains(path) || lockedFiles.contains(path))
            return orv::platform::kInvalidFileHandle;
        m_openFiles[m_nextFile] = path;
        return m_nextFile++;
    }
    bool getFileTime(orv::platform::FileHandle file, std::uint64_t &creation,
        std::uint64_t &lastAccess, std::uint64_t &lastWrite) override
    {
        const auto open = m_openFiles.find(file);
        if (open == m_openFiles.end())
            return false;
        const auto &times = fileTimes.at(open->second);
        creation = times[0];
        lastAccess = times[1];
        lastWrite = times[2];
        return true;
    }
    bool fileTimeToLocalFileTime(std::uint64_t utc, std::uint64_t &local) override
    {
        local = utc + localBias;
        return true;
    }
    bool fileTimeToSystemTime(std::uint64_t time, orv::platform::SystemTime &fields) override
    {
        const auto found = calendar.find(time);
        if (found == calendar.end())
            return false;
        fields = found->second;
        return true;
    }
    bool closeHandle(orv::platform::FileHandle handle) override
    {
        closedHandles.push_back(handle);
        return m_openFiles.erase(handle) == 1;
    }
    std::vector<orv::platform::FileHandle> closedHandles;
    std::int32_t shGetSpecialFolderLocation(
        WindowHandle, std::int32_t folder, orv::platform::ItemList &list) override
    {
        list = 0;
        if (specialFolderResult != 0)
            return specialFolderResult;
        list = m_nextItem++;
        m_items[list] = folder == 5 ? documentsPath : std::string();
        return 0;
    }
    bool shGetPathFromIdList(orv::platform::ItemList list, std::string &buffer) override
    {
        const auto found = m_items.find(list);
        if (found == m_items.end())
            return false;
        std::copy(found->second.begin(), found->second.end(), buffer.begin());
        buffer[found->second.size()] = '\0';
        return true;
    }
    void coTaskMemFree(orv::platform::ItemList list) override { m_items.erase(list); }
    std::size_t liveItemLists() const { return m_items.size(); }
    orv::platform::ItemList shBrowseForFolder(orv::platform::BrowseInfo &info) override
    {
        browsed.push_back(info);
        if (!chosenFolder)
            return 0;
        m_items[m_nextItem] = *chosenFolder;
        return m_nextItem++;
    }
    orv::platform::SearchHandle findFirstFile(
        const std::wstring &pattern, orv::platform::FindData &data) override
    {
        searchedPatterns.push_back(pattern);
        const auto found = searches.find(pattern);
        if (found == searches.end() || found->second.empty())
            return orv::platform::kInvalidSearchHandle;
        m_search = found->second;
        m_searchAt = 1;
        data = m_search[0];
        return 77;
    }
    bool findNextFile(orv::platform::SearchHandle, orv::platform::FindData &data) override
    {
        if (m_searchAt >= m_search.size())
            return false;
        data = m_search[m_searchAt++];
        return true;
    }
    bool findClose(orv::platform::SearchHandle) override
    {
        calls.push_back("findClose");
        return true;
    }
    std::vector<std::wstring> searchedPatterns;

    // --- script shell ---
    orv::platform::ScriptShell createScriptShell(orv::platform::ScriptError &error) override
    {
        calls.push_back("createScriptShell");
        if (failingShellCreations != 0) {
            if (failingShellCreations > 0)
                --failingShellCreations;
            error = { 429, L"ActiveX component can't create object" };
            return 0;
        }
        ++liveShells;
        return 0x900 + liveShells;
    }
    bool scriptShellRun(orv::platform::ScriptShell, const std::wstring &command, std::int32_t style,
        bool wait, orv::platform::ScriptError &error) override
    {
        runs.push_back({ command, style, wait });
        if (runs.size() <= runErrors.size() && runErrors[runs.size() - 1]) {
            error = *runErrors[runs.size() - 1];
            return false;
        }
        return true;
    }
    bool scriptShellAppActivate(orv::platform::ScriptShell, const std::wstring &title) override
    {
        activated.push_back(title);
        return true;
    }
    bool scriptShellSendKeys(orv::platform::ScriptShell, const std::wstring &keys) override
    {
        sentKeys.push_back(keys);
        return true;
    }
    void releaseScriptShell(orv::platform::ScriptShell shell) override
    {
        calls.push_back("releaseScriptShell");
        if (shell != 0)
            --liveShells;
    }
    int liveShells = 0;
    std::wstring getSystemDirectory() override { return L"C:\\Windows\\system32"; }
    std::int32_t getWindowText(
        WindowHandle window, std::string &buffer, std::int32_t length) override
    {
        const std::string title = windowTitles[window].substr(0, std::size_t(length - 1));
        std::copy(title.begin(), title.end(), buffer.begin());
        return static_cast<std::int32_t>(title.size());
    }

    // --- libraries and threads ---
    orv::platform::LibraryHandle loadLibrary(const std::wstring &path) override
    {
        loaded.push_back(path);
        if (!libraries.contains(path))
            return 0;
        ++liveLibraries;
        return 0x400;
    }
    orv::platform::ProcAddress getProcAddress(
        orv::platform::LibraryHandle, const std::string &name) override
    {
        lookedUp.push_back(name);
        return exports.contains(name) ? 0x4100 : 0;
    }
    bool freeLibrary(orv::platform::LibraryHandle) override
    {
        --liveLibraries;
        return true;
    }
    orv::platform::ThreadHandle createThread(orv::platform::ProcAddress) override
    {
        ++liveThreads;
        return 0x7700;
    }
    std::uint32_t waitForSingleObject(
        orv::platform::ThreadHandle, std::uint32_t milliseconds) override
    {
        waitedFor = milliseconds;
        return threadEnds ? 0 : 258;
    }
    bool closeThreadHandle(orv::platform::ThreadHandle) override
    {
        --liveThreads;
        return true;
    }
    int liveLibraries = 0;
    int liveThreads = 0;
    std::uint32_t waitedFor = 0;

    // --- windows and drawing ---
    bool getWindowRect(WindowHandle window, orv::platform::Rect &rect) override
    {
        rect = windowRects[window];
        return true;
    }
    bool screenToClient(WindowHandle window, orv::platform::Point &point) override
    {
        point.x -= clientOrigins[window].x;
        point.y -= clientOrigins[window].y;
        return true;
    }
    bool moveWindow(WindowHandle window, std::int32_t x, std::int32_t y, std::int32_t width,
        std::int32_t height, bool repaint) override
    {
        moves.push_back({ window, x, y, width, height, repaint });
        return true;
    }
    std::intptr_t sendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
        std::intptr_t lParam) override
    {
        sent.push_back({ window, message, wParam, lParam });
        return 0;
    }
    orv::platform::DeviceContext createCompatibleDc(orv::platform::DeviceContext) override
    {
        return m_nextDc++;
    }
    orv::platform::GdiObject createBitmap(
        std::int32_t, std::int32_t, std::uint32_t planes, std::uint32_t bits) override
    {
        monochromeBitmaps += planes == 1 && bits == 1;
        return m_nextObject++;
    }
    orv::platform::GdiObject createCompatibleBitmap(
        orv::platform::DeviceContext, std::int32_t, std::int32_t) override
    {
        return m_nextObject++;
    }
    orv::platform::GdiObject selectObject(
        orv::platform::DeviceContext dc, orv::platform::GdiObject object) override
    {
        return std::exchange(selectedObjects[dc], object);
    }
    bool deleteObject(orv::platform::GdiObject object) override
    {
        deletedObjects.push_back(object);
        return true;
    }
    bool deleteDc(orv::platform::DeviceContext dc) override
    {
        deletedDcs.push_back(dc);
        return true;
    }
    std::uint32_t setBkColor(orv::platform::DeviceContext dc, std::uint32_t colour) override
    {
        // The system keeps colours as 24-bit RGB.
        return std::exchange(backgrounds[dc], colour & 0xFFFFFF);
    }
    bool bitBlt(orv::platform::DeviceContext target, std::int32_t x, std::int32_t y,
        std::int32_t width, std::int32_t height, orv::platform::DeviceContext source,
        std::int32_t sourceX, std::int32_t sourceY, std::uint32_t operation) override
    {
        blits.push_back({ target, x, y, width, height, source, sourceX, sourceY, operation });
        return true;
    }
    int monochromeBitmaps = 0;
    std::map<orv::platform::DeviceContext, orv::platform::GdiObject> selectedObjects;

    bool fileExists(const std::wstring &path) override { return files.contains(path); }

    std::string toSystemText(std::wstring_view text) override
    {
        std::string result;
        for (const wchar_t c : text)
            result += static_cast<char>(static_cast<unsigned>(c) <= 0xFF ? c : L'?');
        return result;
    }

    std::wstring fromSystemText(std::string_view text) override
    {
        std::wstring result;
        for (const char c : text)
            result += static_cast<wchar_t>(static_cast<unsigned char>(c));
        return result;
    }

protected:
    std::int32_t showMessageBox(const orv::platform::MessageBoxRequest &request) override
    {
        messages.push_back(request);
        return 1;
    }

private:
    std::map<RegistryKey, std::pair<std::uint32_t, std::wstring>> m_open;
    RegistryKey m_nextKey = 0x100;
    std::map<orv::platform::MemoryHandle, std::string> m_memory;
    std::map<orv::platform::MemoryHandle, std::uint32_t> m_flags;
    orv::platform::MemoryHandle m_nextMemory = 0xA00;
    std::map<orv::platform::FileHandle, std::wstring> m_openFiles;
    orv::platform::FileHandle m_nextFile = 0x300;
    std::map<orv::platform::ItemList, std::string> m_items;
    orv::platform::ItemList m_nextItem = 0xB00;
    std::vector<orv::platform::FindData> m_search;
    std::size_t m_searchAt = 0;
    orv::platform::DeviceContext m_nextDc = 0x2000;
    orv::platform::GdiObject m_nextObject = 0x3000;
};
