// SPDX-License-Identifier: MIT
#pragma once

// The operating-system services the utility class builds on, one primitive per
// system call it makes. The primitives keep the calls' shapes: the 8-bit
// records, the numeric flags and show values, and system error numbers as
// results, so that the class's decisions (what to pass, how to read what comes
// back) stay in the class and a test can replay any answer the system gives.
// Texts the class passes in are wide strings, which each backend converts to
// its system code page at the call. What a call writes into an output buffer
// (file names, paths, window texts, registry data) comes back as the call's
// own 8-bit bytes in the system code page, which the class reads with
// fromSystemText.
//
// Standard library only: the same interface is built for Windows (mingw-w64)
// and for Linux. Exactly one backend is compiled into a build.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace orv::platform {

// A window handle as the class's interface carries it: 32 bits, 0 for none.
using WindowHandle = std::int32_t;
// An open registry key; 0 for none.
using RegistryKey = std::uintptr_t;

// System error numbers the backends report (Win32's numbering).
inline constexpr std::uint32_t kErrorSuccess = 0;
inline constexpr std::uint32_t kErrorFileNotFound = 2;
inline constexpr std::uint32_t kErrorInvalidHandle = 6;
inline constexpr std::uint32_t kErrorMoreData = 234;

// Predefined registry roots.
inline constexpr std::uint32_t kHkeyClassesRoot = 0x80000000;
inline constexpr std::uint32_t kHkeyCurrentUser = 0x80000001;
inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002;
inline constexpr std::uint32_t kHkeyUsers = 0x80000003;
inline constexpr std::uint32_t kHkeyCurrentConfig = 0x80000005;

// Registry value types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegText = 1;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegNumber = 4;

// The version record in its 8-bit form (148 bytes: five 32-bit fields and the
// 128-character service-pack text). The query fails unless size is 148.
struct OsVersionInfo
{
    std::uint32_t size = 0;
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    std::uint32_t platformId = 0;
    std::array<char, 128> servicePack {};
};
inline constexpr std::uint32_t kOsVersionInfoSize = 148;

// The shell's extended execute record as the class fills it. size is the
// record's 32-bit size (60); a backend of another width passes its own.
// instanceResult receives the shell's instance result after the call.
struct ShellExecuteRecord
{
    std::uint32_t size = 0;
    std::uint32_t mask = 0;
    WindowHandle window = 0;
    std::optional<std::wstring> verb;
    std::optional<std::wstring> file;
    std::optional<std::wstring> parameters;
    std::optional<std::wstring> directory;
    std::int32_t show = 0;
    std::int32_t instanceResult = 0;
};

// Handles the new primitives hand out: pointer-wide, 0 for none unless a
// primitive names another invalid value.
using MemoryHandle = std::uintptr_t; // global memory (GlobalAlloc)
using IconHandle = std::uintptr_t;
using ImageListHandle = std::uintptr_t;
using ItemList = std::uintptr_t; // the shell's item-id list
using FileHandle = std::intptr_t;
using SearchHandle = std::intptr_t;
using LibraryHandle = std::uintptr_t;
using ProcAddress = std::uintptr_t;
using ThreadHandle = std::uintptr_t;
using ScriptShell = std::uintptr_t;
// A device context, bitmap or other drawing object, 32 bits as the class's
// interface carries device contexts.
using DeviceContext = std::int32_t;
using GdiObject = std::uintptr_t;

inline constexpr FileHandle kInvalidFileHandle = -1;
inline constexpr SearchHandle kInvalidSearchHandle = -1;

// Shell file-operation record (SHFILEOPSTRUCTA): the lists are in the call's
// form, each path followed by NUL and the list by one more NUL; a target of
// nullopt passes a null pointer.
struct FileOperationRecord
{
    WindowHandle owner = 0;
    std::uint32_t function = 0; // 1 move, 2 copy, 3 delete
    std::wstring from;
    std::optional<std::wstring> to;
    std::uint16_t flags = 0;
    bool aborted = false; // written back by the call
};

// The shell's file-information record in its 8-bit form (SHFILEINFOA).
struct ShellFileInfo
{
    std::uint32_t iconHandle = 0;
    std::int32_t iconIndex = 0;
    std::uint32_t attributes = 0;
    std::array<char, 260> displayName {};
    std::array<char, 80> typeName {};
};

// Calendar fields of a time (SYSTEMTIME).
struct SystemTime
{
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t dayOfWeek = 0;
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t milliseconds = 0;
};

// One entry of a directory search (WIN32_FIND_DATAA, the fields read).
struct FindData
{
    std::uint32_t attributes = 0;
    std::array<char, 260> fileName {};
};
inline constexpr std::uint32_t kAttributeDirectory = 16;

// The folder dialog's record (BROWSEINFOA) as the class fills it.
struct BrowseInfo
{
    WindowHandle owner = 0;
    ItemList root = 0;
    std::string displayName; // the buffer, its size is the buffer's length
    std::wstring title;
    std::uint32_t flags = 0;
};

// A failure the script shell object raises: its number (an HRESULT) and text.
struct ScriptError
{
    std::int32_t number = 0;
    std::wstring description;
};
inline constexpr std::int32_t kDispatchException = static_cast<std::int32_t>(0x80020009);

struct Rect
{
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};
struct Point
{
    std::int32_t x = 0, y = 0;
};

struct MessageBoxRequest
{
    WindowHandle owner = 0;
    std::wstring text;
    std::wstring caption;
    std::uint32_t flags = 0;
};

// Receives a message box instead of the screen and answers with the button's
// number (1 = OK), as the real box would.
using MessageBoxSink = std::function<std::int32_t(const MessageBoxRequest &)>;

class Platform
{
public:
    virtual ~Platform() = default;

    // GetVersionExA. On failure the record is left as it was.
    virtual bool getVersionEx(OsVersionInfo &info) = 0;

    // RegOpenKeyExA: key receives the open key, or 0 on failure.
    virtual std::uint32_t regOpenKeyEx(
        std::uint32_t root, const std::wstring &subKey, std::uint32_t access, RegistryKey &key)
        = 0;
    // RegQueryValueExA into data, whose length is the buffer's capacity; size
    // goes in as that capacity and comes back as the number of bytes written
    // (or needed, with kErrorMoreData).
    virtual std::uint32_t regQueryValueEx(RegistryKey key, const std::wstring &valueName,
        std::uint32_t &type, std::string &data, std::uint32_t &size)
        = 0;
    virtual std::uint32_t regCloseKey(RegistryKey key) = 0;

    // Starts a command line as a new process whose first window takes the show
    // value (1 normal and activated, 5 as it is); does not wait for it.
    virtual std::uint32_t startProcess(const std::wstring &commandLine, std::int32_t show) = 0;

    // ShellExecuteA; a result from 0 to 32 is a failure.
    virtual std::intptr_t shellExecute(WindowHandle owner, const std::wstring &verb,
        const std::wstring &file, const std::optional<std::wstring> &parameters,
        const std::optional<std::wstring> &directory, std::int32_t show)
        = 0;
    // ShellExecuteExA; fills record.instanceResult.
    virtual bool shellExecuteEx(ShellExecuteRecord &record) = 0;

    // FindWindowA: a top-level window by class and title (nullopt: any).
    virtual WindowHandle findWindow(
        const std::optional<std::wstring> &className, const std::optional<std::wstring> &title)
        = 0;
    // SetWindowPos.
    virtual bool setWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x,
        std::int32_t y, std::int32_t width, std::int32_t height, std::uint32_t flags)
        = 0;

    // A directory lookup (FindFirstFileA) of the exact path finds a file
    // that is not a folder.
    virtual bool fileExists(const std::wstring &path) = 0;

    // The system code page: how texts look in the 8-bit calls.
    virtual std::string toSystemText(std::wstring_view text) = 0;
    virtual std::wstring fromSystemText(std::string_view text) = 0;

    // Every primitive, these services included, is one each backend provides.
    // Where a system has no counterpart, the backend answers as the call does
    // when it fails (0, false, an invalid handle).
    // --- files through the shell ---
    // SHFileOperationA; the shell's result.
    virtual std::int32_t shFileOperation(FileOperationRecord &record) = 0;

    // --- clipboard and global memory ---
    virtual bool openClipboard(WindowHandle owner) = 0;
    virtual bool emptyClipboard() = 0;
    virtual bool closeClipboard() = 0;
    virtual bool isClipboardFormatAvailable(std::uint32_t format) = 0;
    // SetClipboardData: the clipboard owns the block on success (non-0).
    virtual MemoryHandle setClipboardData(std::uint32_t format, MemoryHandle block) = 0;
    virtual MemoryHandle getClipboardData(std::uint32_t format) = 0;
    virtual MemoryHandle globalAlloc(std::uint32_t flags, std::size_t size) = 0;
    // GlobalLock: the block's bytes (its size through size), nullptr on failure.
    virtual std::uint8_t *globalLock(MemoryHandle block, std::size_t &size) = 0;
    virtual bool globalUnlock(MemoryHandle block) = 0;
    virtual MemoryHandle globalFree(MemoryHandle block) = 0;
    // DragQueryFileA: index 0xFFFFFFFF gives the count; else the name at index
    // into buffer (length characters, NUL included), returning its length.
    virtual std::uint32_t dragQueryFile(
        MemoryHandle drop, std::uint32_t index, std::string &buffer, std::uint32_t length)
        = 0;

    // --- file information ---
    // SHGetFileInfoA; with the system-image-list flag the list's handle.
    virtual std::uintptr_t shGetFileInfo(const std::wstring &path, std::uint32_t attributes,
        ShellFileInfo &info, std::uint32_t flags)
        = 0;
    // ImageList_Draw.
    virtual bool imageListDraw(ImageListHandle list, std::int32_t index, DeviceContext dc,
        std::int32_t x, std::int32_t y, std::uint32_t style)
        = 0;
    // ExtractAssociatedIconA; index in/out.
    virtual IconHandle extractAssociatedIcon(const std::wstring &path, std::uint16_t &index) = 0;
    virtual bool drawIcon(DeviceContext dc, std::int32_t x, std::int32_t y, IconHandle icon) = 0;
    virtual bool destroyIcon(IconHandle icon) = 0;
    // GetShortPathNameA into buffer (length characters): the length it
    // reports (the size it needs, NUL included, when the buffer is too small).
    virtual std::uint32_t getShortPathName(
        const std::wstring &longPath, std::string &buffer, std::uint32_t length)
        = 0;
    virtual std::uint32_t getFileVersionInfoSize(const std::wstring &path) = 0;
    virtual bool getFileVersionInfo(const std::wstring &path, std::string &data) = 0;
    // VerQueryValueA: the value's place in data as an offset (nullopt when
    // the call gave no address inside data) and its length.
    virtual bool verQueryValue(const std::string &data, const std::wstring &block,
        std::optional<std::size_t> &offset, std::uint32_t &length)
        = 0;
    // CreateFileA; kInvalidFileHandle on failure.
    virtual FileHandle createFile(const std::wstring &path, std::uint32_t access,
        std::uint32_t share, std::uint32_t disposition, std::uint32_t attributes)
        = 0;
    // GetFileTime: 100-ns intervals since 1601 (FILETIME), in UTC.
    virtual bool getFileTime(FileHandle file, std::uint64_t &creation, std::uint64_t &lastAccess,
        std::uint64_t &lastWrite)
        = 0;
    virtual bool fileTimeToLocalFileTime(std::uint64_t utc, std::uint64_t &local) = 0;
    virtual bool fileTimeToSystemTime(std::uint64_t time, SystemTime &fields) = 0;
    virtual bool closeHandle(FileHandle handle) = 0;
    // SHGetSpecialFolderLocation: an HRESULT, list receives the item list.
    virtual std::int32_t shGetSpecialFolderLocation(
        WindowHandle owner, std::int32_t folder, ItemList &list)
        = 0;
    // SHGetPathFromIDListA into buffer (MAX_PATH bytes at least).
    virtual bool shGetPathFromIdList(ItemList list, std::string &buffer) = 0;
    virtual void coTaskMemFree(ItemList list) = 0;
    // SHBrowseForFolderA: the chosen item, 0 when cancelled.
    virtual ItemList shBrowseForFolder(BrowseInfo &info) = 0;
    // FindFirstFileA / FindNextFileA / FindClose.
    virtual SearchHandle findFirstFile(const std::wstring &pattern, FindData &data) = 0;
    virtual bool findNextFile(SearchHandle search, FindData &data) = 0;
    virtual bool findClose(SearchHandle search) = 0;
    // Lets pending user-interface events run once; the number of the
    // program's open windows.
    virtual std::int32_t doEvents() = 0;

    // --- the script shell object ("Wscript.Shell") ---
    // Creates one; 0 with error filled when it cannot be created.
    virtual ScriptShell createScriptShell(ScriptError &error) = 0;
    // Run(command, style, wait): false with error filled when it raised.
    virtual bool scriptShellRun(ScriptShell shell, const std::wstring &command, std::int32_t style,
        bool wait, ScriptError &error)
        = 0;
    virtual bool scriptShellAppActivate(ScriptShell shell, const std::wstring &title) = 0;
    virtual bool scriptShellSendKeys(ScriptShell shell, const std::wstring &keys) = 0;
    virtual void releaseScriptShell(ScriptShell shell) = 0;
    // GetSystemDirectoryA.
    virtual std::wstring getSystemDirectory() = 0;
    // GetWindowTextA into buffer (length characters): the count it reports.
    virtual std::int32_t getWindowText(
        WindowHandle window, std::string &buffer, std::int32_t length)
        = 0;

    // --- libraries and threads ---
    virtual LibraryHandle loadLibrary(const std::wstring &path) = 0;
    virtual ProcAddress getProcAddress(LibraryHandle library, const std::string &name) = 0;
    virtual bool freeLibrary(LibraryHandle library) = 0;
    // CreateThread with the export as start routine, no argument.
    virtual ThreadHandle createThread(ProcAddress startRoutine) = 0;
    // WaitForSingleObject: 0 when it ended, 258 (WAIT_TIMEOUT) otherwise.
    virtual std::uint32_t waitForSingleObject(ThreadHandle thread, std::uint32_t milliseconds) = 0;
    virtual bool closeThreadHandle(ThreadHandle thread) = 0;

    // --- windows and drawing ---
    virtual bool getWindowRect(WindowHandle window, Rect &rect) = 0;
    virtual bool screenToClient(WindowHandle window, Point &point) = 0;
    virtual bool moveWindow(WindowHandle window, std::int32_t x, std::int32_t y, std::int32_t width,
        std::int32_t height, bool repaint)
        = 0;
    virtual std::intptr_t sendMessage(
        WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
        = 0;
    virtual DeviceContext createCompatibleDc(DeviceContext dc) = 0;
    // CreateBitmap (planes, bits per pixel, no initial bits).
    virtual GdiObject createBitmap(
        std::int32_t width, std::int32_t height, std::uint32_t planes, std::uint32_t bitsPerPixel)
        = 0;
    virtual GdiObject createCompatibleBitmap(
        DeviceContext dc, std::int32_t width, std::int32_t height)
        = 0;
    // SelectObject: the object selected before.
    virtual GdiObject selectObject(DeviceContext dc, GdiObject object) = 0;
    virtual bool deleteObject(GdiObject object) = 0;
    virtual bool deleteDc(DeviceContext dc) = 0;
    // SetBkColor: the previous background colour.
    virtual std::uint32_t setBkColor(DeviceContext dc, std::uint32_t colour) = 0;
    virtual bool bitBlt(DeviceContext target, std::int32_t x, std::int32_t y, std::int32_t width,
        std::int32_t height, DeviceContext source, std::int32_t sourceX, std::int32_t sourceY,
        std::uint32_t rasterOperation)
        = 0;

    // MessageBoxA; with a sink installed the sink answers and nothing shows.
    std::int32_t messageBox(WindowHandle owner, const std::wstring &text,
        const std::wstring &caption, std::uint32_t flags);
    // Installs a sink (an empty one restores the real box); returns the previous.
    MessageBoxSink setMessageBoxSink(MessageBoxSink sink);

protected:
    virtual std::int32_t showMessageBox(const MessageBoxRequest &request) = 0;

private:
    MessageBoxSink m_messageBoxSink;
};

// Called first thing in the main routine of a program that may leave data on
// the clipboard when it ends. Where the clipboard dies with its owner (X11),
// such a program restarts itself to keep serving the data; in that restarted
// process this runs the keeper and gives the exit code. Elsewhere nullopt.
std::optional<int> runClipboardKeeper(int argc, char **argv);

// The backend this build carries.
std::unique_ptr<Platform> createSystemPlatform();
// One shared instance of it for the process.
Platform &systemPlatform();

} // namespace orv::platform
