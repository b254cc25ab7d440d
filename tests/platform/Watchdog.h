// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <windows.h>

namespace orv::test {

// Ends the process when a call blocks (a dialog that nobody answers, under
// Wine without a display), so that the run fails instead of hanging.
class Watchdog
{
public:
    explicit Watchdog(std::chrono::seconds bound)
        : m_thread([this, bound] {
              std::unique_lock lock(m_mutex);
              if (!m_stopped.wait_for(lock, bound, [this] { return m_stop; })) {
                  std::fputs("FAIL!  : watchdog: a call blocked; ending the test\n", stdout);
                  std::fflush(stdout);
                  TerminateProcess(GetCurrentProcess(), 3);
              }
          })
    {
    }
    ~Watchdog()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_stopped.notify_all();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_stopped;
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace orv::test
