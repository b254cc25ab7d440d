// SPDX-License-Identifier: MIT
// UTF-8 in both directions: any bytes decode, what is encoded decodes back to
// the same characters, and decoding an encoding changes nothing more.
#include "platform/Utf8.h"

#include "Fuzz.h"

#include <algorithm>
#include <string>

using namespace orv::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string once = toUtf8(fromUtf8(orv::fuzz::bytes(data, size)));
    FUZZ_CHECK(toUtf8(fromUtf8(once)) == once);
    // The same bytes as wide characters: every valid one comes back.
    std::wstring wide(size / sizeof(wchar_t), L'\0');
    std::copy_n(data, wide.size() * sizeof(wchar_t), reinterpret_cast<std::uint8_t *>(wide.data()));
    std::erase_if(wide, [](wchar_t c) {
        const auto u = static_cast<std::uint32_t>(c);
        return u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF);
    });
    FUZZ_CHECK(fromUtf8(toUtf8(wide)) == wide);
    return 0;
}
