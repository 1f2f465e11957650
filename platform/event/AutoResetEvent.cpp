#include "platform/event/AutoResetEvent.h"

#include <chrono>

namespace platform {

void AutoResetEvent::Set() {
    {
        std::lock_guard lock(m_mutex);
        m_signalled = true;
    }
    m_cond.notify_one();
}

void AutoResetEvent::Reset() {
    std::lock_guard lock(m_mutex);
    m_signalled = false;
}

bool AutoResetEvent::Wait(std::uint32_t timeoutMs) {
    std::unique_lock lock(m_mutex);
    if (!m_cond.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_signalled; })) return false;
    m_signalled = false;
    return true;
}

void AutoResetEvent::Wait() {
    std::unique_lock lock(m_mutex);
    m_cond.wait(lock, [this] { return m_signalled; });
    m_signalled = false;
}

}  // namespace platform
