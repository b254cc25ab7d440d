// SPDX-License-Identifier: MIT
// The decisions of the utility class that need no system: the platform table,
// how registry bytes become a value, and the shared text routines.
#include "Expect.h"
#include "sysutil/ClassWindowsRules.h"

using namespace orv;
using namespace orv::sysutil;
using namespace std::string_literals;

TEST_CASE("the platform's name")
{
    const std::wstring unknown = L"Unbekanntes Betriebssystem";
    struct Row
    {
        std::uint32_t platformId, major, minor, build;
        std::wstring servicePack, expected;
    };
    // clang-format off
    for (const Row &row : std::initializer_list<Row> {
             { 1, 4, 0, 0x040003B6, L"B", L"Windows 95 OSR2" }, { 1, 4, 0, 950, L" C", L"Windows 95 C" },
             { 1, 4, 0, 950, L"ABC", L"Windows 95AB" }, { 1, 4, 0, 950, L"", L"Windows 95" },
             { 1, 4, 0, 950, L"b", L"Windows 95b" }, { 1, 4, 10, 2222, L"A", L"Windows 98 SE" },
             { 1, 4, 10, 2222, L" A", L"Windows 98" }, { 1, 4, 10, 1998, L"", L"Windows 98" },
             { 1, 4, 90, 3000, L"", L"Windows ME" }, { 1, 4, 3, 0, L"", L"Win 32s" },
             { 2, 4, 0, 1381, L"Service Pack 6", L"Windows NT" }, { 2, 5, 0, 2195, L"", L"Windows 2000" },
             { 2, 5, 1, 2600, L"Service Pack 3", L"Windows XP" }, { 2, 5, 2, 3790, L"", unknown },
             { 2, 5, 1, 0x10000A28, L"", unknown }, { 2, 6, 0, 6000, L"", L"Windows Vista" },
             { 2, 6, 1, 7601, L"Service Pack 1", L"Windows Vista" }, { 2, 6, 2, 9200, L"", L"Windows Vista" },
             { 2, 10, 0, 19045, L"", unknown }, { 2, 3, 51, 1057, L"", unknown },
             { 0, 6, 1, 0, L"", unknown }, { 3, 4, 0, 0, L"", unknown } }) {
        // clang-format on
        CAPTURE(row.build);
        CHECK(platformName(row.platformId, row.major, row.minor, row.build, row.servicePack)
            == row.expected);
    }
}

TEST_CASE("registry bytes: the kept length and number values")
{
    struct Length
    {
        std::string buffer;
        std::uint32_t size, expected;
    };
    // clang-format off
    for (const Length &row : std::initializer_list<Length> {
             { "abc\0\0\0"s, 4, 3 }, { "abc\0\0\0"s, 3, 3 }, { "ab\0c\0\0"s, 4, 4 },
             { "\0\0\0"s, 1, 0 }, { "\0\0\0"s, 0, 0 }, { "\x02\x01\0\0"s, 4, 3 },
             { "abcd"s, 4, 4 }, { "abcd"s, 9, 4 } })
        CHECK(keptRegistryLength(row.buffer, row.size) == row.expected);
    struct Number
    {
        std::string kept;
        std::wstring expected; // empty: Overflow
    };
    for (const Number &row : std::initializer_list<Number> {
             { "\0\0\0"s, L"0" }, { "\x05\0\0"s, L"5" }, { "\x02\x01\0"s, L"18" },
             { "\x1F\0\0"s, L"31" }, { "\xFF\xFF"s, L"-1" }, { "\x78\x56\x34\x12"s, L"305419896" },
             { "\xFF\xFF\xFF\xFF"s, L"-1" }, { "\x00\x00\xFF\x0F"s, L"1048320" }, { ""s, L"&h" },
             { "\x10\x10\x10\x10\x10"s, L"" } }) {
        // clang-format on
        std::wstring text;
        const auto failure = test::failureOf([&] { text = numberValueText(row.kept); });
        CHECK(failure
            == (row.expected.empty() ? std::optional(FailureCode::Overflow) : std::nullopt));
        CHECK(text == row.expected);
    }
}

TEST_CASE("text routines: at the first NUL, blanks, the closing backslash")
{
    struct Row
    {
        std::wstring text, trimmed, cut;
    };
    // clang-format off
    for (const Row &row : std::initializer_list<Row> {
             { L"abc\0def"s, L"abc", L"abc" }, { L"\0abc"s, L"", L"" },
             { L"  abc  ", L"abc", L"  abc  " }, { L" abc \0"s, L" abc ", L" abc " },
             { L"\tabc\t", L"\tabc\t", L"\tabc\t" }, { L"    ", L"", L"    " }, { L"", L"", L"" },
             { L"name\0    "s, L"name", L"name" } }) {
        // clang-format on
        CHECK(trimAtNull(row.text) == row.trimmed);
        CHECK(cutAtNull(row.text) == row.cut);
    }
    for (const auto &[path, expected] :
        { std::pair { L"C:\\Temp", L"C:\\Temp\\" }, std::pair { L"C:\\", L"C:\\" },
            std::pair { L"", L"\\" }, std::pair { L"C:/Temp/", L"C:/Temp/\\" } })
        CHECK(addBackslash(path) == expected);
}
