// SPDX-License-Identifier: MIT
#pragma once

// What every harness shares: the entry point libFuzzer calls (in the other
// builds Replay.cpp calls it once per stored input), the input as text, and
// a check that stays on in release builds, so that a broken promise is a
// finding like a crash.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace orv::fuzz {

inline std::string_view bytes(const std::uint8_t *data, std::size_t size)
{
    return { reinterpret_cast<const char *>(data), size };
}

} // namespace orv::fuzz
