// SPDX-License-Identifier: MIT
#include "platform/posix/CommandLine.h"

namespace orv::platform {

namespace {

bool isSeparator(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

} // namespace

std::vector<std::wstring> splitCommandLine(std::wstring_view line)
{
    std::vector<std::wstring> arguments;
    std::size_t i = 0;
    while (i < line.size() && isSeparator(line[i]))
        ++i;
    if (i == line.size())
        return arguments;

    // The program name: quotes group, backslashes are path separators.
    std::wstring program;
    bool quoted = false;
    for (; i < line.size() && (quoted || !isSeparator(line[i])); ++i) {
        if (line[i] == L'"')
            quoted = !quoted;
        else
            program += line[i];
    }
    arguments.push_back(program);

    while (true) {
        while (i < line.size() && isSeparator(line[i]))
            ++i;
        if (i == line.size())
            break;
        std::wstring argument;
        quoted = false;
        while (i < line.size() && (quoted || !isSeparator(line[i]))) {
            std::size_t backslashes = 0;
            while (i < line.size() && line[i] == L'\\') {
                ++backslashes;
                ++i;
            }
            if (i < line.size() && line[i] == L'"') {
                // 2n backslashes and a quote: n backslashes and a quote that
                // opens or closes; 2n+1: n backslashes and a literal quote.
                argument.append(backslashes / 2, L'\\');
                if (backslashes % 2 == 1) {
                    argument += L'"';
                } else if (quoted && i + 1 < line.size() && line[i + 1] == L'"') {
                    argument += L'"'; // "" inside quotes
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                argument.append(backslashes, L'\\');
                if (i < line.size() && (quoted || !isSeparator(line[i])))
                    argument += line[i++];
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}

} // namespace orv::platform
