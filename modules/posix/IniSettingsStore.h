// SPDX-License-Identifier: MIT
#pragma once

// The settings store of the Linux build: one INI file per application
// (~/.config/OrvelBrowser/OrvelBrowser.ini), read once when the store is
// made and answered from memory. What is saved is kept in memory until
// flush(), which writes the whole file at once: under a lock, merged with
// what another process wrote meanwhile, into a new file that replaces the
// old one by rename, so a close killed at any moment leaves the old or the
// new file, never a mix. A file that did not read cleanly is kept beside it
// (<file>.defekt-YYYYMMDD-HHMMSS) before it is first written.

#include "modules/IniFile.h"
#include "modules/SettingsStore.h"

#include <functional>
#include <string>
#include <vector>

namespace orv {

class IniSettingsStore : public SettingsStore
{
public:
    // Told of each file kept aside, in one line.
    using Log = std::function<void(const std::string &line)>;

    // <config>/<application>/<application>.ini, where <config> is
    // $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
    static std::string fileFor(const std::string &application);

    explicit IniSettingsStore(std::string file, Log log = {});

    // The store holds one application's file; the name is not consulted.
    std::string GetSetting(const std::string &application, const std::string &section,
        const std::string &key, const std::string &defaultValue) override;
    void SaveSetting(const std::string &application, const std::string &section,
        const std::string &key, const std::string &value) override;
    void flush() override;

    // Drops a section at the next flush (settings of an earlier version).
    void removeSection(const std::string &section);

    const std::string &file() const { return m_file; }

private:
    struct Change
    {
        std::string section;
        std::string key; // empty: the section goes
        std::string value;
    };

    static void apply(ini::Document &document, const Change &change);

    std::string m_file;
    Log m_log;
    ini::Document m_document;
    std::vector<Change> m_changes;
};

} // namespace orv
