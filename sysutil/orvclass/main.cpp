// SPDX-License-Identifier: MIT
// orvclass: calls an operation of orvClassWindows from the command line.
//
//   orvclass [--messages=print] OPERATION [Name=Value ...]
//   orvclass --list
//
// Prints "result=..." and the in/out parameters as "Name=Value" lines. With
// --messages=print a message box is printed as "message=<flags> <caption>:
// <text>" and answered with OK instead of being shown.

#include "platform/Platform.h"
#include "platform/Utf8.h"
#include "sysutil/orvClassWindows.h"
#include "sysutil/orvclass/Invocation.h"
#include "sysutil/orvclass/ToolControls.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char *kUsage = "usage: orvclass [--messages=print] OPERATION [Name=Value ...]\n"
                               "       orvclass --list\n";

void write(std::FILE *stream, const std::string &text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

} // namespace

int main(int argc, char **argv)
{
    using namespace orv;
    // A copy of this program that keeps a file list on the clipboard.
    if (const std::optional<int> kept = platform::runClipboardKeeper(argc, argv))
        return *kept;
    platform::Platform &system = platform::systemPlatform();

    std::vector<std::wstring> arguments;
    bool printMessages = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (arguments.empty() && argument == "--messages=print") {
            printMessages = true;
        } else if (arguments.empty() && argument == "--list") {
            write(stdout, orvclass::operationList());
            return 0;
        } else if (arguments.empty() && (argument == "--help" || argument == "-h")) {
            write(stdout, kUsage);
            return 0;
        } else {
            arguments.push_back(system.fromSystemText(argument));
        }
    }
    if (arguments.empty()) {
        write(stderr, kUsage);
        return static_cast<int>(orvclass::ExitCode::UsageError);
    }

    if (printMessages) {
        system.setMessageBoxSink([](const platform::MessageBoxRequest &request) {
            write(stdout,
                "message=" + std::to_string(request.flags) + ' ' + platform::toUtf8(request.caption)
                    + ": " + platform::toUtf8(request.text) + '\n');
            return 1; // OK
        });
    }

    orvClassWindows object;
    orvclass::ToolControls controls;
    const orvclass::Outcome outcome = orvclass::invoke(object, arguments, &controls);
    write(outcome.exitCode == orvclass::ExitCode::UsageError ? stderr : stdout, outcome.text);
    return static_cast<int>(outcome.exitCode);
}
