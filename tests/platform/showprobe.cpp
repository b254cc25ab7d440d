// SPDX-License-Identifier: MIT
// A program for the Win32 backend's tests: writes the show value and start
// flags it was started with, and its arguments, as one line
//   show=<wShowWindow> flags=<dwFlags> args=<arguments>
// to the file named by its first argument, or to "probe-result.txt" beside
// itself when it has none (as when it runs as a tool found by its folder).

#include <cstdio>
#include <string>
#include <windows.h>

int main(int argc, char **argv)
{
    STARTUPINFOA startup {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);

    std::string out;
    if (argc > 1) {
        out = argv[1];
    } else {
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        out = self;
        out = out.substr(0, out.find_last_of('\\') + 1) + "probe-result.txt";
    }
    std::string arguments;
    for (int i = 2; i < argc; ++i)
        arguments += (i > 2 ? " " : "") + std::string(argv[i]);

    // Written under another name and renamed, so a reader never sees half a line.
    const std::string partial = out + ".partial";
    std::FILE *file = std::fopen(partial.c_str(), "w");
    if (!file)
        return 1;
    std::fprintf(file, "show=%u flags=%lu args=%s\n", static_cast<unsigned>(startup.wShowWindow),
        static_cast<unsigned long>(startup.dwFlags), arguments.c_str());
    std::fclose(file);
    return MoveFileExA(partial.c_str(), out.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
