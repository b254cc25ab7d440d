// SPDX-License-Identifier: MIT
#include "core/Steps.h"

#include <cstdio>
#include <string>
#include <utility>

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

AbsorbedFailureHandler &absorbedHandler()
{
    static AbsorbedFailureHandler handler;
    return handler;
}

} // namespace

AbsorbedFailureHandler setAbsorbedFailureHandler(AbsorbedFailureHandler handler)
{
    return std::exchange(absorbedHandler(), std::move(handler));
}

void reportAbsorbedFailure(std::string_view where, const Failure &failure)
{
    if (absorbedHandler())
        absorbedHandler()(where, failure);
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
