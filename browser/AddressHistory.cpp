// SPDX-License-Identifier: MIT
#include "browser/AddressHistory.h"

#include "core/Failure.h"

#include <algorithm>

namespace orv {

std::string AddressHistory::completed(std::string_view typed)
{
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    };
    if (typed.size() >= 3 && lower(typed[0]) == 'w' && lower(typed[1]) == 'w'
        && lower(typed[2]) == 'w')
        return "http://" + std::string(typed);
    return std::string(typed);
}

AddressHistory::Remembered AddressHistory::remember(const std::string &text)
{
    const auto found = std::find(m_entries.cbegin(), m_entries.cend(), text);
    if (found != m_entries.cend())
        return { int(found - m_entries.cbegin()), false };
    m_entries.insert(m_entries.begin(), text);
    return { 0, true };
}

std::string AddressHistory::moveToFront(int index)
{
    if (index < 0 || std::size_t(index) >= m_entries.size())
        fail(FailureCode::SubscriptOutOfRange, "No address list entry " + std::to_string(index));
    const auto picked = m_entries.begin() + index;
    std::rotate(m_entries.begin(), picked, picked + 1);
    return m_entries.front();
}

} // namespace orv
