// SPDX-License-Identifier: MIT
#include "components/qt/StartupTrace.h"

#include <QtGlobal>

#include <array>
#include <cstdio>

namespace orv::trace {

namespace {

struct State
{
    bool enabled = qEnvironmentVariableIsSet("ORVEL_STARTUP_TRACE");
    bool reported = false;
    QElapsedTimer sinceStart;
    std::array<int, int(Work::Count)> counts {};
    std::array<qint64, int(Work::Count)> nanoseconds {};

    State() { sinceStart.start(); }
};

State &state()
{
    static State s;
    return s;
}

const char *const names[]
    = { "status texts", "meter reports", "pending events run", "band layouts", "web view resizes" };

} // namespace

bool enabled()
{
    return state().enabled;
}

void mark(const char *what)
{
    State &s = state();
    if (s.enabled)
        std::fprintf(
            stderr, "startup: %-30s %8.3f ms\n", what, double(s.sinceStart.nsecsElapsed()) / 1e6);
}

void reportFirstPage()
{
    State &s = state();
    if (!s.enabled || s.reported)
        return;
    s.reported = true;
    mark("first page loaded");
    for (int i = 0; i < int(Work::Count); ++i)
        std::fprintf(stderr, "startup:   %-28s %4d times %8.3f ms\n", names[i], s.counts[i],
            double(s.nanoseconds[i]) / 1e6);
}

Scope::~Scope()
{
    if (m_work < 0)
        return;
    State &s = state();
    ++s.counts[m_work];
    s.nanoseconds[m_work] += m_clock.nsecsElapsed();
}

} // namespace orv::trace
