// SPDX-License-Identifier: MIT
#pragma once

// ORVEL_STARTUP_TRACE=1 prints to stderr where the time of start-up and of
// the first page goes: marks along the start, and how often and how long the
// window reacted to the engine's reports until the first page was loaded.
// Without the variable every call costs one test of a flag.

#include <QElapsedTimer>

namespace orv::trace {

enum class Work { StatusText, Progress, PendingEvents, BandLayout, ViewResize, Count };

bool enabled();

// Prints what with the time since the program's start.
void mark(const char *what);

// Prints the counts and times of each kind of work so far, once.
void reportFirstPage();

// Counts one piece of work and, on leaving, adds its time. Only a named
// one lives long enough to time anything; an unnamed one is an error (GCC
// warns about discarded temporaries only through the constructor's mark).
class [[nodiscard]] Scope
{
public:
    [[nodiscard]] explicit Scope(Work work) : m_work(enabled() ? int(work) : -1)
    {
        if (m_work >= 0)
            m_clock.start();
    }
    ~Scope();
    Scope(const Scope &) = delete;
    Scope &operator=(const Scope &) = delete;

private:
    int m_work;
    QElapsedTimer m_clock;
};

} // namespace orv::trace
