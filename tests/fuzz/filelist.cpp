// SPDX-License-Identifier: MIT
// The clipboard's file-list block from any program: any bytes read, and the
// block the class writes for the names read gives those names back.
#include "Fuzz.h"
#include "platform/posix/FileListBlock.h"
#include "sysutil/ClassWindowsRules.h"

using namespace orv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::vector<std::string> names = platform::fileListNames(fuzz::bytes(data, size));
    FUZZ_CHECK(platform::fileListNames(sysutil::dropBlock(names)) == names);
    FUZZ_CHECK(platform::fileListBlock(names) == sysutil::dropBlock(names));
    return 0;
}
