// SPDX-License-Identifier: MIT
#include "Expect.h"
#include "core/Steps.h"

#include <stdexcept>
#include <vector>

using namespace orv;

TEST_CASE("a failing step is skipped, the next runs, the failure is reported")
{
    std::vector<std::string> absorbed;
    auto previous = setAbsorbedFailureHandler([&](std::string_view where, const Failure &failure) {
        absorbed.push_back(std::string(where) + ":" + std::to_string(failure.number()));
    });
    StepRunner steps("load step");
    std::vector<int> ran;
    CHECK(steps.step([&] { ran.push_back(1); }));
    CHECK_FALSE(steps.step([&] {
        ran.push_back(2);
        fail(FailureCode::Overflow, "overflow");
        ran.push_back(99); // never reached: the step ends at its failure
    }));
    CHECK_FALSE(steps.step([] { fail(FailureCode::DivisionByZero, "second"); }));
    CHECK(steps.step([&] { ran.push_back(3); }));
    CHECK(ran == std::vector { 1, 2, 3 });
    setAbsorbedFailureHandler(previous);
    CHECK(absorbed == std::vector<std::string> { "load step:6", "load step:11" });
    // Only expected failures are skipped; a programming error is not hidden.
    CHECK_THROWS_AS(steps.step([] { throw std::logic_error("bug"); }), std::logic_error);
}

TEST_CASE("a loop ends at a failing test or body, and the routine goes on")
{
    // clang-format off
    for (const auto &[failTestAt, failBodyAt, bodies] :
        { std::tuple { -1, -1, 5 }, std::tuple { 2, -1, 2 }, std::tuple { -1, 1, 1 }, std::tuple { 0, -1, 0 } }) {
        // clang-format on
        CAPTURE(failTestAt);
        CAPTURE(failBodyAt);
        StepRunner steps;
        int tests = 0, completed = 0;
        steps.loop(
            [&] {
                if (tests++ == failTestAt)
                    fail(FailureCode::Overflow, "test");
                return completed < 5;
            },
            [&] {
                if (completed == failBodyAt)
                    fail(FailureCode::Overflow, "body");
                ++completed;
            });
        CHECK(completed == bodies);
    }
}

TEST_CASE("an untrapped failure ends the body and reaches the process's handler")
{
    std::vector<std::string> reports;
    auto previous = setUnhandledFailureHandler([&](std::string_view where, const Failure &failure) {
        reports.push_back(std::string(where) + ":" + std::to_string(failure.number()));
    });
    bool after = false;
    runUntrapped("handler", [&] {
        fail(FailureCode::InvalidCall, "no such tool");
        after = true;
    });
    runUntrapped("quiet", [] {});
    setUnhandledFailureHandler(previous);
    CHECK_FALSE(after);
    CHECK(reports == std::vector<std::string> { "handler:5" });
}
