// SPDX-License-Identifier: MIT
#include "sysutil/ClassWindowsRules.h"

#include "core/Failure.h"

#include <algorithm>
#include <array>

namespace orv::sysutil {

namespace {

constexpr std::wstring_view kUnknownSystem = L"Unbekanntes Betriebssystem";
constexpr std::wstring_view kControlPanel = L"Control.exe";

struct Applet
{
    std::wstring_view commandLine;
    bool takesPage;
    bool direct;
};

// Indexed by the applet number. Entries taking a page get its number appended.
constexpr std::array<Applet, 27> kApplets { {
    { L"rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl @1", false, false },
    { L"rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl,,", true, false },
    { L"rundll32.exe shell32.dll,Control_RunDLL timedate.cpl", false, false },
    { L"rundll32.exe shell32.dll,Control_RunDLL desk.cpl,,", true, false },
    { L"rundll32.exe shell32.dll,Control_RunDLL inetcpl.cpl,,", true, false },
    { L"rundll32.exe shell32.dll,Control_RunDLL joy.cpl", false, false },
    { L"rundll32.exe shell32.dll,Control_RunDLL main.cpl @1", false, false },
    { L"rundll32.exe shell32.dll,Control_RunDLL modem.cpl", false, false },
    { L"rundll32.exe shell32.dll,Control_RunDLL main.cpl @0", false, false },
    { L"rundll32.exe shell32.dll,Control_RunDLL mmsys.cpl,,", true, false },
    { L"rundll32.exe shell32.dll,Control_RunDLL netcpl.cpl", false, false },
    { L"rundll32.exe shell32.dll,Control_RunDLL password.cpl", false, false },
    { L"rundll32.exe shell32.dll,Control_RunDLL intl.cpl,,", true, false },
    { L"rundll32.exe shell32.dll,Control_RunDLL mmsys.cpl @1", false, false },
    { L"rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl,,", true, false },
    { kControlPanel, false, true },
    { L"rundll32.exe shell32.dll,Control_RunDLL main.cpl @2", false, false },
    { L"rundll32.exe shell32.dll,Control_RunDLL main.cpl @3", false, false },
    { L"rundll32.exe shell32.dll,Control_RunDLL mlcfg32.cpl,,", true, false },
    { L"rundll32.exe shell32.dll,SHFormatDrive", false, true },
    { L"rundll32.exe shell32.dll,Control_RunDLL telephon.cpl", false, false },
    { L"rundll32.exe shell32.dll,Control_RunDLL access.cpl,,", true, false },
    { L"rundll32.exe shell32.dll,Control_RunDLL findfast.cpl", false, false },
    { L"rundll32.exe shell32.dll,Control_RunDLL sticpl.cpl", false, false },
    { L"rundll32.exe shell32.dll,Control_RunDLL powercfg.cpl", false, false },
    { kControlPanel, false, true },
    { L"Calc.exe", false, true },
} };

std::wstring windows9xName(std::uint32_t minorVersion, std::wstring_view servicePack)
{
    switch (minorVersion) {
    case 0:
        if (servicePack == L"B")
            return L"Windows 95 OSR2";
        return L"Windows 95" + std::wstring(servicePack.substr(0, 2));
    case 10:
        return servicePack == L"A" ? L"Windows 98 SE" : L"Windows 98";
    case 90:
        return L"Windows ME";
    default:
        return L"Win 32s";
    }
}

std::wstring windowsNtName(std::uint32_t majorVersion, std::uint32_t buildNumber)
{
    switch (majorVersion) {
    case 4:
        return L"Windows NT";
    case 5:
        if (buildNumber == 2195)
            return L"Windows 2000";
        if (buildNumber == 2600)
            return L"Windows XP";
        return std::wstring(kUnknownSystem);
    case 6:
        return L"Windows Vista";
    default:
        return std::wstring(kUnknownSystem);
    }
}

} // namespace

std::wstring platformName(std::uint32_t platformId, std::uint32_t majorVersion,
    std::uint32_t minorVersion, std::uint32_t buildNumber, std::wstring_view servicePack)
{
    switch (platformId) {
    case 1:
        return windows9xName(minorVersion, servicePack);
    case 2:
        return windowsNtName(majorVersion, buildNumber);
    default:
        return std::wstring(kUnknownSystem);
    }
}

std::int32_t appletPage(std::int32_t index, std::int32_t page)
{
    return index == 1 && page == 0 ? 1 : page;
}

AppletStart appletStart(std::int32_t index, std::int32_t page)
{
    if (index < 0 || static_cast<std::size_t>(index) >= kApplets.size())
        return { std::wstring(kControlPanel), true };
    const Applet &applet = kApplets[static_cast<std::size_t>(index)];
    std::wstring commandLine(applet.commandLine);
    if (applet.takesPage)
        commandLine += std::to_wstring(page);
    return { commandLine, applet.direct };
}

std::size_t keptRegistryLength(std::string_view buffer, std::uint32_t size)
{
    const std::size_t length = std::min<std::size_t>(size, buffer.size());
    if (length > 0 && buffer[length - 1] == '\0')
        return length - 1;
    return length;
}

std::wstring numberValueText(std::string_view kept)
{
    static constexpr std::wstring_view kDigits = L"0123456789ABCDEF";
    std::wstring digits;
    for (auto byte = kept.rbegin(); byte != kept.rend(); ++byte) {
        const auto code = static_cast<unsigned char>(*byte);
        if (code >= 0x10)
            digits += kDigits[code >> 4];
        digits += kDigits[code & 0xF];
    }
    if (digits.empty())
        return L"&h";
    if (digits.size() > 8)
        fail(FailureCode::Overflow, "Overflow");
    std::uint32_t value = 0;
    for (const wchar_t digit : digits)
        value = value * 16 + static_cast<std::uint32_t>(kDigits.find(digit));
    if (digits.size() <= 4)
        return std::to_wstring(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
    return std::to_wstring(static_cast<std::int32_t>(value));
}

std::wstring trimAtNull(std::wstring_view text)
{
    const std::size_t nul = text.find(L'\0');
    if (nul != std::wstring_view::npos)
        return std::wstring(text.substr(0, nul));
    const std::size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(L' ');
    return std::wstring(text.substr(first, last - first + 1));
}

std::wstring cutAtNull(std::wstring_view text)
{
    return std::wstring(text.substr(0, text.find(L'\0')));
}

std::wstring addBackslash(std::wstring_view path)
{
    std::wstring result(path);
    if (result.empty() || result.back() != L'\\')
        result += L'\\';
    return result;
}

std::wstring shellPathList(std::wstring_view path)
{
    std::wstring list(path);
    list.push_back(L'\0');
    list.push_back(L'\0');
    return list;
}

std::wstring quotedCommand(std::wstring_view path, std::wstring_view parameters)
{
    std::wstring command(path);
    if (!command.starts_with(L'"'))
        command.insert(command.begin(), L'"');
    // An empty path has become the single quote, which also ends with one.
    if (!command.ends_with(L'"'))
        command.push_back(L'"');
    if (!parameters.empty()) {
        command.push_back(L' ');
        command += parameters;
    }
    return command;
}

std::wstring versionText(std::uint32_t mostSignificant, std::uint32_t leastSignificant)
{
    const auto part = [](std::uint32_t half, int shift) {
        return std::to_wstring(static_cast<std::int16_t>((half >> shift) & 0xFFFF));
    };
    return part(mostSignificant, 16) + L'.' + part(mostSignificant, 0) + L'.'
        + part(leastSignificant, 16) + L'.' + part(leastSignificant, 0);
}

std::wstring namePair(std::wstring_view displayName, std::wstring_view typeName)
{
    return cutAtNull(displayName) + L'|' + cutAtNull(typeName);
}

std::int32_t grownUpperBound(std::int32_t upperBound, std::int32_t count)
{
    return count % 100 == 0 ? count + 100 : upperBound;
}

} // namespace orv::sysutil
