// SPDX-License-Identifier: MIT
// A program for the Win32 backend's tests: writes the show value it was
// started with and its arguments, as one line
//   show=<wShowWindow> args=<arguments>
// to the file named by its first argument.

#include <cstdio>
#include <string>
#include <windows.h>

int main(int argc, char **argv)
{
    STARTUPINFOA startup {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    std::string arguments;
    for (int i = 2; i < argc; ++i)
        arguments += (i > 2 ? " " : "") + std::string(argv[i]);
    // Written under another name and renamed, so a reader never sees half a line.
    const std::string out = argc > 1 ? argv[1] : "probe.txt", partial = out + ".partial";
    std::FILE *file = std::fopen(partial.c_str(), "w");
    if (!file)
        return 1;
    std::fprintf(file, "show=%u args=%s\n", unsigned(startup.wShowWindow), arguments.c_str());
    std::fclose(file);
    return MoveFileExA(partial.c_str(), out.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
