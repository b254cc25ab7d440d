// SPDX-License-Identifier: MIT
#pragma once

// The settings store of the Windows program: the classic per-user layout of
// application settings in the registry,
//   HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>
// with each key a REG_SZ value of that name. Where a name cannot be a
// registry key as it is, it is spelled so that it can, and read back the same
// way (see keyPath). Like every registry key, application and section names
// are compared without regard to case; keys (value names) likewise.

#include "modules/SettingsStore.h"

#include <string>

namespace orv::win32 {

class RegistrySettingsStore final : public SettingsStore
{
public:
    // root: the key under HKEY_CURRENT_USER that holds the applications.
    explicit RegistrySettingsStore(std::wstring root = L"Software\\VB and VBA Program Settings");

    std::string GetSetting(const std::string &application, const std::string &section,
        const std::string &key, const std::string &defaultValue) override;
    void SaveSetting(const std::string &application, const std::string &section,
        const std::string &key, const std::string &value) override;

    // The key of a section below the root. A key name holds at most 255
    // characters and no '\': application and section each have '%' written
    // as %25 and '\' as %5C, an empty name as "%", and then are cut into
    // pieces of 255 characters, each a key inside the one before. A name
    // that needs none of this (the usual caption) is its key as it is.
    static std::wstring keyPath(const std::wstring &application, const std::wstring &section);

private:
    std::wstring m_root;
};

} // namespace orv::win32
