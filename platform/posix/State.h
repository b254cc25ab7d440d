// SPDX-License-Identifier: MIT
#pragma once

// What the Linux backend keeps between calls: the registry file it reads and
// its open keys, and the handles it hands out for what Linux has no handle
// for (global memory, item lists, searches, icons, threads, script shells).

#include "platform/SystemPlatform.h"
#include "platform/posix/RegistryFile.h"

#include <map>
#include <memory>
#include <mutex>
#include <pthread.h>
#include <string>
#include <utility>
#include <vector>

namespace orv::platform {

struct SystemPlatform::State
{
    // registryFile: the registry file to read ("" or a missing file: none).
    explicit State(std::string registryFile) : registryFile(std::move(registryFile)) { }

    struct OpenKey
    {
        std::uint32_t root = 0;
        std::string subKey;
        RegistryFile registry;
    };
    struct Thread
    {
        pthread_t id {};
        ProcAddress routine = 0;
        bool joined = false;
    };

    std::string registryFile;
    std::mutex mutex;
    std::map<MemoryHandle, std::string> memory;
    MemoryHandle nextMemory = 0x1000;
    MemoryHandle clipboardBlock = 0;
    bool clipboardOpen = false;
    std::map<std::uintptr_t, std::string> items; // item lists and their paths
    std::uintptr_t nextItem = 0x2000;
    std::map<SearchHandle, std::pair<std::vector<FindData>, std::size_t>> searches;
    SearchHandle nextSearch = 0x3000;
    std::map<IconHandle, std::string> icons; // icon handle -> file
    std::vector<std::string> imageListFiles; // system image list: index -> file
    IconHandle nextIcon = 0x4000;
    std::map<ThreadHandle, std::shared_ptr<Thread>> threads;
    ThreadHandle nextThread = 0x5000;
    ScriptShell nextShell = 0x6000;
    std::mutex keysMutex;
    std::map<RegistryKey, OpenKey> openKeys;
    RegistryKey nextKey = 1;
};

} // namespace orv::platform
