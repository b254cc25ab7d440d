// SPDX-License-Identifier: MIT
// The decisions of the utility class that need no system: the platform table,
// how registry bytes become a value, and the shared text routines.
#include "TestText.h"
#include "core/Failure.h"
#include "sysutil/ClassWindowsRules.h"

#include <QTest>

#include <string>

using namespace orv;
using namespace orv::sysutil;
using namespace std::string_literals;

namespace {

const std::wstring kUnknown = L"Unbekanntes Betriebssystem"s;

} // namespace

class TestClassRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void platformName_data()
    {
        QTest::addColumn<quint32>("platformId");
        QTest::addColumn<quint32>("major");
        QTest::addColumn<quint32>("minor");
        QTest::addColumn<quint32>("build");
        QTest::addColumn<std::wstring>("servicePack");
        QTest::addColumn<std::wstring>("expected");

        // clang-format off
        QTest::newRow("95 OSR2") << 1u << 4u << 0u << 0x040003B6u << L"B"s << L"Windows 95 OSR2"s;
        QTest::newRow("95 first two characters") << 1u << 4u << 0u << 950u << L" C"s << L"Windows 95 C"s;
        QTest::newRow("95 longer text cut to two") << 1u << 4u << 0u << 950u << L"ABC"s << L"Windows 95AB"s;
        QTest::newRow("95 without service pack") << 1u << 4u << 0u << 950u << L""s << L"Windows 95"s;
        QTest::newRow("95 suffix is case-sensitive") << 1u << 4u << 0u << 950u << L"b"s << L"Windows 95b"s;
        QTest::newRow("98 SE") << 1u << 4u << 10u << 2222u << L"A"s << L"Windows 98 SE"s;
        QTest::newRow("98 with blank A") << 1u << 4u << 10u << 2222u << L" A"s << L"Windows 98"s;
        QTest::newRow("98 plain") << 1u << 4u << 10u << 1998u << L""s << L"Windows 98"s;
        QTest::newRow("ME") << 1u << 4u << 90u << 3000u << L""s << L"Windows ME"s;
        QTest::newRow("platform 1 minor 3") << 1u << 4u << 3u << 0u << L""s << L"Win 32s"s;
        QTest::newRow("NT 4") << 2u << 4u << 0u << 1381u << L"Service Pack 6"s << L"Windows NT"s;
        QTest::newRow("2000") << 2u << 5u << 0u << 2195u << L""s << L"Windows 2000"s;
        QTest::newRow("XP") << 2u << 5u << 1u << 2600u << L"Service Pack 3"s << L"Windows XP"s;
        QTest::newRow("5.2 build 3790") << 2u << 5u << 2u << 3790u << L""s << kUnknown;
        QTest::newRow("XP build with high word") << 2u << 5u << 1u << 0x10000A28u << L""s << kUnknown;
        QTest::newRow("Vista") << 2u << 6u << 0u << 6000u << L""s << L"Windows Vista"s;
        QTest::newRow("Windows 7 is Vista") << 2u << 6u << 1u << 7601u << L"Service Pack 1"s << L"Windows Vista"s;
        QTest::newRow("Windows 8 is Vista") << 2u << 6u << 2u << 9200u << L""s << L"Windows Vista"s;
        QTest::newRow("NT 10") << 2u << 10u << 0u << 19045u << L""s << kUnknown;
        QTest::newRow("NT 3") << 2u << 3u << 51u << 1057u << L""s << kUnknown;
        QTest::newRow("platform 0") << 0u << 6u << 1u << 0u << L""s << kUnknown;
        QTest::newRow("platform 3") << 3u << 4u << 0u << 0u << L""s << kUnknown;
        // clang-format on
    }

    void platformName()
    {
        QFETCH(quint32, platformId);
        QFETCH(quint32, major);
        QFETCH(quint32, minor);
        QFETCH(quint32, build);
        QFETCH(std::wstring, servicePack);
        QFETCH(std::wstring, expected);
        QCOMPARE(sysutil::platformName(platformId, major, minor, build, servicePack), expected);
    }

    void keptRegistryLength_data()
    {
        QTest::addColumn<std::string>("buffer");
        QTest::addColumn<quint32>("size");
        QTest::addColumn<quint32>("expected");

        // clang-format off
        QTest::newRow("text with its NUL") << "abc\0\0\0"s << 4u << 3u;
        QTest::newRow("text stored without NUL") << "abc\0\0\0"s << 3u << 3u;
        QTest::newRow("NUL inside, last is not NUL") << "ab\0c\0\0"s << 4u << 4u;
        QTest::newRow("only the NUL") << "\0\0\0"s << 1u << 0u;
        QTest::newRow("nothing written") << "\0\0\0"s << 0u << 0u;
        QTest::newRow("number 258 drops its high zero") << "\x02\x01\0\0"s << 4u << 3u;
        QTest::newRow("full buffer, no NUL") << "abcd"s << 4u << 4u;
        QTest::newRow("size beyond the buffer") << "abcd"s << 9u << 4u;
        // clang-format on
    }

    void keptRegistryLength()
    {
        QFETCH(std::string, buffer);
        QFETCH(quint32, size);
        QFETCH(quint32, expected);
        QCOMPARE(quint32(sysutil::keptRegistryLength(buffer, size)), expected);
    }

    void numberValueText_data()
    {
        QTest::addColumn<std::string>("kept");
        QTest::addColumn<std::wstring>("expected");
        QTest::addColumn<bool>("overflows");

        // clang-format off
        QTest::newRow("zero after the NUL rule") << "\0\0\0"s << L"0"s << false;
        QTest::newRow("small number") << "\x05\0\0"s << L"5"s << false;
        QTest::newRow("digits without leading zeros") << "\x02\x01\0"s << L"18"s << false;
        QTest::newRow("byte above 15 keeps two digits") << "\x1F\0\0"s << L"31"s << false;
        QTest::newRow("four digits are 16-bit") << "\xFF\xFF"s << L"-1"s << false;
        QTest::newRow("four bytes, high byte set") << "\x78\x56\x34\x12"s << L"305419896"s << false;
        QTest::newRow("eight digits are 32-bit") << "\xFF\xFF\xFF\xFF"s << L"-1"s << false;
        QTest::newRow("five digits are 32-bit") << "\x00\x00\xFF\x0F"s << L"1048320"s << false;
        QTest::newRow("no digits") << ""s << L"&h"s << false;
        QTest::newRow("ten digits overflow") << "\x10\x10\x10\x10\x10"s << L""s << true;
        // clang-format on
    }

    void numberValueText()
    {
        QFETCH(std::string, kept);
        QFETCH(std::wstring, expected);
        QFETCH(bool, overflows);
        try {
            const std::wstring text = sysutil::numberValueText(kept);
            QVERIFY(!overflows);
            QCOMPARE(text, expected);
        } catch (const Failure &failure) {
            QVERIFY(overflows);
            QCOMPARE(failure.code(), FailureCode::Overflow);
        }
    }

    void textRoutines_data()
    {
        QTest::addColumn<std::wstring>("text");
        QTest::addColumn<std::wstring>("trimmed");
        QTest::addColumn<std::wstring>("cut");

        // clang-format off
        QTest::newRow("NUL in the middle") << L"abc\0def"s << L"abc"s << L"abc"s;
        QTest::newRow("NUL first") << L"\0abc"s << L""s << L""s;
        QTest::newRow("blanks without NUL") << L"  abc  "s << L"abc"s << L"  abc  "s;
        QTest::newRow("blanks before a NUL stay") << L" abc \0"s << L" abc "s << L" abc "s;
        QTest::newRow("tabs are not blanks") << L"\tabc\t"s << L"\tabc\t"s << L"\tabc\t"s;
        QTest::newRow("only blanks") << L"    "s << L""s << L"    "s;
        QTest::newRow("empty") << L""s << L""s << L""s;
        QTest::newRow("buffer of blanks after NUL") << L"name\0    "s << L"name"s << L"name"s;
        // clang-format on
    }

    void textRoutines()
    {
        QFETCH(std::wstring, text);
        QFETCH(std::wstring, trimmed);
        QFETCH(std::wstring, cut);
        QCOMPARE(trimAtNull(text), trimmed);
        QCOMPARE(cutAtNull(text), cut);
    }

    void addBackslash_data()
    {
        QTest::addColumn<std::wstring>("path");
        QTest::addColumn<std::wstring>("expected");

        // clang-format off
        QTest::newRow("folder") << L"C:\\Temp"s << L"C:\\Temp\\"s;
        QTest::newRow("root stays") << L"C:\\"s << L"C:\\"s;
        QTest::newRow("empty") << L""s << L"\\"s;
        QTest::newRow("forward slash is no backslash") << L"C:/Temp/"s << L"C:/Temp/\\"s;
        // clang-format on
    }

    void addBackslash()
    {
        QFETCH(std::wstring, path);
        QFETCH(std::wstring, expected);
        QCOMPARE(sysutil::addBackslash(path), expected);
    }
};

QTEST_APPLESS_MAIN(TestClassRules)
#include "tst_classrules.moc"
