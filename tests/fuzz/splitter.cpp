// SPDX-License-Identifier: MIT
// The Windows command-line splitter on any line; and the command the class
// composes for a path (no quotes in it) and parameters starts that path.
#include "Fuzz.h"
#include "platform/Utf8.h"
#include "platform/posix/CommandLine.h"
#include "sysutil/ClassWindowsRules.h"

using namespace orv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::wstring line = platform::fromUtf8(fuzz::bytes(data, size));
    for (const std::wstring &argument : platform::splitCommandLine(line))
        FUZZ_CHECK(argument.size() <= line.size());
    const std::size_t cut = line.find(L'\n');
    const std::wstring path = line.substr(0, cut);
    if (cut == std::wstring::npos || path.empty() || path.find(L'"') != std::wstring::npos)
        return 0;
    const auto split
        = platform::splitCommandLine(sysutil::quotedCommand(path, line.substr(cut + 1)));
    FUZZ_CHECK(!split.empty() && split.front() == path);
    return 0;
}
