// SPDX-License-Identifier: MIT
#include "sysutil/orvClassWindows.h"

#include "core/Application.h"
#include "core/Failure.h"
#include "core/FileListBlock.h"
#include "core/Numeric.h"
#include "core/Steps.h"
#include "platform/Utf8.h"
#include "sysutil/ClassWindowsRules.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace orv {

namespace {

// The caption of message boxes that name no title of their own.
constexpr std::wstring_view kApplicationTitle = application::wideTitle;

// Show values of a started program's first window.
constexpr std::int32_t kShowNormal = 1; // normal, activated
constexpr std::int32_t kShowAsIs = 5; // without changing size or position

// Message box flags.
constexpr std::uint32_t kMessageOk = 0;
constexpr std::uint32_t kMessageCriticalStop = 16;

// Window position flags of the taskbar.
constexpr std::uint32_t kShowWindow = 0x40;
constexpr std::uint32_t kHideWindow = 0x80;

// Registry access of the system information lookup and its value buffer.
constexpr std::uint32_t kRegistryAccess = 0x2003F;
constexpr std::uint32_t kRegistryBufferSize = 1024;

constexpr std::wstring_view kSysInfoPathKey = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr std::wstring_view kSysInfoFolderKey = L"SOFTWARE\\Microsoft\\Shared Tools Location";

// The shell's extended execute record for a property sheet: keep the process
// handle, invoke the item's verb list, no error user interface.
constexpr std::uint32_t kPropertiesRecordSize = 60;
constexpr std::uint32_t kPropertiesMask = 0x44C;

constexpr std::uint32_t kMessageInformation = 64;

// Shell file operations.
constexpr std::uint32_t kFileOperationMove = 1;
constexpr std::uint32_t kFileOperationCopy = 2;
constexpr std::uint32_t kFileOperationDelete = 3;
constexpr std::uint16_t kAllowUndo = 0x40;

// Clipboard file lists.
constexpr std::uint32_t kClipboardFileList = 15;
constexpr std::uint32_t kMovableZeroed = 0x42;
constexpr std::uint32_t kFileCount = 0xFFFFFFFF;

// Buffers the system writes into.
constexpr std::uint32_t kPathLength = 260;
constexpr std::uint32_t kShortPathLength = 128;
constexpr std::size_t kDisplayNameLength = 254;
constexpr std::size_t kChosenPathLength = 512;
constexpr std::int32_t kWindowTitleLength = 125;

// Shell file information: system image list, executable type, type name,
// display name and shell icon size; the small icon besides.
constexpr std::uint32_t kFileInfoLargeIcon = 0x6604;
constexpr std::uint32_t kFileInfoSmallIcon = 0x6605;
constexpr std::uint32_t kDrawTransparent = 1;
constexpr std::size_t kFixedVersionSize = 52;

constexpr std::uint32_t kGenericRead = 0x80000000;
constexpr std::uint32_t kOpenExisting = 3;
constexpr std::int32_t kPersonalFolder = 5;
constexpr std::uint32_t kOnlyFileSystemFolders = 1;

// Folder listings start with 101 elements and grow by 100.
constexpr std::size_t kListingStart = 101;

constexpr std::uint32_t kRegistrationWait = 10000;
constexpr std::uint32_t kWaitEnded = 0;

// Combo boxes: the list's margin and scroll bar in pixels, the entries shown
// without a scroll bar, and CB_SETDROPPEDWIDTH.
constexpr double kListMargin = 5;
constexpr double kScrollBarWidth = 15;
constexpr std::int32_t kVisibleEntries = 8;
constexpr std::int32_t kScalePixels = 3;
constexpr std::uint32_t kSetDroppedWidth = 0x160;

// Raster operations.
constexpr std::uint32_t kSourceCopy = 0xCC0020;
constexpr std::uint32_t kNotSourceCopy = 0x330008;
constexpr std::uint32_t kSourceAnd = 0x8800C6;
constexpr std::uint32_t kSourcePaint = 0x660046;

// The text before the first NUL of a buffer the system filled.
std::string_view beforeNul(std::string_view buffer)
{
    return buffer.substr(0, std::min(buffer.find('\0'), buffer.size()));
}

// Runs a release on every way out of a routine: the clipboard closed once it
// was opened, the script shell released, a registry key closed.
template <typename Release> class AtExit
{
public:
    explicit AtExit(Release release) : m_release(std::move(release)) { }
    ~AtExit() { m_release(); }
    AtExit(const AtExit &) = delete;
    AtExit &operator=(const AtExit &) = delete;

private:
    Release m_release;
};

} // namespace

orvClassWindows::orvClassWindows() : orvClassWindows(platform::systemPlatform())
{
}

orvClassWindows::orvClassWindows(platform::Platform &platform) : m_platform(platform)
{
}

void orvClassWindows::SetComboBoxHeight(ComboBoxObject &ComboBox, std::int32_t NewHeight)
{
    platform::Rect rect;
    m_platform.getWindowRect(ComboBox.hWnd(), rect);
    const Int32 width = Int32(rect.right) - Int32(rect.left);
    platform::Point corner { rect.left, rect.top };
    m_platform.screenToClient(ComboBox.Parent().hWnd(), corner);
    m_platform.moveWindow(ComboBox.hWnd(), corner.x, corner.y, width.value(), NewHeight, true);
}

void orvClassWindows::ComboSetListWidth(
    ComboBoxObject &oCombo, std::optional<double> nFixWidth, std::optional<double> nScaleMode)
{
    FormObject &parent = oCombo.Parent();
    // Either one left out makes the form's scale the one of the width.
    const std::int32_t scaleMode
        = nFixWidth && nScaleMode ? toInt32(*nScaleMode) : parent.ScaleMode();
    double width = 0;
    if (nFixWidth) {
        width = *nFixWidth;
    } else {
        const std::int32_t count = oCombo.ListCount();
        for (std::int32_t i = 0; i < count; ++i)
            width = std::max(width, parent.TextWidth(oCombo.List(i)));
        width += parent.ScaleX(kListMargin, kScalePixels, scaleMode);
        if (count > kVisibleEntries)
            width += parent.ScaleX(kScrollBarWidth, kScalePixels, scaleMode);
    }
    const std::int32_t pixels = toInt32(parent.ScaleX(width, scaleMode, kScalePixels));
    m_platform.sendMessage(oCombo.hWnd(), kSetDroppedWidth,
        static_cast<std::uintptr_t>(static_cast<std::intptr_t>(pixels)), 0);
}

void orvClassWindows::ShowControlPanels(std::int32_t &Index, std::int32_t *pTab)
{
    const std::int32_t given = pTab ? *pTab : 0;
    const std::int32_t page = sysutil::appletPage(Index, given);
    if (pTab)
        *pTab = page;
    const sysutil::AppletStart start = sysutil::appletStart(Index, page);
    if (start.direct)
        startOrFail(start.commandLine, kShowNormal);
    else
        RunCommand(start.commandLine);
}

void orvClassWindows::ShowDatumTime()
{
    std::int32_t index = 2;
    std::int32_t page = 0;
    ShowControlPanels(index, &page);
}

void orvClassWindows::ShowSysInfo()
{
    StepRunner steps;
    bool started = false;
    steps.step([&] {
        std::wstring commandLine;
        if (!ReadRegistryValue(
                platform::kHkeyLocalMachine, std::wstring(kSysInfoPathKey), L"PATH", commandLine)) {
            std::wstring folder;
            if (!ReadRegistryValue(platform::kHkeyLocalMachine, std::wstring(kSysInfoFolderKey),
                    L"MSINFO", folder))
                return;
            commandLine = folder + L"\\MSINFO32.EXE";
            if (!m_platform.fileExists(commandLine))
                return;
        }
        startOrFail(commandLine, kShowNormal);
        started = true;
    });
    if (!started)
        m_platform.messageBox(0, L"System Information Is Unavailable At This Time",
            std::wstring(kApplicationTitle), kMessageOk);
}

std::wstring orvClassWindows::GetBrowseDirectory(std::int32_t &frmhWnd, std::wstring *xPfad)
{
    platform::BrowseInfo info;
    info.owner = frmhWnd;
    info.root = 0;
    info.displayName.assign(kDisplayNameLength, ' ');
    if (xPfad && xPfad->find_first_not_of(L' ') != std::wstring::npos) {
        const std::string given = m_platform.toSystemText(*xPfad);
        std::copy_n(given.begin(), std::min(given.size(), info.displayName.size()),
            info.displayName.begin());
    }
    info.title = L"ZARE Pfad ausw\u00E4hlen";
    info.flags = kOnlyFileSystemFolders;
    const platform::ItemList chosen = m_platform.shBrowseForFolder(info);
    std::string buffer(kChosenPathLength, ' ');
    std::wstring result;
    if (m_platform.shGetPathFromIdList(chosen, buffer))
        result = AddBackslash(m_platform.fromSystemText(beforeNul(buffer)));
    if (chosen != 0)
        m_platform.coTaskMemFree(chosen);
    return result;
}

void orvClassWindows::ShowFind(std::int32_t &frmhWnd, std::wstring *Pfad)
{
    m_platform.shellExecute(
        frmhWnd, L"find", Pfad ? *Pfad : std::wstring(), std::nullopt, std::nullopt, kShowNormal);
}

std::int32_t orvClassWindows::ShowFileProperties(std::int32_t &frmhWnd, std::wstring *FileName)
{
    platform::ShellExecuteRecord record;
    record.size = kPropertiesRecordSize;
    record.mask = kPropertiesMask;
    record.window = frmhWnd;
    record.verb = L"properties";
    record.file = FileName ? *FileName : std::wstring();
    record.parameters = std::wstring();
    record.directory = std::wstring();
    record.show = 0;
    m_platform.shellExecuteEx(record);
    return record.instanceResult;
}

Variant orvClassWindows::GetFileIcon(PictureBoxObject &picBuff, std::wstring &xFile)
{
    std::uint16_t index = 1;
    const platform::IconHandle icon = m_platform.extractAssociatedIcon(xFile, index);
    picBuff.ClearPicture();
    m_platform.doEvents();
    if (icon != 0)
        m_platform.drawIcon(picBuff.hDC(), 0, 0, icon);
    m_platform.doEvents();
    picBuff.PictureFromImage();
    const std::int32_t openWindows = m_platform.doEvents();
    // The picture keeps the drawing, not the icon.
    if (icon != 0)
        m_platform.destroyIcon(icon);
    return openWindows;
}

bool orvClassWindows::GetFileIconEx(
    PictureBoxObject &picBuff, std::wstring &xFile, bool largeIcon, std::wstring *GetFileIconName)
{
    const std::uintptr_t imageList
        = queryFileInfo(xFile, largeIcon ? kFileInfoLargeIcon : kFileInfoSmallIcon);
    picBuff.ClearPicture();
    m_platform.imageListDraw(imageList, FileInfo.iconIndex, picBuff.hDC(), 0, 0, kDrawTransparent);
    if (GetFileIconName)
        *GetFileIconName = fileInfoNames();
    picBuff.PictureFromImage();
    return imageList != 0;
}

std::wstring orvClassWindows::GetFileEx(std::wstring &xFile)
{
    queryFileInfo(xFile, kFileInfoSmallIcon);
    return fileInfoNames();
}

std::wstring orvClassWindows::GetShellPersonalLocation(std::int32_t &lnghWnd)
{
    std::wstring result;
    StepRunner().step([&] {
        platform::ItemList list = 0;
        if (m_platform.shGetSpecialFolderLocation(lnghWnd, kPersonalFolder, list) != 0)
            return;
        std::string buffer(kPathLength, ' ');
        const bool converted = m_platform.shGetPathFromIdList(list, buffer);
        m_platform.coTaskMemFree(list);
        // A buffer the conversion did not fill holds no path.
        if (converted)
            result = m_platform.fromSystemText(beforeNul(buffer));
    });
    return result;
}

Variant orvClassWindows::SetStartleiste(bool Visible)
{
    const platform::WindowHandle taskbar = m_platform.findWindow(L"Shell_TrayWnd", L"");
    if (taskbar != 0)
        m_platform.setWindowPos(taskbar, 0, 0, 0, 0, 0, Visible ? kShowWindow : kHideWindow);
    return {};
}

platform::OsVersionInfo orvClassWindows::queryVersion() const
{
    platform::OsVersionInfo record;
    record.size = platform::kOsVersionInfoSize;
    if (!m_platform.getVersionEx(record)) {
        record = {};
        record.size = platform::kOsVersionInfoSize;
    }
    return record;
}

std::int32_t orvClassWindows::OSBuild() const
{
    std::int32_t build = 0;
    StepRunner().step([&] { build = sysutil::maskedBuild(queryVersion().buildNumber); });
    return build;
}

std::int32_t orvClassWindows::OSMajorVersion() const
{
    std::int32_t major = 0;
    StepRunner().step([&] { major = static_cast<std::int32_t>(queryVersion().majorVersion); });
    return major;
}

std::int32_t orvClassWindows::OSMinorVersion() const
{
    std::int32_t minor = 0;
    StepRunner().step([&] { minor = static_cast<std::int32_t>(queryVersion().minorVersion); });
    return minor;
}

void orvClassWindows::FileCopy(
    std::int32_t hwnd, const std::wstring &xFromFile, const std::wstring &xToFile)
{
    platform::FileOperationRecord record { hwnd, kFileOperationCopy,
        sysutil::shellPathList(xFromFile), sysutil::shellPathList(xToFile), kAllowUndo };
    m_platform.shFileOperation(record);
}

void orvClassWindows::FileMove(
    std::int32_t hwnd, const std::wstring &xFromFile, const std::wstring &xToFile)
{
    platform::FileOperationRecord record { hwnd, kFileOperationMove,
        sysutil::shellPathList(xFromFile), sysutil::shellPathList(xToFile), kAllowUndo };
    m_platform.shFileOperation(record);
}

void orvClassWindows::FileDelete(std::int32_t &xWnd, const std::wstring &xFile, bool xUndo)
{
    // Without xUndo the shell may undo the delete: the file goes to the
    // recycle bin. xUndo asks for the delete for good.
    platform::FileOperationRecord record { xWnd, kFileOperationDelete,
        sysutil::shellPathList(xFile), std::nullopt,
        static_cast<std::uint16_t>(xUndo ? 0 : kAllowUndo) };
    m_platform.shFileOperation(record);
}

bool orvClassWindows::FileCopyClipboard(std::vector<std::wstring> &files)
{
    if (!m_platform.openClipboard(0))
        return false;
    const AtExit closer([this] { m_platform.closeClipboard(); });
    m_platform.emptyClipboard();
    if (files.empty())
        fail(FailureCode::SubscriptOutOfRange, "Subscript out of range");
    std::vector<std::string> names;
    for (const std::wstring &file : files)
        names.push_back(m_platform.toSystemText(file));
    const std::string block = fileListBlock(names);
    const platform::MemoryHandle memory = m_platform.globalAlloc(kMovableZeroed, block.size());
    if (memory == 0)
        return false;
    std::size_t size = 0;
    if (std::uint8_t *bytes = m_platform.globalLock(memory, size)) {
        std::copy_n(block.begin(), std::min(size, block.size()), bytes);
        m_platform.globalUnlock(memory);
    }
    if (m_platform.setClipboardData(kClipboardFileList, memory) != 0)
        return true; // the clipboard owns the block now
    m_platform.globalFree(memory);
    return false;
}

std::int32_t orvClassWindows::FilePasteClipboard(std::vector<std::wstring> &files)
{
    if (!m_platform.isClipboardFormatAvailable(kClipboardFileList))
        return 0;
    if (!m_platform.openClipboard(0))
        return 0;
    const AtExit closer([this] { m_platform.closeClipboard(); });
    const platform::MemoryHandle drop = m_platform.getClipboardData(kClipboardFileList);
    std::string buffer;
    const std::uint32_t count = m_platform.dragQueryFile(drop, kFileCount, buffer, 0);
    files.assign(count, std::wstring());
    buffer.assign(kPathLength, ' ');
    for (std::uint32_t i = 0; i < count; ++i) {
        m_platform.dragQueryFile(drop, i, buffer, kPathLength);
        files[i] = TrimAtNull(m_platform.fromSystemText(buffer));
    }
    return static_cast<std::int32_t>(count);
}

Variant orvClassWindows::PDF_Öffnen(const std::wstring &uFilePath)
{
    bool wait = false;
    if (Datei_ausführen(uFilePath, std::wstring(), wait)) {
        const wchar_t *text = m_platform.fileExists(uFilePath)
            ? L"Es konnte keine g\u00FCltige Version des Acrobat Readers gefunden werden!"
            : L"Das ausgew\u00E4hlte Formular konnte nicht gefunden werden!";
        m_platform.messageBox(0, text, std::wstring(kApplicationTitle), kMessageInformation);
    }
    return {};
}

bool orvClassWindows::Datei_ausführen(
    const std::wstring &uFilePath, const std::wstring &uProperties, bool &uWarten)
{
    platform::ScriptShell shell = 0;
    try {
        platform::ScriptError error;
        shell = m_platform.createScriptShell(error);
        if (shell == 0) {
            RegisterServerDll(scriptHostPath(), true);
            shell = m_platform.createScriptShell(error);
            if (shell == 0)
                return true;
        }
        const AtExit releaser([this, shell] { m_platform.releaseScriptShell(shell); });
        if (m_platform.scriptShellRun(
                shell, sysutil::quotedCommand(uFilePath, uProperties), kShowNormal, uWarten, error))
            return false;
        // The started program's own exception: nothing is left to wait for.
        if (error.number == platform::kDispatchException)
            uWarten = false;
        return true;
    } catch (const Failure &) {
        return true;
    }
}

bool orvClassWindows::EXE_ausführen(std::wstring &EXE, bool &bWarten, bool &dat)
{
    platform::ScriptError error;
    platform::ScriptShell shell = 0;
    StepRunner().step([&] { shell = m_platform.createScriptShell(error); });
    if (shell == 0)
        StepRunner().step([&] { RegisterServerDll(scriptHostPath(), true); });
    else
        m_platform.releaseScriptShell(shell); // the second object replaces it
    shell = 0;
    try {
        shell = m_platform.createScriptShell(error);
    } catch (const Failure &failure) {
        error = { failure.number(), platform::fromUtf8(failure.what()) };
    }
    if (shell == 0) {
        m_platform.messageBox(0,
            L"FehlerNr.:= " + std::to_wstring(error.number) + L"\r\r" + error.description,
            L"Fehlerinformation", kMessageCriticalStop);
        return true;
    }
    const AtExit releaser([this, shell] { m_platform.releaseScriptShell(shell); });
    StepRunner steps;
    bool started = false;
    if (dat) {
        steps.step([&] {
            const platform::WindowHandle spreadsheet
                = m_platform.findWindow(L"XLMAIN", std::nullopt);
            if (spreadsheet == 0)
                return;
            std::string title(kWindowTitleLength, '\0');
            const std::int32_t length
                = m_platform.getWindowText(spreadsheet, title, kWindowTitleLength);
            title.resize(static_cast<std::size_t>(std::clamp(length, 0, kWindowTitleLength)));
            started = true;
            m_platform.scriptShellAppActivate(shell, m_platform.fromSystemText(title));
            // Alt+Space opens the window menu, Enter takes its first item.
            m_platform.scriptShellSendKeys(shell, L"% ~");
        });
    }
    if (!started) {
        steps.step([&] {
            if (m_platform.scriptShellRun(shell, EXE, kShowNormal, bWarten, error))
                return;
            // A path with blanks that is not quoted starts in its short form.
            const std::wstring shortPath = GetShortFileName(EXE);
            m_platform.scriptShellRun(shell, shortPath, kShowNormal, bWarten, error);
        });
    }
    return false;
}

void orvClassWindows::ShowInternet(std::int32_t &Wnd, std::wstring *URL)
{
    // A call that fails outright counts as the shell's failure 0.
    std::intptr_t result = 0;
    StepRunner().step([&] {
        result = m_platform.shellExecute(
            Wnd, L"open", URL ? *URL : std::wstring(), L"1", L"1", kShowNormal);
    });
    if (sysutil::isShellFailure(result))
        m_platform.messageBox(0, L"Der Internet-Browser konnte nicht gestartet werden!",
            std::wstring(kApplicationTitle), kMessageCriticalStop);
}

std::wstring orvClassWindows::GetShortFileName(const std::wstring &strLongPath)
{
    try {
        std::string buffer(kShortPathLength, ' ');
        std::uint32_t length = m_platform.getShortPathName(strLongPath, buffer, kShortPathLength);
        if (length > kShortPathLength) {
            // The system wrote nothing and named the room it needs: ask again.
            buffer.assign(length, ' ');
            length = m_platform.getShortPathName(strLongPath, buffer, length);
            if (length >= buffer.size())
                return {};
        }
        return m_platform.fromSystemText(std::string_view(buffer).substr(0, length));
    } catch (const Failure &failure) {
        m_platform.messageBox(0,
            L"Error: " + std::to_wstring(failure.number()) + L". "
                + platform::fromUtf8(failure.what()),
            L"GetShortFileName", kMessageOk);
        return {};
    }
}

std::wstring orvClassWindows::GetFileVersion(std::wstring &FullFileName, std::int32_t dat)
{
    StepRunner steps;
    std::uint32_t size = 0;
    steps.step([&] { size = m_platform.getFileVersionInfoSize(FullFileName); });
    if (size < 1)
        return L"-";
    std::string data(std::size_t(size) + 1, '\0');
    steps.step([&] { m_platform.getFileVersionInfo(FullFileName, data); });
    std::optional<std::size_t> offset;
    std::uint32_t length = 0;
    steps.step([&] { m_platform.verQueryValue(data, L"\\", offset, length); });
    // Without a root block inside the data there is nothing to read.
    if (!offset || *offset > data.size() || data.size() - *offset < kFixedVersionSize)
        return L"-";
    const auto field = [&](std::size_t at) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value |= std::uint32_t(static_cast<unsigned char>(data[*offset + at + i])) << (8 * i);
        return value;
    };
    switch (dat) {
    case 0:
        return sysutil::versionText(field(8), field(12));
    case 1:
        return sysutil::versionText(field(16), field(20));
    case 2:
        return std::to_wstring(static_cast<std::int32_t>(field(28)));
    default:
        return {};
    }
}

std::wstring orvClassWindows::GetPlatform()
{
    const platform::OsVersionInfo record = queryVersion();
    const std::string_view servicePack(record.servicePack.data(),
        std::find(record.servicePack.begin(), record.servicePack.end(), '\0')
            - record.servicePack.begin());
    return sysutil::platformName(record.platformId, record.majorVersion, record.minorVersion,
        record.buildNumber, m_platform.fromSystemText(servicePack));
}

void orvClassWindows::DirFile(std::vector<std::wstring> &datFile, const std::wstring &vsFolderPath,
    const std::wstring &vsSearch)
{
    FileList.assign(kListingStart, std::wstring());
    FileCount = 0;
    StepRunner().step([&] {
        std::wstring folder = vsFolderPath;
        if (!folder.ends_with(L'\\'))
            folder += L'\\';
        platform::FindData entry;
        const platform::SearchHandle search = m_platform.findFirstFile(folder + vsSearch, entry);
        if (search == platform::kInvalidSearchHandle)
            return;
        do {
            if ((entry.attributes & platform::kAttributeDirectory) != 0)
                continue;
            const std::string name(entry.fileName.data(), entry.fileName.size());
            FileList[std::size_t(FileCount)]
                = folder + CutAtNull(m_platform.fromSystemText(beforeNul(name)));
            FileCount = (Int32(FileCount) + 1).value();
            const std::int32_t upper = sysutil::grownUpperBound(
                static_cast<std::int32_t>(FileList.size()) - 1, FileCount);
            FileList.resize(std::size_t(upper) + 1);
        } while (m_platform.findNextFile(search, entry));
        m_platform.findClose(search);
    });
    datFile = FileList;
}

bool orvClassWindows::ReadFileTime(const std::wstring &lpFileName, DateTime &tCreation,
    DateTime &tLastAccess, DateTime &tLastWrite)
{
    const auto times = fileTimes(lpFileName);
    if (!times)
        return false;
    tCreation = (*times)[0];
    tLastAccess = (*times)[1];
    tLastWrite = (*times)[2];
    return true;
}

bool orvClassWindows::ReadFileLastTime(const std::wstring &lpFileName, DateTime &tLastWrite)
{
    const auto times = fileTimes(lpFileName);
    if (!times)
        return false;
    tLastWrite = (*times)[2];
    return true;
}

void orvClassWindows::TranspPic(std::int32_t &OutDstDC, std::int32_t &DstDC, std::int32_t &SrcDC,
    std::int32_t &SrcX, std::int32_t &SrcY, std::int32_t &SrcXX, std::int32_t &SrcYY,
    std::int32_t DstX, std::int32_t DstY, std::int32_t &TransColor)
{
    const std::int32_t width = (Int32(SrcXX) - Int32(SrcX)).value();
    const std::int32_t height = (Int32(SrcYY) - Int32(SrcY)).value();

    struct Memory
    {
        platform::DeviceContext dc = 0;
        platform::GdiObject bitmap = 0;
        platform::GdiObject original = 0;
    };
    const auto create = [&](bool monochrome) {
        Memory memory;
        memory.dc = m_platform.createCompatibleDc(DstDC);
        memory.bitmap = monochrome ? m_platform.createBitmap(width, height, 1, 1)
                                   : m_platform.createCompatibleBitmap(DstDC, width, height);
        memory.original = m_platform.selectObject(memory.dc, memory.bitmap);
        return memory;
    };
    const Memory mask = create(true);
    const Memory inverseMask = create(true);
    const Memory result = create(false);
    const Memory sourceCopy = create(false);

    // In the copy to monochrome the background colour becomes 1, the rest 0.
    const std::uint32_t previous
        = m_platform.setBkColor(SrcDC, static_cast<std::uint32_t>(TransColor));
    m_platform.bitBlt(mask.dc, 0, 0, width, height, SrcDC, SrcX, SrcY, kSourceCopy);
    TransColor = static_cast<std::int32_t>(m_platform.setBkColor(SrcDC, previous));
    m_platform.bitBlt(inverseMask.dc, 0, 0, width, height, mask.dc, 0, 0, kNotSourceCopy);

    m_platform.bitBlt(result.dc, 0, 0, width, height, DstDC, DstX, DstY, kSourceCopy);
    m_platform.bitBlt(result.dc, 0, 0, width, height, mask.dc, 0, 0, kSourceAnd);
    m_platform.bitBlt(sourceCopy.dc, 0, 0, width, height, SrcDC, SrcX, SrcY, kSourceCopy);
    m_platform.bitBlt(sourceCopy.dc, 0, 0, width, height, inverseMask.dc, 0, 0, kSourceAnd);
    m_platform.bitBlt(result.dc, 0, 0, width, height, sourceCopy.dc, 0, 0, kSourcePaint);
    m_platform.bitBlt(OutDstDC, DstX, DstY, width, height, result.dc, 0, 0, kSourceCopy);

    for (const Memory &memory : { mask, inverseMask, result, sourceCopy }) {
        m_platform.selectObject(memory.dc, memory.original);
        m_platform.deleteObject(memory.bitmap);
        m_platform.deleteDc(memory.dc);
    }
}

void orvClassWindows::RunCommand(const std::wstring &commandLine)
{
    StepRunner().step([&] { m_platform.startProcess(commandLine, kShowAsIs); });
}

bool orvClassWindows::ReadRegistryValue(std::uint32_t rootKey, const std::wstring &keyPath,
    const std::wstring &valueName, std::wstring &value)
{
    platform::RegistryKey key = 0;
    if (m_platform.regOpenKeyEx(rootKey, keyPath, kRegistryAccess, key) != platform::kErrorSuccess)
        key = 0;
    const AtExit closer([this, key] { m_platform.regCloseKey(key); });
    if (key == 0) {
        value.clear();
        return false;
    }
    std::string buffer(kRegistryBufferSize, '\0');
    std::uint32_t size = kRegistryBufferSize;
    std::uint32_t type = 0;
    if (m_platform.regQueryValueEx(key, valueName, type, buffer, size) != platform::kErrorSuccess) {
        value.clear();
        return false;
    }
    const std::string_view kept(buffer.data(), sysutil::keptRegistryLength(buffer, size));
    if (type == platform::kRegText)
        value = m_platform.fromSystemText(kept);
    else if (type == platform::kRegNumber)
        value = sysutil::numberValueText(kept);
    return true;
}

std::wstring orvClassWindows::AddBackslash(const std::wstring &path)
{
    return sysutil::addBackslash(path);
}

bool orvClassWindows::RegisterServerDll(const std::wstring &filePath, bool registerServer)
{
    if (!m_platform.fileExists(filePath))
        return false;
    try {
        const platform::LibraryHandle library = m_platform.loadLibrary(filePath);
        if (library == 0)
            return false;
        const platform::ProcAddress entry = m_platform.getProcAddress(
            library, registerServer ? "DllRegisterServer" : "DllUnregisterServer");
        if (entry == 0) {
            m_platform.freeLibrary(library);
            return false;
        }
        const platform::ThreadHandle thread = m_platform.createThread(entry);
        if (thread == 0) {
            m_platform.freeLibrary(library);
            return false;
        }
        if (m_platform.waitForSingleObject(thread, kRegistrationWait) != kWaitEnded)
            return false; // the thread may still run the library's code: keep it loaded
        m_platform.closeThreadHandle(thread);
        m_platform.freeLibrary(library);
        return true;
    } catch (const Failure &) {
        return false;
    }
}

std::wstring orvClassWindows::TrimAtNull(const std::wstring &text)
{
    return sysutil::trimAtNull(text);
}

std::wstring orvClassWindows::CutAtNull(const std::wstring &text)
{
    return sysutil::cutAtNull(text);
}

std::uintptr_t orvClassWindows::queryFileInfo(const std::wstring &file, std::uint32_t flags)
{
    return m_platform.shGetFileInfo(file, 0, FileInfo, flags);
}

std::wstring orvClassWindows::fileInfoNames()
{
    const auto text = [&](const auto &field) {
        return m_platform.fromSystemText(beforeNul(std::string_view(field.data(), field.size())));
    };
    return sysutil::namePair(text(FileInfo.displayName), text(FileInfo.typeName));
}

std::optional<std::array<DateTime, 3>> orvClassWindows::fileTimes(const std::wstring &fileName)
{
    // No sharing: a file that is open anywhere else is not read.
    const platform::FileHandle file
        = m_platform.createFile(fileName, kGenericRead, 0, kOpenExisting, 0);
    if (file == 0)
        return std::nullopt;
    std::array<std::uint64_t, 3> times {};
    if (!m_platform.getFileTime(file, times[0], times[1], times[2])) {
        m_platform.closeHandle(file);
        return std::nullopt;
    }
    std::array<DateTime, 3> local;
    for (std::size_t i = 0; i < times.size(); ++i) {
        std::uint64_t localTime = 0;
        platform::SystemTime fields;
        if (!m_platform.fileTimeToLocalFileTime(times[i], localTime)
            || !m_platform.fileTimeToSystemTime(localTime, fields)) {
            m_platform.closeHandle(file);
            return std::nullopt;
        }
        // To the second: the milliseconds are dropped, not rounded.
        local[i]
            = { fields.year, fields.month, fields.day, fields.hour, fields.minute, fields.second };
    }
    m_platform.closeHandle(file);
    return local;
}

std::wstring orvClassWindows::scriptHostPath()
{
    return AddBackslash(m_platform.getSystemDirectory()) + L"wshom.ocx";
}

void orvClassWindows::startOrFail(const std::wstring &commandLine, std::int32_t show)
{
    if (m_platform.startProcess(commandLine, show) != platform::kErrorSuccess)
        fail(FailureCode::FileNotFound, "File not found: " + platform::toUtf8(commandLine));
}

} // namespace orv
