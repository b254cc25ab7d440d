// SPDX-License-Identifier: MIT
#pragma once

// A settings store in memory that can be told to fail from the n-th write on.

#include "core/Failure.h"
#include "modules/SettingsStore.h"

#include <map>
#include <string>
#include <vector>

namespace orv::test {

class MemorySettingsStore : public SettingsStore
{
public:
    std::string GetSetting(const std::string &application, const std::string &section,
        const std::string &key, const std::string &defaultValue) override
    {
        reads.push_back(key);
        const auto found = values.find(path(application, section, key));
        return found == values.end() ? defaultValue : found->second;
    }

    void SaveSetting(const std::string &application, const std::string &section,
        const std::string &key, const std::string &value) override
    {
        if (failFromWrite >= 0 && int(writes.size()) >= failFromWrite)
            fail(FailureCode::ControlFailed, "store not writable");
        writes.push_back(key);
        values[path(application, section, key)] = value;
    }

    void flush() override { ++flushes; }

    static std::string path(
        const std::string &application, const std::string &section, const std::string &key)
    {
        return application + '|' + section + '|' + key;
    }

    std::string value(const std::string &section, const std::string &key) const
    {
        const auto found = values.find(path("OrvelBrowser", section, key));
        return found == values.end() ? std::string() : found->second;
    }
    void set(const std::string &section, const std::string &key, const std::string &value)
    {
        values[path("OrvelBrowser", section, key)] = value;
    }

    std::map<std::string, std::string> values;
    std::vector<std::string> reads;
    std::vector<std::string> writes;
    int failFromWrite = -1; // index of the first write that fails; -1: none
    int flushes = 0;
};

} // namespace orv::test
