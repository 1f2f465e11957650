#include "helpers/exchange/HelperWatch.h"

#include <cstdio>

#include "common/misc/CxDebugUtil.h"

bool HelperWatch::Stop() {
    if (m_stopped) return true;
    const auto now = Clock::now();
    if (now - m_lastCheck < std::chrono::milliseconds(100)) return false;
    m_lastCheck = now;
    m_stopped = m_session.StopRequested();
    if (m_stopped) CX_LOG(kLogCritical, "The program asked the helper to stop.");
    return m_stopped;
}

bool HelperWatch::ProgressDue(int done, int total) {
    const auto now = Clock::now();
    if (done != total && done != 1 && now - m_lastStatus < std::chrono::milliseconds(250)) return false;
    m_lastStatus = now;
    return true;
}

void HelperWatch::Progress(const char* format, int done, int total) {
    if (!ProgressDue(done, total)) return;
    char line[128];
    std::snprintf(line, sizeof line, format, done, total);
    m_session.WriteStatus(line);
}
