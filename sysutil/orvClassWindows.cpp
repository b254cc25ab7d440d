// SPDX-License-Identifier: MIT
#include "sysutil/orvClassWindows.h"

#include "core/Failure.h"
#include "core/Steps.h"
#include "platform/Utf8.h"
#include "sysutil/ClassWindowsRules.h"

#include <algorithm>
#include <string_view>

namespace orv {

namespace {

// The caption of message boxes that name no title of their own.
constexpr std::wstring_view kApplicationTitle = L"" ORVEL_APPLICATION_TITLE;

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

[[noreturn]] void notImplemented(std::string_view operation)
{
    fail(FailureCode::NotImplemented, std::string(operation) + " is not implemented");
}

// Closes an open registry key on every way out of the reading routine.
class KeyCloser
{
public:
    KeyCloser(platform::Platform &platform, platform::RegistryKey key)
        : m_platform(platform), m_key(key)
    {
    }
    ~KeyCloser() { m_platform.regCloseKey(m_key); }
    KeyCloser(const KeyCloser &) = delete;
    KeyCloser &operator=(const KeyCloser &) = delete;

private:
    platform::Platform &m_platform;
    platform::RegistryKey m_key;
};

} // namespace

orvClassWindows::orvClassWindows() : orvClassWindows(platform::systemPlatform())
{
}

orvClassWindows::orvClassWindows(platform::Platform &platform) : m_platform(platform)
{
}

void orvClassWindows::SetComboBoxHeight(ComboBoxObject &, std::int32_t)
{
    notImplemented("SetComboBoxHeight");
}

void orvClassWindows::ComboSetListWidth(
    ComboBoxObject &, std::optional<double>, std::optional<double>)
{
    notImplemented("ComboSetListWidth");
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

std::wstring orvClassWindows::GetBrowseDirectory(std::int32_t &, std::wstring *)
{
    notImplemented("GetBrowseDirectory");
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

Variant orvClassWindows::GetFileIcon(PictureBoxObject &, std::wstring &)
{
    notImplemented("GetFileIcon");
}

bool orvClassWindows::GetFileIconEx(PictureBoxObject &, std::wstring &, bool, std::wstring *)
{
    notImplemented("GetFileIconEx");
}

std::wstring orvClassWindows::GetFileEx(std::wstring &)
{
    notImplemented("GetFileEx");
}

std::wstring orvClassWindows::GetShellPersonalLocation(std::int32_t &)
{
    notImplemented("GetShellPersonalLocation");
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

void orvClassWindows::FileCopy(std::int32_t, const std::wstring &, const std::wstring &)
{
    notImplemented("FileCopy");
}

void orvClassWindows::FileMove(std::int32_t, const std::wstring &, const std::wstring &)
{
    notImplemented("FileMove");
}

void orvClassWindows::FileDelete(std::int32_t &, const std::wstring &, bool)
{
    notImplemented("FileDelete");
}

bool orvClassWindows::FileCopyClipboard(std::vector<std::wstring> &)
{
    notImplemented("FileCopyClipboard");
}

std::int32_t orvClassWindows::FilePasteClipboard(std::vector<std::wstring> &)
{
    notImplemented("FilePasteClipboard");
}

Variant orvClassWindows::PDF_Öffnen(const std::wstring &)
{
    notImplemented("PDF_Öffnen");
}

bool orvClassWindows::Datei_ausführen(const std::wstring &, const std::wstring &, bool &)
{
    notImplemented("Datei_ausführen");
}

bool orvClassWindows::EXE_ausführen(std::wstring &, bool &, bool &)
{
    notImplemented("EXE_ausführen");
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

std::wstring orvClassWindows::GetShortFileName(const std::wstring &)
{
    notImplemented("GetShortFileName");
}

std::wstring orvClassWindows::GetFileVersion(std::wstring &, std::int32_t)
{
    notImplemented("GetFileVersion");
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

void orvClassWindows::DirFile(
    std::vector<std::wstring> &, const std::wstring &, const std::wstring &)
{
    notImplemented("DirFile");
}

bool orvClassWindows::ReadFileTime(const std::wstring &, DateTime &, DateTime &, DateTime &)
{
    notImplemented("ReadFileTime");
}

bool orvClassWindows::ReadFileLastTime(const std::wstring &, DateTime &)
{
    notImplemented("ReadFileLastTime");
}

void orvClassWindows::TranspPic(std::int32_t &, std::int32_t &, std::int32_t &, std::int32_t &,
    std::int32_t &, std::int32_t &, std::int32_t &, std::int32_t, std::int32_t, std::int32_t &)
{
    notImplemented("TranspPic");
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
    const KeyCloser closer(m_platform, key);
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

bool orvClassWindows::RegisterServerDll(const std::wstring &, bool)
{
    notImplemented("RegisterServerDll");
}

std::wstring orvClassWindows::TrimAtNull(const std::wstring &text)
{
    return sysutil::trimAtNull(text);
}

std::wstring orvClassWindows::CutAtNull(const std::wstring &text)
{
    return sysutil::cutAtNull(text);
}

void orvClassWindows::startOrFail(const std::wstring &commandLine, std::int32_t show)
{
    if (m_platform.startProcess(commandLine, show) != platform::kErrorSuccess)
        fail(FailureCode::FileNotFound, "File not found: " + platform::toUtf8(commandLine));
}

} // namespace orv
