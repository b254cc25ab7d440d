// SPDX-License-Identifier: MIT
// The Linux backend's clipboard and global memory: Qt's clipboard, a file
// list as text/uri-list and as the raw block, kept alive after a
// command-line program ends.
#include "core/FileListBlock.h"
#include "platform/posix/Objects.h"
#include "platform/posix/Services.h"
#include "platform/posix/State.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QUrl>

#include <fstream>
#include <iterator>
#include <unistd.h>

namespace orv::platform {

using namespace posix;

namespace {

// The raw block under a type of our own, so that a list pasted here is
// exactly the list copied.
constexpr const char *kClipboardBlockType = "application/x-orvel-file-list";
constexpr const char *kKeeperOption = "--orvel-clipboard-keeper";

QMimeData *clipboardData(const std::string &block)
{
    auto *data = new QMimeData;
    QList<QUrl> urls;
    QByteArray gnome = "copy";
    for (const std::string &name : fileListNames(block)) {
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

bool SystemPlatform::openClipboard(WindowHandle)
{
    const std::lock_guard lock(m_state->mutex);
    if (!posix::widgetApplication() || m_state->clipboardOpen)
        return false;
    m_state->clipboardOpen = true;
    return true;
}

bool SystemPlatform::emptyClipboard()
{
    if (!m_state->clipboardOpen)
        return false;
    QGuiApplication::clipboard()->clear();
    return true;
}

bool SystemPlatform::closeClipboard()
{
    const std::lock_guard lock(m_state->mutex);
    return std::exchange(m_state->clipboardOpen, false);
}

bool SystemPlatform::isClipboardFormatAvailable(std::uint32_t format)
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

MemoryHandle SystemPlatform::setClipboardData(std::uint32_t format, MemoryHandle block)
{
    std::string bytes;
    {
        const std::lock_guard lock(m_state->mutex);
        const auto found = m_state->memory.find(block);
        if (!m_state->clipboardOpen || format != kFileList || found == m_state->memory.end())
            return 0;
        bytes = found->second;
        m_state->memory.erase(found); // the clipboard owns it now
    }
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setMimeData(clipboardData(bytes));
    keepClipboard(bytes);
    return block;
}

MemoryHandle SystemPlatform::getClipboardData(std::uint32_t format)
{
    if (!m_state->clipboardOpen || format != kFileList)
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
        block = fileListBlock(names);
    }
    const std::lock_guard lock(m_state->mutex);
    // The clipboard keeps the one block it handed out last.
    if (m_state->clipboardBlock != 0)
        m_state->memory.erase(m_state->clipboardBlock);
    m_state->clipboardBlock = m_state->nextMemory++;
    m_state->memory[m_state->clipboardBlock] = block;
    return m_state->clipboardBlock;
}

MemoryHandle SystemPlatform::globalAlloc(std::uint32_t, std::size_t size)
{
    const std::lock_guard lock(m_state->mutex);
    const MemoryHandle handle = m_state->nextMemory++;
    m_state->memory[handle] = std::string(size, '\0');
    return handle;
}

std::uint8_t *SystemPlatform::globalLock(MemoryHandle block, std::size_t &size)
{
    const std::lock_guard lock(m_state->mutex);
    const auto found = m_state->memory.find(block);
    if (found == m_state->memory.end())
        return nullptr;
    size = found->second.size();
    return reinterpret_cast<std::uint8_t *>(found->second.data());
}

bool SystemPlatform::globalUnlock(MemoryHandle block)
{
    const std::lock_guard lock(m_state->mutex);
    return m_state->memory.contains(block);
}

MemoryHandle SystemPlatform::globalFree(MemoryHandle block)
{
    const std::lock_guard lock(m_state->mutex);
    return m_state->memory.erase(block) == 1 ? 0 : block;
}

std::uint32_t SystemPlatform::dragQueryFile(
    MemoryHandle drop, std::uint32_t index, std::string &buffer, std::uint32_t length)
{
    std::vector<std::string> names;
    {
        const std::lock_guard lock(m_state->mutex);
        const auto found = m_state->memory.find(drop);
        if (found == m_state->memory.end())
            return 0;
        names = fileListNames(found->second);
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
