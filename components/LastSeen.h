// SPDX-License-Identifier: MIT
#pragma once

// The last good copy of a page, kept for when its server cannot be reached:
// one file per address in a folder of the user's cache, at most so many
// bytes in all, the oldest dropped first; and the line above a copy that
// says it is one and when it was made. The front end writes and reads the
// files and shows the copy; what the files are called, which go, and what
// the line says are decided here.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// All copies together stay below this.
inline constexpr std::uint64_t kLastSeenLimit = 50ull * 1024 * 1024;
// A copy still being written under its temporary name that is older than
// this was left by a process that ended meanwhile.
inline constexpr std::int64_t kLastSeenStaleTempSeconds = 3600;

// The address as copies are filed: without its fragment, scheme and host in
// lower case, without the scheme's default port, with "/" for an empty path.
std::string lastSeenKey(std::string_view address);
// The copy's file name: the key's hash in hex and ".mhtml"; the same
// address always gives the same name, and no name holds a path character.
std::string lastSeenFileName(std::string_view address);
// Where a copy is written before it replaces the older one; unique tells
// the writers apart (process and count).
std::string lastSeenTempName(std::string_view fileName, std::uint64_t unique);

struct StoredFile
{
    std::string name;
    std::uint64_t size = 0;
    std::int64_t modified = 0; // seconds since 1970 (UTC)
};

// The files of the folder to remove so that the copies stay within the
// limit: the oldest first, never the one just written if it alone fits;
// and temporary files left over from ended processes. Other files are
// not ours and stay.
std::vector<std::string> lastSeenFilesToDrop(std::vector<StoredFile> files, std::uint64_t limit,
    std::string_view justWritten, std::int64_t now);

// "Gespeicherte Fassung vom 05.12.2026, 14:03 — keine Verbindung zum
// Server", in the local time of the save (UTC plus the offset).
std::string lastSeenBanner(std::chrono::sys_seconds savedAt, std::chrono::minutes utcOffset);
// A script that puts the banner on top of the page shown, once.
std::string lastSeenBannerScript(std::string_view banner);

} // namespace orv
