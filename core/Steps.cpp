// SPDX-License-Identifier: MIT
#include "core/Steps.h"

#include <cstdio>
#include <string>

namespace orv {

namespace {

void writeToStandardError(std::string_view where, const Failure &failure)
{
    const std::string line = "orvelbrowser: unhandled failure in " + std::string(where) + ": "
        + std::to_string(failure.number()) + " " + failure.what() + "\n";
    std::fputs(line.c_str(), stderr);
}

UnhandledFailureHandler &currentHandler()
{
    static UnhandledFailureHandler handler = writeToStandardError;
    return handler;
}

} // namespace

int runSkippingFailures(std::initializer_list<std::function<void()>> steps)
{
    StepRunner runner;
    int failed = 0;
    for (const auto &body : steps) {
        if (!runner.step(body))
            ++failed;
    }
    return failed;
}

UnhandledFailureHandler setUnhandledFailureHandler(UnhandledFailureHandler handler)
{
    UnhandledFailureHandler previous = std::move(currentHandler());
    currentHandler() = handler ? std::move(handler) : UnhandledFailureHandler(writeToStandardError);
    return previous;
}

void reportUnhandledFailure(std::string_view where, const Failure &failure)
{
    currentHandler()(where, failure);
}

} // namespace orv
