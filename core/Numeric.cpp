// SPDX-License-Identifier: MIT
#include "core/Numeric.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace orv {

namespace {

double roundHalfEven(double value)
{
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction > 0.5)
        return lower + 1.0;
    if (fraction < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

template <typename T> T roundTo(double value)
{
    if (std::isnan(value))
        fail(FailureCode::Overflow, "Overflow");
    const double rounded = roundHalfEven(value);
    if (rounded < static_cast<double>(std::numeric_limits<T>::min())
        || rounded > static_cast<double>(std::numeric_limits<T>::max()))
        fail(FailureCode::Overflow, "Overflow");
    return static_cast<T>(rounded);
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

struct NumberPrefix
{
    std::size_t length = 0; // 0: the text does not start with a number
    double value = 0.0;
};

// Reads [sign] digits [. digits] [(E|D) [sign] digits] from the start of text.
NumberPrefix readNumberPrefix(std::string_view text)
{
    std::size_t i = 0;
    std::string normalized;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            normalized += '-';
        ++i;
    }
    std::size_t mantissaDigits = 0;
    bool mantissaNonZero = false;
    while (i < text.size() && isDigit(text[i])) {
        mantissaNonZero = mantissaNonZero || text[i] != '0';
        normalized += text[i++];
        ++mantissaDigits;
    }
    if (i < text.size() && text[i] == '.') {
        std::size_t j = i + 1;
        std::string fraction;
        while (j < text.size() && isDigit(text[j])) {
            mantissaNonZero = mantissaNonZero || text[j] != '0';
            fraction += text[j++];
        }
        if (mantissaDigits > 0 || !fraction.empty()) {
            normalized += '.';
            normalized += fraction;
            mantissaDigits += fraction.size();
            i = j;
        }
    }
    if (mantissaDigits == 0)
        return {};

    bool negativeExponent = false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            negativeExponent = text[j] == '-';
            exponent += text[j++];
        }
        const std::size_t digitsStart = j;
        while (j < text.size() && isDigit(text[j]))
            exponent += text[j++];
        if (j > digitsStart) {
            normalized += exponent;
            i = j;
        }
    }

    NumberPrefix result;
    result.length = i;
    const char *first = normalized.data();
    const char *last = first + normalized.size();
    const auto [ptr, ec] = std::from_chars(first, last, result.value);
    if (ec == std::errc::result_out_of_range) {
        if (!mantissaNonZero || negativeExponent)
            result.value = 0.0; // underflow: the number is as good as zero
        else
            fail(FailureCode::Overflow, "Overflow");
    } else if (ec != std::errc() || ptr != last) {
        fail(FailureCode::TypeMismatch, "Type mismatch");
    }
    return result;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::int16_t toInt16(double value)
{
    return roundTo<std::int16_t>(value);
}

std::int32_t toInt32(double value)
{
    return roundTo<std::int32_t>(value);
}

double textToNumber(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    const NumberPrefix prefix = readNumberPrefix(text);
    if (prefix.length == 0 || prefix.length != text.size())
        fail(FailureCode::TypeMismatch, "Type mismatch");
    return prefix.value;
}

std::int16_t textToInt16(std::string_view text)
{
    return toInt16(textToNumber(text));
}

std::int32_t textToInt32(std::string_view text)
{
    return toInt32(textToNumber(text));
}

double leadingNumber(std::string_view text)
{
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n')
            compact += c;
    }
    return readNumberPrefix(compact).value;
}

std::string singleToText(float value)
{
    if (value == 0.0f)
        return "0";
    char buffer[48];
    const auto [end, ec]
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    std::string text(buffer, ec == std::errc() ? end : buffer);
    const std::size_t e = text.find('e');
    if (e != std::string::npos)
        text[e] = 'E';
    return text;
}

} // namespace orv
