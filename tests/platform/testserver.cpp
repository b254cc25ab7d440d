// SPDX-License-Identifier: MIT
// A library that registers itself the way a COM server does: its exports
// write "registered" or "unregistered" to the file named by
// ORVEL_SERVER_MARKER, so a test can see that they ran.
#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#define ORVEL_EXPORT extern "C" __declspec(dllexport)
#else
#include <cstdlib>
#define ORVEL_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

long mark(const char *text)
{
    char path[1024] = {};
#ifdef _WIN32
    if (GetEnvironmentVariableA("ORVEL_SERVER_MARKER", path, sizeof path) == 0)
        return 1;
#else
    const char *name = std::getenv("ORVEL_SERVER_MARKER");
    if (!name)
        return 1;
    std::snprintf(path, sizeof path, "%s", name);
#endif
    std::FILE *file = std::fopen(path, "w");
    if (!file)
        return 1;
    std::fputs(text, file);
    std::fclose(file);
    return 0;
}

} // namespace

ORVEL_EXPORT long DllRegisterServer()
{
    return mark("registered");
}

ORVEL_EXPORT long DllUnregisterServer()
{
    return mark("unregistered");
}
