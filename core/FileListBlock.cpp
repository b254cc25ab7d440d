// SPDX-License-Identifier: MIT
#include "core/FileListBlock.h"

#include <cstdint>
#include <cstring>

namespace orv {

std::string fileListBlock(const std::vector<std::string> &names)
{
    std::string block(20, '\0');
    block[0] = 20;
    for (const std::string &name : names) {
        block += name;
        block.push_back('\0');
    }
    block.push_back('\0');
    return block;
}

std::vector<std::string> fileListNames(std::string_view block)
{
    std::vector<std::string> names;
    if (block.size() < 20)
        return names;
    std::uint32_t offset = 0;
    std::memcpy(&offset, block.data(), 4);
    std::uint32_t wide = 0;
    std::memcpy(&wide, block.data() + 16, 4);
    if (wide != 0)
        return names; // only lists of 8-bit names come from this system
    for (std::size_t at = offset; at < block.size() && block[at] != '\0';) {
        std::size_t end = block.find('\0', at);
        if (end == std::string_view::npos)
            end = block.size();
        names.emplace_back(block.substr(at, end - at));
        at = end + 1;
    }
    return names;
}

} // namespace orv
