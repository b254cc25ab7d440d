// SPDX-License-Identifier: MIT
// The Linux backend's shell file operations: copy and move in the file
// system, and the freedesktop trash as the recycle bin.
#include "platform/posix/State.h"
#include "platform/posix/Services.h"

#include <QStandardPaths>
#include <QUrl>

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fnmatch.h>
#include <unistd.h>

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

std::string percentEncoded(const std::string &path)
{
    return QString::fromUtf8(QUrl::toPercentEncoding(QString::fromStdString(path), "/"))
        .toStdString();
}

// Moves a file or folder into the freedesktop trash of the user: the
// .trashinfo first (made exclusively, which reserves the name), then the item.
bool moveToTrash(const fs::path &item)
{
    std::error_code error;
    const fs::path absolute = fs::absolute(item, error);
    if (error || !fs::exists(fs::symlink_status(absolute, error)))
        return false;
    std::string dataHome
        = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
    if (const char *xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        dataHome = xdg;
    const fs::path trash = fs::path(dataHome) / "Trash";
    fs::create_directories(trash / "files", error);
    fs::create_directories(trash / "info", error);
    if (error)
        return false;
    const std::string base = absolute.filename().string();
    for (int n = 1; n < 10000; ++n) {
        const std::string name = n == 1 ? base : base + '.' + std::to_string(n);
        const fs::path info = trash / "info" / (name + ".trashinfo");
        const int fd = ::open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        const std::time_t now = std::time(nullptr);
        std::tm local {};
        ::localtime_r(&now, &local);
        char date[32];
        std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
        const std::string text = "[Trash Info]\nPath=" + percentEncoded(absolute.string())
            + "\nDeletionDate=" + date + "\n";
        const bool written = ::write(fd, text.data(), text.size()) == ssize_t(text.size());
        ::close(fd);
        const fs::path target = trash / "files" / name;
        if (written && !fs::exists(fs::symlink_status(target, error))
            && transfer(absolute, target, true))
            return true;
        fs::remove(info, error);
        return false;
    }
    return false;
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
