#pragma once
// An event that lets one waiter through per signal: Set wakes a waiter (or
// the next one to wait) and the event resets itself as that waiter passes.
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace platform {

class AutoResetEvent {
public:
    explicit AutoResetEvent(bool signalled = false) : m_signalled(signalled) {}
    AutoResetEvent(const AutoResetEvent&) = delete;
    AutoResetEvent& operator=(const AutoResetEvent&) = delete;

    void Set();
    void Reset();
    // True when the event was signalled within `timeoutMs` milliseconds (it
    // is then reset); false on time-out.
    bool Wait(std::uint32_t timeoutMs);
    // Waits without a time limit.
    void Wait();

private:
    std::mutex m_mutex;
    std::condition_variable m_cond;
    bool m_signalled;
};

}  // namespace platform
