// SPDX-License-Identifier: MIT
#include "modules/IniFile.h"

#include <algorithm>
#include <cstdint>

namespace orv::ini {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

bool isNameChar(std::uint32_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'
        || c == '-' || c == '.';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Code points of a UTF-8 text; a byte that starts no valid sequence stands
// for itself, so that no text is lost on the way through a name.
std::vector<std::uint32_t> codePoints(std::string_view text)
{
    std::vector<std::uint32_t> points;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const int length = byte < 0x80 ? 1
            : (byte >> 5) == 6         ? 2
            : (byte >> 4) == 14        ? 3
            : (byte >> 3) == 30        ? 4
                                       : 0;
        std::uint32_t point = length == 1 ? byte
            : length == 2                 ? byte & 0x1F
            : length == 3                 ? byte & 0x0F
                                          : byte & 0x07;
        bool valid = length > 0 && i + std::size_t(length) <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + std::size_t(k)]);
            valid = (next & 0xC0) == 0x80;
            point = (point << 6) | (next & 0x3F);
        }
        if (!valid) {
            points.push_back(byte);
            ++i;
            continue;
        }
        points.push_back(point);
        i += std::size_t(length);
    }
    return points;
}

void appendUtf8(std::string &out, std::uint32_t point)
{
    if (point < 0x80) {
        out += char(point);
    } else if (point < 0x800) {
        out += char(0xC0 | (point >> 6));
        out += char(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += char(0xE0 | (point >> 12));
        out += char(0x80 | ((point >> 6) & 0x3F));
        out += char(0x80 | (point & 0x3F));
    } else {
        out += char(0xF0 | (point >> 18));
        out += char(0x80 | ((point >> 12) & 0x3F));
        out += char(0x80 | ((point >> 6) & 0x3F));
        out += char(0x80 | (point & 0x3F));
    }
}

void appendUnit(std::string &out, std::uint32_t unit, int digits)
{
    out += '%';
    if (digits == 4)
        out += 'U';
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += kHex[(unit >> shift) & 0xF];
}

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

} // namespace

std::string escapedName(std::string_view name)
{
    std::string spelt;
    for (const std::uint32_t point : codePoints(name)) {
        if (point == '/')
            spelt += '\\';
        else if (isNameChar(point))
            spelt += char(point);
        else if (point <= 0xFF)
            appendUnit(spelt, point, 2);
        else if (point <= 0xFFFF)
            appendUnit(spelt, point, 4);
        else {
            // Beyond the basic plane: the two halves of its UTF-16 pair.
            const std::uint32_t offset = point - 0x10000;
            appendUnit(spelt, 0xD800 + (offset >> 10), 4);
            appendUnit(spelt, 0xDC00 + (offset & 0x3FF), 4);
        }
    }
    return spelt;
}

std::string unescapedName(std::string_view spelt)
{
    std::string name;
    std::uint32_t highHalf = 0;
    const auto hexAt = [&](std::size_t at, int digits) -> int {
        if (at + std::size_t(digits) > spelt.size())
            return -1;
        int value = 0;
        for (int k = 0; k < digits; ++k) {
            const int digit = hexValue(spelt[at + std::size_t(k)]);
            if (digit < 0)
                return -1;
            value = value * 16 + digit;
        }
        return value;
    };
    for (std::size_t i = 0; i < spelt.size();) {
        std::uint32_t unit = 0;
        if (spelt[i] == '%' && i + 1 < spelt.size() && spelt[i + 1] == 'U'
            && hexAt(i + 2, 4) >= 0) {
            unit = std::uint32_t(hexAt(i + 2, 4));
            i += 6;
        } else if (spelt[i] == '%' && hexAt(i + 1, 2) >= 0) {
            unit = std::uint32_t(hexAt(i + 1, 2));
            i += 3;
        } else {
            name += spelt[i] == '\\' ? '/' : spelt[i];
            ++i;
            continue;
        }
        if (unit >= 0xD800 && unit < 0xDC00) {
            highHalf = unit;
            continue;
        }
        if (unit >= 0xDC00 && unit < 0xE000 && highHalf != 0)
            unit = 0x10000 + ((highHalf - 0xD800) << 10) + (unit - 0xDC00);
        highHalf = 0;
        appendUtf8(name, unit);
    }
    return name;
}

std::string escapedValue(std::string_view value)
{
    // A text starting with '@' would read as a typed value; doubling the
    // '@' keeps it a text, as the file's earlier writer did.
    const std::string text
        = (!value.empty() && value.front() == '@' ? "@" : "") + std::string(value);
    const bool plain = std::all_of(text.begin(), text.end(),
        [](char c) { return isNameChar(static_cast<unsigned char>(c)) || c == '+' || c == '@'; });
    if (plain)
        return text;
    std::string spelt = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            spelt += "\\\"";
            break;
        case '\\':
            spelt += "\\\\";
            break;
        case '\n':
            spelt += "\\n";
            break;
        case '\r':
            spelt += "\\r";
            break;
        case '\t':
            spelt += "\\t";
            break;
        case '\0':
            spelt += "\\0";
            break;
        default:
            spelt += c;
        }
    }
    return spelt + "\"";
}

std::optional<std::string> unescapedValue(std::string_view spelt)
{
    std::string value;
    bool quoted = false;
    std::size_t kept = 0; // length up to the last character that is not a trailing blank
    std::size_t i = spelt.find_first_not_of(" \t");
    for (; i != std::string_view::npos && i < spelt.size(); ++i) {
        const char c = spelt[i];
        if (c == '"') {
            quoted = !quoted;
            kept = value.size();
            continue;
        }
        if (c == '\\' && i + 1 < spelt.size()) {
            const char next = spelt[++i];
            switch (next) {
            case 'n':
                value += '\n';
                break;
            case 'r':
                value += '\r';
                break;
            case 't':
                value += '\t';
                break;
            case '0':
                value += '\0';
                break;
            default:
                value += next;
            }
            kept = value.size();
            continue;
        }
        if (!quoted && c == ',') {
            // A list of the earlier writer: its items joined as they stand.
            value.resize(kept);
            value += ',';
            i = spelt.find_first_not_of(" \t", i + 1) - 1;
            kept = value.size();
            continue;
        }
        value += c;
        if (quoted || (c != ' ' && c != '\t' && c != '\r'))
            kept = value.size();
    }
    if (quoted)
        return std::nullopt;
    value.resize(kept);
    if (value.size() >= 2 && value[0] == '@' && value[1] == '@')
        value.erase(0, 1);
    return value;
}

Document Document::parse(std::string_view text)
{
    Document document;
    document.m_sections.push_back({});
    bool brokenSection = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view raw = text.substr(start, end - start);
        start = end + 1;
        const std::string_view line = trimmed(raw);
        if (raw.find('\0') != std::string_view::npos) {
            document.m_clean = false;
            continue;
        }
        if (line.empty() || line.front() == ';' || line.front() == '#') {
            document.m_sections.back().lines.push_back({ {}, {}, std::string(raw) });
            continue;
        }
        if (line.front() == '[') {
            const auto close = line.find(']');
            brokenSection = close != line.size() - 1;
            if (brokenSection) {
                document.m_clean = false;
                continue;
            }
            document.m_sections.push_back(
                { unescapedName(line.substr(1, close - 1)), std::string(raw), {} });
            continue;
        }
        const auto equals = line.find('=');
        const std::string_view key = equals == std::string_view::npos
            ? std::string_view()
            : trimmed(line.substr(0, equals));
        const auto value = key.empty() ? std::nullopt : unescapedValue(line.substr(equals + 1));
        if (!value || brokenSection) {
            document.m_clean = false;
            continue;
        }
        document.m_sections.back().lines.push_back(
            { unescapedName(key), *value, std::string(raw) });
    }
    return document;
}

std::optional<std::string> Document::value(std::string_view section, std::string_view key) const
{
    std::optional<std::string> found;
    for (const Section &candidate : m_sections) {
        if (candidate.header.empty() || candidate.name != section)
            continue;
        for (const Line &line : candidate.lines) {
            if (!line.key.empty() && line.key == key)
                found = line.value;
        }
    }
    return found;
}

void Document::set(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string raw = escapedName(key) + '=' + escapedValue(value);
    Line *last = nullptr;
    Section *lastSection = nullptr;
    for (Section &candidate : m_sections) {
        if (candidate.header.empty() || candidate.name != section)
            continue;
        lastSection = &candidate;
        for (Line &line : candidate.lines) {
            if (!line.key.empty() && line.key == key)
                last = &line;
        }
    }
    if (last) {
        if (last->value != value)
            *last = { std::string(key), std::string(value), raw };
        return;
    }
    if (!lastSection) {
        m_sections.push_back({ std::string(section), '[' + escapedName(section) + ']', {}, true });
        lastSection = &m_sections.back();
    }
    auto &lines = lastSection->lines;
    auto at = lines.end();
    while (at != lines.begin() && trimmed(std::prev(at)->raw).empty())
        --at;
    lines.insert(at, { std::string(key), std::string(value), raw });
}

void Document::removeSection(std::string_view section)
{
    std::erase_if(m_sections, [&](const Section &candidate) {
        return !candidate.header.empty() && candidate.name == section;
    });
}

bool Document::hasSection(std::string_view section) const
{
    return std::any_of(m_sections.begin(), m_sections.end(), [&](const Section &candidate) {
        return !candidate.header.empty() && candidate.name == section;
    });
}

std::string Document::text() const
{
    std::string text;
    for (const Section &section : m_sections) {
        // Sections stand apart by a blank line, as the earlier writer kept them.
        if (section.added && !text.empty()) {
            const std::size_t end = text.size() - 1; // the last line's '\n'
            const std::size_t before = end == 0 ? std::string::npos : text.rfind('\n', end - 1);
            const std::size_t start = before == std::string::npos ? 0 : before + 1;
            if (!trimmed(std::string_view(text).substr(start, end - start)).empty())
                text += '\n';
        }
        if (!section.header.empty())
            text += section.header + '\n';
        for (const Line &line : section.lines)
            text += line.raw + '\n';
    }
    return text;
}

} // namespace orv::ini
