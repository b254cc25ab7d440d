// SPDX-License-Identifier: MIT
// The Linux backend's script shell object (a process runner, documents
// through xdg-open) and its libraries: dlopen, the export run on a thread of
// its own.
#include "platform/posix/CommandLine.h"
#include "platform/posix/Services.h"
#include "platform/posix/State.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <chrono>
#include <dlfcn.h>
#include <filesystem>

namespace orv::platform {

using namespace posix;
namespace fs = std::filesystem;

ScriptShell SystemPlatform::createScriptShell(ScriptError &)
{
    const std::lock_guard lock(m_state->mutex);
    return m_state->nextShell++;
}

namespace {

// What the shell object raises when it cannot start the command; its
// caller sees it, as on Windows, as an exception of the called object.
ScriptError notStarted()
{
    return { kDispatchException, L"The system cannot find the file specified." };
}

} // namespace

bool SystemPlatform::scriptShellRun(ScriptShell shell, const std::wstring &command,
    std::int32_t style, bool wait, ScriptError &error)
{
    const std::vector<std::wstring> arguments = splitCommandLine(command);
    if (shell == 0 || arguments.empty() || arguments.front().empty()) {
        error = notStarted();
        return false;
    }
    QProcess process;
    // A document (not a program) opens with its associated program.
    const std::string first = nativePath(arguments.front());
    std::error_code fsError;
    if (fs::is_regular_file(first, fsError) && ::access(first.c_str(), X_OK) != 0)
        prepareProcess(process, QStringLiteral("xdg-open"), { QString::fromStdString(first) },
            arguments, style);
    else
        prepareProcess(process, toQString(arguments.front()), {}, arguments, style);
    if (!wait) {
        if (process.startDetached())
            return true;
        error = notStarted();
        return false;
    }
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start();
    if (!process.waitForStarted(-1)) {
        error = notStarted();
        return false;
    }
    process.waitForFinished(-1);
    return true;
}

bool SystemPlatform::scriptShellAppActivate(ScriptShell, const std::wstring &)
{
    return false; // no window of another program can be activated from here
}

bool SystemPlatform::scriptShellSendKeys(ScriptShell, const std::wstring &)
{
    return false;
}

void SystemPlatform::releaseScriptShell(ScriptShell)
{
}

std::wstring SystemPlatform::getSystemDirectory()
{
    return L"/usr/lib";
}

LibraryHandle SystemPlatform::loadLibrary(const std::wstring &path)
{
    return reinterpret_cast<LibraryHandle>(
        ::dlopen(nativePath(path).c_str(), RTLD_NOW | RTLD_LOCAL));
}

ProcAddress SystemPlatform::getProcAddress(LibraryHandle library, const std::string &name)
{
    if (library == 0)
        return 0;
    return reinterpret_cast<ProcAddress>(::dlsym(reinterpret_cast<void *>(library), name.c_str()));
}

bool SystemPlatform::freeLibrary(LibraryHandle library)
{
    return library != 0 && ::dlclose(reinterpret_cast<void *>(library)) == 0;
}

ThreadHandle SystemPlatform::createThread(ProcAddress startRoutine)
{
    if (startRoutine == 0)
        return 0;
    auto thread = std::make_shared<State::Thread>();
    thread->routine = startRoutine;
    const auto run = [](void *argument) -> void * {
        const auto *self = static_cast<State::Thread *>(argument);
        reinterpret_cast<long (*)()>(self->routine)();
        return nullptr;
    };
    if (::pthread_create(&thread->id, nullptr, run, thread.get()) != 0)
        return 0;
    const std::lock_guard lock(m_state->mutex);
    const ThreadHandle handle = m_state->nextThread++;
    m_state->threads[handle] = thread;
    return handle;
}

std::uint32_t SystemPlatform::waitForSingleObject(ThreadHandle thread, std::uint32_t milliseconds)
{
    std::shared_ptr<State::Thread> found;
    {
        const std::lock_guard lock(m_state->mutex);
        const auto entry = m_state->threads.find(thread);
        if (entry == m_state->threads.end())
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

bool SystemPlatform::closeThreadHandle(ThreadHandle thread)
{
    const std::lock_guard lock(m_state->mutex);
    const auto entry = m_state->threads.find(thread);
    if (entry == m_state->threads.end())
        return false;
    // A thread still running keeps its record; it is only let go.
    if (!entry->second->joined)
        ::pthread_detach(entry->second->id);
    m_state->threads.erase(entry);
    return true;
}

} // namespace orv::platform
