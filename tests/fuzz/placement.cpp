// SPDX-License-Identifier: MIT
// The window placement read back from the settings store: five values, one
// a line, from a store in memory; then the same bytes as the settings file a
// person may have edited. A value that is no number fails the load (the
// caller traps it); nothing else may go wrong, and what the file's reader
// understood reads back the same after it is written.
#include "FakePlacementWindow.h"
#include "Fuzz.h"
#include "MemorySettingsStore.h"
#include "core/Failure.h"
#include "modules/IniFile.h"
#include "modules/SettingsStore.h"

using namespace orv;

namespace {

void load(SettingsStore &store)
{
    test::FakePlacementWindow window;
    try {
        LoadWindowPlacement(window, store);
    } catch (const Failure &) {
    }
    FUZZ_CHECK(window.m_state >= 0 && window.m_state <= 2);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    const std::string caption = test::FakePlacementWindow().m_caption;
    const char *keys[] = { "left", "top", "width", "height", "windowstate" };
    test::MemorySettingsStore memory;
    std::size_t start = 0;
    for (const char *key : keys) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        memory.set(caption, key, text.substr(start, end - start));
        start = std::min(end + 1, text.size());
    }
    load(memory);

    // The bytes as the settings file: loaded through a store over it, then
    // written with a change and read again.
    ini::Document document = ini::Document::parse(text);
    test::MemorySettingsStore file;
    for (const char *key : keys) {
        if (const auto value = document.value(caption, key))
            file.set(caption, key, *value);
    }
    load(file);
    document.set(caption, "left", "1440");
    const ini::Document reread = ini::Document::parse(document.text());
    FUZZ_CHECK(reread.clean());
    for (const char *key : keys)
        FUZZ_CHECK(reread.value(caption, key) == document.value(caption, key));
    return 0;
}
