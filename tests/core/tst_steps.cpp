// SPDX-License-Identifier: MIT
#include "core/Steps.h"

#include <QTest>

#include <stdexcept>
#include <string>
#include <vector>

using namespace orv;

class TestSteps : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void failingStepIsSkippedAndTheNextRuns()
    {
        StepRunner steps;
        std::vector<int> ran;
        QVERIFY(steps.step([&] { ran.push_back(1); }));
        QVERIFY(!steps.step([&] {
            ran.push_back(2);
            fail(FailureCode::Overflow, "overflow");
            ran.push_back(99); // never reached: the step ends at its failure
        }));
        QVERIFY(steps.step([&] { ran.push_back(3); }));
        QCOMPARE(ran, (std::vector<int> { 1, 2, 3 }));
        QVERIFY(steps.pending().has_value());
        QCOMPARE(steps.pending()->code(), FailureCode::Overflow);
        steps.clear();
        QVERIFY(!steps.pending().has_value());
    }

    void pendingFailureIsTheLastOne()
    {
        StepRunner steps;
        steps.step([] { fail(FailureCode::Overflow, "first"); });
        steps.step([] { fail(FailureCode::DivisionByZero, "second"); });
        steps.step([] {});
        QCOMPARE(steps.pending()->code(), FailureCode::DivisionByZero);
    }

    void otherExceptionsAreNotAbsorbed()
    {
        // Only expected failures are skipped; a programming error is not hidden.
        StepRunner steps;
        QVERIFY_THROWS_EXCEPTION(
            std::logic_error, steps.step([] { throw std::logic_error("bug"); }));
    }

    void loopEndsAtAFailingTestOrBody_data()
    {
        QTest::addColumn<int>("failTestAt");
        QTest::addColumn<int>("failBodyAt");
        QTest::addColumn<int>("bodies");

        // clang-format off
        QTest::newRow("runs to its end") << -1 << -1 << 5;
        QTest::newRow("test fails on its third check") << 2 << -1 << 2;
        QTest::newRow("body fails on its second pass") << -1 << 1 << 1;
        QTest::newRow("test fails at once") << 0 << -1 << 0;
        // clang-format on
    }

    void loopEndsAtAFailingTestOrBody()
    {
        QFETCH(int, failTestAt);
        QFETCH(int, failBodyAt);
        QFETCH(int, bodies);
        StepRunner steps;
        int tests = 0;
        int completed = 0;
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
        QCOMPARE(completed, bodies);
        // The loop's failure is cleared, as if nothing had failed.
        QVERIFY(!steps.pending().has_value());
        bool after = false;
        steps.step([&] { after = true; });
        QVERIFY(after);
    }

    void untrappedFailureEndsTheBodyAndReachesTheProcessPath()
    {
        std::vector<std::string> reports;
        auto previous
            = setUnhandledFailureHandler([&](std::string_view where, const Failure &failure) {
                  reports.push_back(std::string(where) + ":" + std::to_string(failure.number()));
              });
        bool after = false;
        runUntrapped("handler", [&] {
            fail(FailureCode::InvalidCall, "no such tool");
            after = true;
        });
        runUntrapped("quiet", [] {});
        setUnhandledFailureHandler(previous);
        QVERIFY(!after);
        QCOMPARE(reports, (std::vector<std::string> { "handler:5" }));
    }
};

QTEST_APPLESS_MAIN(TestSteps)
#include "tst_steps.moc"
