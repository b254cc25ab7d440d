// SPDX-License-Identifier: MIT
// The Linux backend's shell file operations: copy and move in the file
// system, and the freedesktop trash as the recycle bin.
#include "platform/posix/Services.h"
#include "platform/posix/State.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <filesystem>
#include <fnmatch.h>

namespace orv::platform {

using namespace posix;
namespace fs = std::filesystem;

namespace {

// The first path of a path list (path, NUL, ..., NUL).
std::string firstPath(const std::wstring &list)
{
    return nativePath(std::wstring_view(list).substr(0, list.find(L'\0')));
}

// Paths a shell pattern (with * and ?) names; the path itself without one.
std::vector<fs::path> expand(const fs::path &pattern)
{
    const std::string name = pattern.filename().string();
    if (name.find_first_of("*?") == std::string::npos)
        return { pattern };
    std::vector<fs::path> found;
    std::error_code error;
    const fs::path folder = pattern.has_parent_path() ? pattern.parent_path() : fs::path(".");
    for (const auto &entry : fs::directory_iterator(folder, error)) {
        if (::fnmatch(name.c_str(), entry.path().filename().c_str(), FNM_PERIOD) == 0)
            found.push_back(entry.path());
    }
    return found;
}

// Copies or moves one item; an existing target is not replaced (the shell
// would ask first, and nobody is there to answer).
bool transfer(const fs::path &from, const fs::path &toGiven, bool move)
{
    std::error_code error;
    fs::path to = toGiven;
    if (fs::is_directory(to, error))
        to /= from.filename();
    if (fs::exists(fs::symlink_status(to, error)) || !fs::exists(fs::symlink_status(from, error)))
        return false;
    if (move) {
        fs::rename(from, to, error);
        if (!error)
            return true;
        if (error != std::errc::cross_device_link)
            return false;
        error.clear();
    }
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
    if (error)
        return false;
    if (move)
        fs::remove_all(from, error);
    return !error;
}

// The freedesktop trash is Qt's. Qt 6.4 makes the trash folder but not the
// data folder that holds it, which a fresh account may not have yet, and
// without one it files the item under the working folder: make it first.
bool moveToTrash(const fs::path &item)
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return !dataHome.isEmpty() && QDir().mkpath(dataHome)
        && QFile::moveToTrash(QFile::decodeName(item.c_str()));
}

} // namespace

std::int32_t SystemPlatform::shFileOperation(FileOperationRecord &record)
{
    record.aborted = false;
    const std::vector<fs::path> sources = expand(firstPath(record.from));
    if (sources.empty())
        return 2;
    bool done = true;
    for (const fs::path &source : sources) {
        switch (record.function) {
        case 1: // move
        case 2: // copy
            done = record.to && transfer(source, firstPath(*record.to), record.function == 1)
                && done;
            break;
        case 3: { // delete: to the trash when it may be undone
            std::error_code error;
            if (record.flags & 0x40)
                done = moveToTrash(source) && done;
            else
                done = fs::remove_all(source, error) > 0 && !error && done;
            break;
        }
        default:
            return 0x7C; // not a function of the shell
        }
    }
    return done ? 0 : 0x7C;
}

} // namespace orv::platform
