// SPDX-License-Identifier: MIT
// The Linux backend's file information: icons and type names, short names
// and versions (none here), file times and sharing, folders, the folder
// dialog and directory searches.
#include "platform/posix/Objects.h"
#include "platform/posix/Services.h"
#include "platform/posix/State.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QPainter>
#include <QStandardPaths>

#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv::platform {

using namespace posix;
namespace fs = std::filesystem;

namespace {

std::uint64_t toFileTime(const struct timespec &time)
{
    return std::uint64_t(std::int64_t(time.tv_sec) * 10000000 + time.tv_nsec / 100)
        + kUnixEpochInFileTime;
}

std::uint32_t attributesOf(const fs::directory_entry &entry, const std::string &name)
{
    std::error_code error;
    std::uint32_t attributes = 0;
    if (entry.is_directory(error))
        attributes |= kAttributeDirectory;
    if (!name.empty() && name.front() == '.' && name != "." && name != "..")
        attributes |= 2; // hidden
    if (::access(entry.path().c_str(), W_OK) != 0)
        attributes |= 1; // read-only
    return attributes == 0 ? 128 : attributes; // normal
}

FindData findData(const std::string &name, std::uint32_t attributes)
{
    FindData data;
    data.attributes = attributes;
    std::copy_n(
        name.begin(), std::min(name.size(), data.fileName.size() - 1), data.fileName.begin());
    return data;
}

QIcon iconOfFile(const std::string &file)
{
    static QFileIconProvider *provider = new QFileIconProvider;
    return provider->icon(QFileInfo(QString::fromStdString(file)));
}

void paintIcon(DeviceContext dc, std::int32_t x, std::int32_t y, const QIcon &icon, int size)
{
    QImage *image = posix::imageOf(dc);
    if (!image || icon.isNull())
        return;
    QPainter painter(image);
    painter.drawPixmap(x, y, icon.pixmap(size, size));
}

} // namespace

std::uintptr_t SystemPlatform::shGetFileInfo(
    const std::wstring &path, std::uint32_t, ShellFileInfo &info, std::uint32_t flags)
{
    const std::string file = nativePath(path);
    const QFileInfo fileInfo(QString::fromStdString(file));
    // Cleared even when the file is missing, as on Windows: a caller that
    // keeps one record between queries must not read the last file's names.
    info = {};
    if (!fileInfo.exists())
        return 0;
    const std::string display = fileInfo.fileName().toStdString();
    std::copy_n(display.begin(), std::min(display.size(), info.displayName.size() - 1),
        info.displayName.begin());
    const std::string type = QMimeDatabase().mimeTypeForFile(fileInfo).comment().toStdString();
    std::copy_n(
        type.begin(), std::min(type.size(), info.typeName.size() - 1), info.typeName.begin());
    if (!(flags & 0x4000))
        return 1;
    if (!posix::widgetApplication())
        return 0; // icons need the widgets application
    const std::lock_guard lock(m_state->mutex);
    m_state->imageListFiles.push_back(file);
    info.iconIndex = static_cast<std::int32_t>(m_state->imageListFiles.size() - 1);
    // Two system image lists, as on Windows: large and small icons.
    return (flags & 1) ? 2 : 1;
}

bool SystemPlatform::imageListDraw(ImageListHandle list, std::int32_t index, DeviceContext dc,
    std::int32_t x, std::int32_t y, std::uint32_t)
{
    std::string file;
    {
        const std::lock_guard lock(m_state->mutex);
        if ((list != 1 && list != 2) || index < 0
            || std::size_t(index) >= m_state->imageListFiles.size())
            return false;
        file = m_state->imageListFiles[std::size_t(index)];
    }
    paintIcon(dc, x, y, iconOfFile(file), list == 1 ? 32 : 16);
    return true;
}

IconHandle SystemPlatform::extractAssociatedIcon(const std::wstring &path, std::uint16_t &)
{
    const std::string file = nativePath(path);
    std::error_code error;
    if (!fs::exists(file, error) || !posix::widgetApplication())
        return 0;
    const std::lock_guard lock(m_state->mutex);
    const IconHandle icon = m_state->nextIcon++;
    m_state->icons[icon] = file;
    return icon;
}

bool SystemPlatform::drawIcon(DeviceContext dc, std::int32_t x, std::int32_t y, IconHandle icon)
{
    std::string file;
    {
        const std::lock_guard lock(m_state->mutex);
        const auto found = m_state->icons.find(icon);
        if (found == m_state->icons.end())
            return false;
        file = found->second;
    }
    paintIcon(dc, x, y, iconOfFile(file), 32);
    return true;
}

bool SystemPlatform::destroyIcon(IconHandle icon)
{
    const std::lock_guard lock(m_state->mutex);
    return m_state->icons.erase(icon) == 1;
}

std::uint32_t SystemPlatform::getShortPathName(
    const std::wstring &longPath, std::string &buffer, std::uint32_t length)
{
    // No short names here: the path itself, as Windows gives it for a volume
    // without them.
    std::error_code error;
    if (!fs::exists(nativePath(longPath), error))
        return 0;
    const std::string path = toUtf8(longPath);
    if (path.size() >= length)
        return static_cast<std::uint32_t>(path.size() + 1);
    if (buffer.size() < length)
        buffer.resize(length, ' ');
    std::copy(path.begin(), path.end(), buffer.begin());
    buffer[path.size()] = '\0';
    return static_cast<std::uint32_t>(path.size());
}

std::uint32_t SystemPlatform::getFileVersionInfoSize(const std::wstring &)
{
    return 0; // no file carries a version resource here
}

bool SystemPlatform::getFileVersionInfo(const std::wstring &, std::string &)
{
    return false;
}

bool SystemPlatform::verQueryValue(const std::string &, const std::wstring &,
    std::optional<std::size_t> &offset, std::uint32_t &length)
{
    offset.reset();
    length = 0;
    return false;
}

FileHandle SystemPlatform::createFile(const std::wstring &path, std::uint32_t access,
    std::uint32_t share, std::uint32_t disposition, std::uint32_t)
{
    // Only what the class asks for: reading an existing file.
    if (disposition != 3)
        return kInvalidFileHandle;
    const int flags
        = (access & 0x40000000) ? ((access & 0x80000000) ? O_RDWR : O_WRONLY) : O_RDONLY;
    const int fd = ::open(nativePath(path).c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        return kInvalidFileHandle;
    if (share == 0) {
        // A write lease is refused while any other descriptor of the file is
        // open, in this process or another: the closest to "no sharing".
        if (::fcntl(fd, F_SETLEASE, F_WRLCK) == 0) {
            ::fcntl(fd, F_SETLEASE, F_UNLCK);
        } else if (errno == EAGAIN || errno == EBUSY) {
            ::close(fd);
            errno = EBUSY;
            return kInvalidFileHandle;
        }
    }
    return fd;
}

bool SystemPlatform::getFileTime(
    FileHandle file, std::uint64_t &creation, std::uint64_t &lastAccess, std::uint64_t &lastWrite)
{
    if (file < 0)
        return false;
    struct statx status
    {
    };
    if (::statx(int(file), "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &status) != 0)
        return false;
    const auto time = [](const struct statx_timestamp &t) {
        return toFileTime(timespec { t.tv_sec, t.tv_nsec });
    };
    // Without a birth time the last change of the inode is the oldest known.
    creation = (status.stx_mask & STATX_BTIME) ? time(status.stx_btime) : time(status.stx_ctime);
    lastAccess = time(status.stx_atime);
    lastWrite = time(status.stx_mtime);
    return true;
}

bool SystemPlatform::fileTimeToLocalFileTime(std::uint64_t utc, std::uint64_t &local)
{
    if (utc < kUnixEpochInFileTime)
        return false;
    const std::time_t seconds = std::time_t((utc - kUnixEpochInFileTime) / 10000000);
    std::tm fields {};
    if (!::localtime_r(&seconds, &fields))
        return false;
    local = std::uint64_t(std::int64_t(utc) + std::int64_t(fields.tm_gmtoff) * 10000000);
    return true;
}

bool SystemPlatform::fileTimeToSystemTime(std::uint64_t time, SystemTime &fields)
{
    if (time < kUnixEpochInFileTime || time > 0x7FFFFFFFFFFFFFFFULL)
        return false;
    const std::uint64_t since = time - kUnixEpochInFileTime;
    const std::time_t seconds = std::time_t(since / 10000000);
    std::tm calendar {};
    if (!::gmtime_r(&seconds, &calendar))
        return false;
    fields = { std::uint16_t(calendar.tm_year + 1900), std::uint16_t(calendar.tm_mon + 1),
        std::uint16_t(calendar.tm_wday), std::uint16_t(calendar.tm_mday),
        std::uint16_t(calendar.tm_hour), std::uint16_t(calendar.tm_min),
        std::uint16_t(calendar.tm_sec), std::uint16_t((since % 10000000) / 10000) };
    return true;
}

bool SystemPlatform::closeHandle(FileHandle handle)
{
    return handle >= 0 && ::close(int(handle)) == 0;
}

std::int32_t SystemPlatform::shGetSpecialFolderLocation(
    WindowHandle, std::int32_t folder, ItemList &list)
{
    list = 0;
    if (folder != 5)
        return kFail;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        return kFileNotFoundResult;
    const std::lock_guard lock(m_state->mutex);
    list = m_state->nextItem++;
    m_state->items[list] = documents.toStdString();
    return 0;
}

bool SystemPlatform::shGetPathFromIdList(ItemList list, std::string &buffer)
{
    const std::lock_guard lock(m_state->mutex);
    const auto found = m_state->items.find(list);
    if (found == m_state->items.end() || found->second.size() >= buffer.size())
        return false;
    std::copy(found->second.begin(), found->second.end(), buffer.begin());
    buffer[found->second.size()] = '\0';
    return true;
}

void SystemPlatform::coTaskMemFree(ItemList list)
{
    const std::lock_guard lock(m_state->mutex);
    m_state->items.erase(list);
}

ItemList SystemPlatform::shBrowseForFolder(BrowseInfo &info)
{
    if (!posix::widgetApplication())
        return 0;
    const QString chosen = QFileDialog::getExistingDirectory(
        posix::widgetOf(info.owner), toQString(info.title), QString(), QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty())
        return 0;
    const std::string name = QFileInfo(chosen).fileName().toStdString();
    std::fill(info.displayName.begin(), info.displayName.end(), '\0');
    std::copy_n(
        name.begin(), std::min(name.size(), info.displayName.size() - 1), info.displayName.begin());
    const std::lock_guard lock(m_state->mutex);
    const ItemList item = m_state->nextItem++;
    m_state->items[item] = chosen.toStdString();
    return item;
}

SearchHandle SystemPlatform::findFirstFile(const std::wstring &pattern, FindData &data)
{
    const fs::path full = nativePath(pattern);
    std::string name = full.filename().string();
    // As on Windows: "*.*" matches names without a dot too; case is ignored.
    if (name == "*.*")
        name = "*";
    const fs::path folder = full.has_parent_path() ? full.parent_path() : fs::path(".");
    std::error_code error;
    if (!fs::is_directory(folder, error))
        return kInvalidSearchHandle;
    std::vector<FindData> entries;
    for (const char *dots : { ".", ".." }) {
        if (::fnmatch(name.c_str(), dots, FNM_CASEFOLD) == 0)
            entries.push_back(findData(dots, kAttributeDirectory));
    }
    for (const auto &entry : fs::directory_iterator(folder, error)) {
        const std::string entryName = entry.path().filename().string();
        if (::fnmatch(name.c_str(), entryName.c_str(), FNM_CASEFOLD) == 0)
            entries.push_back(findData(entryName, attributesOf(entry, entryName)));
    }
    if (entries.empty())
        return kInvalidSearchHandle;
    data = entries.front();
    const std::lock_guard lock(m_state->mutex);
    const SearchHandle search = m_state->nextSearch++;
    m_state->searches[search] = { std::move(entries), 1 };
    return search;
}

bool SystemPlatform::findNextFile(SearchHandle search, FindData &data)
{
    const std::lock_guard lock(m_state->mutex);
    const auto found = m_state->searches.find(search);
    if (found == m_state->searches.end() || found->second.second >= found->second.first.size())
        return false;
    data = found->second.first[found->second.second++];
    return true;
}

bool SystemPlatform::findClose(SearchHandle search)
{
    const std::lock_guard lock(m_state->mutex);
    return m_state->searches.erase(search) == 1;
}

std::int32_t SystemPlatform::doEvents()
{
    if (!QCoreApplication::instance())
        return 0;
    QCoreApplication::processEvents();
    if (!posix::widgetApplication())
        return 0;
    const QWidgetList windows = QApplication::topLevelWidgets();
    return static_cast<std::int32_t>(
        std::count_if(windows.begin(), windows.end(), [](QWidget *w) { return w->isVisible(); }));
}

} // namespace orv::platform
