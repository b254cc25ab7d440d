// SPDX-License-Identifier: MIT
#pragma once

// Number conventions shared by every part of the program:
//  - a number becomes an integer by taking the nearest one, a tie going to the
//    even neighbour; a result outside the target type is an Overflow failure;
//  - a text becomes a number only when the whole text (blanks around it
//    allowed) spells one, otherwise TypeMismatch;
//  - a "setting" text is read by its leading numeric part, anything else is 0;
//  - 16- and 32-bit integer arithmetic fails with Overflow instead of wrapping.

#include "core/Failure.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>

namespace orv {

// Nearest integer, ties to even. Throws Overflow when outside the range or NaN.
std::int16_t toInt16(double value);
std::int32_t toInt32(double value);

// Whole-text conversion: optional blanks, sign, digits with an optional
// decimal point ('.'), optional exponent (E or D), optional blanks. Anything
// else is TypeMismatch (decimal only: no &H / &O prefixes, no separators).
double textToNumber(std::string_view text);
std::int16_t textToInt16(std::string_view text);
std::int32_t textToInt32(std::string_view text);

// The number spelt by the text's leading numeric part. Blanks, tabs and line
// feeds are ignored wherever they stand; an empty or non-numeric text is 0.
double leadingNumber(std::string_view text);

// Decimal text of a single-precision value as the settings store keeps it:
// up to seven significant digits, no exponent below 1e15, '.' as the point.
std::string singleToText(float value);

// Integer with overflow-checked arithmetic. Mixing widths must be explicit.
template <typename T> class Checked
{
    static_assert(std::is_same_v<T, std::int16_t> || std::is_same_v<T, std::int32_t>);

public:
    constexpr Checked() = default;
    constexpr Checked(T value) : m_value(value) { } // NOLINT(google-explicit-constructor)

    constexpr T value() const { return m_value; }
    friend constexpr bool operator==(Checked a, Checked b) { return a.m_value == b.m_value; }
    friend constexpr auto operator<=>(Checked a, Checked b) { return a.m_value <=> b.m_value; }

    friend Checked operator+(Checked a, Checked b) { return narrow(wide(a) + wide(b)); }
    friend Checked operator-(Checked a, Checked b) { return narrow(wide(a) - wide(b)); }
    friend Checked operator*(Checked a, Checked b) { return narrow(wide(a) * wide(b)); }
    Checked operator-() const { return narrow(-wide(*this)); }

    // Integer division truncating toward zero; division by zero fails.
    friend Checked intDiv(Checked a, Checked b)
    {
        if (b.m_value == 0)
            fail(FailureCode::DivisionByZero, "Division by zero");
        return narrow(wide(a) / wide(b));
    }

    // The remainder of intDiv, with the sign of a; by zero it fails the same way.
    friend Checked mod(Checked a, Checked b)
    {
        if (b.m_value == 0)
            fail(FailureCode::DivisionByZero, "Division by zero");
        return narrow(wide(a) % wide(b));
    }

    Checked &operator+=(Checked other) { return *this = *this + other; }
    Checked &operator-=(Checked other) { return *this = *this - other; }

private:
    static constexpr std::int64_t wide(Checked c) { return c.m_value; }
    static Checked narrow(std::int64_t v)
    {
        if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max())
            fail(FailureCode::Overflow, "Overflow");
        return Checked(static_cast<T>(v));
    }

    T m_value = 0;
};

using Int16 = Checked<std::int16_t>;
using Int32 = Checked<std::int32_t>;

} // namespace orv
