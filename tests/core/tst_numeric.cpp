// SPDX-License-Identifier: MIT
#include "Expect.h"
#include "core/Numeric.h"

#include <cmath>
#include <tuple>

using namespace orv;
using orv::test::failureOf;

namespace {

constexpr auto kNone = std::optional<FailureCode>();
constexpr auto kOverflow = std::optional(FailureCode::Overflow);
constexpr auto kMismatch = std::optional(FailureCode::TypeMismatch);

// Runs a conversion; its failure or, when it returns, its value.
template <typename Call>
void expect(Call &&call, double expected, std::optional<FailureCode> failure)
{
    double result = 0;
    CHECK(failureOf([&] { result = double(call()); }) == failure);
    if (!failure)
        CHECK(result == expected);
}

} // namespace

TEST_CASE("rounding to 16 and 32 bits: ties to even, overflow outside")
{
    // Bits, value, the value rounded or the failure.
    using Row = std::tuple<int, double, double, std::optional<FailureCode>>;
    // clang-format off
    for (const auto &[bits, value, expected, failure] : std::initializer_list<Row> {
             { 16, 2.5, 2, kNone }, { 16, 3.5, 4, kNone }, { 16, -2.5, -2, kNone }, { 16, 2.5000001, 3, kNone },
             { 16, 32767.4, 32767, kNone }, { 16, 32767.5, 0, kOverflow }, { 16, -32768.5, -32768, kNone },
             { 16, -32768.6, 0, kOverflow }, { 16, std::nan(""), 0, kOverflow }, { 16, HUGE_VAL, 0, kOverflow },
             { 32, 4711.5, 4712, kNone }, { 32, 2147483647.5, 0, kOverflow },
             { 32, -2147483648.5, -2147483648.0, kNone } }) {
        // clang-format on
        CAPTURE(value);
        expect([&] { return bits == 16 ? toInt16(value) : toInt32(value); }, expected, failure);
    }
}

TEST_CASE("whole texts become numbers or fail")
{
    using Row = std::tuple<const char *, double, std::optional<FailureCode>>;
    // clang-format off
    for (const auto &[text, expected, failure] : std::initializer_list<Row> {
             { "  2 ", 2, kNone }, { "+7", 7, kNone }, { "2.5", 2, kNone }, { "1.234568E+07", 12345680, kNone },
             { "1D3", 1000, kNone }, { ".5", 0, kNone }, { "", 0, kMismatch }, { "12abc", 0, kMismatch },
             { "\"4711", 0, kMismatch }, { "1 2", 0, kMismatch }, { "-", 0, kMismatch }, { "1e", 0, kMismatch },
             { "1,5", 0, kMismatch }, { "2147483648", 0, kOverflow }, { "1e999", 0, kOverflow },
             { "1e-999", 0, kNone }, { "\xEF\xBC\x94\xEF\xBC\x97", 0, kMismatch } }) {
        // clang-format on
        CAPTURE(text);
        expect([&] { return textToInt32(text); }, expected, failure);
    }
    CHECK(textToInt16("32767") == 32767);
    CHECK(failureOf([] { textToInt16("32768"); }) == kOverflow);
}

TEST_CASE("a setting is read by its leading number")
{
    // clang-format off
    for (const auto &[text, expected] : std::initializer_list<std::pair<const char *, double>> {
             { "", 0 }, { "-10", -10 }, { "6px", 6 }, { " 1 2 ", 12 }, { "\t3\n4", 34 }, { "1.2.3", 1.2 },
             { ".5", 0.5 }, { "2e3", 2000 }, { "2e", 2 }, { "-", 0 }, { "x5", 0 } }) {
        // clang-format on
        CAPTURE(text);
        CHECK(leadingNumber(text) == expected);
    }
}

TEST_CASE("checked arithmetic fails instead of wrapping")
{
    expect([&] { return (Int16(15) + Int16(225)).value(); }, 240, kNone);
    expect([&] { return (Int16(32767) + Int16(1)).value(); }, 0, kOverflow);
    expect([&] { return (Int16(-32768) - Int16(1)).value(); }, 0, kOverflow);
    expect([&] { return (Int16(200) * Int16(200)).value(); }, 0, kOverflow);
    expect([&] { return intDiv(Int16(-7), Int16(2)).value(); }, -3, kNone);
    expect([&] { return intDiv(Int16(7), Int16(0)).value(); }, 0, FailureCode::DivisionByZero);
    expect([&] { return intDiv(Int16(-32768), Int16(-1)).value(); }, 0, kOverflow);
    expect([&] { return mod(Int16(-7), Int16(2)).value(); }, -1, kNone);
    expect([&] { return mod(Int16(7), Int16(0)).value(); }, 0, FailureCode::DivisionByZero);
    expect([&] { return mod(Int16(-32768), Int16(-1)).value(); }, 0, kNone);
    const Int32 big(100000);
    CHECK((big * Int32(21)).value() == 2100000);
    CHECK(failureOf([&] { (void)(big * Int32(100000)); }) == kOverflow);
    CHECK(failureOf([&] { (void)intDiv(big, Int32(0)); }) == FailureCode::DivisionByZero);
}

TEST_CASE("single-precision values as the settings store writes them")
{
    // clang-format off
    for (const auto &[value, expected] : std::initializer_list<std::pair<float, const char *>> {
             { 1440.0f, "1440" }, { -0.0f, "0" }, { 7.5f, "7.5" }, { 1234567.0f, "1234567" },
             { 12345678.0f, "1.234568E+07" }, { 0.1f, "0.1" } }) {
        // clang-format on
        CAPTURE(value);
        CHECK(singleToText(value) == expected);
    }
}
