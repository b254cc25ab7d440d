// SPDX-License-Identifier: MIT
#pragma once

// The address box's history: most recent first, each text at most once,
// unlimited, never saved. Texts are UTF-8 and compared exactly.

#include <string>
#include <string_view>
#include <vector>

namespace orv {

class AddressHistory
{
public:
    // The text the box keeps after Enter: "http://" + text when its first
    // three characters are "www" in any case, else the text unchanged.
    static std::string completed(std::string_view typed);

    struct Remembered
    {
        int index = 0; // where the entry is
        bool added = false; // it is new, in front
    };
    // Puts text in front unless an equal entry (exact, case-sensitive) exists.
    Remembered remember(const std::string &text);
    // Moves entry index to the front, the entries before it one place back;
    // an index outside the history fails with SubscriptOutOfRange.
    std::string moveToFront(int index);

    const std::vector<std::string> &entries() const { return m_entries; }

private:
    std::vector<std::string> m_entries;
};

} // namespace orv
