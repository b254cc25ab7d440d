// SPDX-License-Identifier: MIT
#include "modules/win32/RegistrySettingsStore.h"

#include "core/Failure.h"

#include <optional>
#include <string_view>
#include <windows.h>

namespace orv::win32 {

namespace {

constexpr std::size_t kKeyNameLimit = 255;

// Strictly: a malformed text would otherwise turn into U+FFFD and meet
// another name that turned into the same.
std::optional<std::wstring> wide(const std::string &text)
{
    if (text.empty())
        return std::wstring();
    const int size = MultiByteToWideChar(
        CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0)
        return std::nullopt;
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
        result.data(), size);
    return result;
}

std::string utf8(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(
        CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(std::max(size, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
        nullptr, nullptr);
    return result;
}

void appendKeyName(std::wstring &path, const std::wstring &name)
{
    std::wstring spelled;
    for (const wchar_t c : name) {
        if (c == L'%')
            spelled += L"%25";
        else if (c == L'\\')
            spelled += L"%5C";
        else
            spelled += c;
    }
    if (spelled.empty())
        spelled = L"%";
    for (std::size_t at = 0; at < spelled.size(); at += kKeyNameLimit) {
        if (!path.empty())
            path += L'\\';
        path += spelled.substr(at, kKeyNameLimit);
    }
}

} // namespace

RegistrySettingsStore::RegistrySettingsStore(std::wstring root) : m_root(std::move(root))
{
}

std::wstring RegistrySettingsStore::keyPath(
    const std::wstring &application, const std::wstring &section)
{
    std::wstring path;
    appendKeyName(path, application);
    appendKeyName(path, section);
    return path;
}

std::string RegistrySettingsStore::GetSetting(const std::string &application,
    const std::string &section, const std::string &key, const std::string &defaultValue)
{
    const auto wideApplication = wide(application);
    const auto wideSection = wide(section);
    const auto name = wide(key);
    if (!wideApplication || !wideSection || !name)
        return defaultValue; // nothing can have been saved under such a name
    const std::wstring path = m_root + L'\\' + keyPath(*wideApplication, *wideSection);
    // Texts only; a value of another type, as a missing one, gives the default.
    const DWORD flags = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    std::wstring value;
    for (;;) {
        DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
        const LONG result = RegGetValueW(
            HKEY_CURRENT_USER, path.c_str(), name->c_str(), flags, nullptr, value.data(), &bytes);
        if (result == ERROR_SUCCESS) {
            value.resize(bytes / sizeof(wchar_t));
            while (!value.empty() && value.back() == L'\0')
                value.pop_back();
            return utf8(value);
        }
        // Too small (the value may also have grown meanwhile): once more with its size.
        if (result != ERROR_MORE_DATA)
            return defaultValue;
        value.assign(bytes / sizeof(wchar_t) + 1, L'\0');
    }
}

void RegistrySettingsStore::SaveSetting(const std::string &application, const std::string &section,
    const std::string &key, const std::string &value)
{
    const auto wideApplication = wide(application);
    const auto wideSection = wide(section);
    const auto name = wide(key);
    const auto text = wide(value);
    if (!wideApplication || !wideSection || !name || !text)
        fail(FailureCode::ControlFailed, "settings: a name or value that is not UTF-8 text");
    const std::wstring path = m_root + L'\\' + keyPath(*wideApplication, *wideSection);
    HKEY handle = nullptr;
    LONG result = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr,
        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &handle, nullptr);
    if (result == ERROR_SUCCESS) {
        result = RegSetValueExW(handle, name->c_str(), 0, REG_SZ,
            reinterpret_cast<const BYTE *>(text->c_str()),
            static_cast<DWORD>((text->size() + 1) * sizeof(wchar_t)));
        RegCloseKey(handle);
    }
    if (result != ERROR_SUCCESS)
        fail(FailureCode::ControlFailed,
            "settings: cannot keep \"" + key + "\" of \"" + section + "\" (error "
                + std::to_string(result) + ')');
}

} // namespace orv::win32
