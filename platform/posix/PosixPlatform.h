// SPDX-License-Identifier: MIT
#pragma once

// The Linux backend: the closest freedesktop mechanism for each primitive.
//  - version: the kernel release from uname, platform id 0;
//  - registry: a registry file of our own (see RegistryFile.h), read afresh
//    at every key opening; by default it names the first system-information
//    tool found on PATH as the system information tool;
//  - process start: the command line split as Windows would split it and
//    started detached; the show value travels in ORVEL_SHOW_WINDOW;
//  - shell execute: the "open" verb through xdg-open; no other verb exists;
//  - window lookup and positioning: no counterpart, nothing is ever found;
//  - message box: a Qt message box when a display is there, else one line
//    on standard error;
//  - system code page: UTF-8;
//  - paths: a backslash separates folders as a slash does;
//  - shell file operations: copy and move in the file system, the recycle bin
//    is the freedesktop trash ($XDG_DATA_HOME/Trash);
//  - clipboard: Qt's, a file list as text/uri-list and as the raw block under
//    a private type; on X11 a command-line program's list outlives it;
//  - file information: Qt's file icons and MIME type names, no short names
//    and no version resources, the documents folder from QStandardPaths;
//  - "no sharing" on opening: refused while the file is open elsewhere (a
//    write lease cannot be taken), where the file system supports leases;
//  - the folder dialog: QFileDialog;
//  - the script shell object: a process runner (documents through xdg-open);
//  - libraries: dlopen, the export run on a thread of its own;
//  - windows and device contexts: Qt widgets and images (see Objects.h).

#include "platform/Platform.h"
#include "platform/posix/RegistryFile.h"

#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace orv::platform {

class PosixPlatform : public Platform
{
public:
    // registryFile: the registry file to read ("" or a missing file: none).
    explicit PosixPlatform(std::string registryFile);

    // ORVEL_REGISTRY_FILE, else <config>/OrvelBrowser/registry.reg
    // ($XDG_CONFIG_HOME, or ~/.config).
    static std::string defaultRegistryFile();
    // The registry every Linux system has before its file is read: the
    // system information tool, if one is found on the search path.
    static RegistryFile builtInRegistry(const std::string &searchPath);

    bool getVersionEx(OsVersionInfo &info) override;
    std::uint32_t regOpenKeyEx(std::uint32_t root, const std::wstring &subKey, std::uint32_t access,
        RegistryKey &key) override;
    std::uint32_t regQueryValueEx(RegistryKey key, const std::wstring &valueName,
        std::uint32_t &type, std::string &data, std::uint32_t &size) override;
    std::uint32_t regCloseKey(RegistryKey key) override;
    std::uint32_t startProcess(const std::wstring &commandLine, std::int32_t show) override;
    std::intptr_t shellExecute(WindowHandle owner, const std::wstring &verb,
        const std::wstring &file, const std::optional<std::wstring> &parameters,
        const std::optional<std::wstring> &directory, std::int32_t show) override;
    bool shellExecuteEx(ShellExecuteRecord &record) override;
    WindowHandle findWindow(const std::optional<std::wstring> &className,
        const std::optional<std::wstring> &title) override;
    bool setWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x, std::int32_t y,
        std::int32_t width, std::int32_t height, std::uint32_t flags) override;
    bool fileExists(const std::wstring &path) override;
    std::int32_t shFileOperation(FileOperationRecord &record) override;
    bool openClipboard(WindowHandle owner) override;
    bool emptyClipboard() override;
    bool closeClipboard() override;
    bool isClipboardFormatAvailable(std::uint32_t format) override;
    MemoryHandle setClipboardData(std::uint32_t format, MemoryHandle block) override;
    MemoryHandle getClipboardData(std::uint32_t format) override;
    MemoryHandle globalAlloc(std::uint32_t flags, std::size_t size) override;
    std::uint8_t *globalLock(MemoryHandle block, std::size_t &size) override;
    bool globalUnlock(MemoryHandle block) override;
    MemoryHandle globalFree(MemoryHandle block) override;
    std::uint32_t dragQueryFile(
        MemoryHandle drop, std::uint32_t index, std::string &buffer, std::uint32_t length) override;
    std::uintptr_t shGetFileInfo(const std::wstring &path, std::uint32_t attributes,
        ShellFileInfo &info, std::uint32_t flags) override;
    bool imageListDraw(ImageListHandle list, std::int32_t index, DeviceContext dc, std::int32_t x,
        std::int32_t y, std::uint32_t style) override;
    IconHandle extractAssociatedIcon(const std::wstring &path, std::uint16_t &index) override;
    bool drawIcon(DeviceContext dc, std::int32_t x, std::int32_t y, IconHandle icon) override;
    bool destroyIcon(IconHandle icon) override;
    std::uint32_t getShortPathName(
        const std::wstring &longPath, std::string &buffer, std::uint32_t length) override;
    std::uint32_t getFileVersionInfoSize(const std::wstring &path) override;
    bool getFileVersionInfo(const std::wstring &path, std::string &data) override;
    bool verQueryValue(const std::string &data, const std::wstring &block,
        std::optional<std::size_t> &offset, std::uint32_t &length) override;
    FileHandle createFile(const std::wstring &path, std::uint32_t access, std::uint32_t share,
        std::uint32_t disposition, std::uint32_t attributes) override;
    bool getFileTime(FileHandle file, std::uint64_t &creation, std::uint64_t &lastAccess,
        std::uint64_t &lastWrite) override;
    bool fileTimeToLocalFileTime(std::uint64_t utc, std::uint64_t &local) override;
    bool fileTimeToSystemTime(std::uint64_t time, SystemTime &fields) override;
    bool closeHandle(FileHandle handle) override;
    std::int32_t shGetSpecialFolderLocation(
        WindowHandle owner, std::int32_t folder, ItemList &list) override;
    bool shGetPathFromIdList(ItemList list, std::string &buffer) override;
    void coTaskMemFree(ItemList list) override;
    ItemList shBrowseForFolder(BrowseInfo &info) override;
    SearchHandle findFirstFile(const std::wstring &pattern, FindData &data) override;
    bool findNextFile(SearchHandle search, FindData &data) override;
    bool findClose(SearchHandle search) override;
    std::int32_t doEvents() override;
    ScriptShell createScriptShell(ScriptError &error) override;
    bool scriptShellRun(ScriptShell shell, const std::wstring &command, std::int32_t style,
        bool wait, ScriptError &error) override;
    bool scriptShellAppActivate(ScriptShell shell, const std::wstring &title) override;
    bool scriptShellSendKeys(ScriptShell shell, const std::wstring &keys) override;
    void releaseScriptShell(ScriptShell shell) override;
    std::wstring getSystemDirectory() override;
    std::int32_t getWindowText(
        WindowHandle window, std::string &buffer, std::int32_t length) override;
    LibraryHandle loadLibrary(const std::wstring &path) override;
    ProcAddress getProcAddress(LibraryHandle library, const std::string &name) override;
    bool freeLibrary(LibraryHandle library) override;
    ThreadHandle createThread(ProcAddress startRoutine) override;
    std::uint32_t waitForSingleObject(ThreadHandle thread, std::uint32_t milliseconds) override;
    bool closeThreadHandle(ThreadHandle thread) override;
    bool getWindowRect(WindowHandle window, Rect &rect) override;
    bool screenToClient(WindowHandle window, Point &point) override;
    bool moveWindow(WindowHandle window, std::int32_t x, std::int32_t y, std::int32_t width,
        std::int32_t height, bool repaint) override;
    std::intptr_t sendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
        std::intptr_t lParam) override;
    DeviceContext createCompatibleDc(DeviceContext dc) override;
    GdiObject createBitmap(std::int32_t width, std::int32_t height, std::uint32_t planes,
        std::uint32_t bitsPerPixel) override;
    GdiObject createCompatibleBitmap(
        DeviceContext dc, std::int32_t width, std::int32_t height) override;
    GdiObject selectObject(DeviceContext dc, GdiObject object) override;
    bool deleteObject(GdiObject object) override;
    bool deleteDc(DeviceContext dc) override;
    std::uint32_t setBkColor(DeviceContext dc, std::uint32_t colour) override;
    bool bitBlt(DeviceContext target, std::int32_t x, std::int32_t y, std::int32_t width,
        std::int32_t height, DeviceContext source, std::int32_t sourceX, std::int32_t sourceY,
        std::uint32_t rasterOperation) override;
    std::string toSystemText(std::wstring_view text) override;
    std::wstring fromSystemText(std::string_view text) override;

protected:
    std::int32_t showMessageBox(const MessageBoxRequest &request) override;

private:
    struct OpenKey
    {
        std::uint32_t root = 0;
        std::string subKey;
        RegistryFile registry;
    };

    std::intptr_t openWithShell(const std::wstring &verb, const std::wstring &file,
        const std::optional<std::wstring> &directory);

    struct Thread;

    std::string m_registryFile;
    std::mutex m_mutex;
    std::map<MemoryHandle, std::string> m_memory;
    MemoryHandle m_nextMemory = 0x1000;
    MemoryHandle m_clipboardBlock = 0;
    bool m_clipboardOpen = false;
    std::map<std::uintptr_t, std::string> m_items; // item lists and their paths
    std::uintptr_t m_nextItem = 0x2000;
    std::map<SearchHandle, std::pair<std::vector<FindData>, std::size_t>> m_searches;
    SearchHandle m_nextSearch = 0x3000;
    std::map<IconHandle, std::string> m_icons; // icon handle -> file
    std::vector<std::string> m_imageListFiles; // system image list: index -> file
    IconHandle m_nextIcon = 0x4000;
    std::map<ThreadHandle, std::shared_ptr<Thread>> m_threads;
    ThreadHandle m_nextThread = 0x5000;
    ScriptShell m_nextShell = 0x6000;
    std::mutex m_keysMutex;
    std::map<RegistryKey, OpenKey> m_openKeys;
    RegistryKey m_nextKey = 1;
};

} // namespace orv::platform
