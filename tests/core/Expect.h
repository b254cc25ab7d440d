// SPDX-License-Identifier: MIT
#pragma once

// What the doctest tests share: the failure a call ends with, and wide texts
// in failure reports.

#include "core/Failure.h"

#include <doctest/doctest.h>
#include <optional>
#include <string>

namespace orv::test {

template <typename Call> std::optional<FailureCode> failureOf(Call &&call)
{
    try {
        call();
    } catch (const Failure &failure) {
        return failure.code();
    }
    return std::nullopt;
}

} // namespace orv::test

template <> struct doctest::StringMaker<std::wstring>
{
    static String convert(const std::wstring &text)
    {
        std::string shown = "L\"";
        for (const wchar_t c : text)
            shown += c >= 32 && c < 127 ? std::string(1, char(c)) : "\\x" + std::to_string(int(c));
        return (shown + '"').c_str();
    }
};
