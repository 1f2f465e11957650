#pragma once
// A helper's watch over its run: asks the control file for "Stop" and
// writes progress to the status file, each at most a few times a second so
// that a large read is not slowed by the files.
#include <chrono>
#include <string>

#include "helpers/exchange/HelperSession.h"

class HelperWatch {
public:
    explicit HelperWatch(HelperSession& session) : m_session(session) {}
    // True once the program has asked the helper to stop.
    bool Stop();
    bool Stopped() const { return m_stopped; }
    // True when a progress line for `done` of `total` is to be shown now:
    // the first and the last always, others a few times a second.
    bool ProgressDue(int done, int total);
    // Shows a line made with a format holding two "%d" when it is due.
    void Progress(const char* format, int done, int total);

private:
    using Clock = std::chrono::steady_clock;
    HelperSession& m_session;
    Clock::time_point m_lastCheck{};
    Clock::time_point m_lastStatus{};
    bool m_stopped = false;
};
