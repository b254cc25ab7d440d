// SPDX-License-Identifier: MIT
#include "platform/posix/RegistryFile.h"

#include "platform/Platform.h"

#include <array>
#include <charconv>
#include <utility>

namespace orv::platform {

namespace {

std::string lowered(std::string_view text)
{
    std::string result(text);
    for (char &c : result) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return result;
}

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\r';
    };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A quoted text with \\ and \" escapes at the start of text; the rest follows.
std::optional<std::pair<std::string, std::string_view>> readQuoted(std::string_view text)
{
    if (text.empty() || text.front() != '"')
        return std::nullopt;
    std::string result;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            result += text[++i];
        } else if (text[i] == '"') {
            return std::make_pair(result, text.substr(i + 1));
        } else {
            result += text[i];
        }
    }
    return std::nullopt;
}

std::optional<std::string> readHexBytes(std::string_view text)
{
    std::string bytes;
    while (!(text = trimmed(text)).empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = trimmed(text.substr(0, comma));
        unsigned value = 0;
        const auto [end, error]
            = std::from_chars(item.data(), item.data() + item.size(), value, 16);
        if (item.empty() || error != std::errc() || end != item.data() + item.size()
            || value > 0xFF)
            return std::nullopt;
        bytes += static_cast<char>(value);
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return bytes;
}

// The value part after '=': nullopt when it does not parse; a value of type
// kDeleted removes the name.
constexpr std::uint32_t kDeleted = 0xFFFFFFFF;

std::optional<RegistryValue> readValue(std::string_view text)
{
    text = trimmed(text);
    if (text == "-")
        return RegistryValue { kDeleted, {} };
    if (const auto quoted = readQuoted(text)) {
        if (!trimmed(quoted->second).empty())
            return std::nullopt;
        return RegistryValue { kRegText, quoted->first + '\0' };
    }
    if (text.starts_with("dword:")) {
        const std::string_view digits = text.substr(6);
        std::uint32_t number = 0;
        const auto [end, error]
            = std::from_chars(digits.data(), digits.data() + digits.size(), number, 16);
        if (digits.empty() || digits.size() > 8 || error != std::errc()
            || end != digits.data() + digits.size())
            return std::nullopt;
        std::string bytes;
        for (int shift = 0; shift < 32; shift += 8)
            bytes += static_cast<char>((number >> shift) & 0xFF);
        return RegistryValue { kRegNumber, bytes };
    }
    std::uint32_t type = kRegBinary;
    if (text.starts_with("hex(")) {
        const std::size_t close = text.find("):");
        if (close == std::string_view::npos)
            return std::nullopt;
        const std::string_view digits = text.substr(4, close - 4);
        const auto [end, error]
            = std::from_chars(digits.data(), digits.data() + digits.size(), type, 16);
        if (error != std::errc() || end != digits.data() + digits.size())
            return std::nullopt;
        text.remove_prefix(close + 2);
    } else if (text.starts_with("hex:")) {
        text.remove_prefix(4);
    } else {
        return std::nullopt;
    }
    const auto bytes = readHexBytes(text);
    if (!bytes)
        return std::nullopt;
    return RegistryValue { type, *bytes };
}

// The next line, joined with its continuations: a long hex list goes on in
// the next line after a closing backslash.
std::string logicalLine(std::string_view &text)
{
    std::string line;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        line += trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.back() != '\\')
            break;
        line.pop_back();
    }
    return line;
}

bool isKnownRoot(std::uint32_t root)
{
    return root == kHkeyClassesRoot || root == kHkeyCurrentUser || root == kHkeyLocalMachine
        || root == kHkeyUsers || root == kHkeyCurrentConfig;
}

} // namespace

std::optional<std::uint32_t> RegistryFile::rootByName(std::string_view name)
{
    static constexpr std::array<std::pair<std::string_view, std::uint32_t>, 10> kRoots { {
        { "hkey_classes_root", kHkeyClassesRoot },
        { "hkcr", kHkeyClassesRoot },
        { "hkey_current_user", kHkeyCurrentUser },
        { "hkcu", kHkeyCurrentUser },
        { "hkey_local_machine", kHkeyLocalMachine },
        { "hklm", kHkeyLocalMachine },
        { "hkey_users", kHkeyUsers },
        { "hku", kHkeyUsers },
        { "hkey_current_config", kHkeyCurrentConfig },
        { "hkcc", kHkeyCurrentConfig },
    } };
    const std::string key = lowered(name);
    for (const auto &[rootName, root] : kRoots) {
        if (rootName == key)
            return root;
    }
    return std::nullopt;
}

std::string RegistryFile::keyId(std::uint32_t root, std::string_view subKey)
{
    while (!subKey.empty() && subKey.front() == '\\')
        subKey.remove_prefix(1);
    while (!subKey.empty() && subKey.back() == '\\')
        subKey.remove_suffix(1);
    std::string id = std::to_string(root);
    if (!subKey.empty())
        id += '\\' + lowered(subKey);
    return id;
}

void RegistryFile::load(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3); // a byte-order mark some editors write
    std::optional<std::string> currentKey; // nullopt: inside an unknown or deleted key
    while (!text.empty()) {
        const std::string line = logicalLine(text);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            currentKey.reset();
            const std::size_t close = line.rfind(']');
            if (close == std::string::npos)
                continue;
            std::string_view path = std::string_view(line).substr(1, close - 1);
            const bool deleting = path.starts_with("-");
            if (deleting)
                path.remove_prefix(1);
            const std::size_t separator = path.find('\\');
            const auto root = rootByName(path.substr(0, separator));
            if (!root)
                continue;
            const std::string id = keyId(
                *root, separator == std::string_view::npos ? "" : path.substr(separator + 1));
            if (deleting) {
                std::erase_if(m_keys, [&](const auto &entry) {
                    return entry.first == id || entry.first.starts_with(id + '\\');
                });
                continue;
            }
            m_keys[id];
            currentKey = id;
            continue;
        }
        if (!currentKey)
            continue;
        std::string name;
        std::string_view rest;
        if (line.front() == '@') {
            rest = std::string_view(line).substr(1);
        } else if (const auto quoted = readQuoted(line)) {
            name = lowered(quoted->first);
            rest = quoted->second;
        } else {
            continue;
        }
        rest = trimmed(rest);
        if (rest.empty() || rest.front() != '=')
            continue;
        const auto value = readValue(rest.substr(1));
        if (!value)
            continue;
        auto &values = m_keys[*currentKey];
        if (value->type == kDeleted)
            values.erase(name);
        else
            values[name] = *value;
    }
}

void RegistryFile::setValue(
    std::uint32_t root, std::string_view subKey, std::string_view name, RegistryValue value)
{
    m_keys[keyId(root, subKey)][lowered(name)] = std::move(value);
}

bool RegistryFile::keyExists(std::uint32_t root, std::string_view subKey) const
{
    if (!isKnownRoot(root))
        return false;
    const std::string id = keyId(root, subKey);
    if (id.find('\\') == std::string::npos || m_keys.contains(id))
        return true; // a predefined root always exists
    // A key named only as the parent of another exists too.
    const std::string parent = id + '\\';
    const auto below = m_keys.lower_bound(parent);
    return below != m_keys.end() && below->first.starts_with(parent);
}

std::optional<RegistryValue> RegistryFile::value(
    std::uint32_t root, std::string_view subKey, std::string_view name) const
{
    const auto key = m_keys.find(keyId(root, subKey));
    if (key == m_keys.end())
        return std::nullopt;
    const auto found = key->second.find(lowered(name));
    if (found == key->second.end())
        return std::nullopt;
    return found->second;
}

} // namespace orv::platform
