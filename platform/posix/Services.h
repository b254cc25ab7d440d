// SPDX-License-Identifier: MIT
#pragma once

// What the Linux backend's service files share: texts and paths as the class
// passes them, and the system's numbers they answer with.

#include "platform/Platform.h"
#include "platform/Utf8.h"

#include <QString>

#include <algorithm>
#include <string>
#include <string_view>

namespace orv::platform::posix {

inline constexpr std::uint32_t kFileList = 15;
inline constexpr std::uint64_t kUnixEpochInFileTime = 116444736000000000ULL;
inline constexpr std::int32_t kFileNotFoundResult = static_cast<std::int32_t>(0x80070002);
inline constexpr std::int32_t kFail = static_cast<std::int32_t>(0x80004005);

inline QString toQString(std::wstring_view text)
{
    return QString::fromStdWString(std::wstring(text));
}

// Paths may separate folders with backslashes, as the class writes them.
inline std::string nativePath(std::wstring_view path)
{
    std::string native = toUtf8(path);
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

} // namespace orv::platform::posix
