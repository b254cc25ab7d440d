// SPDX-License-Identifier: MIT
#pragma once

// The two ways a routine treats a failing step:
//  - StepRunner: "a failing step is skipped". Each step runs; a Failure it
//    throws is absorbed, handed to the absorbed-failure path (silent unless a
//    handler is installed: the program logs it), and the routine goes on.
//  - runUntrapped: the routine has no trap of its own. A Failure ends it and
//    goes to the process's unhandled-failure path (an event handler cannot
//    hand a failure to its caller, the event loop, so that path reports it).

#include "core/Failure.h"

#include <functional>
#include <string_view>
#include <utility>

namespace orv {

class StepRunner;
using AbsorbedFailureHandler = std::function<void(std::string_view where, const Failure &)>;

// Installs the handler told of every skipped step; returns the previous one.
// None by default: a skipped step leaves no trace unless someone listens.
AbsorbedFailureHandler setAbsorbedFailureHandler(AbsorbedFailureHandler handler);
void reportAbsorbedFailure(std::string_view where, const Failure &failure);

class StepRunner
{
public:
    // where: the routine, as the absorbed-failure path names it.
    explicit StepRunner(std::string_view where = "a routine") : m_where(where) { }

    // Runs one step. Returns false when it failed (and was skipped).
    template <typename Step> bool step(Step &&body)
    {
        try {
            std::forward<Step>(body)();
            return true;
        } catch (const Failure &failure) {
            reportAbsorbedFailure(m_where, failure);
            return false;
        }
    }

    // A loop whose failing test or body ends the loop, and the routine goes on.
    template <typename Test, typename Body> void loop(Test &&test, Body &&body)
    {
        try {
            while (test())
                body();
        } catch (const Failure &failure) {
            reportAbsorbedFailure(m_where, failure);
        }
    }

private:
    std::string_view m_where;
};

using UnhandledFailureHandler = std::function<void(std::string_view where, const Failure &)>;

// Installs the process's unhandled-failure path; returns the previous one.
// The default writes one line to standard error and lets the program go on.
UnhandledFailureHandler setUnhandledFailureHandler(UnhandledFailureHandler handler);
void reportUnhandledFailure(std::string_view where, const Failure &failure);

template <typename Body> void runUntrapped(std::string_view where, Body &&body)
{
    try {
        std::forward<Body>(body)();
    } catch (const Failure &failure) {
        reportUnhandledFailure(where, failure);
    }
}

} // namespace orv
