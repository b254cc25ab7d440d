// SPDX-License-Identifier: MIT
#pragma once

// The backend this build carries. A build compiles exactly one backend, so
// its class is declared once, here; the backend's folder (posix/ or win32/)
// defines the members and its own State: what the backend keeps between
// calls (open registry keys, memory blocks, handles of its own).

#include "platform/Platform.h"

#include <memory>

namespace orv::platform {

class SystemPlatform final : public Platform
{
public:
    struct State;

    // The backend as the system is set up.
    SystemPlatform();
    explicit SystemPlatform(std::unique_ptr<State> state);
    ~SystemPlatform() override;
    SystemPlatform(const SystemPlatform &) = delete;
    SystemPlatform &operator=(const SystemPlatform &) = delete;

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
    std::unique_ptr<State> m_state;
};

} // namespace orv::platform
