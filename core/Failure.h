// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace orv {

// The run-time failures the program distinguishes. The numbers are the classic
// run-time error numbers, so a report names a failure the way users of the
// original platform know it.
enum class FailureCode : int {
    InvalidCall = 5,
    Overflow = 6,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    TypeMismatch = 13,
    FileNotFound = 53,
    ControlFailed = 440,
};

// A failing step. Routines either absorb it step by step (see Steps.h) or let
// it travel to their caller; nothing else is thrown for an expected failure.
class Failure : public std::runtime_error
{
public:
    Failure(FailureCode code, const std::string &message)
        : std::runtime_error(message), m_code(code)
    {
    }

    FailureCode code() const noexcept { return m_code; }
    int number() const noexcept { return static_cast<int>(m_code); }

private:
    FailureCode m_code;
};

[[noreturn]] void fail(FailureCode code, std::string_view what);

} // namespace orv
