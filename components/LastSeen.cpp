// SPDX-License-Identifier: MIT
#include "components/LastSeen.h"

#include "resources/Texts.h"

#include <algorithm>
#include <cstdio>

namespace orv {

namespace {

constexpr std::string_view kCopySuffix = ".mhtml";
constexpr std::string_view kTempSuffix = ".part";
constexpr std::size_t kHashDigits = 16;

std::string hex(std::uint64_t value, std::size_t digits)
{
    std::string text(digits, '0');
    for (std::size_t i = digits; i-- > 0; value >>= 4)
        text[i] = "0123456789abcdef"[value & 0xf];
    return text;
}

// FNV-1a: stable across builds and runs, unlike std::hash.
std::uint64_t hashOf(std::string_view text)
{
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

bool isCopyName(std::string_view name)
{
    return name.size() == kHashDigits + kCopySuffix.size() && name.ends_with(kCopySuffix)
        && name.find_first_not_of("0123456789abcdef") == kHashDigits;
}

} // namespace

std::string lastSeenKey(std::string_view address)
{
    std::string key(address.substr(0, address.find('#')));
    const std::size_t schemeEnd = key.find("://");
    if (schemeEnd == std::string::npos)
        return key;
    std::size_t pathStart = key.find_first_of("/?", schemeEnd + 3);
    if (pathStart == std::string::npos)
        pathStart = key.size();
    std::transform(key.begin(), key.begin() + std::ptrdiff_t(pathStart), key.begin(),
        [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    const std::string_view scheme(key.data(), schemeEnd);
    const std::string_view port = scheme == "http" ? ":80" : scheme == "https" ? ":443" : "";
    if (!port.empty() && std::string_view(key).substr(0, pathStart).ends_with(port)) {
        key.erase(pathStart - port.size(), port.size());
        pathStart -= port.size();
    }
    if (pathStart == key.size() || key[pathStart] == '?')
        key.insert(pathStart, "/");
    return key;
}

std::string lastSeenFileName(std::string_view address)
{
    return hex(hashOf(lastSeenKey(address)), kHashDigits) + std::string(kCopySuffix);
}

std::string lastSeenTempName(std::string_view fileName, std::uint64_t unique)
{
    return std::string(fileName) + "." + hex(unique, 12) + std::string(kTempSuffix);
}

std::vector<std::string> lastSeenFilesToDrop(std::vector<StoredFile> files, std::uint64_t limit,
    std::string_view justWritten, std::int64_t now)
{
    std::vector<std::string> drop;
    std::uint64_t total = 0;
    bool keepNewest = false;
    std::erase_if(files, [&](const StoredFile &file) {
        if (isCopyName(file.name)) {
            total += file.size;
            keepNewest = keepNewest || (file.name == justWritten && file.size <= limit);
            return false;
        }
        if (file.name.ends_with(kTempSuffix) && now - file.modified > kLastSeenStaleTempSeconds)
            drop.push_back(file.name);
        return true;
    });
    std::sort(files.begin(), files.end(), [](const StoredFile &a, const StoredFile &b) {
        return a.modified != b.modified ? a.modified < b.modified : a.name < b.name;
    });
    for (const StoredFile &file : files) {
        if (total <= limit)
            break;
        if (keepNewest && file.name == justWritten)
            continue;
        drop.push_back(file.name);
        total -= file.size;
    }
    return drop;
}

std::string lastSeenBanner(std::chrono::sys_seconds savedAt, std::chrono::minutes utcOffset)
{
    using namespace std::chrono;
    const sys_seconds local = savedAt + utcOffset;
    const sys_days day = floor<days>(local);
    const year_month_day date(day);
    const hh_mm_ss time(floor<minutes>(local - day));
    char text[48];
    std::snprintf(text, sizeof text, "%02u.%02u.%04d, %02d:%02d", unsigned(date.day()),
        unsigned(date.month()), int(date.year()), int(time.hours().count()),
        int(time.minutes().count()));
    return std::string(texts::pages::lastSeenBefore) + text
        + std::string(texts::pages::lastSeenAfter);
}

std::string lastSeenBannerScript(std::string_view banner)
{
    std::string literal = "\"";
    for (const char c : banner) {
        if (c == '"' || c == '\\')
            literal += '\\';
        if (static_cast<unsigned char>(c) < 0x20)
            literal += "\\u00" + hex(static_cast<unsigned char>(c), 2);
        else
            literal += c;
    }
    literal += '"';
    // Sticky at the top of the page, above whatever the page itself puts there.
    return "(function(){if(document.getElementById('lastseen-banner'))return;"
           "var b=document.createElement('div');b.id='lastseen-banner';"
           "b.setAttribute('role','status');b.textContent="
        + literal
        + ";b.style.cssText='position:sticky;top:0;z-index:2147483647;margin:0 0 .5em;"
          "padding:.6em 1em;background:#fff3c4;color:#222;border-bottom:2px solid #8b0304;"
          "font:bold 14px sans-serif;text-align:left';"
          "var p=document.body||document.documentElement;p.insertBefore(b,p.firstChild);})()";
}

} // namespace orv
