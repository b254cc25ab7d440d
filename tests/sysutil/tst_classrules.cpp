// SPDX-License-Identifier: MIT
// The decisions of the utility class that need no system: the platform table,
// how registry bytes become a value, and the shared text routines.
#include "Expect.h"
#include "sysutil/ClassWindowsRules.h"

#include <tuple>

using namespace orv;
using namespace orv::sysutil;
using namespace std::string_literals;

TEST_CASE("the platform's name")
{
    const std::wstring unknown = L"Unbekanntes Betriebssystem";
    using Row = std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t, std::wstring,
        std::wstring>;
    // clang-format off
    for (const auto &[platformId, major, minor, build, servicePack, expected] : std::initializer_list<Row> {
             { 1, 4, 0, 0x040003B6, L"B", L"Windows 95 OSR2" }, { 1, 4, 0, 950, L"ABC", L"Windows 95AB" },
             { 1, 4, 0, 950, L"b", L"Windows 95b" }, { 1, 4, 10, 2222, L"A", L"Windows 98 SE" },
             { 1, 4, 10, 2222, L" A", L"Windows 98" }, { 1, 4, 90, 3000, L"", L"Windows ME" },
             { 1, 4, 3, 0, L"", L"Win 32s" }, { 2, 4, 0, 1381, L"Service Pack 6", L"Windows NT" },
             { 2, 5, 0, 2195, L"", L"Windows 2000" }, { 2, 5, 1, 2600, L"Service Pack 3", L"Windows XP" },
             { 2, 5, 2, 3790, L"", unknown }, { 2, 5, 1, 0x10000A28, L"", unknown },
             { 2, 6, 2, 9200, L"", L"Windows Vista" }, { 2, 10, 0, 19045, L"", unknown },
             { 2, 3, 51, 1057, L"", unknown }, { 0, 6, 1, 0, L"", unknown }, { 3, 4, 0, 0, L"", unknown } }) {
        // clang-format on
        CAPTURE(build);
        CHECK(platformName(platformId, major, minor, build, servicePack) == expected);
    }
}

TEST_CASE("registry bytes: the kept length and number values")
{
    // clang-format off
    for (const auto &[buffer, size, expected] : { std::tuple { "abc\0\0\0"s, 4u, 3u }, std::tuple { "abc\0\0\0"s, 3u, 3u },
             std::tuple { "ab\0c\0\0"s, 4u, 4u }, std::tuple { "\0\0\0"s, 0u, 0u }, std::tuple { "abcd"s, 9u, 4u } })
        CHECK(keptRegistryLength(buffer, size) == expected);
    // Empty: Overflow.
    for (const auto &[kept, expected] : std::initializer_list<std::pair<std::string, std::wstring>> {
             { "\x02\x01\0"s, L"18" }, { "\xFF\xFF"s, L"-1" }, { "\x78\x56\x34\x12"s, L"305419896" },
             { "\xFF\xFF\xFF\xFF"s, L"-1" }, { "\x00\x00\xFF\x0F"s, L"1048320" }, { ""s, L"&h" },
             { "\x10\x10\x10\x10\x10"s, L"" } }) {
        // clang-format on
        std::wstring text;
        const auto failure = test::failureOf([&] { text = numberValueText(kept); });
        CHECK(failure == (expected.empty() ? std::optional(FailureCode::Overflow) : std::nullopt));
        CHECK(text == expected);
    }
}

TEST_CASE("text routines: at the first NUL, blanks, the closing backslash; listing growth")
{
    // clang-format off
    for (const auto &[text, trimmed, cut] : std::initializer_list<std::tuple<std::wstring, std::wstring, std::wstring>> {
             { L"abc\0def"s, L"abc", L"abc" }, { L"\0abc"s, L"", L"" }, { L"  abc  ", L"abc", L"  abc  " },
             { L" abc \0"s, L" abc ", L" abc " }, { L"\tabc\t", L"\tabc\t", L"\tabc\t" }, { L"    ", L"", L"    " } }) {
        // clang-format on
        CHECK(trimAtNull(text) == trimmed);
        CHECK(cutAtNull(text) == cut);
    }
    for (const auto &[path, expected] : { std::pair { L"C:\\Temp", L"C:\\Temp\\" },
             std::pair { L"C:\\", L"C:\\" }, std::pair { L"", L"\\" } })
        CHECK(addBackslash(path) == expected);
    // A listing's upper bound grows by 100 when its count reaches a hundred.
    for (const auto &[upper, count, grown] :
        { std::tuple { 100, 99, 100 }, std::tuple { 100, 100, 200 }, std::tuple { 300, 250, 300 } })
        CHECK(grownUpperBound(upper, count) == grown);
}
