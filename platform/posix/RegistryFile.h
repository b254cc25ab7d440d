// SPDX-License-Identifier: MIT
#pragma once

// The registry of the Linux backend: keys and values read from a text file in
// the format of Windows' registry export files (UTF-8):
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO]
//   "PATH"="/usr/bin/hardinfo"
//   "Count"=dword:0000001f
//   "Raw"=hex:01,02,ff
//   "Expand"=hex(2):25,00
//   "Gone"=-
//   @="the key's default value"
//
// Key and value names compare without regard to ASCII case, as Windows'
// do. Text values are stored as their UTF-8 bytes with a closing NUL, numbers
// as four little-endian bytes, so a query answers with the bytes the 8-bit
// registry call would give. Lines that do not parse are skipped.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace orv::platform {

struct RegistryValue
{
    std::uint32_t type = 0;
    std::string data;
};

class RegistryFile
{
public:
    // Adds the file's keys and values; later ones replace earlier ones.
    void load(std::string_view text);
    void setValue(
        std::uint32_t root, std::string_view subKey, std::string_view name, RegistryValue value);

    bool keyExists(std::uint32_t root, std::string_view subKey) const;
    std::optional<RegistryValue> value(
        std::uint32_t root, std::string_view subKey, std::string_view name) const;

    // HKEY_LOCAL_MACHINE, HKLM, ... -> the root's number; nullopt if unknown.
    static std::optional<std::uint32_t> rootByName(std::string_view name);

private:
    static std::string keyId(std::uint32_t root, std::string_view subKey);

    // key id -> (lower-case value name -> value); a key without values exists too.
    std::map<std::string, std::map<std::string, RegistryValue>> m_keys;
};

} // namespace orv::platform
