// SPDX-License-Identifier: MIT
#pragma once

// What the Linux backend's service files share: texts and paths as the class
// passes them, and the system's numbers they answer with.

#include "platform/Platform.h"
#include "platform/Utf8.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

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

// A process for a command line already split into program and arguments. The
// show value travels in the environment, where a started program of ours
// finds it (Linux has no such start parameter).
inline void prepareProcess(QProcess &process, const QString &program, QStringList arguments,
    const std::vector<std::wstring> &rest, std::int32_t show)
{
    process.setProgram(program);
    for (std::size_t i = 1; i < rest.size(); ++i)
        arguments << toQString(rest[i]);
    process.setArguments(arguments);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ORVEL_SHOW_WINDOW"), QString::number(show));
    process.setProcessEnvironment(environment);
}

} // namespace orv::platform::posix
