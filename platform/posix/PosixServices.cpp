// SPDX-License-Identifier: MIT
// The Linux backend's file, clipboard, file-information, script-shell,
// library and drawing primitives (the rest is in PosixPlatform.cpp).
#include "platform/Utf8.h"
#include "platform/posix/CommandLine.h"
#include "platform/posix/Objects.h"
#include "platform/posix/PosixPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGuiApplication>
#include <QListView>
#include <QMimeData>
#include <QMimeDatabase>
#include <QPainter>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QUrl>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <dlfcn.h>
#include <fcntl.h>
#include <filesystem>
#include <fnmatch.h>
#include <fstream>
#include <iterator>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv::platform {

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kFileList = 15;
constexpr std::uint64_t kUnixEpochInFileTime = 116444736000000000ULL;
constexpr std::int32_t kFileNotFoundResult = static_cast<std::int32_t>(0x80070002);
constexpr std::int32_t kFail = static_cast<std::int32_t>(0x80004005);

QString toQString(std::wstring_view text)
{
    return QString::fromStdWString(std::wstring(text));
}

// Paths may separate folders with backslashes, as the class writes them.
std::string nativePath(std::wstring_view path)
{
    std::string native = toUtf8(path);
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

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

// The names of a file-list block: its offset field, then 8-bit names each
// ended by NUL, the list by one more NUL.
std::vector<std::string> blockNames(const std::string &block)
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
        if (end == std::string::npos)
            end = block.size();
        names.push_back(block.substr(at, end - at));
        at = end + 1;
    }
    return names;
}

std::string blockOf(const std::vector<std::string> &names)
{
    std::string block(20, '\0');
    block[0] = 20;
    for (const std::string &name : names)
        block += name + '\0';
    block.push_back('\0');
    return block;
}

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

// The raw block under a type of our own, so that a list pasted here is
// exactly the list copied.
constexpr const char *kClipboardBlockType = "application/x-orvel-file-list";
constexpr const char *kKeeperOption = "--orvel-clipboard-keeper";

QMimeData *clipboardData(const std::string &block)
{
    auto *data = new QMimeData;
    QList<QUrl> urls;
    QByteArray gnome = "copy";
    for (const std::string &name : blockNames(block)) {
        const QUrl url = QUrl::fromLocalFile(QString::fromStdString(name));
        urls << url;
        gnome += '\n' + url.toEncoded();
    }
    data->setUrls(urls);
    // File managers of the GNOME family read a copy from their own type.
    data->setData(QStringLiteral("x-special/gnome-copied-files"), gnome);
    data->setData(QString::fromLatin1(kClipboardBlockType), QByteArray::fromStdString(block));
    return data;
}

// On X11 the clipboard's data live in the program that set them. A
// command-line program ends right after setting them, so it hands them to a
// copy of itself that serves them until another program takes the
// clipboard over, as clipboard tools do. It waits until the copy has taken
// ownership, so that the list is there when this program has ended.
void keepClipboard(const std::string &block)
{
    if (!posix::applicationIsOurs() || QGuiApplication::platformName() != QStringLiteral("xcb"))
        return;
    char name[] = "/tmp/orvel-clipboard-XXXXXX";
    const int fd = ::mkstemp(name);
    if (fd < 0)
        return;
    const bool written = ::write(fd, block.data(), block.size()) == ssize_t(block.size());
    ::close(fd);
    if (!written
        || !QProcess::startDetached(QCoreApplication::applicationFilePath(),
            { QString::fromLatin1(kKeeperOption), QString::fromLocal8Bit(name) })) {
        ::unlink(name);
        return;
    }
    // The keeper removes the file once it owns the clipboard.
    for (int i = 0; i < 250 && ::access(name, F_OK) == 0; ++i)
        ::usleep(20000);
    ::unlink(name);
}

} // namespace

struct PosixPlatform::Thread
{
    pthread_t id {};
    ProcAddress routine = 0;
    bool joined = false;
};

std::int32_t PosixPlatform::shFileOperation(FileOperationRecord &record)
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

bool PosixPlatform::openClipboard(WindowHandle)
{
    const std::lock_guard lock(m_mutex);
    if (!posix::widgetApplication() || m_clipboardOpen)
        return false;
    m_clipboardOpen = true;
    return true;
}

bool PosixPlatform::emptyClipboard()
{
    if (!m_clipboardOpen)
        return false;
    QGuiApplication::clipboard()->clear();
    return true;
}

bool PosixPlatform::closeClipboard()
{
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_clipboardOpen, false);
}

bool PosixPlatform::isClipboardFormatAvailable(std::uint32_t format)
{
    if (format != kFileList || !posix::widgetApplication())
        return false;
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return false;
    if (data->hasFormat(QString::fromLatin1(kClipboardBlockType)))
        return true;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl &url) { return url.isLocalFile(); });
}

MemoryHandle PosixPlatform::setClipboardData(std::uint32_t format, MemoryHandle block)
{
    std::string bytes;
    {
        const std::lock_guard lock(m_mutex);
        const auto found = m_memory.find(block);
        if (!m_clipboardOpen || format != kFileList || found == m_memory.end())
            return 0;
        bytes = found->second;
        m_memory.erase(found); // the clipboard owns it now
    }
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setMimeData(clipboardData(bytes));
    keepClipboard(bytes);
    return block;
}

MemoryHandle PosixPlatform::getClipboardData(std::uint32_t format)
{
    if (!m_clipboardOpen || format != kFileList)
        return 0;
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return 0;
    std::string block;
    if (const QByteArray raw = data->data(QString::fromLatin1(kClipboardBlockType));
        !raw.isEmpty()) {
        block = raw.toStdString();
    } else {
        std::vector<std::string> names;
        for (const QUrl &url : data->urls()) {
            if (url.isLocalFile())
                names.push_back(url.toLocalFile().toStdString());
        }
        if (names.empty())
            return 0;
        block = blockOf(names);
    }
    const std::lock_guard lock(m_mutex);
    // The clipboard keeps the one block it handed out last.
    if (m_clipboardBlock != 0)
        m_memory.erase(m_clipboardBlock);
    m_clipboardBlock = m_nextMemory++;
    m_memory[m_clipboardBlock] = block;
    return m_clipboardBlock;
}

MemoryHandle PosixPlatform::globalAlloc(std::uint32_t, std::size_t size)
{
    const std::lock_guard lock(m_mutex);
    const MemoryHandle handle = m_nextMemory++;
    m_memory[handle] = std::string(size, '\0');
    return handle;
}

std::uint8_t *PosixPlatform::globalLock(MemoryHandle block, std::size_t &size)
{
    const std::lock_guard lock(m_mutex);
    const auto found = m_memory.find(block);
    if (found == m_memory.end())
        return nullptr;
    size = found->second.size();
    return reinterpret_cast<std::uint8_t *>(found->second.data());
}

bool PosixPlatform::globalUnlock(MemoryHandle block)
{
    const std::lock_guard lock(m_mutex);
    return m_memory.contains(block);
}

MemoryHandle PosixPlatform::globalFree(MemoryHandle block)
{
    const std::lock_guard lock(m_mutex);
    return m_memory.erase(block) == 1 ? 0 : block;
}

std::uint32_t PosixPlatform::dragQueryFile(
    MemoryHandle drop, std::uint32_t index, std::string &buffer, std::uint32_t length)
{
    std::vector<std::string> names;
    {
        const std::lock_guard lock(m_mutex);
        const auto found = m_memory.find(drop);
        if (found == m_memory.end())
            return 0;
        names = blockNames(found->second);
    }
    if (index == 0xFFFFFFFF)
        return static_cast<std::uint32_t>(names.size());
    if (index >= names.size())
        return 0;
    if (length == 0)
        return static_cast<std::uint32_t>(names[index].size());
    if (buffer.size() < length)
        buffer.resize(length, ' ');
    const std::size_t count = std::min<std::size_t>(names[index].size(), length - 1);
    std::copy_n(names[index].begin(), count, buffer.begin());
    buffer[count] = '\0';
    return static_cast<std::uint32_t>(count);
}

std::uintptr_t PosixPlatform::shGetFileInfo(
    const std::wstring &path, std::uint32_t, ShellFileInfo &info, std::uint32_t flags)
{
    const std::string file = nativePath(path);
    const QFileInfo fileInfo(QString::fromStdString(file));
    if (!fileInfo.exists())
        return 0;
    info = {};
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
    const std::lock_guard lock(m_mutex);
    m_imageListFiles.push_back(file);
    info.iconIndex = static_cast<std::int32_t>(m_imageListFiles.size() - 1);
    // Two system image lists, as on Windows: large and small icons.
    return (flags & 1) ? 2 : 1;
}

bool PosixPlatform::imageListDraw(ImageListHandle list, std::int32_t index, DeviceContext dc,
    std::int32_t x, std::int32_t y, std::uint32_t)
{
    std::string file;
    {
        const std::lock_guard lock(m_mutex);
        if ((list != 1 && list != 2) || index < 0 || std::size_t(index) >= m_imageListFiles.size())
            return false;
        file = m_imageListFiles[std::size_t(index)];
    }
    paintIcon(dc, x, y, iconOfFile(file), list == 1 ? 32 : 16);
    return true;
}

IconHandle PosixPlatform::extractAssociatedIcon(const std::wstring &path, std::uint16_t &)
{
    const std::string file = nativePath(path);
    std::error_code error;
    if (!fs::exists(file, error) || !posix::widgetApplication())
        return 0;
    const std::lock_guard lock(m_mutex);
    const IconHandle icon = m_nextIcon++;
    m_icons[icon] = file;
    return icon;
}

bool PosixPlatform::drawIcon(DeviceContext dc, std::int32_t x, std::int32_t y, IconHandle icon)
{
    std::string file;
    {
        const std::lock_guard lock(m_mutex);
        const auto found = m_icons.find(icon);
        if (found == m_icons.end())
            return false;
        file = found->second;
    }
    paintIcon(dc, x, y, iconOfFile(file), 32);
    return true;
}

bool PosixPlatform::destroyIcon(IconHandle icon)
{
    const std::lock_guard lock(m_mutex);
    return m_icons.erase(icon) == 1;
}

std::uint32_t PosixPlatform::getShortPathName(
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

std::uint32_t PosixPlatform::getFileVersionInfoSize(const std::wstring &)
{
    return 0; // no file carries a version resource here
}

bool PosixPlatform::getFileVersionInfo(const std::wstring &, std::string &)
{
    return false;
}

bool PosixPlatform::verQueryValue(const std::string &, const std::wstring &,
    std::optional<std::size_t> &offset, std::uint32_t &length)
{
    offset.reset();
    length = 0;
    return false;
}

FileHandle PosixPlatform::createFile(const std::wstring &path, std::uint32_t access,
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

bool PosixPlatform::getFileTime(
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

bool PosixPlatform::fileTimeToLocalFileTime(std::uint64_t utc, std::uint64_t &local)
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

bool PosixPlatform::fileTimeToSystemTime(std::uint64_t time, SystemTime &fields)
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

bool PosixPlatform::closeHandle(FileHandle handle)
{
    return handle >= 0 && ::close(int(handle)) == 0;
}

std::int32_t PosixPlatform::shGetSpecialFolderLocation(
    WindowHandle, std::int32_t folder, ItemList &list)
{
    list = 0;
    if (folder != 5)
        return kFail;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        return kFileNotFoundResult;
    const std::lock_guard lock(m_mutex);
    list = m_nextItem++;
    m_items[list] = documents.toStdString();
    return 0;
}

bool PosixPlatform::shGetPathFromIdList(ItemList list, std::string &buffer)
{
    const std::lock_guard lock(m_mutex);
    const auto found = m_items.find(list);
    if (found == m_items.end() || found->second.size() >= buffer.size())
        return false;
    std::copy(found->second.begin(), found->second.end(), buffer.begin());
    buffer[found->second.size()] = '\0';
    return true;
}

void PosixPlatform::coTaskMemFree(ItemList list)
{
    const std::lock_guard lock(m_mutex);
    m_items.erase(list);
}

ItemList PosixPlatform::shBrowseForFolder(BrowseInfo &info)
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
    const std::lock_guard lock(m_mutex);
    const ItemList item = m_nextItem++;
    m_items[item] = chosen.toStdString();
    return item;
}

SearchHandle PosixPlatform::findFirstFile(const std::wstring &pattern, FindData &data)
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
    const std::lock_guard lock(m_mutex);
    const SearchHandle search = m_nextSearch++;
    m_searches[search] = { std::move(entries), 1 };
    return search;
}

bool PosixPlatform::findNextFile(SearchHandle search, FindData &data)
{
    const std::lock_guard lock(m_mutex);
    const auto found = m_searches.find(search);
    if (found == m_searches.end() || found->second.second >= found->second.first.size())
        return false;
    data = found->second.first[found->second.second++];
    return true;
}

bool PosixPlatform::findClose(SearchHandle search)
{
    const std::lock_guard lock(m_mutex);
    return m_searches.erase(search) == 1;
}

std::int32_t PosixPlatform::doEvents()
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

ScriptShell PosixPlatform::createScriptShell(ScriptError &)
{
    const std::lock_guard lock(m_mutex);
    return m_nextShell++;
}

bool PosixPlatform::scriptShellRun(ScriptShell shell, const std::wstring &command,
    std::int32_t style, bool wait, ScriptError &error)
{
    const std::vector<std::wstring> arguments = splitCommandLine(command);
    if (shell == 0 || arguments.empty() || arguments.front().empty()) {
        error = { kFileNotFoundResult, L"The system cannot find the file specified." };
        return false;
    }
    QProcess process;
    // A document (not a program) opens with its associated program.
    const std::string first = nativePath(arguments.front());
    std::error_code fsError;
    QStringList rest;
    if (fs::is_regular_file(first, fsError) && ::access(first.c_str(), X_OK) != 0) {
        process.setProgram(QStringLiteral("xdg-open"));
        rest << QString::fromStdString(first);
    } else {
        process.setProgram(toQString(arguments.front()));
    }
    for (std::size_t i = 1; i < arguments.size(); ++i)
        rest << toQString(arguments[i]);
    process.setArguments(rest);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ORVEL_SHOW_WINDOW"), QString::number(style));
    process.setProcessEnvironment(environment);
    if (!wait) {
        if (process.startDetached())
            return true;
        error = { kFileNotFoundResult, L"The system cannot find the file specified." };
        return false;
    }
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start();
    if (!process.waitForStarted(-1)) {
        error = { kFileNotFoundResult, L"The system cannot find the file specified." };
        return false;
    }
    process.waitForFinished(-1);
    return true;
}

bool PosixPlatform::scriptShellAppActivate(ScriptShell, const std::wstring &)
{
    return false; // no window of another program can be activated from here
}

bool PosixPlatform::scriptShellSendKeys(ScriptShell, const std::wstring &)
{
    return false;
}

void PosixPlatform::releaseScriptShell(ScriptShell)
{
}

std::wstring PosixPlatform::getSystemDirectory()
{
    return L"/usr/lib";
}

std::int32_t PosixPlatform::getWindowText(
    WindowHandle window, std::string &buffer, std::int32_t length)
{
    QWidget *widget = posix::widgetOf(window);
    if (!widget || length <= 0)
        return 0;
    const std::string title = widget->windowTitle().toStdString();
    if (buffer.size() < std::size_t(length))
        buffer.resize(std::size_t(length), '\0');
    const std::size_t count = std::min(title.size(), std::size_t(length - 1));
    std::copy_n(title.begin(), count, buffer.begin());
    buffer[count] = '\0';
    return static_cast<std::int32_t>(count);
}

LibraryHandle PosixPlatform::loadLibrary(const std::wstring &path)
{
    return reinterpret_cast<LibraryHandle>(
        ::dlopen(nativePath(path).c_str(), RTLD_NOW | RTLD_LOCAL));
}

ProcAddress PosixPlatform::getProcAddress(LibraryHandle library, const std::string &name)
{
    if (library == 0)
        return 0;
    return reinterpret_cast<ProcAddress>(::dlsym(reinterpret_cast<void *>(library), name.c_str()));
}

bool PosixPlatform::freeLibrary(LibraryHandle library)
{
    return library != 0 && ::dlclose(reinterpret_cast<void *>(library)) == 0;
}

ThreadHandle PosixPlatform::createThread(ProcAddress startRoutine)
{
    if (startRoutine == 0)
        return 0;
    auto thread = std::make_shared<Thread>();
    thread->routine = startRoutine;
    const auto run = [](void *argument) -> void * {
        const auto *self = static_cast<Thread *>(argument);
        reinterpret_cast<long (*)()>(self->routine)();
        return nullptr;
    };
    if (::pthread_create(&thread->id, nullptr, run, thread.get()) != 0)
        return 0;
    const std::lock_guard lock(m_mutex);
    const ThreadHandle handle = m_nextThread++;
    m_threads[handle] = thread;
    return handle;
}

std::uint32_t PosixPlatform::waitForSingleObject(ThreadHandle thread, std::uint32_t milliseconds)
{
    std::shared_ptr<Thread> found;
    {
        const std::lock_guard lock(m_mutex);
        const auto entry = m_threads.find(thread);
        if (entry == m_threads.end())
            return 0xFFFFFFFF; // WAIT_FAILED
        found = entry->second;
    }
    if (found->joined)
        return 0;
    struct timespec until
    {
    };
    ::clock_gettime(CLOCK_REALTIME, &until);
    until.tv_sec += milliseconds / 1000;
    until.tv_nsec += long(milliseconds % 1000) * 1000000;
    if (until.tv_nsec >= 1000000000) {
        until.tv_sec += 1;
        until.tv_nsec -= 1000000000;
    }
    if (::pthread_timedjoin_np(found->id, nullptr, &until) != 0)
        return 258; // WAIT_TIMEOUT
    found->joined = true;
    return 0;
}

bool PosixPlatform::closeThreadHandle(ThreadHandle thread)
{
    const std::lock_guard lock(m_mutex);
    const auto entry = m_threads.find(thread);
    if (entry == m_threads.end())
        return false;
    // A thread still running keeps its record; it is only let go.
    if (!entry->second->joined)
        ::pthread_detach(entry->second->id);
    m_threads.erase(entry);
    return true;
}

bool PosixPlatform::getWindowRect(WindowHandle window, Rect &rect)
{
    QWidget *widget = posix::widgetOf(window);
    if (!widget)
        return false;
    const QPoint corner = widget->mapToGlobal(QPoint(0, 0));
    rect = { corner.x(), corner.y(), corner.x() + widget->width(), corner.y() + widget->height() };
    return true;
}

bool PosixPlatform::screenToClient(WindowHandle window, Point &point)
{
    QWidget *widget = posix::widgetOf(window);
    if (!widget)
        return false;
    const QPoint local = widget->mapFromGlobal(QPoint(point.x, point.y));
    point = { local.x(), local.y() };
    return true;
}

bool PosixPlatform::moveWindow(WindowHandle window, std::int32_t x, std::int32_t y,
    std::int32_t width, std::int32_t height, bool repaint)
{
    QWidget *widget = posix::widgetOf(window);
    if (!widget)
        return false;
    widget->setGeometry(x, y, width, height);
    if (repaint)
        widget->update();
    return true;
}

std::intptr_t PosixPlatform::sendMessage(
    WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t)
{
    auto *combo = qobject_cast<QComboBox *>(posix::widgetOf(window));
    // CB_SETDROPPEDWIDTH: the list's minimum width in pixels.
    if (!combo || message != 0x160)
        return -1; // CB_ERR
    const int width = int(std::min<std::uintptr_t>(wParam, 0x7FFFFFFF));
    combo->view()->setMinimumWidth(width);
    return width;
}

DeviceContext PosixPlatform::createCompatibleDc(DeviceContext dc)
{
    return posix::createCompatibleDc(dc);
}

GdiObject PosixPlatform::createBitmap(
    std::int32_t width, std::int32_t height, std::uint32_t planes, std::uint32_t bitsPerPixel)
{
    return posix::createBitmap(width, height, planes == 1 && bitsPerPixel == 1);
}

GdiObject PosixPlatform::createCompatibleBitmap(
    DeviceContext dc, std::int32_t width, std::int32_t height)
{
    return posix::createCompatibleBitmap(dc, width, height);
}

GdiObject PosixPlatform::selectObject(DeviceContext dc, GdiObject object)
{
    return posix::selectObject(dc, object);
}

bool PosixPlatform::deleteObject(GdiObject object)
{
    return posix::deleteObject(object);
}

bool PosixPlatform::deleteDc(DeviceContext dc)
{
    return posix::deleteDc(dc);
}

std::uint32_t PosixPlatform::setBkColor(DeviceContext dc, std::uint32_t colour)
{
    return posix::setBkColor(dc, colour);
}

bool PosixPlatform::bitBlt(DeviceContext target, std::int32_t x, std::int32_t y, std::int32_t width,
    std::int32_t height, DeviceContext source, std::int32_t sourceX, std::int32_t sourceY,
    std::uint32_t rasterOperation)
{
    return posix::bitBlt(target, x, y, width, height, source, sourceX, sourceY, rasterOperation);
}

std::optional<int> runClipboardKeeper(int argc, char **argv)
{
    if (argc != 3 || std::strcmp(argv[1], kKeeperOption) != 0)
        return std::nullopt;
    std::ifstream file(argv[2], std::ios::binary);
    const std::string block(
        (std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!file)
        return 1;
    file.close();
    QApplication application(argc, argv);
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setMimeData(clipboardData(block));
    ::unlink(argv[2]);
    QObject::connect(clipboard, &QClipboard::dataChanged, &application, [clipboard] {
        if (!clipboard->ownsClipboard())
            QCoreApplication::quit();
    });
    return application.exec();
}

} // namespace orv::platform
