// SPDX-License-Identifier: MIT
// The clipboard's file-list block from any program: any bytes read, and the
// block written for the names read gives those names back.
#include "Fuzz.h"
#include "core/FileListBlock.h"

using namespace orv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::vector<std::string> names = fileListNames(fuzz::bytes(data, size));
    FUZZ_CHECK(fileListNames(fileListBlock(names)) == names);
    return 0;
}
