// SPDX-License-Identifier: MIT
// The registry file of the Linux backend, edited by hand: any text loads, and
// what it holds can be queried.
#include "Fuzz.h"
#include "platform/posix/RegistryFile.h"

using namespace orv::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text = orv::fuzz::bytes(data, size);
    RegistryFile registry;
    registry.load(text);
    const std::uint32_t machine = *RegistryFile::rootByName("HKEY_LOCAL_MACHINE");
    const std::string_view key = text.substr(0, text.find('\n'));
    registry.keyExists(machine, key);
    registry.value(machine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH");
    registry.value(machine, key, key);
    RegistryFile::rootByName(key);
    return 0;
}
