// SPDX-License-Identifier: MIT
#pragma once

// The per-user settings store: texts addressed by application, section and
// key, in UTF-8. A read names the default returned for a missing key.

#include <string>

namespace orv {

class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    virtual std::string GetSetting(const std::string &application, const std::string &section,
        const std::string &key, const std::string &defaultValue)
        = 0;
    // Throws Failure(ControlFailed) when the store cannot keep the value.
    virtual void SaveSetting(const std::string &application, const std::string &section,
        const std::string &key, const std::string &value)
        = 0;
    // Writes what was saved since the last flush; a failed write throws
    // Failure(ControlFailed). Stores that write at once need not override it.
    virtual void flush() { }
};

} // namespace orv
