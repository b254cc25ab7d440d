// SPDX-License-Identifier: MIT
// The Windows settings store against the real registry (Wine's here): round
// trips of the captions a user meets, the classic layout, and the reactions
// to names and values it cannot keep.
#include "Expect.h"
#include "modules/win32/RegistrySettingsStore.h"

#include <windows.h>

using namespace orv;
using orv::win32::RegistrySettingsStore;

namespace {

const std::wstring kRoot = L"Software\\VB and VBA Program Settings";
const std::string kApplication = "OrvelBrowser Test";

std::wstring rawValue(const std::wstring &path, const wchar_t *name)
{
    wchar_t value[512] = L"";
    DWORD bytes = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, (kRoot + L'\\' + path).c_str(), name, RRF_RT_REG_SZ,
            nullptr, value, &bytes)
        != ERROR_SUCCESS)
        return L"<missing>";
    return value;
}

struct CleanRegistry
{
    CleanRegistry() { wipe(); }
    ~CleanRegistry() { wipe(); }
    static void wipe()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, (kRoot + L"\\OrvelBrowser Test").c_str());
    }
};

} // namespace

TEST_CASE("Captions, keys and values come back as saved, each apart from every other")
{
    CleanRegistry clean;
    const std::string prefix = "Harlund Webbrowser... Kategorie: ";
    const std::string longCaption = prefix + std::string(300 - prefix.size(), 'x');
    const std::string sections[] = { prefix + "Download", prefix + "Größe ÄÖÜ ß €", prefix + "a]b",
        "[x]", "a=b", "a;b", "#a", "a\\b", "\\", "\\\\", "a\\", "%5C", "%", "%25", "", " ",
        longCaption, longCaption + "\\y", std::string(255, 'z'), std::string(256, 'z'),
        "Ä" + std::string(299, 'q') };
    const std::pair<std::string, std::string> keysAndValues[] = { { "left", "1234" },
        { "windowstate", "" }, { "Größe", "Wert mit ä, ] = ; # \\ und\nZeilen" },
        { "", "der Standardwert des Schlüssels" }, { "width", std::string(20000, 'w') } };

    RegistrySettingsStore writer;
    for (const std::string &section : sections)
        for (const auto &[key, value] : keysAndValues)
            writer.SaveSetting(kApplication, section, key, section + '|' + value);
    RegistrySettingsStore reader;
    for (const std::string &section : sections) {
        CAPTURE(section);
        for (const auto &[key, value] : keysAndValues)
            CHECK(reader.GetSetting(kApplication, section, key, "?") == section + '|' + value);
        CHECK(reader.GetSetting(kApplication, section, "height", "default") == "default");
    }
    CHECK(reader.GetSetting(kApplication, prefix + "Support", "left", "0") == "0");
    CHECK(reader.GetSetting("OrvelBrowser Elsewhere", prefix + "Download", "left", "") == "");

    // A later save replaces the value.
    writer.SaveSetting(kApplication, "a=b", "left", "-5");
    CHECK(reader.GetSetting(kApplication, "a=b", "left", "") == "-5");
}

TEST_CASE("The registry holds the classic layout; long and odd captions as spelled keys")
{
    CleanRegistry clean;
    RegistrySettingsStore store;
    const std::string caption = "Harlund Webbrowser... Kategorie: Größe";
    store.SaveSetting(kApplication, caption, "top", "720");
    CHECK(rawValue(L"OrvelBrowser Test\\Harlund Webbrowser... Kategorie: Größe", L"top") == L"720");

    const std::wstring longName(300, L'n');
    CHECK(RegistrySettingsStore::keyPath(L"App", longName)
        == L"App\\" + std::wstring(255, L'n') + L'\\' + std::wstring(45, L'n'));
    CHECK(RegistrySettingsStore::keyPath(L"A%p\\p", L"") == L"A%25p%5Cp\\%");
    store.SaveSetting(kApplication, std::string(300, 'n'), "top", "1");
    CHECK(rawValue(RegistrySettingsStore::keyPath(L"OrvelBrowser Test", longName), L"top") == L"1");

    // Texts only: a number written by someone else reads as missing.
    const DWORD number = 7;
    RegSetKeyValueW(HKEY_CURRENT_USER,
        (kRoot + L"\\OrvelBrowser Test\\" + L"Harlund Webbrowser... Kategorie: Größe").c_str(),
        L"left", REG_DWORD, &number, sizeof number);
    CHECK(store.GetSetting(kApplication, caption, "left", "none") == "none");
}

TEST_CASE("What the store cannot keep fails clearly; reading it gives the default")
{
    CleanRegistry clean;
    RegistrySettingsStore store;
    const std::string malformed = "Kategorie \xC3\x28";
    for (int field = 0; field < 4; ++field) {
        CAPTURE(field);
        std::string texts[4] = { kApplication, "section", "key", "value" };
        texts[field] = malformed;
        CHECK(test::failureOf([&] { store.SaveSetting(texts[0], texts[1], texts[2], texts[3]); })
            == FailureCode::ControlFailed);
        if (field < 3)
            CHECK(store.GetSetting(texts[0], texts[1], texts[2], "default") == "default");
    }
    // A root the registry refuses: no part of a key name may be longer than 255 characters.
    RegistrySettingsStore refused(L"Software\\" + std::wstring(300, L'r'));
    CHECK(test::failureOf([&] { refused.SaveSetting(kApplication, "s", "k", "v"); })
        == FailureCode::ControlFailed);
    CHECK(refused.GetSetting(kApplication, "s", "k", "default") == "default");
}
