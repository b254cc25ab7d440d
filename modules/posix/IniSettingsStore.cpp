// SPDX-License-Identifier: MIT
#include "modules/posix/IniSettingsStore.h"

#include "core/Failure.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {

namespace {

// The whole file, or nothing when there is none or it cannot be read.
std::string contentsOf(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

[[noreturn]] void notWritable(const std::string &path, const std::string &why)
{
    fail(FailureCode::ControlFailed, "Settings store not writable: " + path + " (" + why + ")");
}

void makeFolders(const std::string &path)
{
    for (std::size_t at = path.find('/', 1); at != std::string::npos; at = path.find('/', at + 1)) {
        const std::string folder = path.substr(0, at);
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
            notWritable(path, "no folder " + folder);
    }
}

void writeAll(int fd, const std::string &text, const std::string &path)
{
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            notWritable(path, "write failed");
        done += std::size_t(written);
    }
}

// Held for the whole read-merge-write; the kernel lets go of it when the
// process ends in any way, so a killed close blocks nobody.
class FileLock
{
public:
    explicit FileLock(const std::string &path)
        : m_fd(::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        // Without a lock file (a read-only folder) the write fails anyway.
        while (m_fd >= 0 && ::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) { }
    }
    ~FileLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

private:
    int m_fd;
};

std::string timestamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

} // namespace

std::string IniSettingsStore::fileFor(const std::string &application)
{
    const char *config = std::getenv("XDG_CONFIG_HOME");
    std::string folder;
    if (config && config[0] == '/')
        folder = config;
    else if (const char *home = std::getenv("HOME"))
        folder = std::string(home) + "/.config";
    else
        folder = "/tmp";
    return folder + '/' + application + '/' + application + ".ini";
}

IniSettingsStore::IniSettingsStore(std::string file, Log log)
    : m_file(std::move(file)), m_log(std::move(log)),
      m_document(ini::Document::parse(contentsOf(m_file)))
{
}

std::string IniSettingsStore::GetSetting(const std::string &, const std::string &section,
    const std::string &key, const std::string &defaultValue)
{
    return m_document.value(section, key).value_or(defaultValue);
}

void IniSettingsStore::SaveSetting(const std::string &, const std::string &section,
    const std::string &key, const std::string &value)
{
    m_changes.push_back({ section, key, value });
    apply(m_document, m_changes.back());
}

void IniSettingsStore::removeSection(const std::string &section)
{
    if (!m_document.hasSection(section))
        return;
    m_changes.push_back({ section, {}, {} });
    apply(m_document, m_changes.back());
}

void IniSettingsStore::apply(ini::Document &document, const Change &change)
{
    if (change.key.empty())
        document.removeSection(change.section);
    else
        document.set(change.section, change.key, change.value);
}

void IniSettingsStore::flush()
{
    if (m_changes.empty())
        return;
    // A link to the file stays a link; the file it names is replaced.
    std::string target = m_file;
    if (char *resolved = ::realpath(m_file.c_str(), nullptr)) {
        target = resolved;
        std::free(resolved);
    }
    makeFolders(target);
    const FileLock lock(target);

    // What is on disk now, with another process's writes since the start.
    const std::string onDisk = contentsOf(target);
    ini::Document merged = ini::Document::parse(onDisk);
    if (!merged.clean()) {
        const std::string kept = target + ".defekt-" + timestamp();
        std::ofstream copy(kept, std::ios::binary | std::ios::trunc);
        copy << onDisk;
        copy.close();
        if (!copy)
            notWritable(target, "cannot keep the unreadable file as " + kept);
        if (m_log)
            m_log("settings file " + target + " did not read cleanly; the original is kept as "
                + kept);
    }
    for (const Change &change : m_changes)
        apply(merged, change);

    const std::string temporary = target + ".new-" + std::to_string(::getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        notWritable(target, "cannot create " + temporary);
    try {
        writeAll(fd, merged.text(), target);
        if (::fsync(fd) != 0)
            notWritable(target, "fsync failed");
    } catch (...) {
        ::close(fd);
        ::unlink(temporary.c_str());
        throw;
    }
    ::close(fd);
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        notWritable(target, "rename failed");
    }
    const std::string folder = target.substr(0, target.rfind('/'));
    if (const int dir = ::open(folder.empty() ? "/" : folder.c_str(), O_RDONLY | O_CLOEXEC);
        dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    m_document = std::move(merged);
    m_changes.clear();
}

} // namespace orv
