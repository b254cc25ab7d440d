// SPDX-License-Identifier: MIT
#pragma once

// The decisions of orvClassWindows as plain functions: which command line an
// applet index starts, what a version record is called, how the bytes of a
// registry value become its text, and the shared text routines. No system
// call happens here; the class feeds these with what its platform answered.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv::sysutil {

// The name of the system a version record describes ("Windows 98 SE", ...).
// The service-pack text is the record's text up to its first NUL.
std::wstring platformName(std::uint32_t platformId, std::uint32_t majorVersion,
    std::uint32_t minorVersion, std::uint32_t buildNumber, std::wstring_view servicePack);

// The build number as the class reports it: its low 15 bits. Windows 95 and
// 98 keep the version in the high word of the same field.
constexpr std::int32_t maskedBuild(std::uint32_t buildNumber)
{
    return static_cast<std::int32_t>(buildNumber & 0x7FFF);
}

// The page an applet opens with: index 1 (software) has no page 0.
std::int32_t appletPage(std::int32_t index, std::int32_t page);

struct AppletStart
{
    std::wstring commandLine;
    bool direct = false; // started at once, its failure reaching the caller
};

// The command line of applet index with the page already settled; an index
// outside the table opens the control panel.
AppletStart appletStart(std::int32_t index, std::int32_t page);

// How many bytes of a registry answer are the value: the reported size, less
// a closing NUL at that position.
std::size_t keptRegistryLength(std::string_view buffer, std::uint32_t size);

// A number value (type 4): the kept bytes' hexadecimal codes from the last to
// the first, read as a hexadecimal literal and written in decimal. Up to four
// digits make a 16-bit number, up to eight a 32-bit one (both two's
// complement); more digits are an Overflow failure. No digits: "&h".
std::wstring numberValueText(std::string_view kept);

// The shell answers 0 to 32 for a failure.
constexpr bool isShellFailure(std::intptr_t result)
{
    return result >= 0 && result <= 32;
}

// The text before its first NUL (empty when the NUL comes first); a text
// without NUL loses its leading and trailing blanks.
std::wstring trimAtNull(std::wstring_view text);
// The text before its first NUL; a text without NUL unchanged.
std::wstring cutAtNull(std::wstring_view text);
// The path with one closing backslash ("" becomes "\").
std::wstring addBackslash(std::wstring_view path);

// A path list as the shell's file operation takes it: the path, NUL, NUL.
std::wstring shellPathList(std::wstring_view path);

// The command that opens a file: the path in double quotes (a quote already
// at either end is kept, not doubled), then a blank and the parameters when
// there are any.
std::wstring quotedCommand(std::wstring_view path, std::wstring_view parameters);

// a.b.c.d of a version's two 32-bit halves, each part a signed 16-bit number.
std::wstring versionText(std::uint32_t mostSignificant, std::uint32_t leastSignificant);

// The display name and type name, each up to its first NUL, joined by "|".
std::wstring namePair(std::wstring_view displayName, std::wstring_view typeName);

// The upper bound a listing grows to after the count-th entry: the same bound
// unless count is a multiple of 100, then count + 100.
std::int32_t grownUpperBound(std::int32_t upperBound, std::int32_t count);

} // namespace orv::sysutil
